#include "core/settings/CRegSettings.h"

#include "RegistryProbe.h"
#include "support/ForwardingRegistry.h"
#include "support/TempDir.h"
#include "support/TestRegistry.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>
#include <string_view>

namespace orvex {
namespace {

using namespace std::string_literals;
using test::RawValue;

const std::string kOcs = "Software\\Tarnwell\\OCS";

class Store : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.Company("Tarnwell");
        settings.AppName("OCS");
    }

    test::TempDir dir;
    std::unique_ptr<RegistryApi> registry = test::makeTestRegistry(dir);
    CRegSettings settings{*registry};
};

TEST_F(Store, startUpWrite_storesCountAsText)
{
    EXPECT_EQ(settings.SaveSetting("", "count", "1"), -1);
    EXPECT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    EXPECT_EQ(test::rawValue(*registry, kOcs, "count"), (RawValue{reg::REG_SZ, "1\0"s}));
    EXPECT_EQ(settings.GetSetting("", "count", "none"), "1");
}

TEST_F(Store, section_isAKeyBelowTheApplication)
{
    ASSERT_EQ(settings.SaveSetting("Window", "width", "800"), kTrue);
    EXPECT_TRUE(test::rawValue(*registry, kOcs + "\\Window", "width"));
    EXPECT_FALSE(test::rawValue(*registry, kOcs, "width"));
    EXPECT_EQ(settings.GetSetting("Window", "width", ""), "800");
    EXPECT_EQ(settings.GetSetting("", "width", "dflt"), "dflt");
}

TEST_F(Store, backslashInSection_makesDeeperKeys)
{
    ASSERT_EQ(settings.SaveSetting("A\\B", "k", "v"), kTrue);
    EXPECT_TRUE(test::keyExists(*registry, kOcs + "\\A"));
    EXPECT_TRUE(test::rawValue(*registry, kOcs + "\\A\\B", "k"));
}

// Non-ASCII names are names of their own: none is folded onto an ASCII one.
TEST_F(Store, nonAsciiNames_stayApart)
{
    const std::string section = "Fenster \xC3\xA4\xCE\xB2";
    const std::string alphaBetaHerb = "\xCE\xB1\xCE\xB2 \xF0\x9F\x8C\xBF";
    ASSERT_EQ(settings.SaveSetting("S", "\xCE\xB1", "alpha"), kTrue);
    ASSERT_EQ(settings.SaveSetting("S", "a", "latin"), kTrue);
    ASSERT_EQ(settings.SaveSetting(section, alphaBetaHerb, alphaBetaHerb), kTrue);
    EXPECT_EQ(settings.GetSetting("S", "\xCE\xB1", ""), "alpha");
    EXPECT_EQ(settings.GetSetting("S", "a", ""), "latin");
    EXPECT_EQ(settings.GetAllSettings(section), (SettingsArray{{alphaBetaHerb, alphaBetaHerb}}));
    EXPECT_TRUE(test::keyExists(*registry, kOcs + "\\" + section));
}

struct RefusedName {
    const char* name;
    std::string section;
    std::string key;
};

void PrintTo(const RefusedName& c, std::ostream* out)
{
    *out << c.name;
}

class Refused : public Store, public ::testing::WithParamInterface<RefusedName> {};

// A key path with an empty part or a key with a control character: nothing
// is written, nothing read.
TEST_P(Refused, writesAndReadsNothing)
{
    EXPECT_EQ(settings.SaveSetting(GetParam().section, GetParam().key, "v"), kFalse);
    EXPECT_EQ(settings.GetSetting(GetParam().section, GetParam().key, "dflt"), "dflt");
    EXPECT_EQ(settings.DeleteSetting(GetParam().section, ""), kFalse);
    EXPECT_FALSE(test::keyExists(*registry, kOcs + "\\A"));
}

