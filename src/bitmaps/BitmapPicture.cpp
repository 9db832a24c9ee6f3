#include "bitmaps/BitmapPicture.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <new>
#include <ostream>
#include <string>

#include "bitmaps/LittleEndian.h"

namespace {

constexpr std::int64_t kFileHeaderBytes = 14;
constexpr std::int64_t kInfoHeaderBytes = 40;  // the smallest header with 32-bit sizes
constexpr std::int64_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;
// A window of rows, and the chunks of the bytes around the band: small enough to stay in
// the processor's cache between the read and the write, large enough for few system calls.
constexpr std::int64_t kWindowBytes = 256 * 1024;

}  // namespace

Outcome BitmapPicture::load(std::istream& file, const PictureExtent& extent, Holding holding) {
    forget();
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end < 0) return Outcome::failure("cannot be read");
    if (end < kHeaderBytes) return Outcome::failure("is not a bitmap");

    std::uint8_t header[kHeaderBytes];
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(header), kHeaderBytes)) return Outcome::failure("cannot be read");
    if (header[0] != 'B' || header[1] != 'M') return Outcome::failure("is not a bitmap");
    const std::int64_t infoHeaderBytes = readU32le(header + 14);
    if (infoHeaderBytes < kInfoHeaderBytes) return Outcome::failure("has a bitmap header of an unsupported kind");

    const std::uint32_t bitsPerPixel = readU16le(header + 28);
    if (bitsPerPixel != 24) {
        return Outcome::failure("is a picture of " + std::to_string(bitsPerPixel) +
                                " bits per pixel (24 needed)");
    }
    if (readU32le(header + 30) != 0) return Outcome::failure("is a compressed picture (uncompressed needed)");

    PictureGeometry geometry;
    geometry.fileSize = end;
    geometry.pixelDataOffset = readU32le(header + 10);
    geometry.width = readI32le(header + 18);
    const std::int64_t height = readI32le(header + 22);
    geometry.topDown = height < 0;
    geometry.rowCount = height < 0 ? -height : height;

    Outcome size = checkPictureSize(geometry.width, geometry.rowCount, extent);
    if (!size.ok()) return size;
    if (geometry.pixelDataOffset < kFileHeaderBytes + infoHeaderBytes) {
        return Outcome::failure("has its pixel data offset inside its header");
    }
    if (geometry.pixelDataOffset + geometry.rowCount * geometry.rowBytes() > geometry.fileSize) {
        return Outcome::failure("is cut short (its pixel rows run past the end of the file)");
    }

    // The band: picture rows firstRow..lastRow, which lie in the file as one run of stored
    // rows, in reverse order for a bottom-up picture.
    geometry_ = geometry;
    bandFirstRow_ = extent.touched.firstRow;
    bandRows_ = extent.touched.lastRow - extent.touched.firstRow + 1;
    bandFirstStoredRow_ = std::min(geometry.storedRow(extent.touched.firstRow),
                                   geometry.storedRow(extent.touched.lastRow));
    const std::int64_t rowBytes = geometry.rowBytes();
    if (holding == Holding::Windows) {
        windowRows_ = rowBytes > 0 ? std::max<std::int64_t>(1, kWindowBytes / rowBytes) : bandRows_;
        if (!reserve(std::max(kWindowBytes, windowRows_ * rowBytes))) {
            forget();
            return Outcome::failure("is too large to be held in memory");
        }
        return Outcome::success();
    }
    windowRows_ = bandRows_;
    if (!reserve(bandRows_ * rowBytes)) {
        forget();
        return Outcome::failure("is too large to be held in memory");
    }
    if (!readHeld(file, bandFirstStoredRow_, bandRows_)) {
        forget();
        return Outcome::failure("cannot be read");
    }
    return Outcome::success();
}

Outcome checkPictureSize(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent) {
    if (width != extent.width) {
        return Outcome::failure("is " + std::to_string(width) + " pixels wide (" + std::to_string(extent.width) +
                                " needed)");
    }
    if (rowCount < extent.minimumRows()) {
        return Outcome::failure("is too small (" + std::to_string(rowCount) + " rows, at least " +
                                std::to_string(extent.minimumRows()) + " needed)");
    }
    return Outcome::success();
}

Outcome BitmapPicture::holdDecoded(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent) {
    forget();
    Outcome size = checkPictureSize(width, rowCount, extent);
    if (!size.ok()) return size;
    // The rows of a top-down picture that starts at offset 0, of which the band is held.
    geometry_.width = static_cast<std::int32_t>(width);
    geometry_.rowCount = rowCount;
    geometry_.topDown = true;
    geometry_.fileSize = rowCount * geometry_.rowBytes();
    bandFirstRow_ = bandFirstStoredRow_ = heldFirstRow_ = extent.touched.firstRow;
    bandRows_ = windowRows_ = heldRows_ = extent.touched.lastRow - extent.touched.firstRow + 1;
    heldBegin_ = bandFirstRow_ * geometry_.rowBytes();
    heldBytes_ = bandRows_ * geometry_.rowBytes();
    if (!reserve(heldBytes_)) {
        forget();
        return Outcome::failure("is too large to be held in memory");
    }
    return Outcome::success();
}

