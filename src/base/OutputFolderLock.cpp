#include "base/OutputFolderLock.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

const char* const kOutputFolderLockName = ".tavorel-lock.partial";

namespace {

constexpr std::intptr_t kNoHandle = -1;

// What an attempt to lock gives: the state, and the handle that holds the lock.
struct Attempt {
    OutputFolderLock::State state;
    std::intptr_t handle = kNoHandle;
};

#ifdef _WIN32

// A file opened without sharing cannot be opened again until it is closed, and one opened
// to be deleted on closing goes when its process ends, however it ends.
Attempt lockFile(const fs::path& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const bool shared = GetLastError() == ERROR_SHARING_VIOLATION;
        return {shared ? OutputFolderLock::State::HeldElsewhere : OutputFolderLock::State::Unavailable};
    }
    return {OutputFolderLock::State::Held, reinterpret_cast<std::intptr_t>(handle)};
}

void unlockFile(const fs::path&, std::intptr_t handle) { CloseHandle(reinterpret_cast<HANDLE>(handle)); }

#else

bool sameFile(int descriptor, const fs::path& file) {
    struct stat opened {};
    struct stat named {};
    return fstat(descriptor, &opened) == 0 && stat(file.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// An advisory lock on the open file, which the system gives back with the process. The
// run that held it removes the file before it lets go, so a lock won on a file that no
// longer bears the name is tried again on the file that does.
Attempt lockFile(const fs::path& file) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (descriptor < 0) break;
        if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            close(descriptor);
            return {OutputFolderLock::State::HeldElsewhere};
        }
        if (sameFile(descriptor, file)) return {OutputFolderLock::State::Held, descriptor};
        close(descriptor);
    }
    return {OutputFolderLock::State::Unavailable};
}

// Removed while still locked: a run that opens it in the meantime finds it gone.
void unlockFile(const fs::path& file, std::intptr_t handle) {
    unlink(file.c_str());
    close(static_cast<int>(handle));
}

#endif

}  // namespace

OutputFolderLock::OutputFolderLock(const fs::path& folder) : file_(folder / kOutputFolderLockName) {
    const Attempt attempt = lockFile(file_);
    state_ = attempt.state;
    handle_ = attempt.handle;
}

OutputFolderLock::~OutputFolderLock() {
    if (handle_ != kNoHandle) unlockFile(file_, handle_);
}
