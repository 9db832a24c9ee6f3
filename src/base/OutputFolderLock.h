#pragma once

#include <cstdint>
#include <filesystem>

// Keeps two runs of the tool from writing into one output folder at the same time: each
// would take the other's temporary files for those of a killed run. The lock is a file in
// the folder, locked through the system, which releases the lock when the process ends in
// any way; the file is removed when the lock is given back, and one that a killed run left
// is taken over and removed by the next run.
class OutputFolderLock {
public:
    enum class State {
        Held,
        HeldElsewhere,  // another run holds the folder's lock
        Unavailable,    // no lock file can be made there (the folder is missing or read-only)
    };

    explicit OutputFolderLock(const std::filesystem::path& folder);
    ~OutputFolderLock();  // gives the lock back and removes its file
    OutputFolderLock(const OutputFolderLock&) = delete;
    OutputFolderLock& operator=(const OutputFolderLock&) = delete;

    State state() const { return state_; }

private:
    std::filesystem::path file_;
    State state_ = State::Unavailable;
    std::intptr_t handle_ = -1;  // the open lock file, while state_ is Held
};

// The lock file's name. It is named like a temporary file (base/ReplacingOutput.h), so
// that no output or copied file may take its name, but it is not removed as one.
extern const char* const kOutputFolderLockName;
