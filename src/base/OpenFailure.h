#pragma once

#include <filesystem>
#include <string>

// Why `path` could not be opened, in the system's words ("No such file or directory"):
// `savedErrno` is errno as the failed open left it, or 0 when it set none, and the file
// system is asked then.
std::string openFailureReason(const std::filesystem::path& path, int savedErrno);
