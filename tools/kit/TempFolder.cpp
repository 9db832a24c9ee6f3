#include "kit/TempFolder.h"

#include <atomic>
#include <chrono>
#include <system_error>

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& label) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        path_ = fs::temp_directory_path() / (label + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::error_code error;
        if (fs::create_directories(path_, error)) break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // A test may leave a folder without write permission behind; give it back first.
    for (fs::recursive_directory_iterator it(path_, ignored), end; !ignored && it != end; it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}
