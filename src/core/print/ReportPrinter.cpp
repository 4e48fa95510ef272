#include "core/print/ReportPrinter.h"

namespace orvex {

bool printReport(const std::vector<ReportLine>& lines, PrintSurface& surface)
{
    // The surface starts in the printer's own font state, which the report
    // does not know: the first line sets all three, later lines what changes.
    const ReportLine* previous = nullptr;
    for (const ReportLine& line : lines) {
        if (previous == nullptr || previous->size != line.size)
            surface.setFontSize(line.size);
        if (previous == nullptr || previous->bold != line.bold)
            surface.setBold(line.bold);
        if (previous == nullptr || previous->italic != line.italic)
            surface.setItalic(line.italic);
        surface.printLine(line.text);
        previous = &line;
    }
    return surface.endDocument();
}

} // namespace orvex
