#include "base/FileLookup.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {
bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}
}  // namespace

fs::path findIgnoringCase(const fs::path& folder, const std::string& name) {
    const fs::path exact = folder / name;
    std::error_code error;
    if (fs::exists(exact, error)) return exact;

    const fs::path searched = folder.empty() ? fs::path(".") : folder;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(searched, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (equalIgnoringCase(entry, name)) matches.push_back(entry);
    }
    if (matches.empty()) return exact;
    return folder / *std::min_element(matches.begin(), matches.end());
}

std::string storedName(const fs::path& folder, const std::string& name) {
    const fs::path searched = folder.empty() ? fs::path(".") : folder;
    std::error_code error;
    std::string found;
    for (fs::directory_iterator it(searched, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (entry == name) return entry;
        if (equalIgnoringCase(entry, name) && (found.empty() || entry < found)) found = entry;
    }
    return found.empty() ? name : found;
}
