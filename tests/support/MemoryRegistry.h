#pragma once

#include "core/settings/RegistryApi.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvex::test {

// A registry in memory with the rules of the real one: names ignore ASCII
// case, access rights are checked, a key with subkeys cannot be deleted.
// For tests of whatever reads or writes settings.
class MemoryRegistry final : public RegistryApi {
public:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::string data;
    };

    MemoryRegistry();
    ~MemoryRegistry() override;

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

    // Refuses every request for write access, as a registry the user may only
    // read does.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Keys opened and not yet closed.
    std::size_t openHandles() const { return handles_.size(); }

    // A look from outside, by path below HKEY_LOCAL_MACHINE.
    bool keyExists(const std::string& path) const;
    std::optional<Value> value(const std::string& path, const std::string& name) const;

private:
    struct Key;
    std::shared_ptr<Key> resolve(HKey key) const;
    std::shared_ptr<Key> find(const std::shared_ptr<Key>& from, const std::vector<std::string>& parts) const;
    LStatus open(HKey key, const std::string& subKey, std::uint32_t access, bool create, HKey& result);
    LStatus usable(HKey key, std::uint32_t right, std::shared_ptr<Key>& found) const;

    struct Handle {
        std::shared_ptr<Key> key;
        std::uint32_t access = 0;
    };
    std::map<HKey, std::shared_ptr<Key>> roots_;
    std::map<HKey, Handle> handles_;
    HKey nextHandle_ = 0x100;
    bool readOnly_ = false;
};

} // namespace orvex::test
