#include "support/Win32TestRegistry.h"

#include <atomic>
#include <stdexcept>

namespace orvex::test {
namespace {

// The calls that need <windows.h>, defined after it at the end of the file:
// its macros would replace the registry names of RegistryApi.h above.
unsigned long currentProcessId();
void deleteTestKey(const std::string& path);

} // namespace

Win32TestRegistry::Win32TestRegistry()
{
    static std::atomic<int> count{0};
    rootPath_ = "Software\\Orvex Tests\\" + std::to_string(currentProcessId()) + "-" + std::to_string(++count);
    if (system_.createKey(reg::HKEY_CURRENT_USER, rootPath_, reg::REG_OPTION_NON_VOLATILE, reg::KEY_ALL_ACCESS,
                          root_)
        != reg::ERROR_SUCCESS)
        throw std::runtime_error("cannot create the test key " + rootPath_);
}

Win32TestRegistry::~Win32TestRegistry()
{
    system_.closeKey(root_);
    deleteTestKey(rootPath_);
}

LStatus Win32TestRegistry::openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result)
{
    return system_.openKey(mapped(key), subKey, access, result);
}

LStatus Win32TestRegistry::createKey(HKey key, const std::string& subKey, std::uint32_t options,
                                     std::uint32_t access, HKey& result)
{
    return system_.createKey(mapped(key), subKey, options, access, result);
}

LStatus Win32TestRegistry::queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* dataSize)
{
    return system_.queryValue(mapped(key), valueName, type, data, dataSize);
}

LStatus Win32TestRegistry::setValue(HKey key, const std::string& valueName, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t size)
{
    return system_.setValue(mapped(key), valueName, type, data, size);
}

LStatus Win32TestRegistry::queryInfoKey(HKey key, RegKeyInfo& info)
{
    return system_.queryInfoKey(mapped(key), info);
}

LStatus Win32TestRegistry::enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize)
{
    return system_.enumValue(mapped(key), index, name, nameLength, type, data, dataSize);
}

LStatus Win32TestRegistry::deleteKey(HKey key, const std::string& subKey)
{
    return system_.deleteKey(mapped(key), subKey);
}

LStatus Win32TestRegistry::deleteValue(HKey key, const std::string& valueName)
{
    return system_.deleteValue(mapped(key), valueName);
}

LStatus Win32TestRegistry::closeKey(HKey key)
{
    // The stand-in root stays open for the object's life, as a root does.
    if (key == reg::HKEY_LOCAL_MACHINE)
        return reg::ERROR_SUCCESS;
    return system_.closeKey(key);
}

} // namespace orvex::test

#include "platform/WindowsApi.h"

namespace orvex::test {
namespace {

unsigned long currentProcessId()
{
    return GetCurrentProcessId();
}

void deleteTestKey(const std::string& path)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, std::wstring(path.begin(), path.end()).c_str());
    // The shared parent goes with the last test's key; while others remain,
    // the system refuses.
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Orvex Tests");
}

} // namespace

bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace orvex::test
