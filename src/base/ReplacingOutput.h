#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#include "base/SystemFile.h"

// An output file that replaces the file of its name whole or not at all. It is written
// under a temporary name in the same folder, and renamed over its final name only once
// it is complete and closed without error. Until then a file of the final name keeps what
// it held, and keeps it for good when the output is discarded; a run killed at any moment
// leaves at most a temporary file, which the next run removes. The run does not wait for
// the disk: its outputs can always be made again from inputs it never changes, so after a
// power cut the conversion is simply run again.
class ReplacingOutput {
public:
    // Creates the temporary file; check isOpen() afterwards.
    explicit ReplacingOutput(std::filesystem::path finalPath);
    ~ReplacingOutput();  // discards an output that was not committed
    ReplacingOutput(const ReplacingOutput&) = delete;
    ReplacingOutput& operator=(const ReplacingOutput&) = delete;

    bool isOpen() const { return buffer_.is_open(); }
    std::ostream& stream() { return stream_; }
    const std::filesystem::path& path() const { return finalPath_; }

    // Why the output failed, in the system's words, to follow its path in a message
    // (base/FailureReason.h): the error of the first call that failed (create, write, close
    // or rename), as it was left; where it left none, what its folder shows.
    std::string failureReason() const;
    // That error itself; none when the system gave none.
    std::error_code error() const { return buffer_.error() ? buffer_.error() : renameError_; }

    // Flushes and closes the file, where that was not done yet, and renames it over the
    // final name. False when any of that failed: the temporary file
    // is removed then, and the final name keeps what it held.
    bool commit();

    // The part of commit() before the rename, for outputs that are put in place together:
    // each is finished first, and none renamed unless all could be. False (the temporary
    // file removed) when it failed.
    bool finish();

    // Closes and removes the temporary file; the final name keeps what it held.
    void discard();

private:
    std::filesystem::path finalPath_;
    std::filesystem::path temporaryPath_;
    SystemFileBuffer buffer_;
    std::ostream stream_{&buffer_};
    std::error_code renameError_;
    bool finished_ = false;
};

// Temporary files are named ".tavorel-<token>.partial". No name the tool writes or copies
// may look like that: the scenario file's name, and the names in the scenario's Sound
// folder, are checked with this before they are used.
bool isTemporaryName(const std::string& fileName);

// Removes the temporary files that a run killed in the middle left directly in `folder`;
// nothing else is touched, the lock file of the folder (base/OutputFolderLock.h) neither:
// call it only while holding that lock.
void removeStaleTemporaries(const std::filesystem::path& folder);
