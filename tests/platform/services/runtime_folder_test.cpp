// Where the single-instance lock and the channel's socket live when the
// desktop's own run-time folder cannot be used: never in a folder another user
// made or can write to, and with no folder at all the rule of one running copy
// still holds.

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

std::u16string UniqueName(const char* tag)
{
    const std::string name = std::string("kx-test-") + tag + "-" + std::to_string(::getpid());
    return std::u16string(name.begin(), name.end());
}

// CreateMutexW in a fresh process: whether it found the mutex held.
bool AnotherProcessFindsItHeld(const std::u16string& name)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const HANDLE handle = CreateMutexW(nullptr, FALSE, name.c_str());
        ::_exit(handle == nullptr ? 2 : (GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

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
    EXPECT_TRUE(AnotherProcessFindsItHeld(name));
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
    EXPECT_TRUE(AnotherProcessFindsItHeld(name));
    EXPECT_NE(CreateMutexW(nullptr, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CWindowMessageChannel channel;
    EXPECT_FALSE(channel.Listen(u"RV880KXClass", [](const WindowMessage&) {}));
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(said.find("no private folder for run-time files"), said.rfind("no private folder for run-time files"));
    EXPECT_NE(said.find("only one copy runs"), std::string::npos) << said;
}

}  // namespace
