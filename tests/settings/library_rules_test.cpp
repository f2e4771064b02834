// SPDX-License-Identifier: GPL-3.0-or-later
// Rules by running game: the rule file's checks, and the matching against a
// process table read from a folder laid out like /proc, whose files are
// treated as hostile.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "settings/game_rules.h"
#include "tests/platform/services/temp_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr char kRules[] = R"(default = "desk"
[[rule]]
command_line = "eldenring.exe"
profile = "souls"
[[rule]]
executable = "cs2"
profile = "shooter"
[[rule]]
executable = "wine64-preloader"
profile = "any wine"
)";

// A process folder as the kernel lays it out: comm with a newline, cmdline
// with NUL-separated arguments.
void AddProcess(const fs::path& root, int pid, const std::string& comm, const std::string& cmdline)
{
    const fs::path folder = root / std::to_string(pid);
    fs::create_directories(folder);
    WriteBytes(folder / "comm", comm + "\n");
    WriteBytes(folder / "cmdline", cmdline);
}

std::string Args(std::initializer_list<std::string> args)
{
    std::string joined;
    for (const std::string& arg : args) {
        joined += arg;
        joined.push_back('\0');
    }
    return joined;
}

TEST(GameRulesTest, ParsesRulesInOrderAndRefusesWhatIsNotARule)
{
    const ParsedRules parsed = ParseRules(kRules);
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    ASSERT_EQ(parsed.rules.rules.size(), 3u);
    EXPECT_EQ(parsed.rules.defaultProfile, "desk");
    EXPECT_EQ(parsed.rules.rules[0].commandLine, "eldenring.exe");
    EXPECT_EQ(parsed.rules.rules[1].executable, "cs2");
    EXPECT_EQ(parsed.rules.rules[2].profile, "any wine");
    EXPECT_FALSE(ParseRules("").error) << "no rules at all is valid";

    const struct {
        std::string text;
        std::size_t line;
        const char* words;
    } bad[] = {
        {"[[rule]]\nexecutable = \"a\"\ncommand_line = \"b\"\nprofile = \"p\"\n", 1, "not both"},
        {"[[rule]]\nprofile = \"p\"\n", 1, "either executable"},
        {"[[rule]]\nexecutable = \"a\"\n", 1, "needs a profile"},
        {"[[rule]]\nexecutable = \"a\"\nprofile = \"../p\"\n", 3, "/"},
        {"[[rule]]\nexecutable = \"\"\nprofile = \"p\"\n", 2, "non-empty"},
        {"[[rule]]\nexecutable = 3\nprofile = \"p\"\n", 2, "non-empty text"},
        {"[[rule]]\nexe = \"a\"\nprofile = \"p\"\n", 2, "unknown key exe"},
        {"default = \".x\"\n", 1, "dot"},
        {"rule = \"x\"\n", 1, "[[rule]]"},
        {"colour = 1\n", 1, "unknown key colour"},
        {"[[rule]\n", 1, "not valid TOML"},
        {"[ \n", 1, "not valid TOML"},
        {std::string(kMaxRulesBytes + 1, '#'), 0, "larger than"},
    };
    for (const auto& entry : bad) {
        const ParsedRules refused = ParseRules(entry.text);
        ASSERT_TRUE(refused.error) << entry.text;
        EXPECT_EQ(refused.error->line, entry.line) << entry.text;
        EXPECT_NE(refused.error->message.find(entry.words), std::string::npos) << refused.error->message;
        EXPECT_TRUE(refused.rules.rules.empty());
    }
    std::string many;
    for (std::size_t i = 0; i <= kMaxRules; ++i) {
        many += "[[rule]]\nexecutable = \"a\"\nprofile = \"p\"\n";
    }
    EXPECT_TRUE(ParseRules(many).error);
}

