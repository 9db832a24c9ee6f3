// Arbitrary picture files decoded from memory by the reader that the graphics conversion
// uses for a scenario's picture, whatever their kind (every BMP kind, GIF): no file
// system, no template. The reader promises a refusal with a one-line reason, or a picture
// of the size it claims, 640 pixels wide and tall enough, every row of whose band can be
// read in full; nothing else is held.
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzStart.h"
#include "bitmaps/SourcePictureDecoding.h"

namespace {

constexpr std::size_t kMaxInputBytes = 32 * 1024;
// The band: rows 2 to 9 of a picture of at least kDecodeFuzzRows rows, so that the rows
// above it are decoded and left out.
constexpr PictureExtent kExtent{640, {0, 639, 2, kDecodeFuzzRows - 1}};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzRun(argc, argv, FuzzSeedKind::PictureDecode, kMaxInputBytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SourcePicture picture;  // its memory reused, as the conversion reuses it
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    const Outcome decoding = decodeSourcePicture(file, kExtent, picture);
    fuzzConsole() = decoding.problem();
    if (!decoding.ok()) {
        FUZZ_EXPECT(!decoding.problem().empty() && decoding.problem().find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_EXPECT(picture.width() == kExtent.width);
    FUZZ_EXPECT(picture.rowCount() >= kExtent.minimumRows());
    const PixelBounds& band = kExtent.touched;
    FUZZ_EXPECT(picture.holds(0, band.firstRow, kExtent.width, band.lastRow - band.firstRow + 1));
    FUZZ_EXPECT(!picture.holds(0, band.firstRow - 1, 1, 1) && !picture.holds(0, band.lastRow + 1, 1, 1));
    // Every byte of every row is read where the cell primitives read it: the sanitizers
    // see any that is not there.
    const SourcePicture& decoded = picture;
    static volatile unsigned sink = 0;
    for (std::int32_t y = band.firstRow; y <= band.lastRow; ++y) {
        const std::uint8_t* row = decoded.pixel(0, y);
        FUZZ_EXPECT(row + 3 * (kExtent.width - 1) == decoded.pixel(kExtent.width - 1, y));
        unsigned sum = 0;
        for (std::int32_t at = 0; at < 3 * kExtent.width; ++at) sum += row[at];
        sink = sink + sum;
    }
    return 0;
}
