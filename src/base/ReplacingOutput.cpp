#include "base/ReplacingOutput.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <system_error>
#include <utility>

#include "base/FailureReason.h"
#include "base/FolderListing.h"
#include "base/OutputFolderLock.h"
#include "base/PathText.h"

namespace fs = std::filesystem;

namespace {

const std::string kTemporaryPrefix = ".tavorel-";
const std::string kTemporarySuffix = ".partial";

std::string hex(std::uint64_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (std::size_t i = 16; i-- > 0; value >>= 4) text[i] = digits[value & 0xF];
    return text;
}

// One token per process, from the random device and the clock (some standard libraries'
// random device repeats itself from run to run), and a count within the process: two
// runs in one folder, or two outputs of one run, never share a temporary name.
std::string nextTemporaryName() {
    static const std::uint64_t processToken = [] {
        std::random_device device;
        const auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return (static_cast<std::uint64_t>(device()) << 32 ^ device()) ^ ticks * 0x9E3779B97F4A7C15ULL;
    }();
    static std::uint64_t count = 0;
    return kTemporaryPrefix + hex(processToken) + "-" + std::to_string(++count) + kTemporarySuffix;
}

void removeQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

}  // namespace

bool isTemporaryName(const std::string& fileName) {
    return fileName.size() >= kTemporaryPrefix.size() + kTemporarySuffix.size() &&
           fileName.compare(0, kTemporaryPrefix.size(), kTemporaryPrefix) == 0 &&
           fileName.compare(fileName.size() - kTemporarySuffix.size(), kTemporarySuffix.size(), kTemporarySuffix) == 0;
}

void removeStaleTemporaries(const fs::path& folder) {
    for (const FolderEntry& entry : listFolder(folder).entries) {
        const std::string name = displayPath(entry.path.filename());
        if (entry.isRegularFile && isTemporaryName(name) && name != kOutputFolderLockName) {
            removeQuietly(entry.path);
        }
    }
}

ReplacingOutput::ReplacingOutput(fs::path finalPath) : finalPath_(std::move(finalPath)) {
    // A name that is taken already is passed over rather than truncated.
    for (int attempt = 0; attempt < 4 && !buffer_.is_open(); ++attempt) {
        temporaryPath_ = finalPath_.parent_path() / nextTemporaryName();
        std::error_code error;
        if (fs::exists(fs::symlink_status(temporaryPath_, error))) continue;
        buffer_.open(temporaryPath_, std::ios::binary | std::ios::out | std::ios::trunc);
    }
    if (!buffer_.is_open()) stream_.setstate(std::ios::failbit);
}

ReplacingOutput::~ReplacingOutput() { discard(); }

bool ReplacingOutput::finish() {
    if (finished_) return true;
    if (!buffer_.is_open()) return false;
    stream_.flush();
    const bool written = stream_.good();
    finished_ = buffer_.close() != nullptr && written;
    if (!finished_) discard();
    return finished_;
}

bool ReplacingOutput::commit() {
    if (!finish()) return false;
    std::error_code error;
    fs::rename(temporaryPath_, finalPath_, error);
    if (error) {
        renameError_ = error;
        discard();
        return false;
    }
    temporaryPath_.clear();
    return true;
}

// The folder is asked too. Where it is a file, Windows tells the folder missing: the words
// are those that other systems give, "Not a directory". Without a word from the system, the
// folder may be gone, or barred.
std::string ReplacingOutput::failureReason() const {
    std::error_code error = this->error();
    const fs::path folder = finalPath_.parent_path().empty() ? fs::path(".") : finalPath_.parent_path();
    std::error_code folderError;
    const fs::file_status folderStatus = fs::status(folder, folderError);
    const bool folderIsFile = fs::exists(folderStatus) && !fs::is_directory(folderStatus);
    if (folderIsFile && (!error || error == std::errc::no_such_file_or_directory)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (!error) error = folderError;
    if (!error) error = std::make_error_code(std::errc::io_error);
    return ::failureReason(finalPath_, error);
}

void ReplacingOutput::discard() {
    finished_ = false;
    if (temporaryPath_.empty()) return;
    if (buffer_.is_open()) buffer_.close();
    removeQuietly(temporaryPath_);
    temporaryPath_.clear();
}
