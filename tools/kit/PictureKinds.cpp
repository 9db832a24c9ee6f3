#include "kit/PictureKinds.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bitmaps/PictureExtent.h"
#include "kit/ByteWriting.h"
#include "kit/Random.h"

namespace {


bool isBlack(const IndexedPicture& picture, std::int32_t x, std::int32_t y) {
    const auto& c = picture.colours[picture.at(x, y)];
    return c[0] == 0 && c[1] == 0 && c[2] == 0;
}

// Run-length rows, bottom row first. Black pixels are left out: a move within the row or
// to a later one, or an early end of the row or of the picture. Runs hold equal pixels (at
// 4 bits, two alternating ones); stretches of unequal ones are stored as they are (3
// pixels or more); the rest are runs of 1 or 2.
std::vector<std::uint8_t> runLengthRows(const IndexedPicture& picture, int bits) {
    std::vector<std::uint8_t> out;
    const auto code = [&out](std::int64_t first, std::int64_t second) {
        out.push_back(static_cast<std::uint8_t>(first));
        out.push_back(static_cast<std::uint8_t>(second));
    };
    const std::int32_t w = picture.width;
    const std::int64_t total = std::int64_t{w} * picture.height;
    // Positions in the order of the data: the bottom row first.
    const auto blackAt = [&](std::int64_t at) { return isBlack(picture, at % w, picture.height - 1 - at / w); };
    std::int32_t line = 0;
    std::int32_t x = 0;
    for (;;) {
        if (x == w) {
            if (line + 1 == picture.height) break;
            code(0, 0);
            ++line, x = 0;
            continue;
        }
        const std::int32_t y = picture.height - 1 - line;
        if (isBlack(picture, x, y)) {
            std::int64_t end = std::int64_t{line} * w + x;
            while (end < total && blackAt(end)) ++end;
            if (end == total) break;
            const std::int32_t toLine = static_cast<std::int32_t>(end / w), toX = static_cast<std::int32_t>(end % w);
            if (toLine == line) {
                const std::int32_t dx = std::min(toX - x, 255);
                code(0, 2), code(dx, 0);
                x += dx;
            } else if (toX >= x && toX - x <= 255 && toLine - line <= 255) {
                code(0, 2), code(toX - x, toLine - line);
                line = toLine, x = toX;
            } else {
                code(0, 0);
                ++line, x = 0;
            }
            continue;
        }
        const std::int32_t period = bits == 8 ? 1 : 2;
        std::int32_t run = 1;
        while (x + run < w && run < 255 &&
               (run < period || picture.at(x + run, y) == picture.at(x + run - period, y))) {
            ++run;
        }
        std::int32_t stretch = 1;
        while (x + stretch < w && stretch < 254 &&
               (x + stretch + 1 >= w || picture.at(x + stretch, y) != picture.at(x + stretch + 1, y))) {
            ++stretch;
        }
        if (run > period || stretch < 3) {
            const std::uint8_t v = picture.at(x, y);
            code(run, bits == 8 ? v : v << 4 | (run > 1 ? picture.at(x + 1, y) : 0));
            x += run;
            continue;
        }
        code(0, stretch);
        std::vector<std::uint8_t> stored;
        for (std::int32_t i = 0; i < stretch; ++i) {
            const std::uint8_t v = picture.at(x + i, y);
            if (bits == 8) {
                stored.push_back(v);
            } else if (i % 2 == 0) {
                stored.push_back(static_cast<std::uint8_t>(v << 4));
            } else {
                stored.back() |= v;
            }
        }
        if (stored.size() % 2 != 0) stored.push_back(0);
        out.insert(out.end(), stored.begin(), stored.end());
        x += stretch;
    }
    code(0, 1);  // the end of the picture
    return out;
}

int appendGifBytes(GifFileType* gif, const GifByteType* bytes, int count) {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out.insert(out.end(), bytes, bytes + count);
    return count;
}

ColorMapObject* gifColours(const IndexedPicture& picture, bool reversed) {
    std::vector<GifColorType> colours;
    for (const auto& c : picture.colours) colours.push_back({c[0], c[1], c[2]});
    if (reversed) std::reverse(colours.begin(), colours.end());
    return GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
}

// The value that `bits` bits hold for an 8-bit colour value, rounded, and the 8-bit value
// that it stands for when widened again.
std::uint32_t narrowed(std::uint32_t value, int bits) {
    const std::uint32_t top = (1u << bits) - 1;
    return (value * top + 127) / 255;
}
std::uint8_t widened(std::uint32_t value, int bits) {
    return static_cast<std::uint8_t>(value * 255 / ((1u << bits) - 1));
}

}  // namespace

