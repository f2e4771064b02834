#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/hid.h"
#include "platform/services/named_mutex.h"
#include "tests/platform/services/temp_folder.h"

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

}  // namespace