INSTANTIATE_TEST_SUITE_P(Names, Refused,
    ::testing::Values(RefusedName{"emptyPartOfTheKeyPath", "A\\\\B", "k"},
                      RefusedName{"emptyLastPart", "A\\", "k"},
                      RefusedName{"lineBreakInAKey", "two\nlines", "k"},
                      RefusedName{"bellInAKey", "bell\x07", "k"},
                      RefusedName{"tabInAKey", "tab\tkey", "k"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Store, lineBreakInAName_isRefusedATabKept)
{
    EXPECT_EQ(settings.SaveSetting("S", "two\nlines", "v"), kFalse);
    EXPECT_EQ(settings.SaveSetting("S", "tab\tname", "v"), kTrue);
    EXPECT_EQ(settings.GetAllSettings("S"), (SettingsArray{{"tab\tname", "v"}}));
}

TEST_F(Store, starKey_isTheUnnamedValue)
{
    ASSERT_EQ(settings.SaveSetting("S", "*", "unnamed"), kTrue);
    EXPECT_EQ(test::rawValue(*registry, kOcs + "\\S", ""), (RawValue{reg::REG_SZ, "unnamed\0"s}));
    EXPECT_EQ(settings.GetSetting("S", "*", ""), "unnamed");
    const auto all = settings.GetAllSettings("S");
    ASSERT_TRUE(all);
    EXPECT_EQ((*all)[0][0], "");
    EXPECT_EQ(settings.DeleteSetting("S", "*"), kTrue);
    EXPECT_EQ(settings.GetSetting("S", "*", "gone"), "gone");
}

TEST_F(Store, missingSectionOrValue_givesTheDefault)
{
    EXPECT_EQ(settings.GetSetting("Nowhere", "k", "dflt"), "dflt");
    ASSERT_EQ(settings.SaveSetting("S", "other", "x"), kTrue);
    EXPECT_EQ(settings.GetSetting("S", "k", "dflt"), "dflt");
    EXPECT_FALSE(settings.GetAllSettings("Nowhere"));
}

TEST_F(Store, emptyText_readsBackEmptyNotTheDefault)
{
    ASSERT_EQ(settings.SaveSetting("S", "k", ""), kTrue);
    EXPECT_EQ(test::rawValue(*registry, kOcs + "\\S", "k"), (RawValue{reg::REG_SZ, "\0"s}));
    EXPECT_EQ(settings.GetSetting("S", "k", "dflt"), "");
}

TEST_F(Store, textStoredWithoutItsNul_keepsItsLastCharacter)
{
    ASSERT_TRUE(test::putRaw(*registry, kOcs, "k", reg::REG_SZ, "abc"));
    EXPECT_EQ(settings.GetSetting("", "k", ""), "abc");
    EXPECT_EQ(settings.GetAllSettings("")->at(0)[1], "abc");
}

TEST_F(Store, otherTypes_areReadAsTextButNotListed)
{
    ASSERT_TRUE(test::putRaw(*registry, kOcs, "path", reg::REG_EXPAND_SZ, "%HOME%\0"s));
    ASSERT_TRUE(test::putRaw(*registry, kOcs, "size", reg::REG_DWORD, "\x2a\0\0\0"s));
    EXPECT_EQ(settings.GetSetting("", "path", ""), "%HOME%");
    EXPECT_FALSE(settings.GetAllSettings(""));
    ASSERT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    const auto all = settings.GetAllSettings("");
    ASSERT_TRUE(all);
    EXPECT_EQ(*all, (SettingsArray{{"count", "1"}}));
    EXPECT_EQ(test::rawValue(*registry, kOcs, "size"), (RawValue{reg::REG_DWORD, "\x2a\0\0\0"s}));
}

TEST_F(Store, getAllSettings_listsInWritingOrder)
{
#ifdef _WIN32
    if (test::runningUnderWine())
        GTEST_SKIP() << "Wine lists a key's values sorted by name; Windows lists them in the order they were written";
#endif
    for (const char* name : {"b", "a", "c"})
        ASSERT_EQ(settings.SaveSetting("S", name, std::string(name) + "!"), kTrue);
    ASSERT_EQ(settings.SaveSetting("S", "a", "again"), kTrue);
    EXPECT_EQ(settings.GetAllSettings("S"), (SettingsArray{{"b", "b!"}, {"a", "again"}, {"c", "c!"}}));
}

TEST_F(Store, namesIgnoreCase)
{
    ASSERT_EQ(settings.SaveSetting("Window", "Width", "800"), kTrue);
    settings.Company("TARNWELL");
    EXPECT_EQ(settings.GetSetting("WINDOW", "width", ""), "800");
    ASSERT_EQ(settings.SaveSetting("window", "WIDTH", "640"), kTrue);
    EXPECT_EQ(settings.GetAllSettings("Window"), (SettingsArray{{"Width", "640"}}));
}

TEST_F(Store, deleteValue_reportsWhetherItWasThere)
{
    ASSERT_EQ(settings.SaveSetting("S", "k", "v"), kTrue);
    EXPECT_EQ(settings.DeleteSetting("S", "k"), kTrue);
    EXPECT_EQ(settings.GetSetting("S", "k", "dflt"), "dflt");
    EXPECT_EQ(settings.DeleteSetting("S", "k"), kFalse);
    EXPECT_EQ(settings.DeleteSetting("Nowhere", "k"), kFalse);
}

TEST_F(Store, deleteSection_removesItsKeyUnlessItHasSubkeys)
{
    ASSERT_EQ(settings.SaveSetting("S", "k", "v"), kTrue);
    ASSERT_EQ(settings.SaveSetting("S\\Sub", "k", "deep"), kTrue);
    EXPECT_EQ(settings.DeleteSetting("S", ""), kFalse);
    EXPECT_EQ(settings.GetSetting("S", "k", ""), "v");

    EXPECT_EQ(settings.DeleteSetting("S\\Sub", ""), kTrue);
    EXPECT_EQ(settings.DeleteSetting("S", ""), kTrue);
    EXPECT_EQ(settings.GetSetting("S", "k", "dflt"), "dflt");
    EXPECT_FALSE(test::keyExists(*registry, kOcs + "\\S"));
    EXPECT_TRUE(test::keyExists(*registry, kOcs));
    EXPECT_EQ(settings.DeleteSetting("S", ""), kFalse);
}

struct RoundTrip {
    const char* name;
    std::string text;
};

void PrintTo(const RoundTrip& roundTrip, std::ostream* out)
{
    *out << roundTrip.name;
}

class Texts : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(Texts, readBackAsWritten)
{
    test::TempDir dir;
    const std::unique_ptr<RegistryApi> registry = test::makeTestRegistry(dir);
    CRegSettings settings(*registry);
    const std::string& text = GetParam().text;
#ifdef _WIN32
    // The Windows registry holds UTF-16: bytes that are not UTF-8 have no
    // place there and are refused rather than stored as a guess.
    if (std::string_view(GetParam().name) == "latin1Bytes") {
        EXPECT_EQ(settings.SaveSetting("S", "key " + text, text), kFalse);
        EXPECT_FALSE(settings.GetAllSettings("S"));
        return;
    }
#endif
    ASSERT_EQ(settings.SaveSetting("S", "key " + text, text), kTrue);
    EXPECT_EQ(settings.GetSetting("S", "key " + text, "dflt"), text);
    EXPECT_EQ(settings.GetAllSettings("S"), (SettingsArray{{"key " + text, text}}));
    // A second store reads what the first wrote: nothing is cached.
    CRegSettings again(*registry);
    EXPECT_EQ(again.GetSetting("S", "key " + text, "dflt"), text);
}

INSTANTIATE_TEST_SUITE_P(System, Texts,
    ::testing::Values(RoundTrip{"quotes", "say \"hi\" \"\""},
                      RoundTrip{"backslashes", "C:\\dir\\ \\\\ \\\" \\"},
                      RoundTrip{"nonAscii", "Rhus toxicodendron \xC3\xA9\xC3\xBC \xE2\x82\xAC \xF0\x9F\x8C\xBF"},
                      RoundTrip{"latin1Bytes", "caf\xE9"},
                      RoundTrip{"spacesAndSigns", "  = [x] ; @ #  "},
                      RoundTrip{"tab", "a\tb"},
                      RoundTrip{"long", std::string(5000, 'x')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Store, lineBreaks_readBackAsWritten)
{
    for (const std::string& text : {"one\ntwo"s, "crlf\r\n"s, "\n"s, "end\n\n"s}) {
        ASSERT_EQ(settings.SaveSetting("S", "k", text), kTrue);
        EXPECT_EQ(settings.GetSetting("S", "k", ""), text);
        EXPECT_EQ(settings.GetAllSettings("S"), (SettingsArray{{"k", text}}));
    }
}

struct NameCase {
    const char* given;
    const char* company;
    const char* appName;
};

class Names : public ::testing::TestWithParam<NameCase> {};

TEST_P(Names, startInitialAndLoseSurroundingSpacesAndEmptyRestoresTheInitialName)
{
    const test::TempDir dir;
    const auto registry = test::makeTestRegistry(dir);
    CRegSettings settings(*registry);
    EXPECT_EQ(settings.Company(), "VB and VBA Program Settings");
    EXPECT_EQ(settings.AppName(), "Orvex Comparative Software");
    settings.Company("Tarnwell");
    settings.AppName("OCS");
    settings.Company(GetParam().given);
    settings.AppName(GetParam().given);
    EXPECT_EQ(settings.Company(), GetParam().company);
    EXPECT_EQ(settings.AppName(), GetParam().appName);
}

INSTANTIATE_TEST_SUITE_P(Texts, Names,
    ::testing::Values(NameCase{"", "VB and VBA Program Settings", "Orvex Comparative Software"},
                      NameCase{"   ", "VB and VBA Program Settings", "Orvex Comparative Software"},
                      NameCase{"  Tarnwell Ltd  ", "Tarnwell Ltd", "Tarnwell Ltd"},
                      NameCase{"\tTabbed\t", "\tTabbed\t", "\tTabbed\t"},
                      NameCase{"Plain", "Plain", "Plain"}));

// The system's registry, counting the keys left open.
class Watched final : public test::ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;
    std::set<HKey> open;

    LStatus openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result) override
    {
        return opened(ForwardingRegistry::openKey(key, subKey, access, result), result);
    }
    LStatus createKey(HKey key, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      HKey& result) override
    {
        return opened(ForwardingRegistry::createKey(key, subKey, options, access, result), result);
    }
    LStatus closeKey(HKey key) override
    {
        open.erase(key);
        return ForwardingRegistry::closeKey(key);
    }

private:
    // Called with the status, so `key` is read after the call that set it.
    LStatus opened(LStatus status, const HKey& key)
    {
        if (status == reg::ERROR_SUCCESS)
            open.insert(key);
        return status;
    }
};

TEST_F(Store, everyOperation_closesTheKeysItOpened)
{
    Watched watched(*registry);
    CRegSettings store(watched);
    store.SaveSetting("S", "k", "v");
    store.GetSetting("S", "k", "");
    store.GetSetting("S", "missing", "");
    store.GetAllSettings("S");
    store.DeleteSetting("S", "missing");
    store.DeleteSetting("S", "k");
    store.DeleteSetting("S", "");
    store.GetSetting("S", "k", "");
    EXPECT_TRUE(watched.open.empty());
}

} // namespace
} // namespace orvex
