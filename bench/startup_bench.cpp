// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the whole program through the runner (a script that only starts
// it, on a folder prepared once) against a bare Qt tray program, both
// offscreen, run in alternation so that both see the same load on the
// machine. Prints each one's median wall time over the pairs and the ratio
// (with the median of the pairs' own ratios beside it), and the same for
// processor time (all threads), which a busy machine disturbs less but which
// does not show work done side by side.
//
// Both end the same way: at once, without tearing anything down. The
// program's exit ends the process straight away, and the floor ends the same
// way as soon as its icon is shown (returning from its event loop instead
// would have Qt read the font configuration only to free it, a third of the
// floor's time, which the program never spends).
//
//   startup_bench [PAIRS]     (default 15)

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// The output folder: the build's, or KX_OUTPUT_DIR's (to measure another build).
fs::path OutputFolder()
{
    const char* output = std::getenv("KX_OUTPUT_DIR");
    return output != nullptr ? fs::path(output) : fs::path(KX_BENCH_OUTPUT_DIR);
}

struct Times {
    double wall;  // ms from the start to the end
    double cpu;   // ms of processor time, user and system, all threads
};

// Runs the command to its end with its output and messages discarded.
Times TimedRun(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const std::string& part : command) {
        argv.push_back(const_cast<char*>(part.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup_bench: %s did not run to a clean end\n", argv[0]);
        std::exit(1);
    }
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
            ms(usage.ru_utime) + ms(usage.ru_stime)};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A copy of the output folder's skins, icons and config.bin, and a script
// that starts the program.
fs::path Prepare(const fs::path& work)
{
    const fs::path from = OutputFolder();
    const fs::path folder = work / "folder";
    fs::create_directories(folder);
    for (const char* part : {"Skins", "icons", "config.bin"}) {
        fs::copy(from / part, folder / part, fs::copy_options::recursive);
    }
    std::ofstream(work / "start.kxs") << "start\n";
    return folder;
}

}  // namespace

int main(int argc, char** argv)
{
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path work = fs::temp_directory_path() / ("kx-startup-bench-" + std::to_string(::getpid()));
    const fs::path folder = Prepare(work);
    const std::vector<std::string> program = {OutputFolder() / "kx-run", "--folder", folder,
                                              work / "start.kxs"};
    const std::vector<std::string> floor = {KX_BENCH_TRAY_FLOOR};
    TimedRun(program);  // both once for the page cache
    TimedRun(floor);
    std::vector<Times> programTimes;
    std::vector<Times> floorTimes;
    for (int i = 0; i < pairs; ++i) {
        programTimes.push_back(TimedRun(program));
        floorTimes.push_back(TimedRun(floor));
    }
    fs::remove_all(work);
    for (const auto part : {&Times::wall, &Times::cpu}) {
        const auto median = [part](const std::vector<Times>& runs) {
            std::vector<double> values;
            for (const Times& run : runs) {
                values.push_back(run.*part);
            }
            return Median(values);
        };
        const double a = median(programTimes);
        const double b = median(floorTimes);
        // Each pair's own ratio as well: the two runs of a pair see the same
        // load, which may change from one pair to the next.
        std::vector<double> ratios;
        for (std::size_t i = 0; i < programTimes.size(); ++i) {
            ratios.push_back(programTimes[i].*part / floorTimes[i].*part);
        }
        std::printf("start-up %s over %d pairs: program %.1f ms, floor (bare tray program) %.1f ms, ratio %.2f"
                    " (median of the pairs' ratios %.2f)\n",
                    part == &Times::wall ? "wall time" : "processor time", pairs, a, b, a / b, Median(ratios));
    }
    return 0;
}
