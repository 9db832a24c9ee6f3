#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "BitmapTestSupport.h"
#include "kit/PictureKinds.h"

namespace {

// A file in memory that counts the bytes read from it.
class CountingFile : public std::stringbuf {
public:
    explicit CountingFile(const Bytes& bytes) : std::stringbuf(asText(bytes), std::ios::in) {}
    std::int64_t bytesRead = 0;

protected:
    std::streamsize xsgetn(char* into, std::streamsize count) override {
        const std::streamsize got = std::stringbuf::xsgetn(into, count);
        bytesRead += got;
        return got;
    }
};

}  // namespace

// An uncompressed BMP is read where its rows lie: its headers, its colour table and the
// band of rows the layout touches, whatever its row order; the band holds the rows of the
// whole picture read at once. A compressed BMP or a GIF is read whole.
TEST(PictureBandReading, AnUncompressedBmpIsReadOnlyInItsHeadersColourTableAndBand) {
    const PictureExtent band{640, {0, 639, 100, 199}};  // 100 of 480 rows
    const IndexedPicture picture = makeIndexedPicture(640, 480, 256, 9);
    const struct {
        const char* kind;
        std::int64_t mostRead;  // at most, from the start of the file on
    } cases[] = {
        {"24-bit BMP", 58 + 100 * 1920},
        {"24-bit BMP, V5 header, top-down", 58 + 100 * 1920},
        {"8-bit BMP", 58 + 1024 + 100 * 640},
        {"32-bit BMP with masks", 58 + 12 + 100 * 2560},
        {"RLE8 BMP", -1},  // read whole
        {"GIF87a", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const Bytes file = encodePicture(picture, pictureKind(c.kind));
        CountingFile counting(file);
        std::istream stream(&counting);
        SourcePicture read;
        ASSERT_TRUE(decodeSourcePicture(stream, band, read).ok());
        if (c.mostRead < 0) {
            EXPECT_GE(counting.bytesRead, static_cast<std::int64_t>(file.size()) - 58);
        } else {
            EXPECT_LE(counting.bytesRead, c.mostRead);
        }
        const SourcePicture whole = loadSource(file, wholePicture(640, 480));
        for (std::int32_t y = 100; y < 200; y += 33) {
            const Bytes band(read.pixel(0, y), read.pixel(0, y) + 1920);
            EXPECT_EQ(band, Bytes(whole.pixel(0, y), whole.pixel(0, y) + 1920)) << "row " << y;
        }
    }
}

// The graphics driver reads every picture of a scenario into one SourcePicture: a picture
// read after another of another kind, row order or band holds what it holds when read alone.
TEST(PictureBandReading, APictureReadIntoTheMemoryOfAnotherHoldsWhatItHoldsAlone) {
    const IndexedPicture picture = makeIndexedPicture(640, 480, 256, 12);
    const PictureExtent bands[] = {{640, {0, 639, 1, 478}}, {640, {0, 639, 40, 300}}, {640, {0, 639, 2, 100}}};
    const char* const kinds[] = {"24-bit BMP", "GIF87a", "24-bit BMP, V5 header, top-down", "RLE8 BMP"};
    SourcePicture shared;
    for (std::size_t i = 0; i < 8; ++i) {
        const PictureKind& kind = pictureKind(kinds[i % 4]);
        const PictureExtent& band = bands[i % 3];
        SCOPED_TRACE(kind.name);
        const Bytes file = encodePicture(picture, kind);
        std::istringstream stream(asText(file));
        ASSERT_TRUE(decodeSourcePicture(stream, band, shared).ok());
        const SourcePicture alone = loadSource(file, band);
        for (std::int32_t y = band.touched.firstRow; y <= band.touched.lastRow; y += 17) {
            const Bytes row(shared.pixel(0, y), shared.pixel(0, y) + 1920);
            EXPECT_EQ(row, Bytes(alone.pixel(0, y), alone.pixel(0, y) + 1920)) << "row " << y;
        }
    }
}
