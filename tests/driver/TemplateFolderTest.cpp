#include <gtest/gtest.h>

#include "driver/TemplateFolder.h"
#include "kit/Files.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

// Which folder a run takes its templates from. "rules" holds Rules.txt alone, "bitmaps" one
// bitmap in capitals, "none" a scenario's file and a folder of a template's name; "" stands
// for a program folder that the system could not tell.
TEST(TemplateFolder, NamedThenWorkingThenProgramFolder) {
    const TempFolder root("tavorel-template-choice");
    fs::create_directories(root / "none" / "Units.bmp");
    fs::create_directories(root / "rules");
    fs::create_directories(root / "bitmaps");
    writeFileText(root / "rules" / "Rules.txt", "@COSMIC\n");
    writeFileText(root / "bitmaps" / "UNITS.BMP", "BM");
    writeFileText(root / "none" / "Sample.scn", "");
    const struct {
        const char *named, *working, *program, *chosen;
        bool found, besideProgram;
    } cases[] = {
        {"none", "rules", "bitmaps", "none", false, false},  // only the folder named is looked at
        {"bitmaps", "none", "none", "bitmaps", true, false},
        {"", "rules", "bitmaps", "rules", true, false},
        {"", "none", "bitmaps", "bitmaps", true, true},
        {"", "none", "rules", "rules", true, true},
        {"", "none", "none", "none", false, false},  // the error names the working folder
        {"", "none", "", "none", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.named) + "|" + c.working + "|" + c.program);
        const fs::path program = *c.program ? root / c.program : fs::path();
        const TemplateChoice choice =
            chooseTemplateFolder(*c.named ? (root / c.named).string() : "", root / c.working, program);
        EXPECT_EQ(choice.folder, root / c.chosen);
        EXPECT_EQ(choice.shownFolder, (root / c.chosen).string());
        EXPECT_EQ(choice.found, c.found);
        EXPECT_EQ(choice.besideProgram, c.besideProgram);
    }
}