Outcome BitmapPicture::holdInPlace(const std::uint8_t* file, const PictureGeometry& geometry,
                                   const PictureExtent& extent) {
    forget();
    Outcome size = checkPictureSize(geometry.width, geometry.rowCount, extent);
    if (!size.ok()) return size;
    geometry_ = geometry;
    bandFirstRow_ = heldFirstRow_ = extent.touched.firstRow;
    bandRows_ = windowRows_ = heldRows_ = extent.touched.lastRow - extent.touched.firstRow + 1;
    bandFirstStoredRow_ = std::min(geometry.storedRow(extent.touched.firstRow),
                                   geometry.storedRow(extent.touched.lastRow));
    heldBegin_ = geometry.pixelDataOffset + bandFirstStoredRow_ * geometry.rowBytes();
    heldBytes_ = bandRows_ * geometry.rowBytes();
    inPlace_ = file + heldBegin_;
    return Outcome::success();
}

std::uint8_t* BitmapPicture::bandRow(std::int64_t y) {
    if (y < heldFirstRow_ || y >= heldFirstRow_ + heldRows_ || !geometry_.topDown || inPlace_ != nullptr) {
        return nullptr;
    }
    return held_.get() + (y - heldFirstRow_) * geometry_.rowBytes();
}

void BitmapPicture::clearHeld() {
    if (heldBytes_ > 0) std::memset(held_.get(), 0, static_cast<std::size_t>(heldBytes_));
}

bool BitmapPicture::reserve(std::int64_t bytes) {
    if (bytes <= capacity_) return true;
    held_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]);
    capacity_ = held_ ? bytes : 0;
    return held_ != nullptr;
}

std::int64_t BitmapPicture::windowCount() const {
    return windowRows_ > 0 ? (bandRows_ + windowRows_ - 1) / windowRows_ : 0;
}

bool BitmapPicture::readWindow(std::istream& file, std::int64_t index) {
    holdNothing();
    if (index < 0 || index >= windowCount()) return true;
    const std::int64_t first = bandFirstStoredRow_ + index * windowRows_;
    return readHeld(file, first, std::min(windowRows_, bandFirstStoredRow_ + bandRows_ - first));
}

// Reads `rows` stored rows from the one at firstStoredRow, in one read.
bool BitmapPicture::readHeld(std::istream& file, std::int64_t firstStoredRow, std::int64_t rows) {
    heldBegin_ = geometry_.pixelDataOffset + firstStoredRow * geometry_.rowBytes();
    heldBytes_ = rows * geometry_.rowBytes();
    heldFirstRow_ = geometry_.topDown ? firstStoredRow : geometry_.rowCount - firstStoredRow - rows;
    heldRows_ = rows;
    file.seekg(heldBegin_);
    if (!file.read(reinterpret_cast<char*>(held_.get()), static_cast<std::streamsize>(heldBytes_))) {
        holdNothing();
        return false;
    }
    return true;
}

bool BitmapPicture::copyBeforeBand(std::istream& from, std::ostream& to) {
    const std::int64_t bandBegin = geometry_.pixelDataOffset + bandFirstStoredRow_ * geometry_.rowBytes();
    return copyBytes(from, to, 0, bandBegin);
}

bool BitmapPicture::copyAfterBand(std::istream& from, std::ostream& to) {
    const std::int64_t bandEnd =
        geometry_.pixelDataOffset + (bandFirstStoredRow_ + bandRows_) * geometry_.rowBytes();
    return copyBytes(from, to, bandEnd, geometry_.fileSize);
}

bool BitmapPicture::copyBytes(std::istream& from, std::ostream& to, std::int64_t begin,
                              std::int64_t end) {
    holdNothing();
    if (begin >= end) return true;
    if (capacity_ <= 0) return false;  // no memory to pass the bytes through
    from.seekg(begin);
    to.seekp(begin);
    char* const buffer = reinterpret_cast<char*>(held_.get());
    for (std::int64_t at = begin; at < end;) {
        const std::streamsize bytes = static_cast<std::streamsize>(std::min(capacity_, end - at));
        if (!from.read(buffer, bytes) || !to.write(buffer, bytes)) return false;
        at += bytes;
    }
    return true;
}

bool BitmapPicture::storeHeld(std::ostream& file) const {
    if (heldBytes_ == 0) return !file.fail();
    file.seekp(heldBegin_);
    file.write(reinterpret_cast<const char*>(held_.get()), static_cast<std::streamsize>(heldBytes_));
    return !file.fail();
}

bool BitmapPicture::holds(std::int64_t x, std::int64_t y, std::int64_t width,
                          std::int64_t height) const {
    return x >= 0 && width >= 0 && x + width <= geometry_.width && y >= bandFirstRow_ &&
           height >= 0 && y + height <= bandFirstRow_ + bandRows_;
}

void BitmapPicture::holdNothing() {
    heldFirstRow_ = heldRows_ = heldBegin_ = heldBytes_ = 0;
}

// Back to an empty picture that holds no rows; the memory stays for the next load.
void BitmapPicture::forget() {
    geometry_ = PictureGeometry();
    bandFirstRow_ = bandRows_ = bandFirstStoredRow_ = windowRows_ = 0;
    inPlace_ = nullptr;
    holdNothing();
}
