#pragma once

// What the Linux benchmarks share: each measured run happens in a fresh child process (the
// benchmark itself, started again with "--child", or a program such as the tool or cp), so
// that the peak resident memory it reports is that run's alone and a program is timed as a
// user runs it.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

// The peak resident memory of this process, in KiB, from /proc; -1 when it is not told.
inline long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// Starts this program again with `arguments` (the first is the program's name), waits for
// it, and gives what it printed; false when it could not be started or did not exit with 0.
inline bool runSelfAsChild(const std::vector<std::string>& arguments, std::string& printed) {
    int channel[2];
    if (pipe(channel) != 0) return false;
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(channel[1], STDOUT_FILENO);
        close(channel[0]);
        close(channel[1]);
        execv("/proc/self/exe", const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    close(channel[1]);
    printed.clear();
    char piece[256];
    for (ssize_t got; (got = read(channel[0], piece, sizeof piece)) > 0;) printed.append(piece, got);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs `arguments[0]`, found on the PATH when it names no folder, in `workingFolder` (this
// one when empty), with its output discarded; true when it exited with `expectedCode`. Its
// peak resident memory, in KiB, goes to `peakKiB` when one is given.
inline bool runProgram(const std::vector<std::string>& arguments, const std::string& workingFolder = {},
                       int expectedCode = 0, long* peakKiB = nullptr) {
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int nowhere = open("/dev/null", O_WRONLY);
        if (nowhere >= 0) dup2(nowhere, STDOUT_FILENO);
        if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) _exit(126);
        execvp(argv[0], const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (peakKiB != nullptr) *peakKiB = usage.ru_maxrss;  // KiB on Linux
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == expectedCode;
}

// The child's side of a measure: `once` run `repeats` times, each after `output` is
// removed; prints the shortest time in seconds and the peak resident memory in KiB, as
// measureInChild reads them. 1 when a run failed.
inline int timeInChild(int repeats, const std::filesystem::path& output, const std::function<bool()>& once) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
        const auto start = std::chrono::steady_clock::now();
        const bool ok = once();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!ok) return 1;
        best = std::min(best, took.count());
    }
    std::cout << best << ' ' << peakResidentKiB() << '\n';
    return 0;
}

struct Measure {
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
};

// The parent's side: starts this program again with `arguments` and reads what
// timeInChild printed.
inline Measure measureInChild(const std::vector<std::string>& arguments) {
    std::string reply;
    Measure measure;
    if (!runSelfAsChild(arguments, reply)) return measure;
    long peakKiB = 0;
    std::istringstream parse(reply);
    if (parse >> measure.seconds >> peakKiB) {
        measure.ok = true;
        measure.peakMiB = peakKiB / 1024.0;
    }
    return measure;
}

// The plain copy a conversion is held against: a stream copy in chunks of 64 KiB, through
// the same kind of streams as the conversion's.
inline bool plainCopyOnce(const std::filesystem::path& input, const std::filesystem::path& output) {
    std::ifstream in(input, std::ios::binary);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    std::vector<char> buffer(64 * 1024);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
        out.write(buffer.data(), in.gcount());
    }
    out.close();
    return !out.fail();
}
