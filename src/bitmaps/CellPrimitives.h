#pragma once

#include "bitmaps/PictureExtent.h"

class SourcePicture;
class TemplatePicture;
class ScenarioConverter;

// What a layout does for most cells: fillMagenta on `fill`, then copyCell of the cell `to`
// from the source cell of the same size at `from`. Same result and same pixels as the two
// calls, but the rows of the fill that the copy then overwrites from edge to edge are not
// painted first.
int fillThenCopyCell(ScenarioConverter& converter, const SourcePicture& source, TemplatePicture& destination,
                     PixelRect fill, PixelPoint from, PixelRect to);
