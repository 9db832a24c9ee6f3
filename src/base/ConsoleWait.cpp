#include "base/ConsoleWait.h"

#include <istream>
#include <ostream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

bool waitsForEnter(const ConsoleStart& start) { return start.windows && start.ownConsole && start.inputIsConsole; }

#ifdef _WIN32

namespace {

// Wine's own library exports this; Windows' does not.
bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

ConsoleStart consoleStart() {
    ConsoleStart start;
    start.windows = !underWine();
    // Room for two: a count of 1 means this process alone, whatever else may attach later.
    DWORD processes[2] = {};
    start.ownConsole = GetConsoleProcessList(processes, 2) == 1;
    DWORD mode = 0;
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    start.inputIsConsole = input != INVALID_HANDLE_VALUE && input != nullptr && GetConsoleMode(input, &mode) != 0;
    return start;
}

#else

ConsoleStart consoleStart() { return {}; }

#endif

void waitForEnterIfAlone(const ConsoleStart& start, std::ostream& out, std::istream& in) {
    if (!waitsForEnter(start)) return;
    out << "Press Enter to close this window.\n" << std::flush;
    std::string line;
    std::getline(in, line);
}
