// The About command over the system's own files: the probe really made,
// found by the shell and removed again.
#include "core/help/AboutCommand.h"

#include "support/FakeShell.h"
#include "support/RecordingAboutMessages.h"
#include "platform/SystemProbeFiles.h"
#include "support/TempDir.h"

#ifdef _WIN32
#include "platform/WindowsApi.h"
#include <aclapi.h>
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::FakeShell;

using RecordedMessages = test::RecordingAboutMessages;

// One pass over the real files: the probe is made, seen by the shell and
// removed; a file of that name that was there before is kept as it was; a
// folder that is not there is told with the system's reason.
TEST(AboutCommand, onDisk_probesAndRemovesKeepsWhatWasThereAndTellsAMissingFolder)
{
    const test::TempDir dir;
    platform::SystemProbeFiles files;
    FakeShell shell;
    RecordedMessages messages;
    AboutCommand(shell, messages, files, dir.path()).run();
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"find x27z42j.html in " + dir.path().string(),
                                                     std::string("open ") + kMakerWebAddress}));
    EXPECT_TRUE(shell.probeExistedDuringFind);
    EXPECT_FALSE(fs::exists(dir.path() / kProbeFileName));

    const auto probe = dir.write(kProbeFileName, "<p>mine</p>");
    FakeShell again;
    AboutCommand(again, messages, files, dir.path()).run();
    EXPECT_TRUE(again.probeExistedDuringFind);
    EXPECT_EQ(test::readFile(probe), "<p>mine</p>");

    FakeShell none;
    AboutCommand(none, messages, files, dir.path() / "gone").run();
    EXPECT_TRUE(none.calls.empty());
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{AboutCommand::runtimeErrorText(ENOENT, std::generic_category().message(ENOENT))});
}

#ifdef _WIN32
// Takes from everyone the right to add files to `folder`, as Windows does for
// a folder under Program Files when the user is no administrator. Returns
// the folder's access list as it was, to be put back with restoreAccess.
PSECURITY_DESCRIPTOR denyNewFiles(const fs::path& folder)
{
    std::wstring path = folder.wstring();
    PACL old = nullptr;
    PSECURITY_DESCRIPTOR saved = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &old,
                              nullptr, &saved)
        != ERROR_SUCCESS)
        return nullptr;
    wchar_t everyone[] = L"EVERYONE";
    EXPLICIT_ACCESS_W deny{};
    BuildExplicitAccessWithNameW(&deny, everyone, FILE_ADD_FILE, DENY_ACCESS, NO_INHERITANCE);
    PACL denying = nullptr;
    if (SetEntriesInAclW(1, &deny, old, &denying) == ERROR_SUCCESS) {
        SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, denying,
                              nullptr);
        LocalFree(denying);
    }
    return saved;
}

void restoreAccess(const fs::path& folder, PSECURITY_DESCRIPTOR saved)
{
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL old = nullptr;
    std::wstring path = folder.wstring();
    if (GetSecurityDescriptorDacl(saved, &present, &old, &defaulted))
        SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, old, nullptr);
    LocalFree(saved);
}

// The folder's access list, not permission bits, keeps the probe out of an
// installed program's folder on Windows, and the real files go private.
TEST(AboutCommand, programFolderThatRefusesNewFiles_probesInAPrivateFolderRemovedAfterwards)
{
    const test::TempDir program;
    const test::TempDir temporary;
    PSECURITY_DESCRIPTOR saved = denyNewFiles(program.path());
    ASSERT_NE(saved, nullptr);
    const bool enforced = !std::ofstream(program.path() / "canary");
    if (enforced) {
        FakeShell shell;
        RecordedMessages messages;
        platform::SystemProbeFiles files(temporary.path());
        AboutCommand(shell, messages, files, program.path()).run();
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(shell.calls.size(), 2U);
        EXPECT_TRUE(shell.probeExistedDuringFind);
        EXPECT_FALSE(fs::exists(program.path() / kProbeFileName));
        EXPECT_TRUE(fs::is_empty(temporary.path()));
    }
    restoreAccess(program.path(), saved);
    if (!enforced)
        GTEST_SKIP() << "this system does not enforce folder access lists (Wine)";
}
#endif

} // namespace
} // namespace orvex
