#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// A small memory file system mounted on a folder for the life of the object, where the
// machine lets the test mount one (Linux, as root); unmounted again at the end.
class SmallFileSystem {
public:
    SmallFileSystem(const std::filesystem::path& folder, std::int64_t kilobytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    // Why it could not be mounted, or made read-only.
    const std::string& problem() const { return problem_; }
    // Mounts it again, read-only; false (with the problem) when that is refused.
    bool makeReadOnly();

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string problem_;
};