IndexedPicture makeIndexedPicture(std::int32_t width, std::int32_t height, std::size_t colourCount, std::uint64_t seed,
                                  int colourBits) {
    SampleRandom random(seed);
    IndexedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colours.push_back({135, 135, 135});
    picture.colours.push_back({255, 0, 255});
    if (colourCount > 2) picture.colours.push_back({0, 0, 0});
    while (picture.colours.size() < colourCount) {
        picture.colours.push_back({random.byte(), random.byte(), random.byte()});
    }
    picture.indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint8_t previous = 0;
    for (auto& index : picture.indices) {
        // Half the pixels repeat the one before, so that run-length and GIF data have runs.
        if (random.below(2) == 0)
            previous = static_cast<std::uint8_t>(random.below(static_cast<std::uint32_t>(colourCount)));
        index = previous;
    }
    if (colourBits < 8) {
        for (auto& colour : picture.colours) {
            for (auto& value : colour) value = widened(narrowed(value, colourBits), colourBits);
        }
    }
    if (colourCount <= 2) return picture;
    // Black stretches: within a row, from a row's end into the start of the row above (the
    // next in a bottom-up file), and at the end of the top row, the last pixels stored.
    const auto paint = [&](std::int32_t y, std::int32_t from, std::int32_t to) {
        for (std::int32_t x = std::max(from, 0); x < std::min(to, width); ++x) {
            picture
                .indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                2;
        }
    };
    paint(0, width - 40, width);
    for (std::int32_t y = 1; y < height; ++y) {
        if (y % 5 == 0) paint(y, 200, 300);
        if (y % 7 == 3) paint(y, width - 80, width), paint(y - 1, 0, y % 2 == 0 ? width - 40 : 100);
    }
    return picture;
}

