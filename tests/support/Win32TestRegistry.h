#pragma once

#include "platform/registry/Win32Registry.h"
#include "support/ForwardingRegistry.h"

#include <string>

namespace orvex::test {

// The Windows registry for tests that must meet the real one. What the code
// under test takes for HKEY_LOCAL_MACHINE is a key of this object's own,
// HKEY_CURRENT_USER\Software\Orvex Tests\<process>-<n>, removed with all it
// holds when the object goes: no test touches the machine's settings, and
// the tests run without administrator rights.
class Win32TestRegistry final : public ForwardingRegistry {
public:
    Win32TestRegistry();
    ~Win32TestRegistry() override;
    Win32TestRegistry(const Win32TestRegistry&) = delete;
    Win32TestRegistry& operator=(const Win32TestRegistry&) = delete;

    LStatus closeKey(HKey key) override;

    // The stand-in's path below HKEY_CURRENT_USER, for looks from outside.
    const std::string& rootPath() const { return rootPath_; }

private:
    HKey mapped(HKey key) const override { return key == reg::HKEY_LOCAL_MACHINE ? root_ : key; }

    platform::Win32Registry system_;
    std::string rootPath_;
    HKey root_ = 0;
};

// True when the tests run under Wine rather than on Windows itself.
bool runningUnderWine();

} // namespace orvex::test
