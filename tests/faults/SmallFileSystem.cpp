#include "SmallFileSystem.h"

#include <cerrno>
#include <cstring>

#if defined(__linux__)
#include <sys/mount.h>
#endif

SmallFileSystem::SmallFileSystem(const std::filesystem::path& folder, std::int64_t kilobytes)
    : folder_(folder) {
#if defined(__linux__)
    std::filesystem::create_directories(folder_);
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
    mounted_ = mount("tavorel-faults", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) problem_ = std::string("cannot mount a small file system here: ") + std::strerror(errno);
#else
    (void)kilobytes;
    problem_ = "mounting a small file system is a Linux test";
#endif
}

SmallFileSystem::~SmallFileSystem() {
#if defined(__linux__)
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
#endif
}

bool SmallFileSystem::makeReadOnly() {
#if defined(__linux__)
    if (!mounted_) return false;
    if (mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0) return true;
    problem_ = std::string("cannot make the small file system read-only: ") + std::strerror(errno);
#endif
    return false;
}