TEST(GameRulesTest, AGameStartingAndEndingSwitchesTheChoiceAndTheFirstRuleWins)
{
    CTempFolder proc;
    const GameRules rules = ParseRules(kRules).rules;
    AddProcess(proc.Path(), 1, "bash", Args({"/bin/bash"}));
    AddProcess(proc.Path(), 20, "steam", Args({"/home/u/.steam/steam", "-silent"}));
    EXPECT_EQ(ChooseProfile(rules, UserProcesses(proc.Path().string())), (RuleChoice{std::nullopt, "desk"}));

    // Started natively: the executable name matches.
    AddProcess(proc.Path(), 300, "cs2", Args({"/games/cs2/game/bin/linuxsteamrt64/cs2", "-steam"}));
    EXPECT_EQ(ChooseProfile(rules, UserProcesses(proc.Path().string())), (RuleChoice{1, "shooter"}));

    // Through Proton: the program is Wine's loader, the game only appears in
    // the command line, with Windows separators. Its rule comes first, so it
    // wins over both cs2 and the loader's own rule.
    AddProcess(proc.Path(), 400, "wine64-preload",
               Args({"/steam/Proton/files/bin/wine64-preloader",
                     "Z:\\steam\\steamapps\\common\\ELDEN RING\\Game\\eldenring.exe"}));
    const auto processes = UserProcesses(proc.Path().string());
    EXPECT_EQ(ChooseProfile(rules, processes), (RuleChoice{0, "souls"}));
    const auto loader = std::find_if(processes.begin(), processes.end(), [](const auto& p) { return p.pid == 400; });
    ASSERT_NE(loader, processes.end());
    EXPECT_EQ(loader->program, "wine64-preloader");
    EXPECT_TRUE(RuleMatches(rules.rules[2], *loader)) << "the long name matches its cut short name too";

    // The games end, one after the other.
    fs::remove_all(proc.Path() / "400");
    EXPECT_EQ(ChooseProfile(rules, UserProcesses(proc.Path().string())), (RuleChoice{1, "shooter"}));
    fs::remove_all(proc.Path() / "300");
    EXPECT_EQ(ChooseProfile(rules, UserProcesses(proc.Path().string())), (RuleChoice{std::nullopt, "desk"}));
    EXPECT_EQ(ChooseProfile(GameRules{}, UserProcesses(proc.Path().string())), (RuleChoice{std::nullopt, ""}));
}

TEST(GameRulesTest, HostileProcessFilesAreReadBoundedAndNeverFollowedOrWaitedOn)
{
    CTempFolder proc;
    const GameRules rules = ParseRules(kRules).rules;
    WriteBytes(proc.Path() / "secret", Args({"cs2"}));
    fs::create_directories(proc.Path() / "10");
    fs::create_symlink(proc.Path() / "secret", proc.Path() / "10/cmdline");
    fs::create_symlink(proc.Path() / "secret", proc.Path() / "10/comm");
    fs::create_directories(proc.Path() / "11");
    ASSERT_EQ(::mkfifo((proc.Path() / "11/cmdline").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((proc.Path() / "11/comm").c_str(), 0600), 0);
    AddProcess(proc.Path(), 12, "x", std::string(1 << 20, 'a') + "eldenring.exe");
    AddProcess(proc.Path(), 0, "", "");
    fs::create_directories(proc.Path() / "self");
    WriteBytes(proc.Path() / "self/comm", "cs2\n");
    fs::create_directory_symlink(proc.Path() / "10", proc.Path() / "13");

    const auto processes = UserProcesses(proc.Path().string());
    EXPECT_EQ(processes.size(), 4u) << "10, 11, 12 and 0; not self nor the linked 13";
    for (const ProcessEntry& process : processes) {
        EXPECT_LE(process.commandLine.size(), kMaxCommandLineBytes);
    }
    EXPECT_EQ(ChooseProfile(rules, processes), (RuleChoice{std::nullopt, "desk"}))
        << "nothing read through a link, and a name past the bound is not seen";
    EXPECT_TRUE(UserProcesses((proc.Path() / "missing").string()).empty());
}

TEST(GameRulesTest, OtherUsersProcessesAreNotSeen)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs to hand a folder to another user";
    }
    CTempFolder proc;
    AddProcess(proc.Path(), 5, "cs2", Args({"cs2"}));
    ASSERT_EQ(::chown((proc.Path() / "5").c_str(), 65534, 65534), 0);
    EXPECT_TRUE(UserProcesses(proc.Path().string()).empty());
}

TEST(GameRulesTest, TheRuleFileIsReadOnlyWhenItIsARegularFileOfBoundedSize)
{
    CTempFolder home;
    EXPECT_FALSE(ReadRulesFile(home.Path().string()).text);
    EXPECT_TRUE(ReadRulesFile(home.Path().string()).error.empty()) << "no file is no rules";
    fs::create_directories(home.Path() / "kx-507");
    const fs::path path = RulesPath(home.Path().string());
    WriteBytes(path, kRules);
    EXPECT_EQ(ReadRulesFile(home.Path().string()).text, kRules);
    WriteBytes(path, std::string(kMaxRulesBytes + 1, '#'));
    EXPECT_NE(ReadRulesFile(home.Path().string()).error.find("larger than"), std::string::npos);
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_NE(ReadRulesFile(home.Path().string()).error.find("not a regular file"), std::string::npos);
    fs::remove(path);
    WriteBytes(home.Path() / "elsewhere", kRules);
    fs::create_symlink(home.Path() / "elsewhere", path);
    EXPECT_NE(ReadRulesFile(home.Path().string()).error.find("symbolic link"), std::string::npos);
}

}  // namespace
