#include "bitmaps/SourcePicture.h"

#include <cstring>
#include <new>

Outcome SourcePicture::hold(std::int64_t width, std::int64_t rowCount, const PictureExtent& extent, RowOrder order) {
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
