#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

#include "base/Outcome.h"
#include "bitmaps/PictureExtent.h"

class BitmapPicture;

// The bytes of a whole picture file, in memory.
struct PictureBytes {
    const std::uint8_t* data;
    std::size_t size;
};

// Scenario pictures come as BMP files of any common kind or as GIF files. Each is decoded
// from its bytes into the band of `picture` (BitmapPicture::holdDecoded), as the 24-bit
// rows that the cell primitives read, so that every kind converts exactly as a 24-bit BMP
// of the same pixels does. The file's kind is told by its first bytes, not by its name.
// The claimed size is checked before anything is allocated for the pixels, and only the
// band is held, whatever size a file claims. Fails with what is wrong with the file, worded
// to follow its name; on success the band holds the picture's pixels.
Outcome decodeSourcePicture(PictureBytes file, const PictureExtent& extent, BitmapPicture& picture);

Outcome decodeBmpPicture(PictureBytes file, const PictureExtent& extent, BitmapPicture& picture);
Outcome decodeGifPicture(PictureBytes file, const PictureExtent& extent, BitmapPicture& picture);

// The largest source file read into memory: a 640-pixel-wide BMP of 32 bits per pixel with
// over 26,000 rows; a scenario's pictures have 480.
constexpr std::int64_t kLargestSourceFileBytes = std::int64_t{64} << 20;

// Reads the whole of `file` into `buffer`, which only grows, so that its memory is reused
// from one picture to the next without being cleared; `bytes` is set to the file's bytes
// in it. Fails with the problem, worded to follow the file's name.
Outcome readSourceFile(std::istream& file, std::vector<std::uint8_t>& buffer, PictureBytes& bytes);
