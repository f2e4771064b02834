// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ipc/window_message_channel.h"
#include "platform/services/runtime_folder.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// Each test gets its own runtime folder, so sockets of parallel runs never meet.
class WindowMessageChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("kx-ipc-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
        ::chmod(m_dir.c_str(), 0700);
        m_oldRuntime = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
        ::setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override
    {
        ::setenv("XDG_RUNTIME_DIR", m_oldRuntime.c_str(), 1);
        std::filesystem::remove_all(m_dir);
    }

    void SendRaw(const std::string& bytes)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = WindowMessageSocketPath(kClass);
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        ASSERT_GE(fd, 0);
        ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::close(fd);
    }

    static constexpr const char16_t* kClass = u"KxTestWindowClass";
    std::filesystem::path m_dir;
    std::string m_oldRuntime;
};

TEST(WindowMessageDatagram, RoundTripsCodeAndSignedDetail)
{
    const WindowMessage sent{0x402, 9, -12};
    const std::string bytes = EncodeWindowMessage(sent);
    ASSERT_EQ(bytes.size(), kWindowMessageDatagramSize);
    const auto got = DecodeWindowMessage(bytes);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->message, 0x402u);
    EXPECT_EQ(got->wParam, 9u);
    EXPECT_EQ(got->lParam, -12);
}

TEST(WindowMessageDatagram, RejectsWrongSizeOrTag)
{
    std::string good = EncodeWindowMessage({0x402, 5, 1});
    EXPECT_FALSE(DecodeWindowMessage(good.substr(0, 15)).has_value());
    EXPECT_FALSE(DecodeWindowMessage(good + "x").has_value());
    EXPECT_FALSE(DecodeWindowMessage("").has_value());
    good[0] = 'Z';
    EXPECT_FALSE(DecodeWindowMessage(good).has_value());
}

TEST_F(WindowMessageChannelTest, DeliversMessagesInOrderFromTheSameUser)
{
    std::vector<WindowMessage> received;
    CWindowMessageChannel channel;
    ASSERT_TRUE(channel.Listen(kClass, [&](const WindowMessage& m) { received.push_back(m); }));

    EXPECT_TRUE(SendWindowClassMessage(kClass, {0x402, 7, 2}));
    EXPECT_TRUE(SendWindowClassMessage(kClass, {0x402, 15, 0}));
    channel.ReceivePending();

    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].wParam, 7u);
    EXPECT_EQ(received[0].lParam, 2);
    EXPECT_EQ(received[1].wParam, 15u);
}

TEST_F(WindowMessageChannelTest, DropsMalformedDatagramsAndKeepsServing)
{
    std::vector<WindowMessage> received;
    CWindowMessageChannel channel;
    ASSERT_TRUE(channel.Listen(kClass, [&](const WindowMessage& m) { received.push_back(m); }));

    SendRaw("hello");
    SendRaw(std::string(4096, '\xff'));
    SendRaw(EncodeWindowMessage({0x402, 8, 1}) + "trailing");
    SendRaw(EncodeWindowMessage({0x402, 8, 2}));
    channel.ReceivePending();

    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].lParam, 2);
}

TEST_F(WindowMessageChannelTest, SocketIsPrivateAndGoneAfterClose)
{
    CWindowMessageChannel channel;
    ASSERT_TRUE(channel.Listen(kClass, [](const WindowMessage&) {}));
    const std::string path = WindowMessageSocketPath(kClass);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);

    channel.Close();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(SendWindowClassMessage(kClass, {0x402, 14, 0}));
}

TEST_F(WindowMessageChannelTest, ReplacesASocketFileLeftBehind)
{
    // A crashed instance leaves its socket file with nobody listening.
    std::ofstream(WindowMessageSocketPath(kClass)) << "stale";
    std::vector<WindowMessage> received;
    CWindowMessageChannel second;
    ASSERT_TRUE(second.Listen(kClass, [&](const WindowMessage& m) { received.push_back(m); }));
    EXPECT_TRUE(SendWindowClassMessage(kClass, {0x402, 14, 0}));
    second.ReceivePending();
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(WindowMessageChannelTest, IgnoresAnUnsafeRuntimeFolder)
{
    // Nowhere else to go either, so that nothing is made outside the test's folder.
    SetRuntimeFolderPlacesForTesting(RuntimeFolderPlaces{m_dir.string(), "", "", ""});
    ::chmod(m_dir.c_str(), 0777);
    EXPECT_EQ(WindowMessageSocketPath(kClass), "");
    ::chmod(m_dir.c_str(), 0700);
    EXPECT_EQ(WindowMessageSocketPath(kClass).rfind(m_dir.string(), 0), 0u);
    SetRuntimeFolderPlacesForTesting(std::nullopt);
}

// Socket addresses hold 107 bytes of path; a run-time folder's path may be
// longer, and the program must still be reachable through it.
TEST_F(WindowMessageChannelTest, ReachesTheProgramThroughALongRuntimePath)
{
    std::filesystem::path deep = m_dir;
    while (deep.string().size() < 120) {
        deep /= "a-long-folder-name";
    }
    std::filesystem::create_directories(deep);
    ::chmod(deep.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", deep.c_str(), 1);
    ASSERT_GE(WindowMessageSocketPath(kClass).size(), 120u + 1 + 16);

    std::vector<WindowMessage> received;
    CWindowMessageChannel channel;
    ASSERT_TRUE(channel.Listen(kClass, [&](const WindowMessage& m) { received.push_back(m); }));
    EXPECT_TRUE(std::filesystem::exists(WindowMessageSocketPath(kClass)));
    EXPECT_TRUE(SendWindowClassMessage(kClass, {0x402, 9, 12}));
    channel.ReceivePending();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].lParam, 12);
    channel.Close();
    EXPECT_FALSE(std::filesystem::exists(WindowMessageSocketPath(kClass)));
}

}  // namespace
