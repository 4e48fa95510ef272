#pragma once

#include "core/print/PrintSurface.h"

#include <string>
#include <vector>

namespace orvex::test {

// Remembers every line with the font state it was printed in.
class RecordingSurface final : public PrintSurface {
public:
    struct Line {
        std::string text;
        float size;
        bool bold;
        bool italic;
        friend bool operator==(const Line&, const Line&) = default;
    };

    std::vector<Line> lines;
    int ended = 0;
    bool endResult = true;

    void setFontSize(float points) override { size_ = points; }
    void setBold(bool on) override { bold_ = on; }
    void setItalic(bool on) override { italic_ = on; }
    void printLine(const std::string& text) override { lines.push_back({text, size_, bold_, italic_}); }
    bool endDocument() override
    {
        ++ended;
        return endResult;
    }

private:
    // Deliberately odd, so that a state the report forgets to set shows.
    float size_ = 99.0F;
    bool bold_ = true;
    bool italic_ = true;
};

} // namespace orvex::test
