#include "base/ProgramFolder.h"

#include <system_error>

#ifdef _WIN32

#include <string>

#include <windows.h>

namespace fs = std::filesystem;

// The name may be longer than MAX_PATH where long paths are enabled: the buffer grows until
// the whole name fits, which the call tells by leaving room to spare.
fs::path programFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) return fs::path(name.substr(0, length)).parent_path();
        name.resize(name.size() * 2);
    }
}

#else

namespace fs = std::filesystem;

fs::path programFolder() {
    std::error_code unknown;
    const fs::path executable = fs::read_symlink("/proc/self/exe", unknown);
    return unknown ? fs::path() : executable.parent_path();
}

#endif
