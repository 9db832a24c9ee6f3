// BMP files of every common kind: palette pictures of 1, 4 and 8 bits (plain or, at 4 and
// 8 bits, run-length encoded), 24 bits, and 32 bits with or without colour masks; info
// headers of 40 bytes or more (the 108-byte and 124-byte ones hold the masks and
// colour-space fields that are not needed here); rows bottom-up or top-down. An
// uncompressed picture is read where its rows lie: the band's stored rows, in one read
// (straight into the picture at 24 bits); a run-length one is read from its pixel data on
// and decoded whole.
#include "bitmaps/BmpPicture.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "base/LittleEndian.h"
#include "base/StreamBytes.h"
#include "bitmaps/BmpHeader.h"
#include "bitmaps/BmpRunLength.h"
#include "bitmaps/PaletteColours.h"
#include "bitmaps/SourcePicture.h"

namespace {

// The red, green and blue masks: the 40-byte header is followed by them, the larger
// headers hold them at the same place.
constexpr std::int64_t kMasksField = kBmpHeaderBytes;
constexpr std::size_t kMaskCount = 3;
constexpr std::int64_t kMasksEnd = kMasksField + 4 * kMaskCount;
constexpr std::int64_t kPaletteEntryBytes = 4;  // blue, green, red, unused

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

enum class PixelKind { Palette, RunLength, Bgr24, Bgrx32, Masked32 };

struct BmpKind {
    std::uint32_t bitsPerPixel;
    std::uint32_t compression;
    PixelKind pixels;
};

// The kinds read: bits per pixel and compression, and how their rows are decoded.
constexpr BmpKind kBmpKinds[] = {
    {1, kRgb, PixelKind::Palette},    {4, kRgb, PixelKind::Palette},         {8, kRgb, PixelKind::Palette},
    {4, kRle4, PixelKind::RunLength}, {8, kRle8, PixelKind::RunLength},      {24, kRgb, PixelKind::Bgr24},
    {32, kRgb, PixelKind::Bgrx32},    {32, kBitFields, PixelKind::Masked32},
};

const BmpKind* findKind(const BmpHeader& header) {
    for (const BmpKind& kind : kBmpKinds) {
        if (kind.bitsPerPixel == header.bitsPerPixel && kind.compression == header.compression) return &kind;
    }
    return nullptr;
}

// The wording of the failure for a kind that is not read: its bits per pixel, or its
// compression at those bits.
std::string kindProblem(const BmpHeader& header) {
    const bool bitsRead = std::any_of(std::begin(kBmpKinds), std::end(kBmpKinds),
                                      [&](const BmpKind& kind) { return kind.bitsPerPixel == header.bitsPerPixel; });
    if (!bitsRead) {
        return "is a picture of " + std::to_string(header.bitsPerPixel) +
               " bits per pixel (1, 4, 8, 24 or 32 are read)";
    }
    return "is compressed in a way that is not read (compression " + std::to_string(header.compression) + " at " +
           std::to_string(header.bitsPerPixel) + " bits per pixel)";
}

// One colour of a masked 32-bit pixel: where its bits lie, and how to widen or narrow
// them to 8 bits.
struct Channel {
    std::uint32_t mask;
    int shift;
    int bits;

    std::uint8_t of(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
        return static_cast<std::uint8_t>(value * 255 / ((1u << bits) - 1));
    }
};

// A mask must name one run of bits; nothing when it does not.
std::optional<Channel> channelOf(std::uint32_t mask) {
    if (mask == 0) return std::nullopt;
    int shift = 0;
    while ((mask >> shift & 1) == 0) ++shift;
    const std::uint32_t bits = mask >> shift;
    if ((bits & (bits + 1)) != 0) return std::nullopt;
    int count = 0;
    while (count < 32 && bits >> count != 0) ++count;
    return Channel{mask, shift, count};
}

// Reads the colour table that follows the info header; 0 when it runs past the end of the
// file or cannot be read.
std::size_t readPalette(std::istream& file, const BmpHeader& header, PaletteColours& palette) {
    const std::size_t indices = std::size_t{1} << header.bitsPerPixel;
    const std::size_t entries = header.coloursUsed == 0 || header.coloursUsed > indices ? indices : header.coloursUsed;
    const std::int64_t first = kBmpFileHeaderBytes + header.infoHeaderBytes;
    const std::int64_t bytes = static_cast<std::int64_t>(entries) * kPaletteEntryBytes;
    std::uint8_t table[PaletteColours::kIndices * kPaletteEntryBytes];
    if (first + bytes > header.fileSize || !readBytesAt(file, first, table, bytes)) return 0;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = table + i * kPaletteEntryBytes;
        palette.set(i, entry[2], entry[1], entry[0]);
    }
    return entries;
}

// The palette index of pixel x of a stored row of 1, 4 or 8 bits per pixel.
std::uint8_t indexAt(const std::uint8_t* row, std::int64_t x, std::uint32_t bitsPerPixel) {
    const std::int64_t bit = x * bitsPerPixel;
    const int shift = static_cast<int>(8 - bitsPerPixel - bit % 8);
    return static_cast<std::uint8_t>(row[bit / 8] >> shift & ((1u << bitsPerPixel) - 1));
}

// Turns one stored row of an uncompressed picture into 24-bit pixels.
struct StoredRowDecoder {
    const BmpKind& kind;
    std::int64_t width;
    const PaletteColours& palette;
    Channel channels[kMaskCount];  // red, green, blue
    std::vector<std::uint8_t> indices;

