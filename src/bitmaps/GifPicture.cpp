// GIF files, decoded from memory by giflib: the first image of the file, interlaced or
// not, placed at its offset on the logical screen, whose other pixels take the screen's
// background colour. The screen must be as wide as the layout needs and tall enough; that
// is checked before any pixel is decoded, so a file that claims a huge screen costs
// nothing. Transparency and later images (the frames of an animation) are not used.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "bitmaps/BitmapPicture.h"
#include "bitmaps/PaletteColours.h"
#include "bitmaps/SourcePicture.h"

namespace {

constexpr std::uint8_t kTrailer = 0x3B;

// The file's bytes as giflib reads them. Some files end their first image straight with
// the trailer, without the zero-length block that closes the image data; giflib reads on
// after an image's last row up to that block. So from the first image's rows on, a file
// that ends in a trailer reads as if a zero-length block came before it: nothing after
// the first image is read anyway.
struct GifInput {
    PictureBytes file;
    std::size_t length;  // the bytes read, an added block included
    std::size_t at = 0;

    explicit GifInput(PictureBytes bytes) : file(bytes), length(bytes.size) {}

    void closeImageDataAtTrailer() {
        if (file.size > at && file.data[file.size - 1] == kTrailer) length = file.size + 1;
    }

    // The bytes read as the file holds them: all, or all but the closing trailer.
    std::size_t directBytes() const { return length > file.size ? file.size - 1 : file.size; }