std::vector<std::uint8_t> encodeBmp(const IndexedPicture& picture, const BmpKind& kind) {
    const std::uint32_t bits = kind.bitsPerPixel;
    const std::uint32_t paletteEntries = bits > 8 ? 0 : kind.tableColours != 0 ? kind.tableColours : 1u << bits;
    const std::uint32_t maskBytes = kind.masks && kind.infoHeaderBytes == 40 ? 12 : 0;
    const std::uint32_t dataOffset = 14 + kind.infoHeaderBytes + maskBytes + 4 * paletteEntries;
    const std::int64_t rowBytes = bmpRowBytes(picture.width, bits);
    // Bytes in blue-green-red-unused order, or with masks of 8 bits in the order
    // unused-red-green-blue; narrower or wider masks lie red-green-blue from the top down
    // at the bottom of the word. Unused bits are not zero.
    const int maskBits = kind.maskBits;
    const int shifts[3] = {maskBits == 8 ? 8 : 2 * maskBits, maskBits == 8 ? 16 : maskBits, maskBits == 8 ? 24 : 0};
    std::uint32_t masks[3];
    for (int i = 0; i < 3; ++i) masks[i] = ((1u << maskBits) - 1) << shifts[i];
    const std::uint32_t unused = 0x5A5A5A5A & ~(masks[0] | masks[1] | masks[2]);

    std::vector<std::uint8_t> pixels;
    if (kind.runLength) {
        pixels = runLengthRows(picture, bits);
    } else {
        pixels.assign(static_cast<std::size_t>(rowBytes * picture.height), 0);
        for (std::int32_t y = 0; y < picture.height; ++y) {
            const std::int32_t stored = kind.topDown ? y : picture.height - 1 - y;
            std::uint8_t* row = pixels.data() + stored * rowBytes;
            for (std::int32_t x = 0; x < picture.width; ++x) {
                const std::uint8_t index = picture.at(x, y);
                const auto& c = picture.colours[index];
                if (bits == 24) {
                    row[3 * x] = c[2], row[3 * x + 1] = c[1], row[3 * x + 2] = c[0];
                } else if (bits == 32 && kind.masks) {
                    std::uint32_t value = unused;
                    for (int i = 0; i < 3; ++i) value |= narrowed(c[i], maskBits) << shifts[i];
                    writeU32le(row + 4 * x, value);
                } else if (bits == 32) {
                    row[4 * x] = c[2], row[4 * x + 1] = c[1], row[4 * x + 2] = c[0], row[4 * x + 3] = 0xA5;
                } else {
                    const std::int64_t bit = std::int64_t{x} * bits;
                    row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
                }
            }
        }
    }

    std::vector<std::uint8_t> out(dataOffset);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(dataOffset + pixels.size()));
    put32(out, 10, dataOffset);
    put32(out, 14, kind.infoHeaderBytes);
    put32(out, 18, static_cast<std::uint32_t>(picture.width));
    put32(out, 22, static_cast<std::uint32_t>(kind.topDown ? -picture.height : picture.height));
    put16(out, 26, 1);
    put16(out, 28, bits);
    put32(out, 30, kind.runLength ? (bits == 8 ? 1 : 2) : kind.masks ? 3 : 0);
    put32(out, 34, static_cast<std::uint32_t>(pixels.size()));
    put32(out, 38, 2835);
    put32(out, 42, 2835);
    const auto coloursUsed = static_cast<std::uint32_t>(picture.colours.size());
    put32(out, 46, bits > 8 ? 0 : kind.tableColours != 0 ? kind.tableColours : coloursUsed);
    if (kind.masks || kind.infoHeaderBytes > 40) {
        for (int i = 0; i < 3; ++i) put32(out, 54 + 4 * i, kind.masks ? masks[i] : 0);
    }
    if (kind.infoHeaderBytes >= 108) put32(out, 70, 0x73524742);  // colour space 'sRGB'
    for (std::size_t i = 0; i < paletteEntries && i < picture.colours.size(); ++i) {
        const std::size_t at = 14 + kind.infoHeaderBytes + maskBytes + 4 * i;
        out[at] = picture.colours[i][2];
        out[at + 1] = picture.colours[i][1];
        out[at + 2] = picture.colours[i][0];
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// The whole file is written by EGifSpew, which also stores an interlaced image's rows in
// the order of its passes: the reader's own pass table is not copied here.
namespace {

// Ends the data of the first image of `gif` early, as `cut` says.
void cutGifData(std::vector<std::uint8_t>& gif, GifCut cut) {
    std::size_t at = gifImageAt(gif);
    if (at == 0) std::abort();
    const std::uint8_t flags = gif[at + 9];
    at += 10 + ((flags & 0x80) != 0 ? 3u << ((flags & 7) + 1) : 0u) + 1;  // and the LZW code size
    const std::size_t dataBegin = at;
    std::size_t last = at;
    while (gif[at] != 0) {
        last = at;
        at += gif[at] + 1u;
    }
    if (cut == GifCut::InsideImage) {
        gif.resize(dataBegin + (at - dataBegin) / 2);
        return;
    }
    if (gif[last] == 255) {  // a last block with room to announce more: one byte of its own
        gif[last] = 254;
        last += 255;
        gif.insert(gif.begin() + static_cast<std::ptrdiff_t>(last), std::uint8_t{1});
    }
    const std::size_t end = last + 1 + gif[last];
    gif[last] = 255;
    gif.resize(end);  // neither the closing block nor the trailer
}

}  // namespace

std::vector<std::uint8_t> encodeGif(const IndexedPicture& picture, const GifKind& kind) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendGifBytes, &error);
    if (gif == nullptr) std::abort();
    EGifSetGifVersion(gif, kind.gif89);
    ColorMapObject* colours = gifColours(picture, false);
    ColorMapObject* screenColours =
        kind.localColours ? (kind.otherScreenColours ? gifColours(picture, true) : nullptr) : colours;
    gif->SWidth = picture.width;
    gif->SHeight = picture.height;
    gif->SColorResolution = GifBitSize(colours->ColorCount);
    gif->SBackGroundColor = kind.background;
    gif->SColorMap = screenColours;

    SavedImage* image = GifMakeSavedImage(gif, nullptr);
    if (image == nullptr) std::abort();
    GifImageDesc& frame = image->ImageDesc;
    frame.Left = kind.frameWidth > 0 ? kind.frameLeft : 0;
    frame.Top = kind.frameWidth > 0 ? kind.frameTop : 0;
    frame.Width = kind.frameWidth > 0 ? kind.frameWidth : picture.width;
    frame.Height = kind.frameWidth > 0 ? kind.frameHeight : picture.height;
    frame.Interlace = kind.interlaced;
    frame.ColorMap = kind.localColours ? colours : nullptr;
    const std::size_t width = static_cast<std::size_t>(frame.Width);
    image->RasterBits = static_cast<GifByteType*>(std::malloc(width * static_cast<std::size_t>(frame.Height)));
    if (image->RasterBits == nullptr) std::abort();
    for (std::int32_t y = 0; y < frame.Height; ++y) {
        for (std::int32_t x = 0; x < frame.Width; ++x) {
            image->RasterBits[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] =
                picture.at(frame.Left + x, frame.Top + y);
        }
    }
    if (kind.gif89) {
        GifByteType control[4] = {0, 0, 0, 0};  // no disposal, no delay, no transparency
        if (GifAddExtensionBlock(&image->ExtensionBlockCount, &image->ExtensionBlocks, GRAPHICS_EXT_FUNC_CODE,
                                 sizeof control, control) != GIF_OK) {
            std::abort();
        }
    }
    // EGifSpew writes the file and closes it, freeing only the copies of the colour tables
    // that it wrote: the table and the image given to it are freed here.
    SavedImage* const images = gif->SavedImages;
    if (EGifSpew(gif) != GIF_OK) std::abort();
    GifFreeExtensions(&images[0].ExtensionBlockCount, &images[0].ExtensionBlocks);
    std::free(images[0].RasterBits);
    std::free(images);
    GifFreeMapObject(colours);
    if (screenColours != colours) GifFreeMapObject(screenColours);
    if (!kind.closingBlock && out.size() >= 2 && out[out.size() - 2] == 0) out.erase(out.end() - 2);
    if (kind.cut != GifCut::None) cutGifData(out, kind.cut);
    return out;
}

