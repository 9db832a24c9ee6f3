#include "kit/BitmapLayoutSample.h"

#include <cstdlib>

PixelBytes codedPixel(std::int32_t x, std::int32_t y, std::uint8_t tag) {
    // The third byte carries the tag in its high half and the high bits of x and y in its
    // low half, so it stays below 128: never 135, never 255.
    return {static_cast<std::uint8_t>(x & 0xFF), static_cast<std::uint8_t>(y & 0xFF),
            static_cast<std::uint8_t>((tag & 0x7) << 4 | ((x >> 8) & 0x3) << 2 | ((y >> 8) & 0x3))};
}

std::vector<std::uint8_t> makeCodedBitmap(std::int32_t width, std::int32_t height, std::uint8_t tag) {
    BitmapSampleOptions options;
    options.width = width;
    options.height = height;
    std::vector<std::uint8_t> bitmap = makeBitmap(options);
    const std::int32_t rows = std::abs(height);
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < width; ++x) setPixel(bitmap, x, y, codedPixel(x, y, tag));
    }
    return bitmap;
}
