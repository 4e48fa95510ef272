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
#else
#include "support/ForkedChild.h"
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>
#include <sys/stat.h>
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

#ifndef _WIN32
// Another user of the shared temporary folder plants things under the probe's
// name: a link to where the victim would create a file, a FIFO that would
// freeze the window, a file of their own. None of them is touched. POSIX only: links,
// FIFOs and a second, unprivileged user.
TEST(AboutCommand, namesPlantedInTheSharedTemporaryFolder_areNeverTouched)
{
    const test::TempDir program;
    const test::TempDir shared;
    const test::TempDir elsewhere;
    fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read
                                        | fs::perms::others_exec);
    fs::permissions(shared.path(), fs::perms::all | fs::perms::sticky_bit);
    fs::permissions(elsewhere.path(), fs::perms::all);
    const fs::path chosen = elsewhere.path() / "chosen-by-the-attacker";
    const fs::path planted = shared.path() / kProbeFileName;

    enum class Plant { DanglingLink, Fifo, TheirFile };
    for (const Plant plant : {Plant::DanglingLink, Plant::Fifo, Plant::TheirFile}) {
        fs::remove(planted);
        if (plant == Plant::DanglingLink)
            fs::create_symlink(chosen, planted);
        else if (plant == Plant::Fifo)
            ASSERT_EQ(::mkfifo(planted.c_str(), 0666), 0);
        else
            std::ofstream(planted) << "theirs";
        const int status = test::runInChild([&] {
            ::alarm(10); // a FIFO opened would block for good
            if (!test::dropRoot())
                return test::kCannotDropRoot;
            FakeShell shell;
            RecordedMessages messages;
            platform::SystemProbeFiles files(shared.path());
            AboutCommand(shell, messages, files, program.path()).run();
            if (!messages.shown.empty())
                return 1;
            if (shell.calls.size() != 2 || !shell.probeExistedDuringFind)
                return 2;
            return 0;
        });
        if (WIFEXITED(status) && WEXITSTATUS(status) == test::kCannotDropRoot)
            GTEST_SKIP() << "cannot run as an unprivileged user here";
        ASSERT_TRUE(WIFEXITED(status)) << static_cast<int>(plant) << " killed by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0) << static_cast<int>(plant);
        EXPECT_FALSE(fs::exists(fs::symlink_status(chosen))) << static_cast<int>(plant);
        EXPECT_TRUE(fs::exists(fs::symlink_status(planted))) << static_cast<int>(plant);
        if (plant == Plant::TheirFile) {
            EXPECT_EQ(test::readFile(planted), "theirs");
        }
        // The private folder went again; only the planted name is left.
        EXPECT_EQ(std::distance(fs::directory_iterator(shared.path()), fs::directory_iterator()), 1)
            << static_cast<int>(plant);
        EXPECT_FALSE(fs::exists(program.path() / kProbeFileName));
    }
    fs::permissions(program.path(), fs::perms::owner_all);
}
#else
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

// The Windows twin of the POSIX tests above: the folder's access list, not
// permission bits, keeps the probe out, and the real files go private.
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
