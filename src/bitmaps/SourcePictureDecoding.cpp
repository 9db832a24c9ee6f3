#include "bitmaps/SourcePictureDecoding.h"

#include <cstring>
#include <istream>
#include <string>
#include <vector>

#include "base/StreamBytes.h"
#include "bitmaps/BmpPicture.h"
#include "bitmaps/GifPicture.h"

Outcome decodeSourcePicture(std::istream& file, const PictureExtent& extent, SourcePicture& picture) {
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) return Outcome::failure("cannot be read");
    if (size > kLargestSourceFileBytes) {
        return Outcome::failure("is too large (" + std::to_string(size) + " bytes, at most " +
                                std::to_string(kLargestSourceFileBytes) + " read)");
    }
    // The file's kind, by its signature.
    std::uint8_t start[4] = {};
    const std::int64_t startBytes = size < 4 ? size : 4;
    if (!readBytesAt(file, 0, start, startBytes)) return Outcome::failure("cannot be read");
    const auto startsWith = [&](const char* signature) {
        const std::int64_t length = static_cast<std::int64_t>(std::strlen(signature));
        return startBytes >= length && std::memcmp(start, signature, static_cast<std::size_t>(length)) == 0;
    };
    if (startsWith("BM")) return decodeBmpPicture(file, size, extent, picture);
    if (startsWith("GIF8")) {
        std::vector<std::uint8_t> bytes;
        Outcome read = readFileRest(file, 0, size, bytes);
        if (!read.ok()) return read;
        return decodeGifPicture({bytes.data(), bytes.size()}, extent, picture);
    }
    return Outcome::failure("is not a picture (neither a BMP nor a GIF file)");
}
