#include "bitmaps/BitmapPicture.h"

#include <algorithm>
#include <istream>
#include <new>
#include <ostream>

namespace {

constexpr std::int64_t kFileHeaderBytes = 14;
constexpr std::int64_t kInfoHeaderBytes = 40;  // the smallest header with 32-bit sizes
constexpr std::int64_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;

std::uint32_t readU16le(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8;
}
std::uint32_t readU32le(const std::uint8_t* bytes) {
    return readU16le(bytes) | readU16le(bytes + 2) << 16;
}
std::int32_t readI32le(const std::uint8_t* bytes) {
    const std::uint32_t value = readU32le(bytes);
    return value <= 0x7FFFFFFFu ? static_cast<std::int32_t>(value)
                                : -static_cast<std::int32_t>(~value) - 1;
}

}  // namespace

std::int64_t PictureGeometry::position(std::int64_t x, std::int64_t y) const {
    const std::int64_t storedRow = topDown ? y : rowCount - 1 - y;
    return pixelDataOffset + storedRow * rowBytes() + 3 * x;
}

std::string BitmapPicture::load(std::istream& file, const PictureExtent& extent, Holding holding) {
    forget();
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end < 0) return "cannot be read";
    if (end < kHeaderBytes) return "is not a bitmap";

    std::uint8_t header[kHeaderBytes];
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(header), kHeaderBytes)) return "cannot be read";
    if (header[0] != 'B' || header[1] != 'M') return "is not a bitmap";
    const std::int64_t infoHeaderBytes = readU32le(header + 14);
    if (infoHeaderBytes < kInfoHeaderBytes) return "has a bitmap header of an unsupported kind";

    const std::uint32_t bitsPerPixel = readU16le(header + 28);
    if (bitsPerPixel != 24) {
        return "is a picture of " + std::to_string(bitsPerPixel) +
               " bits per pixel (24 needed)";
    }
    if (readU32le(header + 30) != 0) return "is a compressed picture (uncompressed needed)";

    PictureGeometry geometry;
    geometry.fileSize = end;
    geometry.pixelDataOffset = readU32le(header + 10);
    geometry.width = readI32le(header + 18);
    const std::int64_t height = readI32le(header + 22);
    geometry.topDown = height < 0;
    geometry.rowCount = height < 0 ? -height : height;

    if (geometry.width != extent.width) {
        return "is " + std::to_string(geometry.width) + " pixels wide (" +
               std::to_string(extent.width) + " needed)";
    }
    if (geometry.rowCount < extent.minimumRows()) {
        return "is too small (" + std::to_string(geometry.rowCount) + " rows, at least " +
               std::to_string(extent.minimumRows()) + " needed)";
    }
    if (geometry.pixelDataOffset < kFileHeaderBytes + infoHeaderBytes) {
        return "has its pixel data offset inside its header";
    }
    if (geometry.pixelDataOffset + geometry.rowCount * geometry.rowBytes() > geometry.fileSize) {
        return "is cut short (its pixel rows run past the end of the file)";
    }

    // The band: picture rows firstRow..lastRow, which lie in the file as one run of stored
    // rows, in reverse order for a bottom-up picture.
    geometry_ = geometry;
    firstRow_ = extent.touched.firstRow;
    rowCount_ = extent.touched.lastRow - extent.touched.firstRow + 1;
    bandBegin_ = std::min(geometry.position(0, extent.touched.firstRow),
                          geometry.position(0, extent.touched.lastRow));
    bandBytes_ = rowCount_ * geometry.rowBytes();
    heldBegin_ = holding == Holding::WholeFile ? 0 : bandBegin_;
    heldBytes_ = holding == Holding::WholeFile ? geometry.fileSize : bandBytes_;
    if (heldBytes_ > capacity_) {
        held_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(heldBytes_)]);
        capacity_ = held_ ? heldBytes_ : 0;
        if (!held_) {
            forget();
            return "is too large to be held in memory";
        }
    }
    file.seekg(heldBegin_);
    if (!file.read(reinterpret_cast<char*>(held_.get()), static_cast<std::streamsize>(heldBytes_))) {
        forget();
        return "cannot be read";
    }
    return "";
}

// Back to an empty picture that holds no rows; the memory stays for the next load.
void BitmapPicture::forget() {
    geometry_ = PictureGeometry();
    firstRow_ = rowCount_ = bandBegin_ = bandBytes_ = heldBegin_ = heldBytes_ = 0;
}

bool BitmapPicture::storeRows(std::ostream& file) const {
    file.seekp(bandBegin_);
    file.write(reinterpret_cast<const char*>(held_.get() + (bandBegin_ - heldBegin_)),
               static_cast<std::streamsize>(bandBytes_));
    return !file.fail();
}

bool BitmapPicture::storeHeld(std::ostream& file) const {
    file.seekp(heldBegin_);
    file.write(reinterpret_cast<const char*>(held_.get()), static_cast<std::streamsize>(heldBytes_));
    return !file.fail();
}

bool BitmapPicture::holds(std::int64_t x, std::int64_t y, std::int64_t width,
                          std::int64_t height) const {
    return x >= 0 && width >= 0 && x + width <= geometry_.width && y >= firstRow_ &&
           height >= 0 && y + height <= firstRow_ + rowCount_;
}

std::uint8_t* BitmapPicture::pixel(std::int32_t x, std::int32_t y) {
    return held_.get() + (geometry_.position(x, y) - heldBegin_);
}

const std::uint8_t* BitmapPicture::pixel(std::int32_t x, std::int32_t y) const {
    return held_.get() + (geometry_.position(x, y) - heldBegin_);
}
