#include "platform/registry/HiveDocument.h"

#include "platform/registry/HiveText.h"
#include "core/settings/RegistryApi.h"

#include <gtest/gtest.h>

namespace orvex::platform {
namespace {

const KeyPath kA = {"HKEY_LOCAL_MACHINE", "Software", "A"};
const KeyPath kB = {"HKEY_LOCAL_MACHINE", "Software", "A", "B"};

HiveDocument parsed(const std::string& body)
{
    return *parseHive(std::string(kHiveHeader) + "\n\n" + body);
}

TEST(HiveDocument, keyNamedOnlyByItsSubkey_existsAndStaysWhenTheSubkeyGoes)
{
    HiveDocument hive = parsed("[HKEY_LOCAL_MACHINE\\Software\\A\\B]\n\"k\"=\"v\"\n");
    EXPECT_TRUE(hive.keyExists(kA));
    EXPECT_EQ(hive.deleteKey(kA), HiveDocument::KeyDeletion::HasSubKeys);
    EXPECT_EQ(hive.deleteKey(kB), HiveDocument::KeyDeletion::Deleted);
    EXPECT_TRUE(hive.keyExists(kA));
    EXPECT_EQ(writeHive(hive), std::string(kHiveHeader) + "\n\n[HKEY_LOCAL_MACHINE\\Software\\A]\n\n");
    EXPECT_EQ(hive.deleteKey({"HKEY_LOCAL_MACHINE"}), HiveDocument::KeyDeletion::IsRoot);
}

TEST(HiveDocument, repeatedSectionsAndNames_laterLineWinsAndDeletionTakesAll)
{
    HiveDocument hive = parsed("[HKEY_LOCAL_MACHINE\\Software\\A]\n\"k\"=\"first\"\n\"x\"=\"1\"\n\n"
                               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\a]\n\"K\"=\"second\"\n");
    auto values = hive.values(kA);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].data, std::string("second\0", 7));

    hive.setValue(kA, HiveValue{"k", reg::REG_SZ, std::string("third\0", 6)});
    EXPECT_EQ(hive.values(kA)[0].data, std::string("third\0", 6));
    EXPECT_TRUE(hive.deleteValue(kA, "K"));
    values = hive.values(kA);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "x");
}

TEST(HiveDocument, newKeys_takeTheSpellingOfTheKeysAboveThem)
{
    HiveDocument hive = parsed("[HKEY_LOCAL_MACHINE\\Software]\n\n");
    EXPECT_TRUE(hive.createKey({"hkey_local_machine", "SOFTWARE", "New"}));
    EXPECT_FALSE(hive.createKey({"HKEY_LOCAL_MACHINE", "software", "new"}));
    EXPECT_EQ(writeHive(hive), std::string(kHiveHeader) + "\n\n[HKEY_LOCAL_MACHINE\\Software]\n\n"
                                   "[HKEY_LOCAL_MACHINE\\Software\\New]\n\n");
}

TEST(HiveDocument, newKeyAfterAHexListCutShort_leavesItUnreadable)
{
    // Joined with a blank line, "hex:01\" would read as the value 01.
    for (const std::string cut : {"\"cut\"=hex:01\\", "\"cut\"=hex:\\  \r", "@=hex(2):00,01\\"}) {
        HiveDocument hive = parsed("[HKEY_LOCAL_MACHINE\\Software\\A]\n" + cut + "\n");
        ASSERT_TRUE(hive.values(kA).empty()) << cut;
        EXPECT_TRUE(hive.createKey({"HKEY_LOCAL_MACHINE", "Software", "New"}));
        const std::string written = writeHive(hive);
        EXPECT_NE(written.find(cut + "\n[HKEY_LOCAL_MACHINE\\Software\\New]\n"), std::string::npos) << written;
        const auto reread = parseHive(written);
        ASSERT_TRUE(reread);
        EXPECT_TRUE(reread->values(kA).empty()) << written;
        EXPECT_EQ(writeHive(*reread), written);
    }
}

} // namespace
} // namespace orvex::platform
