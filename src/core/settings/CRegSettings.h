#pragma once

#include "core/settings/Boolean.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

class RegistryApi;

// One row per setting: element 0 the name, element 1 the text.
using SettingsArray = std::vector<std::array<std::string, 2>>;

// Named text settings under HKEY_LOCAL_MACHINE\Software\<company>\<application>
// [\<section>], one REG_SZ value per setting; the key "*" is the section's
// unnamed value. Every call opens and closes its own key and caches nothing;
// failures show only in the result.
class CRegSettings {
public:
    static constexpr std::string_view kDefaultCompany = "VB and VBA Program Settings";
    static constexpr std::string_view kDefaultAppName = "Orvex Comparative Software";

    // `registry` must outlive the store.
    explicit CRegSettings(RegistryApi& registry);

    // Surrounding spaces are dropped; a text that is then empty restores the
    // initial name.
    void Company(std::string_view company);
    const std::string& Company() const { return company_; }
    void AppName(std::string_view appName);
    const std::string& AppName() const { return appName_; }

    // An empty key deletes the whole section key, which the registry refuses
    // while it has subkeys.
    Boolean DeleteSetting(std::string_view section, std::string_view key);
    // Nullopt is the empty result; otherwise at least one row, in the
    // registry's order. Only REG_SZ values are listed.
    std::optional<SettingsArray> GetAllSettings(std::string_view section);
    std::string GetSetting(std::string_view section, std::string_view key, std::string_view defaultValue);
    Boolean SaveSetting(std::string_view section, std::string_view key, std::string_view setting);

private:
    std::string sectionPath(std::string_view section) const;

    RegistryApi& registry_;
    std::string company_;
    std::string appName_;
};

} // namespace orvex
