#include "base/FailureReason.h"

namespace fs = std::filesystem;

namespace {

// The generic category words errno values alike on every platform, where the system's own
// category would word them differently on Windows; an error of another kind that has no
// generic counterpart (a Windows error code unknown to the library) gives no words.
std::string genericWords(std::error_code error) {
    if (!error) return {};
    const std::error_condition condition = error.default_error_condition();
    if (condition.category() != std::generic_category()) return {};
    return condition.message();
}

}  // namespace

std::string failureWords(const fs::path& path, std::error_code error, std::errc otherwise) {
    std::string words = genericWords(error);
    if (!words.empty()) return words;
    std::error_code statusError;
    const fs::file_status status = fs::status(path, statusError);
    words = genericWords(statusError);
    if (!words.empty()) return words;
    if (fs::is_directory(status)) return std::make_error_code(std::errc::is_a_directory).message();
    return std::make_error_code(otherwise).message();
}

std::string failureReason(const fs::path& path, std::error_code error, std::errc otherwise) {
    return " (" + failureWords(path, error, otherwise) + ")";
}

std::error_code errnoError(int savedErrno) {
    return savedErrno != 0 ? std::error_code(savedErrno, std::generic_category()) : std::error_code();
}
