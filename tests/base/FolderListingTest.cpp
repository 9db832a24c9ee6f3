#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "base/FolderListing.h"
#include "base/PathText.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {
// Entries as "name:kind", sorted, for one comparison.
std::vector<std::string> describe(const std::vector<FolderEntry>& entries, const fs::path& folder) {
    std::vector<std::string> described;
    for (const FolderEntry& entry : entries) {
        EXPECT_EQ(entry.path.parent_path(), folder);
        described.push_back(displayPath(entry.path.filename()) + (entry.isRegularFile ? ":file" : ":folder"));
    }
    std::sort(described.begin(), described.end());
    return described;
}
}  // namespace

// A folder nested beyond 260 characters is listed as itself: some Windows standard
// libraries read the working directory instead.
TEST(FolderListing, ListsFilesAndFoldersOfShortAndLongFolders) {
    TempFolder root;
    fs::path deep = root.path();
    for (int level = 0; level < 6; ++level) deep /= std::string(50, char('a' + level));
    const std::vector<std::string> listed{"Battle.wav:file", "Sound:folder", u8"\u6226\u95d8.wav:file"};
    for (const fs::path& folder : {root.path() / "short", deep}) {
        fs::create_directories(folder / "Sound");
        std::ofstream(folder / "Battle.wav") << "x";
        std::ofstream(folder / pathFromUtf8(u8"\u6226\u95d8.wav")) << "x";
        const FolderListing listing = listFolder(folder);
        const std::vector<FolderEntry>& entries = listing.entries;
        EXPECT_TRUE(listing.outcome.ok()) << listing.outcome.problem();
        EXPECT_EQ(describe(entries, folder), listed) << displayPath(folder).size() << " characters";
    }
#ifdef _WIN32
    // Named in the "\\?\" form, which the standard library reads as no root of its own.
    const fs::path extended = L"\\\\?\\" + fs::absolute(root / "short").native();
    EXPECT_EQ(describe(listFolder(extended).entries, extended), listed);
#endif
}

// The reason is the error that the listing met: asked afterwards about a file that stands where
// the folder should, the file system finds nothing wrong with it.
TEST(FolderListing, AFolderThatCannotBeListedIsAnErrorWithTheSystemsReason) {
    TempFolder root;
    std::ofstream(root / "file") << "x";
    for (const auto& [name, reason] : {std::pair{"none", "No such file or directory"}, {"file", "Not a directory"}}) {
        const FolderListing listing = listFolder(root / name);
        EXPECT_TRUE(listing.entries.empty());
        EXPECT_FALSE(listing.outcome.ok());
#ifndef _WIN32  // where the system words them otherwise
        EXPECT_EQ(listing.outcome.problem(),
                  "could not read the folder " + displayPath(root / name) + " (" + reason + ")");
#endif
    }
}
