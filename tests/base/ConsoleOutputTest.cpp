#include <gtest/gtest.h>

#ifdef _WIN32

#include <windows.h>

#include <sstream>

#include "base/ConsoleOutput.h"

// Bound to a console window, the stream's UTF-8 shows there as its characters, one cut in two
// by the writes too, each once; the stream's own buffer gets nothing. The Windows check runs
// this test in a console window, which the suite's own run has not.
TEST(ConsoleOutput, ShowsTheCharactersThemselvesInAConsoleWindow) {
    const HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, 0, nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (screen == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no console window";
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, screen);
    std::ostringstream stream;
    {
        const Utf8ConsoleOutput console(stream);
        stream << "File: \xd0" << "\x9a\xd0\xb0.scn\n" << std::flush;
        stream.put('x') << "y";
    }
    SetStdHandle(STD_OUTPUT_HANDLE, output);
    wchar_t shown[2][13] = {};
    DWORD read = 0;
    for (short row = 0; row < 2; ++row) ReadConsoleOutputCharacterW(screen, shown[row], 13, COORD{0, row}, &read);
    CloseHandle(screen);
    EXPECT_EQ(std::wstring(shown[0], 13), L"File: \u041a\u0430.scn ");
    EXPECT_EQ(std::wstring(shown[1], 3), L"xy ");
    EXPECT_EQ(stream.str(), "");
}

#endif