    std::uint8_t byteAt(std::size_t position) const {
        if (length == file.size || position + 2 < length) return file.data[position];
        return position + 2 == length ? 0 : kTrailer;
    }
};

int readGifBytes(GifFileType* gif, GifByteType* into, int count) {
    GifInput& input = *static_cast<GifInput*>(gif->UserData);
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    const std::size_t available = std::min(wanted, input.length - input.at);
    // The file's own bytes in one copy; only the added block and the trailer one by one.
    const std::size_t direct = input.directBytes();
    const std::size_t fromFile = input.at < direct ? std::min(available, direct - input.at) : 0;
    if (fromFile > 0) std::memcpy(into, input.file.data + input.at, fromFile);
    for (std::size_t i = fromFile; i < available; ++i) into[i] = input.byteAt(input.at + i);
    input.at += available;
    return static_cast<int>(available);
}

// The rows of a frame in the order the file stores them: an interlaced frame in four
// passes (every 8th row from row 0, every 8th from row 4, every 4th from row 2, every 2nd
// from row 1), another one top to bottom.
struct InterlacePass {
    int firstRow;
    int step;
};
constexpr InterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
constexpr InterlacePass kSequentialPass[] = {{0, 1}};

// The wording of the failure for an error that giflib reports.
std::string giflibProblem(int error) {
    // giflib names a screen description that the data ends inside by that description.
    if (error == D_GIF_ERR_READ_FAILED || error == D_GIF_ERR_NO_SCRN_DSCR) return "is cut short (its data ends before its first image does)";
    if (error == D_GIF_ERR_NOT_GIF_FILE) return "is not a GIF picture";
    const char* reason = GifErrorString(error);
    return std::string("is a damaged GIF picture (") + (reason != nullptr ? reason : "unknown error") + ")";
}

void setColours(const ColorMapObject* map, PaletteColours& palette) {
    const int count = std::min<int>(map->ColorCount, static_cast<int>(PaletteColours::kIndices));
    for (int i = 0; i < count; ++i) {
        palette.set(static_cast<std::size_t>(i), map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    }
}

class GifDecoding {
public:
    GifDecoding(PictureBytes file, const PictureExtent& extent, BitmapPicture& picture)
        : input_(file), extent_(extent), picture_(picture) {}
    ~GifDecoding() {
        int ignored = 0;
        if (gif_ != nullptr) DGifCloseFile(gif_, &ignored);
    }
    GifDecoding(const GifDecoding&) = delete;
    GifDecoding& operator=(const GifDecoding&) = delete;

    Outcome decode() {
        int error = 0;
        gif_ = DGifOpen(&input_, readGifBytes, &error);  // reads the screen and its colour table
        if (gif_ == nullptr) return Outcome::failure(giflibProblem(error));
        Outcome size = checkPictureSize(gif_->SWidth, gif_->SHeight, extent_);
        if (!size.ok()) return size;
        for (;;) {
            GifRecordType record = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif_, &record) == GIF_ERROR) return Outcome::failure(giflibProblem(gif_->Error));
            if (record == IMAGE_DESC_RECORD_TYPE) return decodeFirstImage();
            if (record == TERMINATE_RECORD_TYPE) return Outcome::failure("holds no image");
            if (record == EXTENSION_RECORD_TYPE && !skipExtension()) {
                return Outcome::failure(giflibProblem(gif_->Error));
            }
        }
    }

private:
    bool skipExtension() {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) return false;
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) return false;
        }
        return true;
    }

    Outcome decodeFirstImage() {
        if (DGifGetImageDesc(gif_) == GIF_ERROR) return Outcome::failure(giflibProblem(gif_->Error));
        const GifImageDesc& frame = gif_->Image;
        if (frame.Width <= 0 || frame.Height <= 0) return Outcome::failure("has an empty first image");
        if (frame.Left < 0 || frame.Top < 0 || frame.Left + frame.Width > gif_->SWidth ||
            frame.Top + frame.Height > gif_->SHeight) {
            return Outcome::failure("has its first image reaching outside its screen");
        }
        const ColorMapObject* const colours = frame.ColorMap != nullptr ? frame.ColorMap : gif_->SColorMap;
        if (colours == nullptr) return Outcome::failure("has no colour table");

        Outcome hold = picture_.holdDecoded(gif_->SWidth, gif_->SHeight, extent_);
        if (!hold.ok()) return hold;
        paintBackground();
        PaletteColours palette;
        setColours(colours, palette);
        input_.closeImageDataAtTrailer();
        std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
        const bool interlaced = frame.Interlace;
        const InterlacePass* const passes = interlaced ? kInterlacePasses : kSequentialPass;
        const std::size_t passCount = interlaced ? std::size(kInterlacePasses) : std::size(kSequentialPass);
        for (std::size_t p = 0; p < passCount; ++p) {
            for (int row = passes[p].firstRow; row < frame.Height; row += passes[p].step) {
                if (DGifGetLine(gif_, line.data(), frame.Width) == GIF_ERROR) {
                    return Outcome::failure(giflibProblem(gif_->Error));
                }
                std::uint8_t* const out = picture_.bandRow(frame.Top + row);
                if (out != nullptr) palette.expand(line.data(), line.size(), out + 3 * frame.Left);
            }
        }
        return Outcome::success();
    }

    // The screen's background colour, from its own colour table (black without one), under
    // the band wherever the first image does not cover it.
    void paintBackground() {
        const GifImageDesc& frame = gif_->Image;
        if (frame.Left == 0 && frame.Top == 0 && frame.Width == gif_->SWidth && frame.Height == gif_->SHeight) return;
        PaletteColours screen;
        if (gif_->SColorMap != nullptr) setColours(gif_->SColorMap, screen);
        const std::uint8_t background = static_cast<std::uint8_t>(gif_->SBackGroundColor);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(gif_->SWidth), background);
        for (std::int64_t y = extent_.touched.firstRow; y <= extent_.touched.lastRow; ++y) {
            screen.expand(row.data(), row.size(), picture_.bandRow(y));
        }
    }

    GifInput input_;
    const PictureExtent& extent_;
    BitmapPicture& picture_;
    GifFileType* gif_ = nullptr;
};

}  // namespace

Outcome decodeGifPicture(PictureBytes file, const PictureExtent& extent, BitmapPicture& picture) {
    return GifDecoding(file, extent, picture).decode();
}
