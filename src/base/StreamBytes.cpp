#include "base/StreamBytes.h"

#include <istream>

bool readBytesAt(std::istream& file, std::int64_t position, std::uint8_t* into, std::int64_t count) {
    if (count <= 0) return true;
    file.clear();
    file.seekg(position);
    return static_cast<bool>(file.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count)));
}

Outcome readFileRest(std::istream& file, std::int64_t begin, std::int64_t fileSize, std::vector<std::uint8_t>& bytes) {
    bytes.resize(static_cast<std::size_t>(fileSize - begin));
    if (!readBytesAt(file, begin, bytes.data(), fileSize - begin)) return Outcome::failure("cannot be read");
    return Outcome::success();
}
