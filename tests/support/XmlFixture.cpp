#include "support/XmlFixture.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orvex::test {

std::unique_ptr<CurrentDocument> loadXml(std::string_view xml)
{
    const TempDir dir;
    auto current = std::make_unique<CurrentDocument>();
    SilentMessageSink sink;
    EXPECT_EQ(LoadXmlDocument(*current, dir.write("fixture.xml", xml), sink), 0) << xml;
    return current;
}

} // namespace orvex::test
