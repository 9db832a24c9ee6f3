#include "base/MadeFolders.h"

#include <system_error>

namespace fs = std::filesystem;

std::error_code MadeFolders::create(const fs::path& folder, bool withParents) {
    std::error_code error;
    // The folders that are not there yet, the deepest first.
    std::vector<fs::path> missing;
    // Written plainly ("out/" is "out", "a/../b" is "b"), so that no level names a folder
    // that was there before under another spelling.
    fs::path named = folder.lexically_normal();
    if (!named.has_filename()) named = named.parent_path();
    for (fs::path level = named; !level.empty() && !fs::exists(level, error); level = level.parent_path()) {
        missing.push_back(level);
        if (!withParents || level == level.parent_path()) break;
    }
    std::error_code madeError;
    if (withParents) {
        fs::create_directories(folder, madeError);
    } else {
        fs::create_directory(folder, madeError);
    }
    for (const fs::path& level : missing) {
        if (fs::is_directory(level, error)) made_.push_back(level);
    }
    return madeError;
}

// A folder that holds anything stops the removal: the folders above it hold it.
MadeFolders::~MadeFolders() {
    for (const fs::path& folder : made_) {
        std::error_code error;
        if (!fs::exists(folder, error)) continue;
        if (!fs::is_empty(folder, error) || error || !fs::remove(folder, error)) return;
    }
}
