#pragma once

#include <string>

namespace orvex {

// A page-by-page text printer: the system's default printer, a PDF file, or
// a recorder in tests. Font changes apply to the lines printed afterwards.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual void setFontSize(float points) = 0;
    virtual void setBold(bool on) = 0;
    virtual void setItalic(bool on) = 0;

    // Prints `text` (UTF-8) at the current position and moves one line height
    // of the current font down; an empty text only moves down. A line that
    // would not fit above the bottom of the printable area starts a new page.
    virtual void printLine(const std::string& text) = 0;

    // Sends every page as one job. False when the job, or any page of it,
    // could not be printed; a failure is never reported as success.
    virtual bool endDocument() = 0;
};

} // namespace orvex
