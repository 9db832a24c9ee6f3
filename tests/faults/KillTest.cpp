// Runs of the tool killed at random moments: each output stays as it was before the
// run, or is complete and correct; never torn. The next run removes what a killed one
// left behind. The tool runs as a child process, which a test can kill (POSIX; Linux
// here).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "kit/Files.h"
#include "base/ReplacingOutput.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

#if defined(__linux__)
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

#if defined(__linux__)
namespace {

// A scenario file large enough that random kills often fall while it is written, and that
// it can be cut short while it is read; small enough that the kill tests stay quick.
constexpr std::uint32_t kLargeTailBytes = 16u << 20;

// A template folder and a full scenario folder; the tool is started in the template folder.
struct KillWorld {
    explicit KillWorld(std::uint32_t tailBytes) {
        writeTemplateFolder(templates, 4);
        ScenarioFolderOptions options;
        options.scenario.tailBytes = tailBytes;
        options.scenario.seed = 4;
        scenario = writeScenarioFolder(root / "scen", options);
        converted = root / "scen" / "Converted";
    }
    TempFolder root{"tavorel-kill"};
    fs::path templates = root / "template";
    fs::path scenario;
    fs::path converted;
};

// Starts the tool on the scenario; its messages go to `console`.
pid_t startTool(const KillWorld& world, const fs::path& console) {
    const std::string binary = fs::absolute(TAVOREL_BINARY).string();
    std::string argument = world.scenario.string();
    std::string program = binary;
    char* argv[] = {program.data(), argument.data(), nullptr};
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 || chdir(world.templates.c_str()) != 0) _exit(127);
        execv(binary.c_str(), argv);
        _exit(127);
    }
    return child;
}

int waitForTool(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1000;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

bool sameContents(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::file_size(a, error) != fs::file_size(b, error) || error) return false;
    std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
    std::vector<char> x(1 << 16), y(1 << 16);
    while (first && second) {
        first.read(x.data(), static_cast<std::streamsize>(x.size()));
        second.read(y.data(), static_cast<std::streamsize>(y.size()));
        if (first.gcount() != second.gcount() || std::memcmp(x.data(), y.data(), static_cast<std::size_t>(first.gcount())) != 0) {
            return false;
        }
    }
    return first.eof() && second.eof();
}

// What the outputs of a folder look like after a killed run.
struct Inspection {
    std::string torn;          // one line per output that is neither absent nor complete
    int temporaries = 0;       // left behind, for the next run to remove
    int complete = 0;
};

// Every file under `converted` is a temporary file or a complete output; with
// `allPresent`, every output of the reference is there too (a run never removes one).
Inspection inspect(const fs::path& converted, const fs::path& reference, bool allPresent) {
    Inspection found;
    std::error_code error;
    for (fs::recursive_directory_iterator it(converted, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory()) continue;
        const fs::path relative = fs::relative(it->path(), converted);
        if (isTemporaryName(relative.filename().string())) {
            ++found.temporaries;
        } else if (!sameContents(it->path(), reference / relative)) {
            found.torn += relative.string() + " is torn\n";
        } else {
            ++found.complete;
        }
    }
    if (allPresent) {
        for (const auto& entry : fs::recursive_directory_iterator(reference)) {
            const fs::path relative = fs::relative(entry.path(), reference);
            if (entry.is_regular_file() && !fs::exists(converted / relative)) {
                found.torn += relative.string() + " is gone\n";
            }
        }
    }
    return found;
}

// Converts the world once without a kill, keeps its outputs as the reference, and
// returns how long the run took.
Clock::duration makeReference(const KillWorld& world, const fs::path& reference) {
    const Clock::time_point start = Clock::now();
    const int code = waitForTool(startTool(world, world.root / "console"));
    const Clock::duration took = Clock::now() - start;
    EXPECT_EQ(code, 0) << readFileText(world.root / "console");
    fs::copy(world.converted, reference, fs::copy_options::recursive);
    fs::remove_all(world.converted);
    return took;
}

// `kills` runs, each killed after a random delay within the length of a whole run; then
// one whole run, after which no temporary file is left and every output is complete.
void killRepeatedly(const KillWorld& world, int kills, std::uint64_t seed) {
    const fs::path reference = world.root / "reference";
    const Clock::duration whole = makeReference(world, reference);
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<std::int64_t> delay(0, std::chrono::duration_cast<std::chrono::microseconds>(whole).count());
    int mostTemporaries = 0;
    int killedComplete = 0;
    for (int run = 0; run < kills; ++run) {
        // The first half starts from nothing, the second from a complete conversion.
        const bool fromComplete = run >= kills / 2;
        if (run == kills / 2) {
            ASSERT_EQ(waitForTool(startTool(world, world.root / "console")), 0);
        }
        const pid_t child = startTool(world, world.root / "console");
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        waitForTool(child);
        const Inspection found = inspect(world.converted, reference, fromComplete);
        EXPECT_EQ(found.torn, "") << "run " << run;
        mostTemporaries = std::max(mostTemporaries, found.temporaries);
        killedComplete += found.complete;
    }
    ASSERT_EQ(waitForTool(startTool(world, world.root / "console")), 0) << readFileText(world.root / "console");
    const Inspection after = inspect(world.converted, reference, true);
    EXPECT_EQ(after.torn, "");
    EXPECT_EQ(after.temporaries, 0) << "the last run leaves stale temporary files behind";
    std::printf("%d kills within runs of %lld ms: at most %d temporary files left by one, %d complete outputs seen\n",
                kills, static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(whole).count()),
                mostTemporaries, killedComplete);
}

}  // namespace

TEST(KillTest, LargeScenarioKilledAtRandomLeavesNoTornOutput) {
    KillWorld world(kLargeTailBytes);
    killRepeatedly(world, 16, 17);
}

TEST(KillTest, FullSampleWorldKilledAtRandomLeavesNoTornOutput) {
    KillWorld world(500);
    killRepeatedly(world, 24, 23);
}

// The scenario file is cut short while the tool reads its tail: the read fails, the
// tool says so, and no output of it is left.
TEST(KillTest, ScenarioCutShortWhileItIsReadGivesNoOutput) {
    KillWorld world(kLargeTailBytes);
    const fs::path console = world.root / "console";
    const pid_t child = startTool(world, console);
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(20);
    bool cut = false;
    while (!cut && Clock::now() < deadline && waitpid(child, nullptr, WNOHANG) == 0) {
        std::error_code error;
        for (fs::directory_iterator it(world.converted, error), end; !error && it != end; it.increment(error)) {
            // More is copied already than the cut leaves: the read is cut in its middle.
            if (isTemporaryName(it->path().filename().string()) && it->file_size(error) > (2u << 20)) {
                fs::resize_file(world.scenario, 1 << 20);
                cut = true;
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const int code = waitForTool(child);
    if (!cut) GTEST_SKIP() << "the run ended before its scenario could be cut short";
    const std::string text = readFileText(console);
    EXPECT_EQ(code, 2) << text;
    EXPECT_NE(text.find("Converting SCN file...\nError: could not read " + world.scenario.string() +
                        " (Input/output error)!\n"),
              std::string::npos)
        << text;
    EXPECT_FALSE(fs::exists(world.converted / world.scenario.filename()));
    for (const auto& entry : fs::directory_iterator(world.converted)) {
        EXPECT_FALSE(isTemporaryName(entry.path().filename().string())) << entry.path();
    }
}
#else
TEST(KillTest, NeedsLinux) { GTEST_SKIP() << "the kill test starts and kills the tool with POSIX calls, on Linux"; }
#endif
