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

#ifdef _WIN32

// A file opened without sharing cannot be opened again until it is closed, and one opened
// to be deleted on closing goes when its process ends, however it ends.
std::intptr_t lockFile(const fs::path& file, OutputFolderLock::State& state) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        state = error == ERROR_SHARING_VIOLATION ? OutputFolderLock::State::HeldElsewhere
                                                 : OutputFolderLock::State::Unavailable;
        return kNoHandle;
    }
    state = OutputFolderLock::State::Held;
    return reinterpret_cast<std::intptr_t>(handle);
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
std::intptr_t lockFile(const fs::path& file, OutputFolderLock::State& state) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (descriptor < 0) break;
        if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            close(descriptor);
            state = OutputFolderLock::State::HeldElsewhere;
            return kNoHandle;
        }
        if (sameFile(descriptor, file)) {
            state = OutputFolderLock::State::Held;
            return descriptor;
        }
        close(descriptor);
    }
    state = OutputFolderLock::State::Unavailable;
    return kNoHandle;
}

// Removed while still locked: a run that opens it in the meantime finds it gone.
void unlockFile(const fs::path& file, std::intptr_t handle) {
    unlink(file.c_str());
    close(static_cast<int>(handle));
}

#endif

}  // namespace

OutputFolderLock::OutputFolderLock(const fs::path& folder)
    : file_(folder / kOutputFolderLockName), handle_(lockFile(file_, state_)) {}

OutputFolderLock::~OutputFolderLock() {
    if (handle_ != kNoHandle) unlockFile(file_, handle_);
}
