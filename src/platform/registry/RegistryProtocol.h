#pragma once

#include "core/settings/RegistryApi.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Rules every registry backend shares, so they answer the same calls alike.
// The settings store only calls the interface; these are the backends' own.
namespace orvex::reg {

// The predefined keys, with the names the registry editor and the hive file
// give them.
struct PredefinedKey {
    HKey key;
    std::string_view name;
};
inline constexpr std::array<PredefinedKey, 5> kPredefinedKeys = {{
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
}};

// Copies `bytes` out the way RegQueryValueEx does: a null `data` asks for the
// size only; a buffer too small gets ERROR_MORE_DATA and the needed size.
LStatus copyData(std::string_view bytes, std::uint8_t* data, std::uint32_t* dataSize);

// Copies a value name out the way RegEnumValue does: `*length` is the buffer
// size on entry (room for the NUL included) and the name's length on return.
LStatus copyName(std::string_view name, char* buffer, std::uint32_t* length);

// The parts of a key path such as "Software\Tarnwell\OCS"; an empty path has
// none. Nullopt for an empty part ("a\\b", "\a", "a\") or a control
// character, which no key name may hold.
std::optional<std::vector<std::string>> splitKeyPath(std::string_view path);

// Key and value names compare as the registry does: ASCII letters ignore case.
bool sameName(std::string_view a, std::string_view b);

// A value name may hold anything but control characters other than tab: a
// line break could not stay on its line of the Linux hive.
bool validValueName(std::string_view name);

inline bool asksToWrite(std::uint32_t access) { return (access & kWriteRights) != 0; }

} // namespace orvex::reg
