#include "base/PathText.h"

#include "base/Utf16Text.h"

namespace fs = std::filesystem;

#ifdef _WIN32

// wchar_t is a UTF-16 unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows paths are UTF-16");

fs::path pathFromUtf8(const std::string& text) {
    const std::u16string wide = utf16FromUtf8(text);
    return fs::path(std::wstring(wide.begin(), wide.end()));
}

std::string displayPath(const fs::path& path) {
    const std::wstring& wide = path.native();
    return utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

#else

fs::path pathFromUtf8(const std::string& text) { return fs::path(text); }

std::string displayPath(const fs::path& path) { return path.native(); }

#endif
