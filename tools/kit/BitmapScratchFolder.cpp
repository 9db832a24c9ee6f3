#include "kit/BitmapScratchFolder.h"

#include <atomic>
#include <chrono>
#include <system_error>

namespace fs = std::filesystem;

BitmapScratchFolder::BitmapScratchFolder(const std::string& label) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        path_ = fs::temp_directory_path() /
                ("tavorel-" + label + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (fs::create_directories(path_)) break;
    }
}

BitmapScratchFolder::~BitmapScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}
