#include <gtest/gtest.h>

#include <system_error>

#include "base/PathText.h"
#include "base/ProgramFolder.h"

namespace fs = std::filesystem;

// The tests are built beside the program, in the folder that the system names for them.
TEST(ProgramFolder, IsTheFolderThatHoldsTheRunningProgram) {
    const fs::path folder = programFolder();
    std::error_code error;
    EXPECT_TRUE(fs::equivalent(folder, fs::path(TAVOREL_BINARY).parent_path(), error)) << displayPath(folder);
}
