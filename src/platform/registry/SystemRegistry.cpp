#include "SystemRegistry.h"

#ifdef _WIN32
#include "Win32Registry.h"
#else
#include "HiveFileRegistry.h"
#endif

namespace orvex::platform {

std::unique_ptr<RegistryApi> makeSystemRegistry()
{
#ifdef _WIN32
    return std::make_unique<Win32Registry>();
#else
    return std::make_unique<HiveFileRegistry>(hiveLocation());
#endif
}

} // namespace orvex::platform