IndexedPicture asShown(IndexedPicture picture, const PictureKind& pictureKind) {
    for (std::size_t i = pictureKind.bmp.tableColours; i > 0 && i < picture.colours.size(); ++i) {
        picture.colours[i] = {0, 0, 0};
    }
    const GifKind& kind = pictureKind.gifKind;
    if (kind.frameWidth == 0) return picture;
    const std::size_t last = picture.colours.size() - 1;
    const auto background =
        static_cast<std::uint8_t>(kind.otherScreenColours ? last - kind.background : kind.background);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const bool inside = x >= kind.frameLeft && x < kind.frameLeft + kind.frameWidth && y >= kind.frameTop &&
                                y < kind.frameTop + kind.frameHeight;
            if (!inside) picture.indices[static_cast<std::size_t>(y) * picture.width + x] = background;
        }
    }
    return picture;
}

std::size_t gifImageAt(const std::vector<std::uint8_t>& gif) {
    if (gif.size() < 13) return 0;
    std::size_t at = 13;
    if (gif[10] & 0x80) at += 3u << ((gif[10] & 7) + 1);
    while (at < gif.size()) {
        if (gif[at] == 0x2C) return at;
        if (gif[at] != 0x21 || at + 2 >= gif.size()) return 0;
        at += 2;  // the introducer and the label, then sub-blocks up to an empty one
        while (at < gif.size() && gif[at] != 0) at += gif[at] + 1u;
        ++at;
    }
    return 0;
}

