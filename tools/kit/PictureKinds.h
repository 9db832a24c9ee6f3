#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Pictures of every kind that scenarios ship, drawn from the same pixels: a palette picture
// (at most 256 colours, gray (135, 135, 135) and magenta (255, 0, 255) among them, runs of
// equal pixels among noise) written as a 24-bit BMP or as any other BMP kind or GIF. Each
// kind of the same picture must convert to the same bytes.
struct IndexedPicture {
    std::int32_t width = 640;
    std::int32_t height = 480;
    std::vector<std::array<std::uint8_t, 3>> colours;  // red, green, blue
    std::vector<std::uint8_t> indices;                 // row by row from the top

    std::uint8_t at(std::int32_t x, std::int32_t y) const {
        return indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// colourCount: 2, 16 or 256 (what 1-, 4- and 8-bit pictures hold). With more than 2,
// colour 2 is black, and stretches of it (within rows, across row ends, up to the end of
// the top row) are what run-length data leaves out. colourBits below 8: each colour's
// values are those that so many bits widened to 8 give (31 of 5 bits is 255).
IndexedPicture makeIndexedPicture(std::int32_t width, std::int32_t height, std::size_t colourCount, std::uint64_t seed,
                                  int colourBits = 8);

struct BmpKind {
    std::uint16_t bitsPerPixel = 24;     // 1, 4, 8, 24 or 32
    bool runLength = false;              // RLE4 or RLE8
    bool masks = false;                  // 32 bits with colour masks (the bytes in an unusual order)
    std::uint32_t infoHeaderBytes = 40;  // 40, 108 (V4) or 124 (V5)
    bool topDown = false;
    int maskBits = 8;  // the width of each mask, up to 10; 8-bit masks are whole bytes
    // Palette pictures: the colours in the table, as its colours-used field says, when fewer
    // than the picture's; pixels of the indices beyond show black.
    std::uint32_t tableColours = 0;
};
// Run-length data leaves black pixels out, by moves and by ending rows early; at 4 bits,
// runs of two alternating colours are runs whose two halves differ.
std::vector<std::uint8_t> encodeBmp(const IndexedPicture& picture, const BmpKind& kind);

// How a GIF's data ends, as scenarios ship their files.
enum class GifCut {
    None,
    // The last data block announces more bytes than the file holds, but the image's end
    // code lies in the bytes there: every pixel is in the file.
    AfterEndCode,
    // The file ends halfway through the image data: its last rows are missing.
    InsideImage,
};

struct GifKind {
    bool gif89 = false;  // GIF89a, with a graphic control extension before the image
    bool interlaced = false;
    bool closingBlock = true;   // false: the image data runs straight into the trailer
    bool localColours = false;  // the colour table with the image, none with the screen
    // The image: the whole screen when frameWidth is 0, else this rectangle of the picture,
    // on a screen whose background is colour `background`.
    std::int32_t frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
    std::uint8_t background = 0;
    GifCut cut = GifCut::None;
    bool otherScreenColours = false;  // with localColours: the screen's table holds them reversed
};
// Written with giflib's encoder.
std::vector<std::uint8_t> encodeGif(const IndexedPicture& picture, const GifKind& kind);


// Where the first image descriptor (its 0x2C byte) of a GIF lies; 0 when there is none.
std::size_t gifImageAt(const std::vector<std::uint8_t>& gif);

// The kinds a scenario's pictures come in, each named, for tables of cases.
struct PictureKind {
    const char* name;
    std::size_t colours;  // of the pictures drawn for it
    bool gif;
    BmpKind bmp;
    GifKind gifKind;
    int colourBits = 8;  // of the pictures drawn for it
};
extern const PictureKind kPictureKinds[];
extern const std::size_t kPictureKindCount;
const PictureKind& pictureKind(const char* name);  // aborts for an unknown name
std::size_t pictureKindIndex(const char* name);

std::vector<std::uint8_t> encodePicture(const IndexedPicture& picture, const PictureKind& kind);

// The picture as a file of this kind shows it: a GIF's pixels outside its frame take the
// background colour (of a screen table with the picture's colours), a BMP's indices beyond
// its colour table are black.
IndexedPicture asShown(IndexedPicture picture, const PictureKind& kind);
