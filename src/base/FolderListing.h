#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

struct FolderEntry {
    std::filesystem::path path;  // the folder given, followed by the entry's name
    bool isRegularFile;
    bool isFolder = false;  // a folder itself, not a link to one
};

// The entries of `folder` (the working directory when it is empty), in no set order;
// `error` tells when the folder could not be read. On Windows the folder is read through
// its "\\?\" form, which takes folders of any length: the directory iterator of some
// standard libraries there reads the working directory instead of a folder whose path
// is longer than 260 characters.
std::vector<FolderEntry> listFolder(const std::filesystem::path& folder, std::error_code& error);
