// Any bytes as the tips file: split into tips, read back through a file, and
// every tip shown once by pressing Next round the whole cycle.
#include "core/help/TipCycle.h"
#include "core/help/TipsFile.h"

#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using orvex::fuzz::fail;

const std::string& inputPath()
{
    static const std::string path = orvex::fuzz::scratchFilePath("tips.txt");
    return path;
}

// The text with every terminator written as a lone CR: what the tips must
// give back when each is followed by CR, the last one's CR only when the text
// ended with a terminator.
std::string oneByteTerminators(std::string_view text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return result;
}

void checkNextTipNumber(const std::uint8_t* data, std::size_t size)
{
    std::size_t current = 0;
    std::size_t count = 0;
    if (size < sizeof current + sizeof count)
        return;
    std::memcpy(&current, data, sizeof current);
    std::memcpy(&count, data + sizeof current, sizeof count);
    const std::size_t next = orvex::nextTipNumber(current, count);
    if (next == 0)
        fail("nextTipNumber gave 0");
    if (next != (current < count ? current + 1 : 1))
        fail("nextTipNumber neither stepped on nor went round to the first");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Past the bounds of what a tip window keeps, tips are cut on purpose
    // (TipsFile.h): the checks below are for every text within them.
    if (text.size() >= orvex::kTipBytesKept)
        return 0;
    const std::vector<std::string> tips = orvex::splitTips(text);

    std::size_t carriageReturns = 0;
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            continue;
        ++carriageReturns;
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++pairs;
    }
    std::size_t tipBytes = 0;
    std::string joined;
    for (const std::string& tip : tips) {
        if (tip.find('\r') != std::string::npos)
            fail("a tip holds a carriage return");
        tipBytes += tip.size();
        joined += tip;
        joined += '\r';
    }
    // Every byte is either in a tip or one of the terminators' bytes.
    if (tipBytes + carriageReturns + pairs != text.size())
        fail("tips and terminators do not add up to the text's length");
    const std::string expected = oneByteTerminators(text);
    const bool unterminated = !expected.empty() && expected.back() != '\r';
    if (tips.size() != carriageReturns + (unterminated ? 1 : 0))
        fail("one tip per terminator, plus an unterminated last line");
    if (unterminated)
        joined.pop_back();
    if (joined != expected)
        fail("the tips joined again are not the text");

    orvex::fuzz::writeScratchFile(inputPath(), text);
    orvex::TipCycle cycle;
    const bool read = cycle.load(inputPath());
    std::remove(inputPath().c_str());
    if (!read || cycle.count() != tips.size() || (!tips.empty() && cycle.current() != 1))
        fail("reading the file does not give the tips of its text, starting at the first");
    for (std::size_t i = 0; i < tips.size(); ++i) {
        const std::string* shown = cycle.currentTip();
        if (shown == nullptr || *shown != tips[i] || cycle.current() != i + 1)
            fail("Next does not show the tips in file order");
        cycle.next();
    }
    if (cycle.current() != 1)
        fail("Next after the last tip does not go round to the first");
    if (tips.empty() && cycle.currentTip() != nullptr)
        fail("a tip is shown when there are none");

    checkNextTipNumber(data, size);
    return 0;
}
