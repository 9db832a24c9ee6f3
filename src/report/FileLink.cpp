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

}  // namespace

std::string fileLink(const fs::path& pageFolder, const fs::path& target) {
    const fs::path folder = absoluteOf(pageFolder);
    const fs::path file = absoluteOf(target);
    if (folder.root_name() == file.root_name()) {
        const fs::path relative = file.lexically_relative(folder);
        if (!relative.empty()) return encodedSegments(relative);
    }
    // file:///C:/Games/x.bmp for a drive, file://server/share/x.bmp for a network share,
    // file:///home/x.bmp where there are no drives.
    const std::string root = displayPath(file.root_name());
    const bool share = root.size() > 2 && (root[0] == '\\' || root[0] == '/');
    std::string url = "file://";
    if (share) {
        url += percentEncoded(root.substr(2));
    } else if (!root.empty()) {
        url += "/" + root;
    }
    return url + "/" + encodedSegments(file.relative_path());
}
