#include <gtest/gtest.h>

#include <sstream>

#include "base/ConsoleWait.h"

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
