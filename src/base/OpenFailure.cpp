#include "base/OpenFailure.h"

#include "base/FailureReason.h"

// A file that is there and no folder, but could not be opened without a word from the
// system, was most likely refused.
std::string openFailureReason(const std::filesystem::path& path, int savedErrno) {
    return failureWords(path, errnoError(savedErrno), std::errc::permission_denied);
}
