#pragma once

// What every fuzz target does before fuzzing, and how it states a broken expectation.
// Only the fuzz/*.cpp files become targets; this header is shared by them.

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "kit/FuzzSeeds.h"

// What the converter printed in the run at hand, shown with a broken expectation.
inline std::string& fuzzConsole() {
    static std::string text;
    return text;
}

// A broken expectation ends the run at once, so that the fuzzer keeps the input.
#define FUZZ_EXPECT(condition)                                                                                    \
    do {                                                                                                          \
        if (!(condition)) {                                                                                       \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\nconsole:\n%s\n", __FILE__, __LINE__, #condition, \
                         fuzzConsole().c_str());                                                                  \
            std::abort();                                                                                         \
        }                                                                                                         \
    } while (false)

// From LLVMFuzzerInitialize: the first folder on the command line (the corpus that the
// fuzzer reads and adds to) receives the kit's seeds when it holds no file yet, and the
// target's own input length limit is added unless the command line sets one. A target
// that changes its working directory asks for the folders and the artifact prefix to be
// made absolute first, so that the fuzzer still finds its corpus and keeps its findings.
inline void prepareFuzzRun(int* argc, char*** argv, FuzzSeedKind kind, std::size_t maxLength,
                           bool absolutePaths = false) {
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    arguments.assign(*argv, *argv + *argc);
    const std::string artifactFlag = "-artifact_prefix=";
    bool lengthGiven = false;
    bool artifactPrefixGiven = false;
    bool corpusSeen = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string& argument = arguments[i];
        if (argument.rfind("-max_len=", 0) == 0) lengthGiven = true;
        if (argument.rfind(artifactFlag, 0) == 0) {
            artifactPrefixGiven = true;
            if (absolutePaths) {
                argument = artifactFlag + std::filesystem::absolute(argument.substr(artifactFlag.size())).string();
            }
        }
        if (absolutePaths && !argument.empty() && argument[0] != '-') {
            argument = std::filesystem::absolute(argument).string();
        }
        if (argument.empty() || argument[0] == '-' || corpusSeen) continue;
        corpusSeen = true;
        std::error_code error;
        if (!std::filesystem::is_directory(argument, error)) continue;
        if (std::filesystem::directory_iterator(argument, error) == std::filesystem::directory_iterator()) {
            const std::size_t written = writeFuzzSeeds(kind, argument);
            std::fprintf(stderr, "wrote %zu seeds into %s\n", written, argument.c_str());
        }
    }
    if (!lengthGiven) arguments.push_back("-max_len=" + std::to_string(maxLength));
    if (absolutePaths && !artifactPrefixGiven) {
        arguments.push_back(artifactFlag + (std::filesystem::current_path() / "").string());
    }
    pointers.clear();
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();
}

// Reads a whole file with one request: byte by byte would cost the fuzzer more than the
// code under test, as the harness is instrumented like the library.
inline FuzzBytes readWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    FUZZ_EXPECT(!error);
    FuzzBytes bytes(static_cast<std::size_t>(size));
    std::ifstream file(path, std::ios::binary);
    FUZZ_EXPECT(file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)));
    return bytes;
}

// Line feeds in [begin, end), found with memchr for the same reason.
inline std::int64_t countLineFeeds(const char* begin, const char* end) {
    std::int64_t count = 0;
    for (const char* at = begin; at < end; ++count, ++at) {
        at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (at == nullptr) break;
    }
    return count;
}
