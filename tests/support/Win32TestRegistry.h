#pragma once

#include "platform/registry/Win32Registry.h"

#include <string>

namespace orvex::test {

// The Windows registry for tests that must meet the real one. What the code
// under test takes for HKEY_LOCAL_MACHINE is a key of this object's own,
// HKEY_CURRENT_USER\Software\Orvex Tests\<process>-<n>, removed with all it
// holds when the object goes: no test touches the machine's settings, and
// the tests run without administrator rights.
class Win32TestRegistry final : public RegistryApi {
public:
    Win32TestRegistry();
    ~Win32TestRegistry() override;
    Win32TestRegistry(const Win32TestRegistry&) = delete;
    Win32TestRegistry& operator=(const Win32TestRegistry&) = delete;

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

    // The stand-in's path below HKEY_CURRENT_USER, for looks from outside.
    const std::string& rootPath() const { return rootPath_; }

private:
    HKey mapped(HKey key) const { return key == reg::HKEY_LOCAL_MACHINE ? root_ : key; }

    platform::Win32Registry system_;
    std::string rootPath_;
    HKey root_ = 0;
};

// True when the tests run under Wine rather than on Windows itself.
bool runningUnderWine();

} // namespace orvex::test
