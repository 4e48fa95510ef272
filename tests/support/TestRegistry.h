#pragma once

#include "core/settings/RegistryApi.h"
#include "support/TempDir.h"

#ifdef _WIN32
#include "support/Win32TestRegistry.h"
#else
#include "platform/registry/HiveFileRegistry.h"
#endif

#include <memory>

namespace orvex::test {

// The system's registry for a test: a hive file in the test's folder, or on
// Windows the real registry below a key of the test's own.
inline std::unique_ptr<RegistryApi> makeTestRegistry([[maybe_unused]] const TempDir& dir)
{
#ifdef _WIN32
    return std::make_unique<Win32TestRegistry>();
#else
    return std::make_unique<platform::HiveFileRegistry>(dir.path() / "registry.reg");
#endif
}

} // namespace orvex::test
