#include "platform/registry/SystemRegistry.h"

#ifdef _WIN32
#include "platform/registry/Win32Registry.h"
#else
#include "platform/registry/HiveFileRegistry.h"
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
