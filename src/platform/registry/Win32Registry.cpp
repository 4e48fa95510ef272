#include "platform/registry/Win32Registry.h"

#include "platform/registry/RegistryProtocol.h"
#include "platform/files/Utf16.h"

// Only after our own headers: <windows.h> turns the registry names into macros.
#include "platform/WindowsApi.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvex::platform {
namespace {

// Retries for a value that grows between asking its size and reading it.
constexpr int kReadAttempts = 4;
// One UTF-16 unit becomes at most three bytes of UTF-8 (a surrogate pair,
// two units, becomes four).
constexpr DWORD kUtf8PerUnit = 3;

// Handles cross RegistryApi as numbers, so that the interface needs no
// <windows.h>; here they become pointers again.
// NOLINTBEGIN(performance-no-int-to-ptr)
HKEY native(HKey key)
{
    // The predefined roots are 32-bit values widened with their sign, as
    // <windows.h> forms HKEY_LOCAL_MACHINE and the rest.
    if (key >= 0x80000000u && key <= 0x80000006u)
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key))));
    return reinterpret_cast<HKEY>(key);
}
// NOLINTEND(performance-no-int-to-ptr)

// A name goes to the system as a C string: an embedded NUL would cut it short.
std::optional<std::wstring> toWideName(std::string_view utf8)
{
    if (utf8.find('\0') != std::string_view::npos)
        return std::nullopt;
    return utf8ToWide(utf8);
}

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Text data as stored: UTF-16 code units, explicit length, so embedded and
// terminating NULs stay. A trailing odd byte is no unit and is dropped.
std::string textFromStored(const std::string& bytes)
{
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return wideToUtf8(wide);
}

DWORD unitsAsUtf8(DWORD units) { return units > MAXDWORD / kUtf8PerUnit ? MAXDWORD : units * kUtf8PerUnit; }

DWORD storedTextAsUtf8(DWORD bytes) { return unitsAsUtf8((bytes + 1) / sizeof(wchar_t)); }

LONG readValue(HKEY key, const std::wstring& name, DWORD& type, std::string& bytes)
{
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        bytes.assign(size, '\0');
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return status;
        bytes.resize(size);
        if (isText(type))
            bytes = textFromStored(bytes);
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}

// The key path below `key` under the rules every backend shares (no empty
// part, no control character), in UTF-16.
std::optional<std::wstring> keyPath(std::string_view subKey)
{
    if (!reg::splitKeyPath(subKey))
        return std::nullopt;
    return toWideName(subKey);
}

} // namespace

LStatus Win32Registry::openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result)
{
    const auto path = keyPath(subKey);
    if (!path)
        return ERROR_INVALID_PARAMETER;
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExW(native(key), path->c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS)
        result = reinterpret_cast<HKey>(opened);
    return status;
}

LStatus Win32Registry::createKey(HKey key, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                                 HKey& result)
{
    const auto path = keyPath(subKey);
    if (!path)
        return ERROR_INVALID_PARAMETER;
    HKEY created = nullptr;
    const LONG status =
        RegCreateKeyExW(native(key), path->c_str(), 0, nullptr, options, access, nullptr, &created, nullptr);
    if (status == ERROR_SUCCESS)
        result = reinterpret_cast<HKey>(created);
    return status;
}

LStatus Win32Registry::queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* dataSize)
{
    // No value can have a name that the system cannot hold.
    const auto name = toWideName(valueName);
    if (!name)
        return ERROR_FILE_NOT_FOUND;
    DWORD valueType = 0;
    std::string bytes;
    // Read whole, because the size the caller sees is that of the UTF-8 text.
    if (const LONG status = readValue(native(key), *name, valueType, bytes); status != ERROR_SUCCESS)
        return status;
    if (type != nullptr)
        *type = valueType;
    return reg::copyData(bytes, data, dataSize);
}

LStatus Win32Registry::setValue(HKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size)
{
    const auto name = toWideName(valueName);
    if (!name || !reg::validValueName(valueName) || (data == nullptr && size != 0))
        return ERROR_INVALID_PARAMETER;
    std::string bytes(reinterpret_cast<const char*>(data), data == nullptr ? 0 : size);
    if (isText(type)) {
        const auto wide = utf8ToWide(bytes);
        if (!wide)
            return ERROR_INVALID_PARAMETER;
        bytes.assign(reinterpret_cast<const char*>(wide->data()), wide->size() * sizeof(wchar_t));
    }
    return RegSetValueExW(native(key), name->c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

LStatus Win32Registry::queryInfoKey(HKey key, RegKeyInfo& info)
{
    DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxNameLen = 0, maxValueLen = 0;
    const LONG status = RegQueryInfoKeyW(native(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                                         &values, &maxNameLen, &maxValueLen, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    info.subKeys = subKeys;
    info.values = values;
    // Upper bounds of the converted lengths: names are counted in UTF-16
    // units, data in bytes. The bound for text data covers other data too,
    // which keep their size.
    info.maxSubKeyLen = unitsAsUtf8(maxSubKeyLen);
    info.maxValueNameLen = unitsAsUtf8(maxNameLen);
    info.maxValueLen = storedTextAsUtf8(maxValueLen);
    return ERROR_SUCCESS;
}

LStatus Win32Registry::enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize)
{
    const HKEY handle = native(key);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD maxNameLen = 0, maxValueLen = 0;
        LONG status = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       &maxNameLen, &maxValueLen, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        std::wstring wideName(maxNameLen + 1, L'\0');
        std::string bytes(maxValueLen + 1, '\0');
        DWORD nameUnits = static_cast<DWORD>(wideName.size());
        DWORD size = static_cast<DWORD>(bytes.size());
        DWORD valueType = 0;
        status = RegEnumValueW(handle, index, wideName.data(), &nameUnits, nullptr, &valueType,
                               reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return status;
        bytes.resize(size);
        if (isText(valueType))
            bytes = textFromStored(bytes);
        if (const LStatus copied = reg::copyName(wideToUtf8(std::wstring_view(wideName).substr(0, nameUnits)), name,
                                                 nameLength);
            copied != ERROR_SUCCESS)
            return copied;
        if (type != nullptr)
            *type = valueType;
        return reg::copyData(bytes, data, dataSize);
    }
    return ERROR_MORE_DATA;
}

LStatus Win32Registry::deleteKey(HKey key, const std::string& subKey)
{
    const auto path = keyPath(subKey);
    if (!path)
        return ERROR_INVALID_PARAMETER;
    return RegDeleteKeyW(native(key), path->c_str());
}

LStatus Win32Registry::deleteValue(HKey key, const std::string& valueName)
{
    const auto name = toWideName(valueName);
    if (!name)
        return ERROR_FILE_NOT_FOUND;
    return RegDeleteValueW(native(key), name->c_str());
}

LStatus Win32Registry::closeKey(HKey key)
{
    return RegCloseKey(native(key));
}

} // namespace orvex::platform
