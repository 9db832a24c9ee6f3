// The four picture edits that every layout is made of. Each checks, once, the geometry it
// addresses and that its rectangle lies in the band of the picture, and then edits the
// rectangle's rows that are in memory, one run of 3 × width bytes at a time, stepping from
// row to row in memory. A destination held in windows is edited window by window: the
// layout runs once per window, and each row sees the same edits, in the same order, as
// if the whole band were held.
#include "bitmaps/CellPrimitives.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "bitmaps/SourcePicture.h"
#include "bitmaps/TemplatePicture.h"
#include "driver/ScenarioConverter.h"

namespace {

constexpr std::uint8_t kGrayLevel = 135;
constexpr std::size_t kWideRunBytes = 3 * kWidePictureWidth;

// One row of a wide picture, all magenta: every fill row is a copy of its first bytes.
constexpr std::array<std::uint8_t, kWideRunBytes> magentaRow() {
    std::array<std::uint8_t, kWideRunBytes> row{};
    for (std::size_t at = 0; at < row.size(); at += 3) {
        row[at] = 255;
        row[at + 1] = 0;
        row[at + 2] = 255;
    }
    return row;
}
constexpr std::array<std::uint8_t, kWideRunBytes> kMagentaRow = magentaRow();

template <typename Picture>
bool isWide(const Picture& picture) {
    return picture.width() == kWidePictureWidth;
}

// An empty rectangle touches nothing, wherever it lies.
bool isEmpty(std::int32_t width, std::int32_t height) {
    return (width == 0 && height >= 0) || (height == 0 && width >= 0);
}

// Paints the rows in memory of a rectangle of a wide picture that holds() has accepted.
void paintMagenta(TemplatePicture& destination, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height) {
    const RowSpan rows = destination.rowsHeld(y, height);
    if (rows.begin == rows.end) return;
    // holds() keeps the run within the picture's width, so within kMagentaRow.
    const std::size_t run = 3 * static_cast<std::size_t>(width);
    std::uint8_t* const first = destination.pixel(x, static_cast<std::int32_t>(y + rows.begin));
    const std::ptrdiff_t step = destination.rowStep();
    for (std::ptrdiff_t i = 0; i < rows.end - rows.begin; ++i) {
        std::memcpy(first + i * step, kMagentaRow.data(), run);
    }
}

bool pasteIsAccepted(const SourcePicture& source, const TemplatePicture& destination, std::int32_t destinationWidth,
                     PixelPoint from, PixelRect to) {
    return isWide(source) && destination.width() == destinationWidth &&
           (isEmpty(to.width, to.height) || (source.holds(from.x, from.y, to.width, to.height) &&
                                             destination.holds(to.origin.x, to.origin.y, to.width, to.height)));
}

int pasteCell(const SourcePicture& source, TemplatePicture& destination, std::int32_t destinationWidth, PixelPoint from,
              PixelRect to) {
    if (!pasteIsAccepted(source, destination, destinationWidth, from, to)) return 0;
    if (isEmpty(to.width, to.height)) return 1;
    // The rows in memory in the destination; the source holds its whole band.
    const RowSpan rows = destination.rowsHeld(to.origin.y, to.height);
    const std::int64_t begin = rows.begin;
    const std::int64_t end = rows.end;
    if (begin >= end) return 1;
    const std::size_t run = 3 * static_cast<std::size_t>(to.width);
    const auto rowOf = [begin](std::int32_t y) { return static_cast<std::int32_t>(y + begin); };
    const std::uint8_t* const fromFirst = source.pixel(from.x, rowOf(from.y));
    std::uint8_t* const toFirst = destination.pixel(to.origin.x, rowOf(to.origin.y));
    const std::ptrdiff_t fromStep = source.rowStep();
    const std::ptrdiff_t toStep = destination.rowStep();
    for (std::ptrdiff_t i = 0; i < end - begin; ++i) {
        std::memcpy(toFirst + i * toStep, fromFirst + i * fromStep, run);
    }
    return 1;
}

}  // namespace

