#include "platform/files/DataFile.h"

namespace orvex::platform {

DataFile::DataFile(DataFile&& other) noexcept : handle_(other.handle_), error_(std::move(other.error_))
{
    other.handle_ = kNoHandle;
}

DataFile& DataFile::operator=(DataFile&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        error_ = std::move(other.error_);
        other.handle_ = kNoHandle;
    }
    return *this;
}

DataFile::~DataFile()
{
    close();
}

bool DataFile::isOpen() const
{
    return handle_ != kNoHandle;
}

void DataFile::close()
{
    if (isOpen())
        closeHandle(handle_);
    handle_ = kNoHandle;
}

} // namespace orvex::platform
