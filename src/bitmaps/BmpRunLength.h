#pragma once

#include <cstdint>

#include "base/Outcome.h"
#include "bitmaps/PictureBytes.h"

class PaletteColours;
class SourcePicture;

// Decodes the run-length encoded rows of a BMP of 4 or 8 bits per pixel (stored bottom-up,
// `rowCount` rows of `width` pixels) from `data`, the bytes from its pixel data offset to
// the end of the file, into the band that `picture` holds (SourcePicture::hold). Pixels
// that the data skips stay black. Fails with what is wrong with the data.
Outcome decodeRunLengthRows(PictureBytes data, std::uint32_t bitsPerPixel, std::int64_t width, std::int64_t rowCount,
                            const PaletteColours& palette, SourcePicture& picture);
