#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/OutputFolderLock.h"
#include "base/ReplacingOutput.h"
#include "kit/Files.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// Until it is committed, the output is invisible under its name, which keeps what it held.
TEST(ReplacingOutput, NameKeepsItsFileUntilTheCommit) {
    enum class End { Commit, Discard, Destroy };
    for (const End end : {End::Commit, End::Discard, End::Destroy}) {
        TempFolder folder;
        const fs::path path = folder / "Rules.txt";
        std::ofstream(path) << "earlier";
        {
            ReplacingOutput output(path);
            ASSERT_TRUE(output.isOpen());
            output.stream() << "new text";
            output.stream().flush();
            EXPECT_EQ(readFileText(path), "earlier");
            ASSERT_EQ(namesIn(folder.path()).size(), 2u);
            EXPECT_TRUE(isTemporaryName(namesIn(folder.path())[0])) << namesIn(folder.path())[0];
            if (end == End::Commit) {
                EXPECT_TRUE(output.commit());
            }
            if (end == End::Discard) output.discard();
        }
        EXPECT_EQ(readFileText(path), end == End::Commit ? "new text" : "earlier");
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"Rules.txt"});
    }
}

TEST(ReplacingOutput, FolderThatCannotTakeTheFileGivesNoOutput) {
    TempFolder folder;
    std::ofstream(folder / "Converted") << "a file, not a folder";
    ReplacingOutput output(folder / "Converted" / "Units.bmp");
    EXPECT_FALSE(output.isOpen());
    EXPECT_FALSE(output.commit());
}

// Two outputs of one process never share a temporary file.
TEST(ReplacingOutput, OutputsOfOneFolderHaveTheirOwnTemporaryFiles) {
    TempFolder folder;
    ReplacingOutput first(folder / "a");
    ReplacingOutput second(folder / "b");
    first.stream() << "first";
    second.stream() << "second";
    EXPECT_EQ(namesIn(folder.path()).size(), 2u);
    EXPECT_TRUE(second.commit());
    EXPECT_TRUE(first.commit());
    EXPECT_EQ(readFileText(folder / "a"), "first");
    EXPECT_EQ(readFileText(folder / "b"), "second");
}

TEST(ReplacingOutput, OnlyTemporaryFilesAreStale) {
    struct Case {
        const char* name;
        bool temporary;
    };
    const Case cases[] = {
        {".tavorel-0f3a-1.partial", true},
        {".tavorel-.partial", true},
        {"Rules.txt", false},
        {".tavorel-0f3a-1.partial.bak", false},
        {"tavorel-0f3a-1.partial", false},
        {".tavorel.partial", false},
        {"Sample.partial", false},
    };
    TempFolder folder;
    for (const Case& file : cases) {
        EXPECT_EQ(isTemporaryName(file.name), file.temporary) << file.name;
        std::ofstream(folder / file.name) << file.name;
    }
    fs::create_directory(folder / ".tavorel-folder.partial");  // not a file of ours
    std::ofstream(folder / kOutputFolderLockName) << "held";  // the lock of the run that removes them
    removeStaleTemporaries(folder.path());
    for (const Case& file : cases) EXPECT_EQ(fs::exists(folder / file.name), !file.temporary) << file.name;
    EXPECT_TRUE(fs::exists(folder / ".tavorel-folder.partial"));
    EXPECT_TRUE(fs::exists(folder / kOutputFolderLockName));
}
