#include "bitmaps/BmpHeader.h"

#include <istream>

#include "base/LittleEndian.h"
#include "base/StreamBytes.h"

namespace {

constexpr std::size_t kPixelDataOffsetField = 10;
constexpr std::size_t kInfoHeaderSizeField = 14;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kBitsPerPixelField = 28;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kColoursUsedField = 46;
static_assert(kColoursUsedField + 4 <= kBmpHeaderBytes, "every field read lies in the smallest header");

}  // namespace

Outcome readBmpHeader(std::istream& file, std::int64_t fileSize, BmpHeader& header) {
    header = BmpHeader();
    if (fileSize < kBmpHeaderBytes) return Outcome::failure("is not a bitmap");
    std::uint8_t bytes[kBmpHeaderBytes];
    if (!readBytesAt(file, 0, bytes, kBmpHeaderBytes)) return Outcome::failure("cannot be read");
    if (bytes[0] != 'B' || bytes[1] != 'M') return Outcome::failure("is not a bitmap");
    header.fileSize = fileSize;
    header.infoHeaderBytes = readU32le(bytes + kInfoHeaderSizeField);
    header.pixelDataOffset = readU32le(bytes + kPixelDataOffsetField);
    header.width = readI32le(bytes + kWidthField);
    const std::int64_t height = readI32le(bytes + kHeightField);
    header.topDown = height < 0;
    header.rowCount = height < 0 ? -height : height;
    header.bitsPerPixel = readU16le(bytes + kBitsPerPixelField);
    header.compression = readU32le(bytes + kCompressionField);
    header.coloursUsed = readU32le(bytes + kColoursUsedField);
    if (header.infoHeaderBytes < kSmallestInfoHeaderBytes) {
        return Outcome::failure("has a bitmap header of an unsupported kind");
    }
    return Outcome::success();
}
