#include "base/FileCopy.h"

#include <fstream>
#include <system_error>
#include <vector>

bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

bool copyFileContents(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Opening `to` would empty `from` when both name one file.
    if (isSameFile(from, to)) return false;

    std::ifstream in(from, std::ios::binary);
    if (!in.is_open()) return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;

    std::vector<char> chunk(1 << 16);
    while (in && out) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        out.write(chunk.data(), in.gcount());
    }
    const bool readWhole = in.eof() && !in.bad();
    out.close();
    if (readWhole && !out.fail()) return true;

    std::error_code ignored;
    std::filesystem::remove(to, ignored);
    return false;
}
