#pragma once

#include <cstdint>
#include <vector>

#include "kit/BitmapSample.h"

// Pictures for checking where a layout puts each pixel: every pixel of a coded picture
// names its own position and the picture it belongs to, and is never gray (135, 135, 135)
// nor magenta (255, 0, 255).
constexpr std::uint8_t kSourceTag = 1;
constexpr std::uint8_t kTemplateTag = 2;

// The pixel that a coded picture with `tag` (1 to 7) holds at (x, y).
PixelBytes codedPixel(std::int32_t x, std::int32_t y, std::uint8_t tag);

// A 24-bit coded picture with the usual 54-byte header; negative height for top-down.
std::vector<std::uint8_t> makeCodedBitmap(std::int32_t width, std::int32_t height, std::uint8_t tag);

constexpr PixelBytes kGray{135, 135, 135};
constexpr PixelBytes kMagentaPixel{255, 0, 255};
