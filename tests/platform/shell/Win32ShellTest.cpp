#include "platform/shell/Win32Shell.h"

#include "core/help/AboutCommand.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orvex {
namespace {

namespace fs = std::filesystem;

// The About command asks the shell from the user's own folders, whose names
// are often not ASCII ("C:\Users\Jürgen\AppData\Local\Temp").
TEST(Win32Shell, probeInANonAsciiFolder_isFoundAsInAPlainOne)
{
    const test::TempDir dir;
    const fs::path plain = dir.path() / "plain";
    const fs::path accented = dir.path() / fs::path(u8"J\u00FCrgen \u03B1\u03B2 \u00E9");
    for (const fs::path& folder : {plain, accented}) {
        ASSERT_TRUE(fs::create_directory(folder));
        std::ofstream(folder / kProbeFileName).close();
        ASSERT_TRUE(fs::exists(folder / kProbeFileName));
    }
    platform::Win32Shell shell;
    const ShellApi::FindResult inPlain = shell.findExecutable(kProbeFileName, plain);
    const ShellApi::FindResult inAccented = shell.findExecutable(kProbeFileName, accented);
    EXPECT_NE(inAccented.result, kShellFileNotFound);
    EXPECT_NE(inAccented.result, kShellPathNotFound);
    EXPECT_EQ(inAccented.result > 32, inPlain.result > 32);
    EXPECT_EQ(inAccented.executable, inPlain.executable);
}

TEST(Win32Shell, missingProbe_isFileNotFound)
{
    const test::TempDir dir;
    const fs::path accented = dir.path() / fs::path(u8"J\u00FCrgen");
    ASSERT_TRUE(fs::create_directory(accented));
    platform::Win32Shell shell;
    const ShellApi::FindResult found = shell.findExecutable(kProbeFileName, accented);
    EXPECT_EQ(found.result, kShellFileNotFound);
    EXPECT_TRUE(found.executable.empty());
}

} // namespace
} // namespace orvex
