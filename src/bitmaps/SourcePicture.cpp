#include "bitmaps/SourcePicture.h"

#include <cstring>
#include <istream>
#include <string>

Outcome decodeSourcePicture(PictureBytes file, const PictureExtent& extent, BitmapPicture& picture) {
    const auto startsWith = [&file](const char* signature) {
        const std::size_t length = std::strlen(signature);
        return file.size >= length && std::memcmp(file.data, signature, length) == 0;
    };
    if (startsWith("BM")) return decodeBmpPicture(file, extent, picture);
    if (startsWith("GIF8")) return decodeGifPicture(file, extent, picture);
    return Outcome::failure("is not a picture (neither a BMP nor a GIF file)");
}

Outcome readSourceFile(std::istream& file, std::vector<std::uint8_t>& buffer, PictureBytes& bytes) {
    bytes = {buffer.data(), 0};
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) return Outcome::failure("cannot be read");
    if (size > kLargestSourceFileBytes) {
        return Outcome::failure("is too large (" + std::to_string(size) + " bytes, at most " +
                                std::to_string(kLargestSourceFileBytes) + " read)");
    }
    if (buffer.size() < static_cast<std::size_t>(size)) buffer.resize(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(size))) {
        return Outcome::failure("cannot be read");
    }
    bytes = {buffer.data(), static_cast<std::size_t>(size)};
    return Outcome::success();
}
