#include "report/FileLink.h"

#include <system_error>

#include "base/PathText.h"
#include "report/HtmlWriter.h"

namespace fs = std::filesystem;

namespace {

fs::path absoluteOf(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path.empty() ? fs::path(".") : path, error);
    return (error ? path : absolute).lexically_normal();
}

// The segments of `path` after its root, each encoded, joined by "/".
std::string encodedSegments(const fs::path& path) {
    std::string url;
    for (const fs::path& segment : path) {
        if (!url.empty()) url += '/';
        url += percentEncoded(displayPath(segment));
    }
    return url;
}

// A network share, \\server\share\..., which the library may not take for a root of its own
// (and which a system may map to a drive); on other systems two slashes are the one root.
bool isNetworkShare(const std::string& path) {
#ifdef _WIN32
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    return path.size() > 2 && separator(path[0]) && separator(path[1]) && !separator(path[2]) && path[2] != '?' &&
           path[2] != '.';  // not a device path, \\?\C:\...
#else
    (void)path;
    return false;
#endif
}

}  // namespace

std::string fileLink(const fs::path& pageFolder, const fs::path& target) {
    const std::string shown = displayPath(target);
    if (isNetworkShare(shown)) return "file://" + encodedSegments(pathFromUtf8(shown.substr(2)).lexically_normal());
    const fs::path folder = absoluteOf(pageFolder);
    const fs::path file = absoluteOf(target);
    if (folder.root_name() == file.root_name()) {
        const fs::path relative = file.lexically_relative(folder);
        if (!relative.empty()) return encodedSegments(relative);
    }
    // file:///C:/Games/x.bmp for a drive, file:///home/x.bmp where there are no drives.
    const std::string root = displayPath(file.root_name());
    return "file://" + (root.empty() ? std::string() : "/" + root) + "/" + encodedSegments(file.relative_path());
}