int ScenarioConverter::copyCell(const SourcePicture& source, TemplatePicture& destination, std::int32_t sourceX,
                                std::int32_t sourceY, std::int32_t destinationX, std::int32_t destinationY,
                                std::int32_t width, std::int32_t height) {
    return pasteCell(source, destination, kWidePictureWidth, {sourceX, sourceY},
                     {{destinationX, destinationY}, width, height});
}

int ScenarioConverter::copyCellNarrow(const SourcePicture& source, TemplatePicture& destination, std::int32_t sourceX,
                                      std::int32_t sourceY, std::int32_t destinationX, std::int32_t destinationY,
                                      std::int32_t width, std::int32_t height) {
    return pasteCell(source, destination, kNarrowPictureWidth, {sourceX, sourceY},
                     {{destinationX, destinationY}, width, height});
}

int ScenarioConverter::fillMagenta(TemplatePicture& destination, std::int32_t x, std::int32_t y, std::int32_t width,
                                   std::int32_t height) {
    if (!isWide(destination)) return 0;
    if (isEmpty(width, height)) return 1;
    if (!destination.holds(x, y, width, height)) return 0;
    paintMagenta(destination, x, y, width, height);
    return 1;
}

int ScenarioConverter::grayToMagenta(TemplatePicture& destination, std::int32_t x, std::int32_t y, std::int32_t width,
                                     std::int32_t height) {
    if (!isWide(destination)) return 0;
    if (isEmpty(width, height)) return 1;
    if (!destination.holds(x, y, width, height)) return 0;
    const RowSpan rows = destination.rowsHeld(y, height);
    if (rows.begin == rows.end) return 1;
    const std::size_t run = 3 * static_cast<std::size_t>(width);
    std::uint8_t* const first = destination.pixel(x, static_cast<std::int32_t>(y + rows.begin));
    const std::ptrdiff_t step = destination.rowStep();
    for (std::ptrdiff_t i = 0; i < rows.end - rows.begin; ++i) {
        std::uint8_t* const row = first + i * step;
        for (std::size_t at = 0; at < run; at += 3) {
            // Only the whole gray pixel: (135, 135, 134) is a colour of its own.
            if (row[at] == kGrayLevel && row[at + 1] == kGrayLevel && row[at + 2] == kGrayLevel) {
                row[at] = 255;
                row[at + 1] = 0;
                row[at + 2] = 255;
            }
        }
    }
    return 1;
}

int fillThenCopyCell(ScenarioConverter& converter, const SourcePicture& source, TemplatePicture& destination,
                     PixelRect fill, PixelPoint from, PixelRect to) {
    const PixelPoint at = fill.origin;
    // Rows may be left to the copy only when it will write them over the fill's whole width.
    const bool copyCoversFillColumns =
        to.origin.x <= at.x && std::int64_t{at.x} + fill.width <= std::int64_t{to.origin.x} + to.width;
    const bool bothAccepted = isWide(destination) && destination.holds(at.x, at.y, fill.width, fill.height) &&
                              pasteIsAccepted(source, destination, kWidePictureWidth, from, to);
    const bool copyWritesRows =
        to.width > 0 && to.height > 0 && fill.width > 0 && fill.height > 0 && copyCoversFillColumns && bothAccepted;
    if (!copyWritesRows) {
        const int filled = converter.fillMagenta(destination, at.x, at.y, fill.width, fill.height);
        return filled &
               converter.copyCell(source, destination, from.x, from.y, to.origin.x, to.origin.y, to.width, to.height);
    }
    // The fill's rows above and below those of the copy.
    const std::int32_t fillEnd = at.y + fill.height;
    const std::int32_t coveredBegin = std::clamp(to.origin.y, at.y, fillEnd);
    const std::int32_t coveredEnd = std::clamp(to.origin.y + to.height, coveredBegin, fillEnd);
    paintMagenta(destination, at.x, at.y, fill.width, coveredBegin - at.y);
    paintMagenta(destination, at.x, coveredEnd, fill.width, fillEnd - coveredEnd);
    return converter.copyCell(source, destination, from.x, from.y, to.origin.x, to.origin.y, to.width, to.height);
}
