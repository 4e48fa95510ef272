#pragma once

#include "core/settings/RegistryApi.h"

namespace orvex::platform {

// The Windows registry through advapi32's wide (UTF-16) calls. Names and the
// data of text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) cross this
// interface in UTF-8 and are converted to and from UTF-16 at every call, so
// any text survives and no two names become one; other data pass as they
// are. Text that is not UTF-8 is refused (ERROR_INVALID_PARAMETER), and key
// paths and value names follow the rules the other backends share.
//
// Names compare as Windows compares them, which ignores the case of
// non-ASCII letters too ("Ä" and "ä" are one name here, two on Linux).
class Win32Registry final : public RegistryApi {
public:
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
};

} // namespace orvex::platform
