// SPDX-License-Identifier: GPL-3.0-or-later
// The runner whose report nobody reads any more (kx-run SCRIPT | head): it
// stops, and takes its private folders with it.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

class RunnerOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "kx-run-output-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_temp = pattern;
        std::ofstream(m_temp / "script.kxs") << "start\nshow record\nshow applied\nshow image\n";
    }
    void TearDown() override { fs::remove_all(m_temp); }

    // Runs the runner with its standard output a pipe whose reader is gone
    // and TMPDIR our own folder; returns its wait status.
    int RunWithClosedOutput()
    {
        int out[2];
        EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
        ::close(out[0]);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> environment = {"TMPDIR=" + (m_temp / "tmp").string(), "QT_QPA_PLATFORM=offscreen"};
        for (char** entry = environ; *entry != nullptr; ++entry) {
            if (std::string(*entry).rfind("TMPDIR=", 0) != 0) {
                environment.emplace_back(*entry);
            }
        }
        std::vector<char*> envp;
        for (std::string& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        std::string runner = KX_RUNNER;
        std::string script = (m_temp / "script.kxs").string();
        char* argv[] = {runner.data(), script.data(), nullptr};
        pid_t pid = 0;
        EXPECT_EQ(::posix_spawn(&pid, runner.c_str(), &actions, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }

    fs::path m_temp;
};

TEST_F(RunnerOutput, AReaderThatGoesAwayStopsTheRunWithoutLeavingItsFolders)
{
    fs::create_directory(m_temp / "tmp");
    const int status = RunWithClosedOutput();
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_TRUE(fs::is_empty(m_temp / "tmp"));
}

}  // namespace
