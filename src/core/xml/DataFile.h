#pragma once

#include <cstdio>
#include <string>

namespace orvex {

// A data file opened for reading by the name the program passes (bare names
// resolve against the current folder). Only a regular file, or a link to
// one, is opened: a folder, FIFO or device would hang or feed endless bytes.
struct DataFile {
    std::FILE* file = nullptr; // owned by the caller; null on failure
    std::string error;         // why it could not be opened
};

DataFile openDataFile(const std::string& fileName);

} // namespace orvex
