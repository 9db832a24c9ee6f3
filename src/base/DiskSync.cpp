#include "base/DiskSync.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef _WIN32
bool syncToDisk(const std::filesystem::path& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    return flushed;
}
#else
bool syncToDisk(const std::filesystem::path& file) {
    // The data of a file belongs to the file, not to a descriptor: a descriptor opened
    // for this call reaches what the stream wrote.
    const int descriptor = open(file.c_str(), O_RDONLY);
    if (descriptor < 0) return false;
    const bool synced = fsync(descriptor) == 0;
    return close(descriptor) == 0 && synced;
}
#endif
