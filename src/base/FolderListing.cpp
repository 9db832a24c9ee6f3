#include "base/FolderListing.h"

#include <system_error>

#include "base/FailureReason.h"
#include "base/PathText.h"

namespace fs = std::filesystem;

namespace {

// `error` is what the listing failed with.
FolderListing listed(std::vector<FolderEntry> entries, const fs::path& folder, bool readWhole,
                     std::error_code error = {}) {
    if (readWhole) return {std::move(entries), Outcome::success()};
    const fs::path searched = folder.empty() ? fs::path(".") : folder;
    return {std::move(entries),
            Outcome::failure("could not read the folder " + displayPath(folder) + failureReason(searched, error))};
}

}  // namespace

#ifdef _WIN32

#include <string>

#include <windows.h>

namespace {

// The absolute "\\?\" form, which the file functions take without a length limit and
// without reading "." or ".." in it, hence the normalisation first. A folder named in that
// form already, or on a network share (\\server\share\...), is taken by its text: the
// standard library reads neither as a root of its own, and would make it a folder of the
// current drive.
std::wstring extendedForm(const fs::path& folder, std::error_code& error) {
    const std::wstring given = fs::path(folder).make_preferred().native();
    if (given.rfind(L"\\\\?\\", 0) == 0) return given;
    if (given.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + fs::path(given.substr(2)).lexically_normal().native();
    const fs::path full = fs::absolute(folder, error).lexically_normal().make_preferred();
    if (error) return {};
    return L"\\\\?\\" + full.native();
}

}  // namespace

FolderListing listFolder(const fs::path& folder) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    std::wstring pattern = extendedForm(folder.empty() ? fs::path(".") : folder, error);
    if (error) return listed(std::move(entries), folder, false, error);
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return listed(std::move(entries), folder, false,
                      std::error_code(static_cast<int>(GetLastError()), std::system_category()));
    }
    do {
        const std::wstring name(found.cFileName);
        if (name == L"." || name == L"..") continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // A link or junction to a folder is a folder with a reparse point.
        const bool isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entries.push_back({folder / name, !isFolder, isFolder && !isLink});
    } while (FindNextFileW(search, &found));
    const DWORD lastError = GetLastError();
    FindClose(search);
    return listed(std::move(entries), folder, lastError == ERROR_NO_MORE_FILES,
                  std::error_code(static_cast<int>(lastError), std::system_category()));
}

#else

FolderListing listFolder(const fs::path& folder) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    const fs::path searched = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(searched, error), end; !error && it != end; it.increment(error)) {
        // An entry whose kind cannot be told (a dangling link, say) is no regular file.
        std::error_code kindError;
        const bool isFolder = it->is_directory(kindError) && !it->is_symlink(kindError);
        entries.push_back({folder / it->path().filename(), it->is_regular_file(kindError), isFolder});
    }
    return listed(std::move(entries), folder, !error, error);
}

#endif
