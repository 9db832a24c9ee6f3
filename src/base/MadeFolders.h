#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

// The folders that a run made for its outputs: each one it made and left empty is removed
// again when the run is over, so that a run that wrote nothing leaves nothing. A folder
// that was there before the run is never removed.
class MadeFolders {
public:
    MadeFolders() = default;
    ~MadeFolders();  // removes, the deepest first, those made and left empty
    MadeFolders(const MadeFolders&) = delete;
    MadeFolders& operator=(const MadeFolders&) = delete;

    // Creates `folder`, with the parents it lacks when `withParents`. Whether that worked
    // shows when the first file is created in it; the error of making it (none when it was
    // made or there already) tells why it is not there then.
    std::error_code create(const std::filesystem::path& folder, bool withParents);

private:
    std::vector<std::filesystem::path> made_;  // the deepest first
};
