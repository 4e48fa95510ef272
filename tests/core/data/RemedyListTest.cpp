#include "core/data/RemedyList.h"
#include "core/xml/CurrentDocument.h"

#include "support/XmlFixture.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

using Names = std::vector<std::string>;

TEST(RemedyPickerEntries, keepDocumentOrderDepthDuplicatesAndEmptyNames)
{
    const auto current = test::loadXml(
        "<remedies><remedy>....</remedy><group><remedy>Bell.</remedy><deeper><remedy>Ars.</remedy></deeper></group>"
        "<remedy>Bell.</remedy><remedy></remedy><remedy> Nux-v. </remedy><remedy>Sulph. d'Arc</remedy>"
        "<remedy>\xC3\x84rz.</remedy><other>Not.</other><!-- <remedy>Hidden.</remedy> --></remedies>");
    EXPECT_EQ(remedyPickerEntries(*current).toStrings(),
              (Names{"....", "Bell.", "Ars.", "Bell.", "", " Nux-v. ", "Sulph. d'Arc", "\xC3\x84rz."}));
}

TEST(RemedyPickerEntries, nameIsTheWholeTextOfTheElement)
{
    const auto current = test::loadXml("<r><remedy>Kali-<i>bi</i>.</remedy><remedy><![CDATA[A&B]]></remedy></r>");
    EXPECT_EQ(remedyPickerEntries(*current).toStrings(), (Names{"Kali-bi.", "A&B"}));
}

TEST(RemedyPickerEntries, documentWithoutRemedies_givesNoEntries)
{
    EXPECT_EQ(remedyPickerEntries(*test::loadXml("<strings><string><name>k</name>x</string></strings>")).size(), 0U);
    EXPECT_EQ(remedyPickerEntries(CurrentDocument()).size(), 0U);
}

} // namespace
} // namespace orvex
