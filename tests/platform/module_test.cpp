// SPDX-License-Identifier: GPL-3.0-or-later
// The executable's path and the application name while its file changes on
// disk: an upgrade renames a new file over a running program.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/platform/services/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// A copy of the probe started from `program`; Ask() lets it answer.
class CProbe {
public:
    explicit CProbe(const fs::path& program)
    {
        fs::copy_file(KX_MODULE_PROBE, program);
        int input[2];
        int output[2];
        if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
            return;
        }
        m_child = ::fork();
        if (m_child == 0) {
            ::dup2(input[0], 0);
            ::dup2(output[1], 1);
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(input[0]);
        ::close(output[1]);
        m_input = input[1];
        m_output = output[0];
        m_started = ReadAll(6) == "ready\n";
    }
    CProbe(const CProbe&) = delete;
    CProbe& operator=(const CProbe&) = delete;
    ~CProbe()
    {
        ::close(m_input);
        ::close(m_output);
        if (m_child > 0) {
            ::waitpid(m_child, nullptr, 0);
        }
    }

    // True once the probe runs, so that its file can change under it.
    bool Started() const { return m_started; }

    // The probe's two lines: the application name and the module path.
    std::string Ask()
    {
        [[maybe_unused]] const ssize_t written = ::write(m_input, "\n", 1);
        return ReadAll(std::string::npos);
    }

private:
    // What the probe writes, up to `limit` bytes or its end.
    std::string ReadAll(std::size_t limit)
    {
        std::string text;
        char buffer[512];
        ssize_t got = 0;
        while (text.size() < limit &&
               (got = ::read(m_output, buffer, std::min(sizeof buffer, limit - text.size()))) > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
        return text;
    }

    bool m_started = false;
    pid_t m_child = -1;
    int m_input = -1;
    int m_output = -1;
};

// Starts a probe as `name` in a fresh folder, does `change` to its file while
// it runs, and expects it to answer with that name and its full path.
void ExpectNameAndPathAfter(const std::string& name, const std::function<void(const fs::path&)>& change)
{
    CTempFolder folder;
    const fs::path program = folder.File(name);
    CProbe probe(program);
    ASSERT_TRUE(probe.Started());
    change(program);
    EXPECT_EQ(probe.Ask(), name + "\n" + program.string() + "\n");
}

}  // namespace

TEST(ModulePath, ReplacedWhileRunningKeepsTheNameAndFolderItStartedWith)
{
    // The upgrade: a new file renamed over the old name, the old one gone.
    ExpectNameAndPathAfter("KX-507", [](const fs::path& program) {
        const fs::path newer = program.parent_path() / ".KX-507.new";
        WriteBytes(newer, "a newer build");
        fs::rename(newer, program);
    });
}

TEST(ModulePath, RemovedWhileRunningKeepsTheNameAndFolderItStartedWith)
{
    ExpectNameAndPathAfter("KX-507-demo", [](const fs::path& program) { fs::remove(program); });
}

TEST(ModulePath, AFileThatIsReallyCalledDeletedKeepsItsWholeName)
{
    ExpectNameAndPathAfter("KX-507 (deleted)", [](const fs::path&) {});
}
