#include "bitmaps/SourcePicture.h"

#include <cstring>
#include <istream>
#include <new>
#include <string>

#include "base/StreamBytes.h"

Outcome SourcePicture::hold(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent,
                            RowOrder order) {
    forget();
    Outcome size = checkPictureSize(width, rowCount, extent);
    if (!size.ok()) return size;
    const std::int64_t rowBytes = bmpRowBytes(width, 24);
    const std::int64_t rows = extent.touched.lastRow - extent.touched.firstRow + 1;
    if (!reserve(rows * rowBytes)) return Outcome::failure("is too large to be held in memory");
    width_ = width;
    rowCount_ = rowCount;
    firstRow_ = extent.touched.firstRow;
    rows_ = rows;
    rowBytes_ = rowBytes;
    order_ = order;
    return Outcome::success();
}

void SourcePicture::clear() {
    if (bandBytes() > 0) std::memset(memory_.get(), 0, static_cast<std::size_t>(bandBytes()));
}

bool SourcePicture::reserve(std::int64_t bytes) {
    if (bytes <= capacity_) return true;
    memory_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]);
    capacity_ = memory_ ? bytes : 0;
    return memory_ != nullptr;
}

// Back to a picture that holds no rows; the memory stays for the next picture.
void SourcePicture::forget() {
    width_ = rowCount_ = firstRow_ = rows_ = rowBytes_ = 0;
    order_ = RowOrder::TopDown;
}

Outcome readFileRest(std::istream& file, std::int64_t begin, std::int64_t fileSize, std::vector<std::uint8_t>& bytes) {
    bytes.resize(static_cast<std::size_t>(fileSize - begin));
    if (!readBytesAt(file, begin, bytes.data(), fileSize - begin)) return Outcome::failure("cannot be read");
    return Outcome::success();
}

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
