#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "BitmapTestSupport.h"
#include "kit/PictureKinds.h"

namespace {

// A file in memory that counts the bytes read from it.
struct CountingFile : std::stringbuf {
    explicit CountingFile(const Bytes& bytes) : std::stringbuf(asText(bytes), std::ios::in) {}
    std::streamsize xsgetn(char* into, std::streamsize count) override {
        const std::streamsize got = std::stringbuf::xsgetn(into, count);
        bytesRead += got;
        return got;
    }
    std::int64_t bytesRead = 0;
};

}  // namespace

// An uncompressed BMP is read where its rows lie: its headers, its colour table and the
// band of rows the layout touches, whatever its row order. A compressed BMP or a GIF is read
// whole. Each is read into the memory of the one before, of another kind, row order or band, as
// the graphics driver reads a scenario's: its band holds the rows of the whole picture read alone.
TEST(PictureBandReading, AnUncompressedBmpIsReadOnlyInItsHeadersColourTableAndBand) {
    const IndexedPicture picture = makeIndexedPicture(640, 480, 256, 9);
    const struct {
        const char* kind;
        std::int32_t firstRow, lastRow;
        std::int64_t mostRead;  // at most, from the start of the file on; -1: read whole
    } cases[] = {
        {"24-bit BMP", 100, 199, 58 + 100 * 1920},
        {"GIF87a", 1, 478, -1},
        {"24-bit BMP, V5 header, top-down", 100, 199, 58 + 100 * 1920},
        {"RLE8 BMP", 40, 300, -1},
        {"8-bit BMP", 100, 199, 58 + 1024 + 100 * 640},
        {"24-bit BMP", 2, 100, 58 + 99 * 1920},
        {"32-bit BMP with masks", 100, 199, 58 + 12 + 100 * 2560},
        {"24-bit BMP, V5 header, top-down", 40, 300, 58 + 261 * 1920},
        {"RLE8 BMP", 1, 478, -1},
    };
    SourcePicture shared;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const PictureExtent band{640, {0, 639, c.firstRow, c.lastRow}};
        const Bytes file = encodePicture(picture, pictureKind(c.kind));
        CountingFile counting(file);
        std::istream stream(&counting);
        ASSERT_TRUE(decodeSourcePicture(stream, band, shared).ok());
        const std::int64_t read = counting.bytesRead;
        EXPECT_TRUE(c.mostRead < 0 ? read >= static_cast<std::int64_t>(file.size()) - 58 : read <= c.mostRead) << read;
        const SourcePicture whole = loadSource(file, wholePicture(640, 480));
        for (const std::int32_t y : {c.firstRow, (c.firstRow + c.lastRow) / 2, c.lastRow}) {
            EXPECT_TRUE(std::equal(shared.pixel(0, y), shared.pixel(0, y) + 1920, whole.pixel(0, y))) << "row " << y;
        }
    }
}
