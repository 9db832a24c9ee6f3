#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "kit/Files.h"

// Synthetic pictures: uncompressed 24-bit bitmaps with the usual 54-byte header, rows
// padded to a multiple of 4 bytes, pixels drawn from the seed with some gray
// (135, 135, 135) and magenta (255, 0, 255) among them.
struct BitmapSampleOptions {
    std::int32_t width = 640;
    std::int32_t height = 480;  // negative for a top-down picture
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t trailingBytes = 0;  // bytes after the pixel rows (a colour profile, say)
    std::uint64_t seed = 1;
};

std::vector<std::uint8_t> makeBitmap(const BitmapSampleOptions& options);

// Row length in bytes of a 24-bit picture of this width, padding included.
std::int64_t bitmapRowBytes(std::int32_t width);

// Pixel (x, y), y counted from the top, of a 24-bit picture made by makeBitmap (or any
// picture with a 54-byte header and no trailing bytes): its three bytes, in file order.
struct PixelBytes {
    std::uint8_t b0, b1, b2;
    bool operator==(const PixelBytes& other) const { return b0 == other.b0 && b1 == other.b1 && b2 == other.b2; }
};
std::int64_t pixelOffset(const std::vector<std::uint8_t>& bitmap, std::int32_t x, std::int32_t y);
PixelBytes pixelAt(const std::vector<std::uint8_t>& bitmap, std::int32_t x, std::int32_t y);
void setPixel(std::vector<std::uint8_t>& bitmap, std::int32_t x, std::int32_t y, PixelBytes value);
