#include "bitmaps/TemplatePicture.h"

#include <algorithm>
#include <istream>
#include <new>
#include <ostream>
#include <string>

#include "base/StreamBytes.h"

Outcome checkTemplateHeader(std::istream& file, const PictureExtent& extent, BmpHeader& header) {
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end < 0) return Outcome::failure("cannot be read");
    Outcome read = readBmpHeader(file, end, header);
    if (!read.ok()) return read;
    if (header.bitsPerPixel != 24) {
        return Outcome::failure("is a picture of " + std::to_string(header.bitsPerPixel) +
                                " bits per pixel (24 needed)");
    }
    if (header.compression != 0) return Outcome::failure("is a compressed picture (uncompressed needed)");
    Outcome size = checkPictureSize(header.width, header.rowCount, extent);
    if (!size.ok()) return size;
    if (header.pixelDataOffset < kBmpFileHeaderBytes + header.infoHeaderBytes) {
        return Outcome::failure("has its pixel data offset inside its header");
    }
    if (header.pixelDataEnd() > header.fileSize) {
        return Outcome::failure("is cut short (its pixel rows run past the end of the file)");
    }
    return Outcome::success();
}

Outcome TemplatePicture::load(std::istream& file, const PictureExtent& extent, std::int64_t windowBytes) {
    forget();
    BmpHeader header;
    Outcome checked = checkTemplateHeader(file, extent, header);
    if (!checked.ok()) return checked;

    const std::int64_t rowBytes = header.rowBytes();
    windowRows_ = rowBytes > 0 ? std::max<std::int64_t>(1, windowBytes / rowBytes) : 1;
    if (!reserve(std::max(windowBytes, windowRows_ * rowBytes))) {
        forget();
        return Outcome::failure("is too large to be held in memory");
    }
    header_ = header;
    bandFirstRow_ = extent.touched.firstRow;
    bandRows_ = extent.touched.lastRow - extent.touched.firstRow + 1;
    bandFirstStoredRow_ = header.firstStoredRow(extent.touched);
    return Outcome::success();
}

bool TemplatePicture::reserve(std::int64_t bytes) {
    if (bytes <= capacity_) return true;
    held_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]);
    capacity_ = held_ ? bytes : 0;
    return held_ != nullptr;
}

std::int64_t TemplatePicture::windowCount() const {
    return windowRows_ > 0 ? (bandRows_ + windowRows_ - 1) / windowRows_ : 0;
}

// Reads the window's stored rows in one read.
bool TemplatePicture::readWindow(std::istream& file, std::int64_t index) {
    holdNothing();
    if (index < 0 || index >= windowCount()) return true;
    const std::int64_t first = bandFirstStoredRow_ + index * windowRows_;
    const std::int64_t rows = std::min(windowRows_, bandFirstStoredRow_ + bandRows_ - first);
    const std::int64_t begin = header_.pixelDataOffset + first * header_.rowBytes();
    if (!readBytesAt(file, begin, held_.get(), rows * header_.rowBytes())) return false;
    heldBegin_ = begin;
    heldBytes_ = rows * header_.rowBytes();
    heldFirstRow_ = header_.topDown ? first : header_.rowCount - first - rows;
    heldRows_ = rows;
    return true;
}

bool TemplatePicture::copyBeforeBand(std::istream& from, std::ostream& to) {
    return copyBytes(from, to, 0, header_.pixelDataOffset + bandFirstStoredRow_ * header_.rowBytes());
}

bool TemplatePicture::copyAfterBand(std::istream& from, std::ostream& to) {
    const std::int64_t bandEnd = header_.pixelDataOffset + (bandFirstStoredRow_ + bandRows_) * header_.rowBytes();
    return copyBytes(from, to, bandEnd, header_.fileSize);
}

bool TemplatePicture::copyBytes(std::istream& from, std::ostream& to, std::int64_t begin, std::int64_t end) {
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

bool TemplatePicture::storeHeld(std::ostream& file) const {
    if (heldBytes_ == 0) return !file.fail();
    file.seekp(heldBegin_);
    file.write(reinterpret_cast<const char*>(held_.get()), static_cast<std::streamsize>(heldBytes_));
    return !file.fail();
}

bool TemplatePicture::holds(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const {
    return x >= 0 && width >= 0 && x + width <= header_.width && y >= bandFirstRow_ && height >= 0 &&
           y + height <= bandFirstRow_ + bandRows_;
}

void TemplatePicture::holdNothing() { heldFirstRow_ = heldRows_ = heldBegin_ = heldBytes_ = 0; }

// Back to an empty picture that holds no rows; the memory stays for the next load.
void TemplatePicture::forget() {
    header_ = BmpHeader();
    bandFirstRow_ = bandRows_ = bandFirstStoredRow_ = windowRows_ = 0;
    holdNothing();
}
