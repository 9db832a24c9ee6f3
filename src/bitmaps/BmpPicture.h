#pragma once

#include <cstdint>
#include <iosfwd>

#include "base/Outcome.h"
#include "bitmaps/PictureExtent.h"

class SourcePicture;

// Reads a BMP file of any common kind, `fileSize` bytes long, into the band of `picture`.
// Fails with what is wrong with the file, worded to follow its name.
Outcome decodeBmpPicture(std::istream& file, std::int64_t fileSize, const PictureExtent& extent,
                         SourcePicture& picture);
