#include "RunTool.h"

#include <fstream>
#include <iterator>

#include "kit/Files.h"
#include "kit/TempFolder.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32
bool canRunTool() { return false; }
ToolRun runTool(const std::vector<std::string>&, const std::filesystem::path&, const std::filesystem::path&) { return {}; }
#else

bool canRunTool() { return true; }

ToolRun runTool(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                const std::filesystem::path& program) {
    TempFolder capture("tavorel-capture");
    const std::string outPath = (capture / "out").string();
    const std::string errPath = (capture / "err").string();
    const std::string binary = std::filesystem::absolute(program.empty() ? TAVOREL_BINARY : program).string();

    std::vector<std::string> argv{binary};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (auto& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    ToolRun run;
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            chdir(workingFolder.c_str()) != 0) {
            _exit(127);
        }
        execv(binary.c_str(), pointers.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    run.output = readFileText(outPath);
    run.errors = readFileText(errPath);
    return run;
}
#endif
