#pragma once

#include <cstdint>
#include <iosfwd>

#include "base/Outcome.h"
#include "bitmaps/PictureExtent.h"
#include "bitmaps/SourcePicture.h"

// Reads a scenario's picture from `file`, a BMP of any common kind or a GIF, into the band
// of `picture`, so that every kind converts exactly as a 24-bit BMP of the same pixels does.
// The file's kind is told by its first bytes, not by its name. An uncompressed BMP is read
// where its rows lie: its headers, its colour table and the band, nothing else; a compressed
// BMP or a GIF is read whole and decoded. The claimed size is checked before anything is
// allocated for the pixels, and only the band is held, whatever size a file claims. Fails
// with what is wrong with the file, worded to follow its name.
Outcome decodeSourcePicture(std::istream& file, const PictureExtent& extent, SourcePicture& picture);

// The largest source file read: a 640-pixel-wide BMP of 32 bits per pixel with over 26,000
// rows; a scenario's pictures have 480.
constexpr std::int64_t kLargestSourceFileBytes = std::int64_t{64} << 20;
