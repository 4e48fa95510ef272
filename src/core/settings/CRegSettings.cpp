#include "core/settings/CRegSettings.h"
#include "core/AsciiText.h"

#include "core/settings/RegistryApi.h"

#include <algorithm>
#include <limits>

namespace orvex {
namespace {

constexpr std::string_view kUnnamedKey = "*";
// How often GetAllSettings grows its buffers for a value that grew meanwhile.
constexpr int kRegrowLimit = 3;

// Closes the key on every way out of an operation.
class OpenedKey {
public:
    explicit OpenedKey(RegistryApi& registry) : registry_(registry) {}
    ~OpenedKey()
    {
        if (open_)
            registry_.closeKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    bool open(const std::string& path, std::uint32_t access)
    {
        open_ = registry_.openKey(reg::HKEY_LOCAL_MACHINE, path, access, key_) == reg::ERROR_SUCCESS;
        return open_;
    }
    bool create(const std::string& path)
    {
        open_ = registry_.createKey(reg::HKEY_LOCAL_MACHINE, path, reg::REG_OPTION_NON_VOLATILE, reg::KEY_ALL_ACCESS,
                                    key_)
            == reg::ERROR_SUCCESS;
        return open_;
    }
    HKey key() const { return key_; }

private:
    RegistryApi& registry_;
    HKey key_ = 0;
    bool open_ = false;
};

std::string valueName(std::string_view key)
{
    return key == kUnnamedKey ? std::string() : std::string(key);
}

// The data as text. Only a terminating NUL is dropped: data stored without
// one keep their last character.
std::string textOf(const std::uint8_t* data, std::uint32_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

} // namespace

CRegSettings::CRegSettings(RegistryApi& registry)
    : registry_(registry), company_(kDefaultCompany), appName_(kDefaultAppName)
{
}

void CRegSettings::Company(std::string_view company)
{
    // A text of spaces alone would leave an empty level in the key path.
    company_ = std::string(trimmed(company, " ")); // blanks only, as Trim does
    if (company_.empty())
        company_ = kDefaultCompany;
}

void CRegSettings::AppName(std::string_view appName)
{
    appName_ = std::string(trimmed(appName, " "));
    if (appName_.empty())
        appName_ = kDefaultAppName;
}

std::string CRegSettings::sectionPath(std::string_view section) const
{
    std::string path = "Software\\" + company_ + "\\" + appName_;
    if (!section.empty())
        path.append("\\").append(section);
    return path;
}

Boolean CRegSettings::DeleteSetting(std::string_view section, std::string_view key)
{
    OpenedKey opened(registry_);
    if (!key.empty()) {
        if (!opened.open(sectionPath(section), reg::KEY_ALL_ACCESS))
            return kFalse;
        return toBoolean(registry_.deleteValue(opened.key(), valueName(key)) == reg::ERROR_SUCCESS);
    }
    if (!opened.open(sectionPath({}), reg::KEY_ALL_ACCESS))
        return kFalse;
    return toBoolean(registry_.deleteKey(opened.key(), std::string(section)) == reg::ERROR_SUCCESS);
}

std::optional<SettingsArray> CRegSettings::GetAllSettings(std::string_view section)
{
    OpenedKey opened(registry_);
    if (!opened.open(sectionPath(section), reg::KEY_READ))
        return std::nullopt;
    RegKeyInfo info;
    if (registry_.queryInfoKey(opened.key(), info) != reg::ERROR_SUCCESS)
        return std::nullopt;

    std::vector<char> name(std::size_t{info.maxValueNameLen} + 1);
    std::vector<std::uint8_t> data(std::size_t{info.maxValueLen} + 1);
    SettingsArray rows;
    int regrown = 0;
    for (std::uint32_t index = 0;;) {
        auto nameLength = static_cast<std::uint32_t>(name.size());
        auto dataSize = static_cast<std::uint32_t>(data.size());
        std::uint32_t type = reg::REG_NONE;
        const LStatus status =
            registry_.enumValue(opened.key(), index, name.data(), &nameLength, &type, data.data(), &dataSize);
        if (status == reg::ERROR_MORE_DATA && regrown < kRegrowLimit) {
            // A value grew after the sizes were asked for; ending the list
            // here would drop it and every value after it.
            ++regrown;
            if (registry_.queryInfoKey(opened.key(), info) != reg::ERROR_SUCCESS)
                break;
            name.resize(std::max<std::size_t>(name.size(), std::size_t{info.maxValueNameLen} + 1));
            data.resize(std::max<std::size_t>({data.size(), std::size_t{info.maxValueLen} + 1, std::size_t{dataSize} + 1}));
            continue;
        }
        if (status != reg::ERROR_SUCCESS)
            break;
        if (type == reg::REG_SZ)
            rows.push_back({std::string(name.data(), nameLength), textOf(data.data(), dataSize)});
        ++index;
    }
    if (rows.empty())
        return std::nullopt;
    return rows;
}

std::string CRegSettings::GetSetting(std::string_view section, std::string_view key, std::string_view defaultValue)
{
    OpenedKey opened(registry_);
    // Full access, as writing would need: where the registry may only be
    // read, every setting reads as its default.
    if (!opened.open(sectionPath(section), reg::KEY_ALL_ACCESS))
        return std::string(defaultValue);
    const std::string name = valueName(key);
    std::uint32_t size = 0;
    if (registry_.queryValue(opened.key(), name, nullptr, nullptr, &size) != reg::ERROR_SUCCESS || size == 0)
        return std::string(defaultValue);
    std::vector<std::uint8_t> buffer(size);
    if (registry_.queryValue(opened.key(), name, nullptr, buffer.data(), &size) != reg::ERROR_SUCCESS)
        return std::string(defaultValue);
    // `size` is now what was read, which may be less than first reported.
    return textOf(buffer.data(), size);
}

Boolean CRegSettings::SaveSetting(std::string_view section, std::string_view key, std::string_view setting)
{
    if (setting.size() >= std::numeric_limits<std::uint32_t>::max())
        return kFalse;
    OpenedKey opened(registry_);
    if (!opened.create(sectionPath(section)))
        return kFalse;
    std::string data(setting);
    data.push_back('\0');
    const LStatus status = registry_.setValue(opened.key(), valueName(key), reg::REG_SZ,
                                              reinterpret_cast<const std::uint8_t*>(data.data()),
                                              static_cast<std::uint32_t>(data.size()));
    return toBoolean(status == reg::ERROR_SUCCESS);
}

} // namespace orvex
