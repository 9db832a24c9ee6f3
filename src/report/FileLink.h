#pragma once

#include <filesystem>
#include <string>

// The address by which a page that lies in `pageFolder` links `target`: the relative path from
// the folder, each of its segments percent-encoded, where one leads there; else a file: URL of
// the absolute path (a target on another drive). Both paths are made absolute from the working
// directory and taken as they are spelled, as a browser resolves a relative address: by the
// text of the page's own address, not through the links of the file system.
std::string fileLink(const std::filesystem::path& pageFolder, const std::filesystem::path& target);
