#pragma once

#include "core/settings/RegistryApi.h"

namespace orvex::test {

// A registry that passes every call on to another, for test registries that
// change or watch a few of them; `mapped` may stand one key in for another.
class ForwardingRegistry : public RegistryApi {
public:
    explicit ForwardingRegistry(RegistryApi& inner) : inner_(inner) {}

    LStatus openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result) override
    {
        return inner_.openKey(mapped(key), subKey, access, result);
    }
    LStatus createKey(HKey key, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      HKey& result) override
    {
        return inner_.createKey(mapped(key), subKey, options, access, result);
    }
    LStatus queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* dataSize) override
    {
        return inner_.queryValue(mapped(key), valueName, type, data, dataSize);
    }
    LStatus setValue(HKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override
    {
        return inner_.setValue(mapped(key), valueName, type, data, size);
    }
    LStatus queryInfoKey(HKey key, RegKeyInfo& info) override { return inner_.queryInfoKey(mapped(key), info); }
    LStatus enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength, std::uint32_t* type,
                      std::uint8_t* data, std::uint32_t* dataSize) override
    {
        return inner_.enumValue(mapped(key), index, name, nameLength, type, data, dataSize);
    }
    LStatus deleteKey(HKey key, const std::string& subKey) override { return inner_.deleteKey(mapped(key), subKey); }
    LStatus deleteValue(HKey key, const std::string& valueName) override
    {
        return inner_.deleteValue(mapped(key), valueName);
    }
    LStatus closeKey(HKey key) override { return inner_.closeKey(key); }

protected:
    virtual HKey mapped(HKey key) const { return key; }

private:
    RegistryApi& inner_;
};

} // namespace orvex::test
