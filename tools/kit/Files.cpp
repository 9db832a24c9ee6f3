#include "kit/Files.h"

#include <fstream>
#include <iterator>

namespace {

template <typename Bytes>
Bytes readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeWhole(const std::filesystem::path& path, const char* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
    out.close();
    return !out.fail();
}

}  // namespace

std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& path) {
    return readWhole<std::vector<std::uint8_t>>(path);
}

bool writeFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    return writeWhole(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string readFileText(const std::filesystem::path& path) { return readWhole<std::string>(path); }

bool writeFileText(const std::filesystem::path& path, const std::string& text) {
    return writeWhole(path, text.data(), text.size());
}

FileTree readFileTree(const std::filesystem::path& folder) {
    FileTree files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && !entry.is_symlink()) {
            files[std::filesystem::relative(entry.path(), folder).generic_string()] = readFileBytes(entry.path());
        }
    }
    return files;
}
