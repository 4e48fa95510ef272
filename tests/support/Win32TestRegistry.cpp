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

// The system registry is passed on before it is made; it is not used before.
Win32TestRegistry::Win32TestRegistry() : ForwardingRegistry(system_)
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
