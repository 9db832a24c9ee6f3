#pragma once

#include <filesystem>
#include <vector>

#include "base/Outcome.h"

struct FolderEntry {
    std::filesystem::path path;  // the folder given, followed by the entry's name
    bool isRegularFile;
    bool isFolder = false;  // a folder itself, not a link to one
};

// The entries of a folder, in no set order, and whether it could be read whole: the
// problem is "could not read the folder <folder> (<reason>)", with the system's reason.
struct FolderListing {
    std::vector<FolderEntry> entries;
    Outcome outcome;
};

// Lists `folder` (the working directory when it is empty). On Windows the folder is read through
// its "\\?\" form, which takes folders of any length: the directory iterator of some
// standard libraries there reads the working directory instead of a folder whose path
// is longer than 260 characters.
FolderListing listFolder(const std::filesystem::path& folder);
