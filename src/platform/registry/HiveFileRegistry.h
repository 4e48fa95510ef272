#pragma once

#include "platform/registry/HiveFile.h"
#include "core/settings/RegistryApi.h"

#include <filesystem>
#include <map>

namespace orvex::platform {

// The registry kept in one hive file, for systems without a registry of
// their own. Every call reads the file afresh and every change rewrites it
// (see HiveFile), so several programs can share one hive. Where the file may
// only be read, requests for write access fail with ERROR_ACCESS_DENIED, as
// they do under a read-only HKEY_LOCAL_MACHINE.
class HiveFileRegistry final : public RegistryApi {
public:
    explicit HiveFileRegistry(std::filesystem::path hiveFile);

    LStatus openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result) override;
    LStatus createKey(HKey key, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      HKey& result) override;
    LStatus queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* dataSize) override;
    LStatus setValue(HKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override;
    LStatus queryInfoKey(HKey key, RegKeyInfo& info) override;
    LStatus enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength, std::uint32_t* type,
                      std::uint8_t* data, std::uint32_t* dataSize) override;
    LStatus deleteKey(HKey key, const std::string& subKey) override;
    LStatus deleteValue(HKey key, const std::string& valueName) override;
    LStatus closeKey(HKey key) override;

    HiveFile& file() { return file_; }

private:
    struct Handle {
        KeyPath path;
        std::uint32_t access = 0;
    };

    LStatus pathOf(HKey key, KeyPath& path) const;
    LStatus below(HKey key, const std::string& subKey, KeyPath& path) const;
    // The path of a key opened with `right`.
    LStatus usable(HKey key, std::uint32_t right, KeyPath& path) const;
    LStatus current(const KeyPath& path, HiveDocument& document) const;
    // An open key that may be queried, and the hive as it is now.
    LStatus readable(HKey key, KeyPath& path, HiveDocument& document) const;
    HKey remember(KeyPath path, std::uint32_t access);

    HiveFile file_;
    std::map<HKey, Handle> handles_;
    HKey nextHandle_ = 0x100;
};

} // namespace orvex::platform
