#include "kit/FileSizeLimit.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#ifdef _WIN32
FileSizeLimit::FileSizeLimit(std::uint64_t) : problem_("this platform has no file size limit for a process") {}
FileSizeLimit::~FileSizeLimit() = default;
#else
FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        problem_ = std::string("cannot read the file size limit: ") + std::strerror(errno);
        return;
    }
    previousLimit_ = limit.rlim_cur;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    if (!active_) {
        problem_ = std::string("cannot set a file size limit: ") + std::strerror(errno);
        std::signal(SIGXFSZ, previousHandler_);
    }
}

FileSizeLimit::~FileSizeLimit() {
    if (!active_) return;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(previousLimit_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}
#endif
