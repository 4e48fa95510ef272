#pragma once

#include "core/settings/RegistryApi.h"

#include <memory>

namespace orvex::platform {

// The registry of this system: advapi32 on Windows, elsewhere the hive file
// at hiveLocation().
std::unique_ptr<RegistryApi> makeSystemRegistry();

} // namespace orvex::platform
