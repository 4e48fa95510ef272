#pragma once

#include "core/settings/RegistryApi.h"

#include <optional>
#include <string>
#include <utility>

// Looks at and plants raw values through the interface itself, below
// HKEY_LOCAL_MACHINE, so a test can check what the store wrote on any backend.
namespace orvex::test {

struct RawValue {
    std::uint32_t type = 0;
    std::string data;
    bool operator==(const RawValue&) const = default;
};

inline std::optional<RawValue> rawValue(RegistryApi& registry, const std::string& path, const std::string& name)
{
    HKey key = 0;
    if (registry.openKey(reg::HKEY_LOCAL_MACHINE, path, reg::KEY_READ, key) != reg::ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    std::uint32_t size = 0;
    std::optional<RawValue> result;
    if (registry.queryValue(key, name, &value.type, nullptr, &size) == reg::ERROR_SUCCESS) {
        value.data.resize(size);
        if (registry.queryValue(key, name, &value.type, reinterpret_cast<std::uint8_t*>(value.data.data()), &size)
            == reg::ERROR_SUCCESS)
            result = value;
    }
    registry.closeKey(key);
    return result;
}

inline bool keyExists(RegistryApi& registry, const std::string& path)
{
    HKey key = 0;
    if (registry.openKey(reg::HKEY_LOCAL_MACHINE, path, reg::KEY_READ, key) != reg::ERROR_SUCCESS)
        return false;
    registry.closeKey(key);
    return true;
}

inline bool putRaw(RegistryApi& registry, const std::string& path, const std::string& name, std::uint32_t type,
                   const std::string& data)
{
    HKey key = 0;
    if (registry.createKey(reg::HKEY_LOCAL_MACHINE, path, 0, reg::KEY_ALL_ACCESS, key) != reg::ERROR_SUCCESS)
        return false;
    const bool written = registry.setValue(key, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                                           static_cast<std::uint32_t>(data.size()))
        == reg::ERROR_SUCCESS;
    registry.closeKey(key);
    return written;
}

} // namespace orvex::test
