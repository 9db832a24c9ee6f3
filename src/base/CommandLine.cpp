#include "base/CommandLine.h"

#ifdef _WIN32

#include <windows.h>

// After windows.h, whose types it uses.
#include <shellapi.h>

#include "base/Utf16Text.h"

std::vector<std::string> commandLineArguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    // Out of memory only; argv is then the best there is.
    if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const std::wstring argument(wide[i]);
        arguments.push_back(utf8FromUtf16(std::u16string(argument.begin(), argument.end())));
    }
    LocalFree(wide);
    return arguments;
}

#else

std::vector<std::string> commandLineArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif
