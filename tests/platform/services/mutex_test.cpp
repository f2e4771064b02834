// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/hid.h"
#include "platform/ipc/window_message_channel.h"
#include "platform/services/named_mutex.h"
#include "platform/services/runtime_folder.h"
#include "tests/platform/services/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// A name no other test run shares.
std::u16string UniqueName(const char* tag)
{
    const std::string name = std::string("kx-test-") + tag + "-" + std::to_string(::getpid());
    return std::u16string(name.begin(), name.end());
}

// Runs CreateMutexW in a fresh child process; the child's exit code says
// whether it saw the mutex already existing.
bool SecondProcessSeesExisting(const std::u16string& name)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const HANDLE handle = CreateMutexW(nullptr, FALSE, name.c_str());
        ::_exit(handle == nullptr ? 2 : (GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 2);
    return WEXITSTATUS(status) == 1;
}

// The lock files go to a private folder of the test's own instead of the
// user's run-time folder.
class NamedMutexTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1); }
    void TearDown() override { ::unsetenv("XDG_RUNTIME_DIR"); }

    CTempFolder m_runtime;
};

TEST_F(NamedMutexTest, SecondProcessSeesAlreadyExists)
{
    const std::u16string name = UniqueName("held");
    EXPECT_FALSE(SecondProcessSeesExisting(name));  // the child's lock ended with the child

    const HANDLE handle = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(SecondProcessSeesExisting(name));
    EXPECT_FALSE(SecondProcessSeesExisting(UniqueName("other")));
}

TEST_F(NamedMutexTest, OpeningAgainInTheSameProcessReportsExisting)
{
    const std::u16string name = UniqueName("twice");
    ASSERT_NE(CreateMutexW(nullptr, FALSE, name.c_str()), nullptr);
    const HANDLE again = CreateMutexW(nullptr, FALSE, name.c_str());
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(std::filesystem::exists(m_runtime.File(std::string(name.begin(), name.end()) + ".lock")));
}

// Where the lock (and the channel's socket) lives when the desktop's own
// run-time folder cannot be used: never in a folder another user made or can
// write to, and with no folder at all the rule of one running copy still
// holds.
// A home and a /tmp of the test's own, and no desktop run-time folder.
class RuntimeFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(m_home);
        fs::create_directory(m_temp);
        ::chmod(m_home.c_str(), 0700);
        ::chmod(m_temp.c_str(), 01777);
        SetRuntimeFolderPlacesForTesting(m_places);
    }
    void TearDown() override { SetRuntimeFolderPlacesForTesting(std::nullopt); }

    // The user's folder below /tmp, made first by someone else: under the
    // superuser by user "nobody", otherwise left open to everyone.
    void TakeTheTmpFolderFirst()
    {
        const fs::path taken = m_temp / ("kx507-" + std::to_string(::getuid()));
        fs::create_directory(taken);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(taken.c_str(), 65534, 65534), 0);
        } else {
            ::chmod(taken.c_str(), 0777);
        }
    }

    CTempFolder m_root;
    fs::path m_home = m_root.File("home");
    fs::path m_temp = m_root.File("tmp");
    RuntimeFolderPlaces m_places{"", "", m_home.string(), m_temp.string()};
};

TEST_F(RuntimeFolderTest, TheDesktopsOwnFolderComesFirstWhenItIsPrivate)
{
    const fs::path runtime = m_root.File("run");
    fs::create_directory(runtime);
    ::chmod(runtime.c_str(), 0700);
    EXPECT_EQ(ChooseRuntimeFolder({runtime.string(), "", m_home.string(), m_temp.string()}), runtime.string());
    ::chmod(runtime.c_str(), 0755);
    EXPECT_NE(ChooseRuntimeFolder({runtime.string(), "", m_home.string(), m_temp.string()}), runtime.string());
}

TEST_F(RuntimeFolderTest, AFolderInTmpThatAnotherUserMadeFirstIsPassedOver)
{
    TakeTheTmpFolderFirst();
    const std::string folder = UserRuntimeFolder();
    EXPECT_TRUE(folder.starts_with((m_home / ".cache" / "kx507-").string())) << folder;
    struct stat st {};
    ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    const std::u16string name = UniqueName("home");
    ASSERT_NE(CreateMutexW(nullptr, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(SecondProcessSeesExisting(name));
}

TEST_F(RuntimeFolderTest, AHomeOthersMayWriteToIsNotUsed)
{
    ::chmod(m_home.c_str(), 0777);
    EXPECT_EQ(UserRuntimeFolder(), (m_temp / ("kx507-" + std::to_string(::getuid()))).string());
    EXPECT_FALSE(fs::exists(m_home / ".cache"));
}

TEST_F(RuntimeFolderTest, WithNoFolderAtAllOneCopyStillRunsAndItIsSaidOnce)
{
    ::chmod(m_home.c_str(), 0777);
    TakeTheTmpFolderFirst();
    const std::u16string name = UniqueName("nowhere");

    ::testing::internal::CaptureStderr();
    ASSERT_NE(CreateMutexW(nullptr, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(SecondProcessSeesExisting(name));
    EXPECT_NE(CreateMutexW(nullptr, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CWindowMessageChannel channel;
    EXPECT_FALSE(channel.Listen(u"KxTestWindowClass", [](const WindowMessage&) {}));
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(said.find("no private folder for run-time files"), said.rfind("no private folder for run-time files"));
    EXPECT_NE(said.find("only one copy runs"), std::string::npos) << said;
}

}  // namespace
