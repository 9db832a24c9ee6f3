#include "base/OpenFailure.h"

#include <system_error>

namespace fs = std::filesystem;

// The generic category words errno values alike on every platform, where the system's own
// category would word a missing file differently on Windows.
std::string openFailureReason(const fs::path& path, int savedErrno) {
    if (savedErrno != 0) return std::generic_category().message(savedErrno);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) return error.default_error_condition().message();
    if (fs::is_directory(status)) return std::make_error_code(std::errc::is_a_directory).message();
    return std::make_error_code(std::errc::permission_denied).message();
}
