#include "Win32Registry.h"

#include "RegistryProtocol.h"

// Only after our own headers: <windows.h> turns the registry names into macros.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace orvex::platform {
namespace {

// Retries for a value that grows between asking its size and reading it.
constexpr int kReadAttempts = 4;
// One byte of the ANSI code page becomes at most three of UTF-8.
constexpr DWORD kUtf8Growth = 3;

HKEY native(HKey key)
{
    // The predefined roots are 32-bit values widened with their sign, as
    // <windows.h> forms HKEY_LOCAL_MACHINE and the rest.
    if (key >= 0x80000000u && key <= 0x80000006u)
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key))));
    return reinterpret_cast<HKEY>(key);
}

std::wstring widen(std::string_view text, UINT codePage)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string narrow(std::wstring_view wide, UINT codePage)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

// Explicit lengths keep embedded and terminating NULs.
std::string toAnsi(std::string_view utf8) { return narrow(widen(utf8, CP_UTF8), CP_ACP); }
std::string fromAnsi(std::string_view ansi) { return narrow(widen(ansi, CP_ACP), CP_UTF8); }

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

DWORD grown(DWORD ansiLength) { return ansiLength > MAXDWORD / kUtf8Growth ? MAXDWORD : ansiLength * kUtf8Growth; }

LONG readValue(HKEY key, const std::string& ansiName, DWORD& type, std::string& bytes)
{
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        LONG status = RegQueryValueExA(key, ansiName.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        bytes.assign(size, '\0');
        status = RegQueryValueExA(key, ansiName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return status;
        bytes.resize(size);
        if (isText(type))
            bytes = fromAnsi(bytes);
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}

} // namespace

LStatus Win32Registry::openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result)
{
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(native(key), toAnsi(subKey).c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS)
        result = reinterpret_cast<HKey>(opened);
    return status;
}

LStatus Win32Registry::createKey(HKey key, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                                 HKey& result)
{
    HKEY created = nullptr;
    const LONG status =
        RegCreateKeyExA(native(key), toAnsi(subKey).c_str(), 0, nullptr, options, access, nullptr, &created, nullptr);
    if (status == ERROR_SUCCESS)
        result = reinterpret_cast<HKey>(created);
    return status;
}

LStatus Win32Registry::queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* dataSize)
{
    DWORD valueType = 0;
    std::string bytes;
    // Read whole, because the size the caller sees is that of the UTF-8 text.
    if (const LONG status = readValue(native(key), toAnsi(valueName), valueType, bytes); status != ERROR_SUCCESS)
        return status;
    if (type != nullptr)
        *type = valueType;
    return reg::copyData(bytes, data, dataSize);
}

LStatus Win32Registry::setValue(HKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), data == nullptr ? 0 : size);
    if (isText(type))
        bytes = toAnsi(bytes);
    return RegSetValueExA(native(key), toAnsi(valueName).c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

LStatus Win32Registry::queryInfoKey(HKey key, RegKeyInfo& info)
{
    DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxNameLen = 0, maxValueLen = 0;
    const LONG status = RegQueryInfoKeyA(native(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                                         &values, &maxNameLen, &maxValueLen, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    info.subKeys = subKeys;
    info.values = values;
    // Upper bounds of the converted lengths.
    info.maxSubKeyLen = grown(maxSubKeyLen);
    info.maxValueNameLen = grown(maxNameLen);
    info.maxValueLen = grown(maxValueLen);
    return ERROR_SUCCESS;
}

LStatus Win32Registry::enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize)
{
    const HKEY handle = native(key);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD maxNameLen = 0, maxValueLen = 0;
        LONG status = RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       &maxNameLen, &maxValueLen, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        std::string ansiName(maxNameLen + 1, '\0');
        std::string bytes(maxValueLen + 1, '\0');
        DWORD nameSize = static_cast<DWORD>(ansiName.size());
        DWORD size = static_cast<DWORD>(bytes.size());
        DWORD valueType = 0;
        status = RegEnumValueA(handle, index, ansiName.data(), &nameSize, nullptr, &valueType,
                               reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return status;
        bytes.resize(size);
        if (isText(valueType))
            bytes = fromAnsi(bytes);
        if (const LStatus copied = reg::copyName(fromAnsi(ansiName.substr(0, nameSize)), name, nameLength);
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
    return RegDeleteKeyA(native(key), toAnsi(subKey).c_str());
}

LStatus Win32Registry::deleteValue(HKey key, const std::string& valueName)
{
    return RegDeleteValueA(native(key), toAnsi(valueName).c_str());
}

LStatus Win32Registry::closeKey(HKey key)
{
    return RegCloseKey(native(key));
}

} // namespace orvex::platform
