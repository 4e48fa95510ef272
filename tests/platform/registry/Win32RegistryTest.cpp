#include "core/settings/CRegSettings.h"

#include "support/Win32TestRegistry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/WindowsApi.h"

// What other Windows programs (regedit among them) see of what the store
// wrote, and the other way round: the registry's own UTF-16, read and written
// here with the wide calls directly.
namespace orvex {
namespace {

using namespace std::string_literals;

class Win32Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.Company("Tarnwell");
        settings.AppName("OCS");
    }

    // The application key as a native handle, below the tests' own key.
    HKEY open(REGSAM access) const
    {
        const std::string path = registry.rootPath() + "\\Software\\Tarnwell\\OCS";
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(path.begin(), path.end()).c_str(), 0, access, &key),
                  ERROR_SUCCESS);
        return key;
    }

    test::Win32TestRegistry registry;
    CRegSettings settings{registry};
};

TEST_F(Win32Registry, textIsStoredAsUtf16)
{
    // "αβ 🌿" under the name "αβ"
    ASSERT_EQ(settings.SaveSetting("", "\xCE\xB1\xCE\xB2", "\xCE\xB1\xCE\xB2 \xF0\x9F\x8C\xBF"), kTrue);
    const HKEY key = open(KEY_READ);
    ASSERT_NE(key, nullptr);
    wchar_t data[16] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"\u03B1\u03B2", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // The store's terminating NUL is part of the data, as one UTF-16 unit.
    EXPECT_EQ(std::wstring(data, size / sizeof(wchar_t)), L"\u03B1\u03B2 \U0001F33F"s + L'\0');
}

TEST_F(Win32Registry, valuesOtherProgramsWrote_readAsUtf8)
{
    ASSERT_EQ(settings.SaveSetting("", "count", "1"), kTrue);
    const HKEY key = open(KEY_SET_VALUE);
    ASSERT_NE(key, nullptr);
    const std::wstring text = L"\u00C4rz. \u20AC";
    EXPECT_EQ(RegSetValueExW(key, L"Mittel \u00E4", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    // A lone surrogate is no text UTF-8 can hold: it reads as U+FFFD.
    const wchar_t broken[] = {L'x', static_cast<wchar_t>(0xD800), L'\0'};
    EXPECT_EQ(RegSetValueExW(key, L"broken", 0, REG_SZ, reinterpret_cast<const BYTE*>(broken), sizeof(broken)),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(settings.GetSetting("", "Mittel \xC3\xA4", ""), "\xC3\x84rz. \xE2\x82\xAC");
    EXPECT_EQ(settings.GetSetting("", "broken", ""), "x\xEF\xBF\xBD");
    const auto all = settings.GetAllSettings("");
    ASSERT_TRUE(all);
    EXPECT_EQ(all->size(), 3U);
}

TEST_F(Win32Registry, namesThatAreNotUtf8_areRefused)
{
    EXPECT_EQ(settings.SaveSetting("", "caf\xE9", "v"), kFalse);
    EXPECT_EQ(settings.SaveSetting("caf\xE9", "k", "v"), kFalse);
    EXPECT_EQ(settings.GetSetting("", "caf\xE9", "dflt"), "dflt");
    EXPECT_FALSE(settings.GetAllSettings(""));
}

} // namespace
} // namespace orvex
