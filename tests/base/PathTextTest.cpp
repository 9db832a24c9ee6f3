#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "base/FileLookup.h"
#include "base/PathText.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {
// Cyrillic, CJK and accented Latin names, as UTF-8 bytes.
const char* const kNames[] = {
    u8"\u0421\u0446\u0435\u043d\u0430\u0440\u0438\u0438 \u042e\u0440\u0438\u044f",
    u8"\u6226\u7565\u30b7\u30ca\u30ea\u30aa",
    u8"J\u00fcrgen \u00e9t\u00e9 \u00d8re",
};
}  // namespace

// The names reach the file system and come back from a folder listing byte for byte.
TEST(PathText, NamesReachTheFileSystemUnchanged) {
    TempFolder folder;
    for (const char* name : kNames) {
        const fs::path file = folder.path() / pathFromUtf8(std::string(name) + ".txt");
        std::ofstream(file) << "x";
        EXPECT_TRUE(fs::exists(file)) << name;
        EXPECT_EQ(displayPath(file.filename()), std::string(name) + ".txt");
        EXPECT_EQ(pathFromUtf8(displayPath(file)), file) << name;
    }
    std::vector<std::string> listed;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path())) {
        listed.push_back(displayPath(entry.path().filename()));
    }
    for (const char* name : kNames) {
        EXPECT_NE(std::find(listed.begin(), listed.end(), std::string(name) + ".txt"), listed.end()) << name;
    }
}

TEST(PathText, LookupIgnoringCaseFindsNamesOutsideASCII) {
    TempFolder folder;
    for (const char* name : kNames) {
        std::ofstream(folder.path() / pathFromUtf8(std::string(name) + ".TXT")) << "x";
        const fs::path found = findIgnoringCase(folder.path(), std::string(name) + ".txt");
        EXPECT_TRUE(fs::exists(found)) << name;
        EXPECT_EQ(displayPath(found.filename()).substr(0, std::string(name).size()), name);
    }
}

// On Windows the path holds the characters themselves, not a code page's guess at them;
// elsewhere it holds the bytes.
TEST(PathText, PathsHoldTheNameItself) {
#ifdef _WIN32
    EXPECT_EQ(pathFromUtf8(u8"\u0421\u0446/\u6226 J\u00fc").native(), L"\u0421\u0446/\u6226 J\u00fc");
#else
    EXPECT_EQ(pathFromUtf8("\xd0\xa1\xff/x").native(), "\xd0\xa1\xff/x");
    EXPECT_EQ(displayPath(fs::path("\xd0\xa1\xff/x")), "\xd0\xa1\xff/x");
#endif
}
