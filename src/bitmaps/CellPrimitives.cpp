// The four picture edits that every layout is made of. Each checks the geometry it
// addresses and that its rectangle lies in the rows held, and then works one rectangle row
// (one run of 3 × width bytes) at a time.
#include <cstring>

#include "bitmaps/BitmapPicture.h"
#include "driver/ScenarioConverter.h"

namespace {

constexpr std::uint8_t kGrayLevel = 135;
constexpr std::uint8_t kMagenta[3] = {255, 0, 255};

bool isWide(const BitmapPicture& picture) {
    return picture.geometry().width == kWidePictureWidth;
}

// An empty rectangle touches nothing, wherever it lies.
bool isEmpty(std::int32_t width, std::int32_t height) {
    return (width == 0 && height >= 0) || (height == 0 && width >= 0);
}

int pasteCell(const BitmapPicture& source, BitmapPicture& destination, std::int32_t destinationWidth,
              std::int32_t sourceX, std::int32_t sourceY, std::int32_t destinationX,
              std::int32_t destinationY, std::int32_t width, std::int32_t height) {
    if (!isWide(source) || destination.geometry().width != destinationWidth) return 0;
    if (isEmpty(width, height)) return 1;
    if (!source.holds(sourceX, sourceY, width, height) ||
        !destination.holds(destinationX, destinationY, width, height)) {
        return 0;
    }
    const std::size_t run = 3 * static_cast<std::size_t>(width);
    for (std::int32_t i = 0; i < height; ++i) {
        // memmove: a picture may be pasted into itself.
        std::memmove(destination.pixel(destinationX, destinationY + i),
                     source.pixel(sourceX, sourceY + i), run);
    }
    return 1;
}

}  // namespace

int ScenarioConverter::copyCell(const BitmapPicture& source, BitmapPicture& destination,
                                std::int32_t sourceX, std::int32_t sourceY,
                                std::int32_t destinationX, std::int32_t destinationY,
                                std::int32_t width, std::int32_t height) {
    return pasteCell(source, destination, kWidePictureWidth, sourceX, sourceY, destinationX,
                     destinationY, width, height);
}

int ScenarioConverter::copyCellNarrow(const BitmapPicture& source, BitmapPicture& destination,
                                      std::int32_t sourceX, std::int32_t sourceY,
                                      std::int32_t destinationX, std::int32_t destinationY,
                                      std::int32_t width, std::int32_t height) {
    return pasteCell(source, destination, kNarrowPictureWidth, sourceX, sourceY, destinationX,
                     destinationY, width, height);
}

int ScenarioConverter::fillMagenta(BitmapPicture& destination, std::int32_t x, std::int32_t y,
                                   std::int32_t width, std::int32_t height) {
    if (!isWide(destination)) return 0;
    if (isEmpty(width, height)) return 1;
    if (!destination.holds(x, y, width, height)) return 0;
    // The first row is painted pixel by pixel; the others are copies of it.
    const std::size_t run = 3 * static_cast<std::size_t>(width);
    std::uint8_t* firstRow = destination.pixel(x, y);
    for (std::size_t at = 0; at < run; at += 3) std::memcpy(firstRow + at, kMagenta, 3);
    for (std::int32_t i = 1; i < height; ++i) std::memcpy(destination.pixel(x, y + i), firstRow, run);
    return 1;
}

int ScenarioConverter::grayToMagenta(BitmapPicture& destination, std::int32_t x, std::int32_t y,
                                     std::int32_t width, std::int32_t height) {
    if (!isWide(destination)) return 0;
    if (isEmpty(width, height)) return 1;
    if (!destination.holds(x, y, width, height)) return 0;
    for (std::int32_t i = 0; i < height; ++i) {
        std::uint8_t* pixel = destination.pixel(x, y + i);
        for (std::int32_t column = 0; column < width; ++column, pixel += 3) {
            // Only the whole gray pixel: (135, 135, 134) is a colour of its own.
            if (pixel[0] == kGrayLevel && pixel[1] == kGrayLevel && pixel[2] == kGrayLevel) {
                std::memcpy(pixel, kMagenta, 3);
            }
        }
    }
    return 1;
}