const PictureKind kPictureKinds[] = {
    //  name                          colours  gif    BMP: bits, RLE, masks, header, top-down     GIF
    {"24-bit BMP", 256, false, {24, false, false, 40, false}, {}},
    {"8-bit BMP", 256, false, {8, false, false, 40, false}, {}},
    {"RLE8 BMP", 256, false, {8, true, false, 40, false}, {}},
    {"4-bit BMP", 16, false, {4, false, false, 40, false}, {}},
    {"RLE4 BMP", 16, false, {4, true, false, 40, false}, {}},
    {"1-bit BMP", 2, false, {1, false, false, 40, false}, {}},
    {"32-bit BMP", 256, false, {32, false, false, 40, false}, {}},
    {"32-bit BMP with masks", 256, false, {32, false, true, 40, false}, {}},
    {"8-bit BMP, V4 header", 256, false, {8, false, false, 108, false}, {}},
    {"32-bit BMP with masks, V5 header", 256, false, {32, false, true, 124, false}, {}},
    {"24-bit BMP, V5 header, top-down", 256, false, {24, false, false, 124, true}, {}},
    {"8-bit BMP, top-down", 256, false, {8, false, false, 40, true}, {}},
    {"8-bit BMP, 200 of its 256 colours in its table", 256, false, {8, false, false, 40, false, 8, 200}, {}},
    {"GIF87a", 256, true, {}, {false, false, true, false, 0, 0, 0, 0, 0}},
    {"GIF89a", 256, true, {}, {true, false, true, false, 0, 0, 0, 0, 0}},
    {"GIF87a, interlaced", 256, true, {}, {false, true, true, false, 0, 0, 0, 0, 0}},
    {"GIF89a, interlaced, local colours", 256, true, {}, {true, true, true, true, 0, 0, 0, 0, 0}},
    {"GIF87a without the closing block", 256, true, {}, {false, false, false, false, 0, 0, 0, 0, 0}},
    {"GIF87a, 16 colours", 16, true, {}, {false, false, true, false, 0, 0, 0, 0, 0}},
    {"GIF87a, last block cut short after its end code",
     256,
     true,
     {},
     {false, false, true, false, 0, 0, 0, 0, 0, GifCut::AfterEndCode}},
    {"32-bit BMP with 5-bit masks", 256, false, {32, false, true, 40, false, 5}, {}, 5},
    {"32-bit BMP with 10-bit masks, V4 header", 256, false, {32, false, true, 108, false, 10}, {}},
    {"GIF89a, local colours over other screen colours",
     256,
     true,
     {},
     {true, false, true, true, 0, 0, 0, 0, 0, GifCut::None, true}},
    {"GIF87a, frame shorter than its screen", 256, true, {}, {false, false, true, false, 0, 0, 640, 6, 7}},
    {"GIF89a, interlaced frame set in", 256, true, {}, {true, true, true, false, 17, 3, 600, 5, 200}},
    {"GIF89a, local colours, frame set in",
     16,
     true,
     {},
     {true, false, true, true, 9, 1, 620, 8, 5, GifCut::None, true}},
};
const std::size_t kPictureKindCount = sizeof kPictureKinds / sizeof kPictureKinds[0];

std::size_t pictureKindIndex(const char* name) {
    for (std::size_t i = 0; i < kPictureKindCount; ++i) {
        if (std::strcmp(kPictureKinds[i].name, name) == 0) return i;
    }
    std::abort();
}

const PictureKind& pictureKind(const char* name) { return kPictureKinds[pictureKindIndex(name)]; }

std::vector<std::uint8_t> encodePicture(const IndexedPicture& picture, const PictureKind& kind) {
    return kind.gif ? encodeGif(picture, kind.gifKind) : encodeBmp(picture, kind.bmp);
}
