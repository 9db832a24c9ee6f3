#include <gtest/gtest.h>

#include <sstream>

#include "driver/RunConsole.h"
#include "driver/TemplateFolder.h"
#include "kit/Files.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

// Which folder a run takes its templates from, and what it says of it. "rules" holds
// Rules.txt alone, "bitmaps" one bitmap in capitals, "none" a scenario's files but no
// template; "" stands for a program folder the system could not tell.
TEST(TemplateFolder, NamedThenWorkingThenProgramFolder) {
    const TempFolder root("tavorel-template-choice");
    for (const char* folder : {"rules", "bitmaps", "none"}) fs::create_directories(root / folder);
    writeFileText(root / "rules" / "Rules.txt", "@COSMIC\n");
    writeFileText(root / "bitmaps" / "UNITS.BMP", "BM");
    writeFileText(root / "none" / "Sample.scn", "");
    fs::create_directories(root / "none" / "Units.bmp");  // a folder of a template's name is none
    const struct {
        const char* named;
        const char* working;
        const char* program;
        const char* chosen;
        bool found;
        bool besideProgram;
    } cases[] = {
        {"none", "rules", "bitmaps", "none", false, false},  // the folder named is the only one looked at
        {"bitmaps", "none", "none", "bitmaps", true, false},
        {"", "rules", "bitmaps", "rules", true, false},  // the working folder first
        {"", "none", "bitmaps", "bitmaps", true, true},
        {"", "none", "rules", "rules", true, true},
        {"", "none", "none", "none", false, false},  // the error names the working folder
        {"", "none", "", "none", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.named) + "|" + c.working + "|" + c.program);
        const std::string named = *c.named ? (root / c.named).string() : "";
        const fs::path program = *c.program ? root / c.program : fs::path();
        const TemplateChoice choice = chooseTemplateFolder(named, root / c.working, program);
        EXPECT_EQ(choice.folder, root / c.chosen);
        EXPECT_EQ(choice.shownFolder, (root / c.chosen).string());
        EXPECT_EQ(choice.found, c.found);
        EXPECT_EQ(choice.besideProgram, c.besideProgram);

        std::ostringstream out;
        RunConsole console(out, false);
        EXPECT_EQ(announceTemplateFolder(choice, console), c.found);
        const std::string said = !c.found ? "Error: " + choice.shownFolder + " holds no destination templates"
                                 : c.besideProgram ? "Note: templates taken from " + choice.shownFolder +
                                                         ", the folder that holds Tavorel.\n"
                                                   : "";
        EXPECT_EQ(out.str().substr(0, said.size()), said);
        if (c.found && !c.besideProgram) {
            EXPECT_EQ(out.str(), "");
        }
    }
}
