#include <gtest/gtest.h>

#include <sstream>

#include "base/ConsoleWait.h"

#ifdef _WIN32
#include <windows.h>

#include "kit/TempFolder.h"
#endif

// Only a start from Explorer waits: on Windows, in a console of its own, reading that
// console; it asks once and reads up to the Enter, no further. A shell, a script,
// redirected input, Wine and Linux never wait, nor do the tests themselves.
TEST(ConsoleWait, OnlyAConsoleOfItsOwnOnWindowsWaits) {
    const struct {
        ConsoleStart start;  // Windows itself, its own console, input from that console
        bool waits;
    } cases[] = {
        {{true, true, true}, true},  {{true, false, true}, false}, {{true, true, false}, false},
        {{true, false, false}, false}, {{false, true, true}, false}, {consoleStart(), false},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        std::istringstream in("\nleft for later");
        waitForEnterIfAlone(c.start, out, in);
        EXPECT_EQ(out.str(), c.waits ? "Press Enter to close this window.\n" : "");
        EXPECT_EQ(static_cast<int>(in.tellg()), c.waits ? 1 : 0);
    }
}

#ifdef _WIN32
// What the system tells: Wine (its settings under Software\Wine) is no Windows; input reads a
// console only from one (the Windows check runs this test in a console window too), not from
// a file or no handle; a console made for the process holds it alone.
TEST(ConsoleWait, TellsWindowsItsOwnConsoleAndConsoleInput) {
    HKEY wine = nullptr;
    EXPECT_EQ(consoleStart().windows, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Wine", 0, KEY_READ, &wine) != 0);
    RegCloseKey(wine);
    const TempFolder folder;
    const HANDLE file = CreateFileW((folder / "in").c_str(), GENERIC_READ, 0, nullptr, CREATE_NEW, 0, nullptr);
    const HANDLE console = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    const DWORD kinds[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    const HANDLE standard[] = {GetStdHandle(kinds[0]), GetStdHandle(kinds[1]), GetStdHandle(kinds[2])};
    for (const HANDLE input : {file, INVALID_HANDLE_VALUE, HANDLE(nullptr), console}) {
        SetStdHandle(STD_INPUT_HANDLE, input);
        EXPECT_EQ(consoleStart().inputIsConsole, input == console && console != INVALID_HANDLE_VALUE);
    }
    SetStdHandle(STD_INPUT_HANDLE, standard[0]);
    CloseHandle(file);
    if (console == INVALID_HANDLE_VALUE) {  // no console of use to leave as it was
        FreeConsole();
        EXPECT_FALSE(consoleStart().ownConsole);
        ASSERT_TRUE(AllocConsole());
        EXPECT_TRUE(consoleStart().ownConsole);
        FreeConsole();
        for (int i = 0; i < 3; ++i) SetStdHandle(kinds[i], standard[i]);
    }
    CloseHandle(console);
}
#endif
