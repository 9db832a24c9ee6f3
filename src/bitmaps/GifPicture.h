#pragma once

#include "base/Outcome.h"
#include "bitmaps/PictureBytes.h"
#include "bitmaps/PictureExtent.h"

class SourcePicture;

// Decodes the GIF file `file`, held whole in memory, into the band of `picture`. Fails
// with what is wrong with the file, worded to follow its name.
Outcome decodeGifPicture(PictureBytes file, const PictureExtent& extent, SourcePicture& picture);
