#pragma once

#include <cstdint>

class SourcePicture;
class TemplatePicture;
class ScenarioConverter;

// What a layout does for most cells: fillMagenta on the fill rectangle, then copyCell of
// a width × height cell from the source at (sourceX, sourceY) to (destinationX,
// destinationY). Same result and same pixels as the two calls, but the rows of the fill
// that the copy then overwrites from edge to edge are not painted first.
int fillThenCopyCell(ScenarioConverter& converter, const SourcePicture& source,
                     TemplatePicture& destination, std::int32_t fillX, std::int32_t fillY,
                     std::int32_t fillWidth, std::int32_t fillHeight, std::int32_t sourceX,
                     std::int32_t sourceY, std::int32_t destinationX, std::int32_t destinationY,
                     std::int32_t width, std::int32_t height);
