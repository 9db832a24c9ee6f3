#include "base/FileLookup.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "base/FolderListing.h"
#include "base/PathText.h"

namespace fs = std::filesystem;

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

fs::path findIgnoringCase(const fs::path& folder, const std::string& name) {
    const fs::path exact = folder / pathFromUtf8(name);
    std::error_code error;
    if (fs::exists(exact, error)) return exact;

    std::vector<std::string> matches;
    for (const FolderEntry& entry : listFolder(folder).entries) {
        std::string entryName = displayPath(entry.path.filename());
        if (equalIgnoringCase(entryName, name)) matches.push_back(entryName);
    }
    if (matches.empty()) return exact;
    return folder / pathFromUtf8(*std::min_element(matches.begin(), matches.end()));
}

std::string storedName(const fs::path& folder, const std::string& name) {
    std::string found;
    for (const FolderEntry& listed : listFolder(folder).entries) {
        std::string entry = displayPath(listed.path.filename());
        if (entry == name) return entry;
        if (equalIgnoringCase(entry, name) && (found.empty() || entry < found)) found = entry;
    }
    return found.empty() ? name : found;
}
