#pragma once

// The registry calls the settings store needs, in the shape of their advapi32
// counterparts, so the store reads the same on Windows, on the Linux hive file
// and against the in-memory double. Texts are UTF-8; a backend converts them
// for its system if it must.
//
// The constants carry their advapi32 names and values. <windows.h> defines the
// same names as macros, so on Windows include this header first.

#if defined(HKEY_LOCAL_MACHINE) || defined(KEY_ALL_ACCESS) || defined(REG_SZ)
#error "Include RegistryApi.h before <windows.h>"
#endif

#include <cstdint>
#include <string>

namespace orvex {

// A key handle: one of the predefined roots below, or a key a backend opened.
using HKey = std::uintptr_t;
// Result of a call: ERROR_SUCCESS or a Win32 error code.
using LStatus = std::int32_t;

namespace reg {

inline constexpr HKey HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKey HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKey HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKey HKEY_USERS = 0x80000003u;
inline constexpr HKey HKEY_CURRENT_CONFIG = 0x80000005u;

// Access rights.
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_NOTIFY = 0x0010;
inline constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
inline constexpr std::uint32_t DELETE = 0x00010000;
inline constexpr std::uint32_t WRITE_DAC = 0x00040000;
inline constexpr std::uint32_t WRITE_OWNER = 0x00080000;
inline constexpr std::uint32_t KEY_READ = 0x00020019;
inline constexpr std::uint32_t KEY_WRITE = 0x00020006;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0x000F003F;

// Rights that change the registry: refused where it may only be read.
inline constexpr std::uint32_t kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;

// Value types.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;
inline constexpr std::uint32_t REG_QWORD = 11;

// Results.
inline constexpr LStatus ERROR_SUCCESS = 0;
inline constexpr LStatus ERROR_FILE_NOT_FOUND = 2;
inline constexpr LStatus ERROR_ACCESS_DENIED = 5;
inline constexpr LStatus ERROR_INVALID_HANDLE = 6;
inline constexpr LStatus ERROR_INVALID_PARAMETER = 87;
inline constexpr LStatus ERROR_MORE_DATA = 234;
inline constexpr LStatus ERROR_NO_MORE_ITEMS = 259;
inline constexpr LStatus ERROR_BADDB = 1009;
inline constexpr LStatus ERROR_CANTREAD = 1012;
inline constexpr LStatus ERROR_CANTWRITE = 1013;
inline constexpr LStatus ERROR_KEY_DELETED = 1018;

} // namespace reg

// What RegQueryInfoKey reports. Lengths are in bytes of UTF-8 and leave out
// the terminating NUL of names; a backend that converts texts reports upper
// bounds, so buffers of these sizes always suffice for enumValue.
struct RegKeyInfo {
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLen = 0;
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLen = 0;
    std::uint32_t maxValueLen = 0;
};

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // RegOpenKeyEx: opens `subKey` below `key` (an empty `subKey` opens `key`
    // again). Fails with ERROR_ACCESS_DENIED when `access` asks for more than
    // the caller may have.
    virtual LStatus openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result) = 0;

    // RegCreateKeyEx: opens `subKey`, creating it and every missing key above it.
    virtual LStatus createKey(HKey key, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                              HKey& result) = 0;

    // RegQueryValueEx: `valueName` empty is the unnamed value. With `data`
    // null only the size is reported; a buffer smaller than the data gives
    // ERROR_MORE_DATA and the needed size in `*dataSize`.
    virtual LStatus queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                               std::uint32_t* dataSize) = 0;

    // RegSetValueEx: writes `size` bytes of `data` as they are.
    virtual LStatus setValue(HKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                             std::uint32_t size) = 0;

    // RegQueryInfoKey.
    virtual LStatus queryInfoKey(HKey key, RegKeyInfo& info) = 0;

    // RegEnumValue: the value at `index`. `*nameLength` is the name buffer's
    // size in bytes on entry and the name's length without NUL on return;
    // `*dataSize` as for queryValue. ERROR_NO_MORE_ITEMS past the last value.
    virtual LStatus enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;

    // RegDeleteKey: deletes `subKey` (or `key` itself when `subKey` is empty)
    // with its values. A key that has subkeys of its own is refused.
    virtual LStatus deleteKey(HKey key, const std::string& subKey) = 0;

    // RegDeleteValue.
    virtual LStatus deleteValue(HKey key, const std::string& valueName) = 0;

    // RegCloseKey.
    virtual LStatus closeKey(HKey key) = 0;
};

} // namespace orvex
