#include "core/xml/ByteOrderMark.h"

#include <gtest/gtest.h>

#include <string>

namespace orvex {
namespace {

std::string wide(std::string_view ascii, bool littleEndian)
{
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : ascii) {
        bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    }
    return bytes;
}

TEST(ByteOrderMark, conflictsOnlyWhereMarkAndDeclarationDisagree)
{
    struct Case {
        std::string head;
        bool conflict;
    };
    const Case cases[] = {
        {"<?xml version='1.0' encoding='ISO-8859-1'?><a/>", false}, // no mark
        {"\xEF\xBB\xBF<a/>", false},                                  // no declaration
        {"\xEF\xBB\xBF<?xml version='1.0'?><a/>", false},             // no encoding named
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>", false},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding = 'UTF8' ?>", false},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='iso-8859-1'?><a/>", true},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-16'?><a/>", true},
        {wide("<?xml version='1.0' encoding='UTF-16'?><a/>", true), false},
        {wide("<?xml version='1.0' encoding='utf-16le'?>", true), false},
        {wide("<?xml version='1.0' encoding='UTF-16'?>", false), false},
        {wide("<?xml version='1.0' encoding='utf-8'?><a/>", true), true},
        {wide("<?xml version='1.0' encoding='windows-1252'?>", false), true},
        {"\xFF\xFE", false}, // a mark and nothing else
        {wide("<?xml version='1.0' encoding='utf-8'", true), false}, // declaration cut off: the parser judges
    };
    for (const Case& c : cases)
        EXPECT_EQ(!byteOrderMarkConflict(c.head).empty(), c.conflict) << testing::PrintToString(c.head);
}

} // namespace
} // namespace orvex
