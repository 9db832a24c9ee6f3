#pragma once

#include <cstdint>
#include <string>

// Lets this process write no file beyond `bytes` for the life of the object, as a disk
// that fills up does: a write past the limit fails (POSIX; the signal such a write
// raises is ignored meanwhile). Where the platform has no such limit, active() is false.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }
    const std::string& problem() const { return problem_; }

private:
    bool active_ = false;
    std::string problem_;
    std::uint64_t previousLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};
