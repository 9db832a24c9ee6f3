#include <gtest/gtest.h>

#include <sstream>

#include "base/ConsoleWait.h"

// Only a start from Explorer waits: on Windows, in a console of its own, reading that
// console. A shell, a script, redirected input, Wine and Linux never wait.
TEST(ConsoleWait, OnlyAConsoleOfItsOwnOnWindowsWaits) {
    const struct {
        ConsoleStart start;
        bool waits;
    } cases[] = {
        {{true, true, true}, true},     // a double click, or files dropped on the program
        {{true, false, true}, false},   // cmd, PowerShell, a batch file: the shell shares the console
        {{true, true, false}, false},   // its own console, but input from a file or a pipe
        {{true, false, false}, false},  // a script with its input redirected
        {{false, true, true}, false},   // Wine, or Linux
        {{false, false, true}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start.windows << c.start.ownConsole << c.start.inputIsConsole);
        EXPECT_EQ(waitsForEnter(c.start), c.waits);
        std::ostringstream out;
        std::istringstream in("\nleft for later");
        waitForEnterIfAlone(c.start, out, in);
        EXPECT_EQ(out.str(), c.waits ? "Press Enter to close this window.\n" : "");
        // A wait reads up to the Enter, no further; no wait reads nothing.
        EXPECT_EQ(static_cast<int>(in.tellg()), c.waits ? 1 : 0);
    }
}

// The process the tests run in was started by a program, never from Explorer.
TEST(ConsoleWait, TheTestsThemselvesNeverWait) { EXPECT_FALSE(waitsForEnter(consoleStart())); }
