#include "base/CommandLine.h"

#ifdef _WIN32

#include <cstdio>
#include <iostream>

#include <windows.h>
#include <shellapi.h>

#include "base/Utf16Text.h"

std::vector<std::string> commandLineArguments(int, char*[]) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    for (int i = 1; i < count; ++i) {
        const std::wstring argument(wide[i]);
        arguments.push_back(utf8FromUtf16(std::u16string(argument.begin(), argument.end())));
    }
    LocalFree(wide);
    return arguments;
}

Utf8ConsoleOutput::Utf8ConsoleOutput() {
    DWORD mode = 0;
    // GetConsoleMode succeeds only for a console, not for a redirected output.
    if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) return;
    previousCodePage_ = GetConsoleOutputCP();
    if (previousCodePage_ == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) previousCodePage_ = 0;
}

// The console window outlives the program; later programs in it expect its own code page.
Utf8ConsoleOutput::~Utf8ConsoleOutput() {
    if (previousCodePage_ == 0) return;
    std::cout.flush();
    std::fflush(stdout);
    SetConsoleOutputCP(previousCodePage_);
}

#else

std::vector<std::string> commandLineArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

Utf8ConsoleOutput::Utf8ConsoleOutput() = default;
Utf8ConsoleOutput::~Utf8ConsoleOutput() = default;

#endif