    void decode(const std::uint8_t* in, std::uint8_t* out) {
        switch (kind.pixels) {
            case PixelKind::Bgrx32:
                for (std::int64_t x = 0; x < width; ++x) std::memcpy(out + 3 * x, in + 4 * x, 3);
                break;
            case PixelKind::Masked32:
                for (std::int64_t x = 0; x < width; ++x) {
                    const std::uint32_t value = readU32le(in + 4 * x);
                    out[3 * x] = channels[2].of(value);
                    out[3 * x + 1] = channels[1].of(value);
                    out[3 * x + 2] = channels[0].of(value);
                }
                break;
            case PixelKind::Palette:
                indices.resize(static_cast<std::size_t>(width));
                for (std::int64_t x = 0; x < width; ++x) {
                    indices[static_cast<std::size_t>(x)] = indexAt(in, x, kind.bitsPerPixel);
                }
                palette.expand(indices.data(), indices.size(), out);
                break;
            case PixelKind::Bgr24:      // read straight into the picture
            case PixelKind::RunLength:  // decoded as a whole, by decodeRunLengthRows
                break;
        }
    }
};

}  // namespace

Outcome decodeBmpPicture(std::istream& file, std::int64_t fileSize, const PictureExtent& extent,
                         SourcePicture& picture) {
    BmpHeader header;
    Outcome read = readBmpHeader(file, fileSize, header);
    if (!read.ok()) return read;
    if (kBmpFileHeaderBytes + header.infoHeaderBytes > fileSize) {
        return Outcome::failure("has a bitmap header of an unsupported kind");
    }
    const BmpKind* const kind = findKind(header);
    if (kind == nullptr) return Outcome::failure(kindProblem(header));

    // Masks that follow a 40-byte header come before the pixels too.
    const bool masksAfterHeader =
        kind->pixels == PixelKind::Masked32 && header.infoHeaderBytes < kMasksEnd - kBmpFileHeaderBytes;
    const std::int64_t headerEnd = masksAfterHeader ? kMasksEnd : kBmpFileHeaderBytes + header.infoHeaderBytes;
    if (header.pixelDataOffset < headerEnd) return Outcome::failure("has its pixel data offset inside its header");
    if (kind->pixels == PixelKind::RunLength && header.topDown) {
        return Outcome::failure("is a compressed picture stored top-down (run-length pictures are stored bottom-up)");
    }
    Outcome size = checkPictureSize(header.width, header.rowCount, extent);
    if (!size.ok()) return size;
    // The colour table comes before the rows in the file, and is checked first.
    PaletteColours palette;
    if (kind->pixels == PixelKind::Palette || kind->pixels == PixelKind::RunLength) {
        if (readPalette(file, header, palette) == 0) {
            return Outcome::failure("is cut short (its colour table runs past the end of the file)");
        }
    }
    if (kind->pixels != PixelKind::RunLength && header.pixelDataEnd() > fileSize) {
        return Outcome::failure("is cut short (its pixel rows run past the end of the file)");
    }
    if (header.pixelDataOffset > fileSize) {
        return Outcome::failure("is cut short (its pixel data starts past the end of the file)");
    }

    Channel channels[kMaskCount] = {};
    if (kind->pixels == PixelKind::Masked32) {
        std::uint8_t masks[4 * kMaskCount];
        if (!readBytesAt(file, kMasksField, masks, sizeof masks)) return Outcome::failure("cannot be read");
        for (std::size_t i = 0; i < kMaskCount; ++i) {
            const std::optional<Channel> channel = channelOf(readU32le(masks + 4 * i));
            if (!channel) return Outcome::failure("has a colour mask that is empty or not one run of bits");
            channels[i] = *channel;
        }
    }

    // Only now, with the size checked, is memory taken for the rows.
    if (kind->pixels == PixelKind::RunLength) {
        std::vector<std::uint8_t> data;
        read = readFileRest(file, header.pixelDataOffset, fileSize, data);
        if (read.ok()) read = picture.hold(header.width, header.rowCount, extent);
        if (!read.ok()) return read;
        return decodeRunLengthRows({data.data(), data.size()}, header.bitsPerPixel, header.width, header.rowCount,
                                   palette, picture);
    }
    // The band's stored rows lie in the file as one run: a 24-bit picture's are the rows
    // the picture holds, read where they are; the other kinds' are decoded row by row.
    const auto order = header.topDown ? SourcePicture::RowOrder::TopDown : SourcePicture::RowOrder::BottomUp;
    read = picture.hold(header.width, header.rowCount, extent,
                        kind->pixels == PixelKind::Bgr24 ? order : SourcePicture::RowOrder::TopDown);
    if (!read.ok()) return read;
    const std::int64_t bandPosition = header.bandPosition(extent.touched);
    if (kind->pixels == PixelKind::Bgr24) {
        if (!readBytesAt(file, bandPosition, picture.band(), picture.bandBytes())) {
            return Outcome::failure("cannot be read");
        }
        return Outcome::success();
    }
    const std::int64_t rowBytes = header.rowBytes();
    const std::int64_t firstStoredRow = header.firstStoredRow(extent.touched);
    const std::int64_t bandRows = extent.touched.lastRow - extent.touched.firstRow + 1;
    std::vector<std::uint8_t> stored(static_cast<std::size_t>(bandRows * rowBytes));
    if (!readBytesAt(file, bandPosition, stored.data(), static_cast<std::int64_t>(stored.size()))) {
        return Outcome::failure("cannot be read");
    }
    StoredRowDecoder rows{*kind, header.width, palette, {channels[0], channels[1], channels[2]}, {}};
    for (std::int64_t y = extent.touched.firstRow; y <= extent.touched.lastRow; ++y) {
        rows.decode(stored.data() + (header.storedRow(y) - firstStoredRow) * rowBytes, picture.row(y));
    }
    return Outcome::success();
}
