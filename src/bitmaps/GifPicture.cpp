// GIF files, decoded from memory by giflib: the first image of the file, interlaced or
// not, placed at its offset on the logical screen, whose other pixels take the screen's
// background colour. The screen must be as wide as the layout needs and tall enough; that
// is checked before any pixel is decoded, so a file that claims a huge screen costs
// nothing. Transparency and later images (the frames of an animation) are not used.
#include "bitmaps/GifPicture.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "bitmaps/PaletteColours.h"
#include "bitmaps/SourcePicture.h"

namespace {

constexpr std::uint8_t kTrailer = 0x3B;

// The file's bytes as giflib reads them. Image data is a chain of sub-blocks, each a size
// byte and that many bytes, closed by an empty one; giflib asks for a whole sub-block at
// once and fails when the file holds less, even where the image is complete in the bytes
// that are there. Scenarios ship files whose data so runs past the end: a last sub-block
// that announces more bytes than the file holds, or image data that runs into the trailer
// without its closing block. So once the first image's descriptor is read, giflib is shown
// the chain as the file holds it: a sub-block cut short by the end of the file announces
// the bytes that are there, and the closing block and the trailer follow. An image complete
// in those bytes is read whole; one that is not reads up to the closing block, and is
// refused as cut short.
struct GifInput {
    PictureBytes file;
    std::size_t length;  // the bytes shown to giflib
    std::size_t at = 0;
    // Where the chain was cut: the cut sub-block's size byte, its bytes in the file (it
    // shows them when there are some), and where the closing block is shown.
    std::size_t cut = 0;
    std::size_t cutBytes = 0;
    std::size_t closingAt = 0;

    explicit GifInput(PictureBytes bytes) : file(bytes), length(bytes.size) {}

    // Walks the sub-blocks from the one at `at` on, and shows a chain that runs past the
    // end of the file as one that ends in the file.
    void closeImageData() {
        std::size_t block = at;
        while (block < file.size && file.data[block] != 0 && block + 1 + file.data[block] <= file.size) {
            block += 1 + std::size_t{file.data[block]};
        }
        if (block < file.size && file.data[block] == 0) return;  // closed in the file
        cut = block;
        cutBytes = block < file.size ? file.size - block - 1 : 0;
        closingAt = cutBytes > 0 ? file.size : block;
        length = closingAt + 2;
    }
    bool isCut() const { return length != file.size; }
    // True once giflib has read up to the closing block that the file lacks.
    bool readPastEnd() const { return isCut() && at > closingAt; }

    // Whether byte `position` is shown as the file holds it.
    bool direct(std::size_t position) const {
        return !isCut() || position < cut || (cutBytes > 0 && position > cut && position < file.size);
    }
    std::uint8_t byteAt(std::size_t position) const {
        if (direct(position)) return file.data[position];
        if (position == cut && cutBytes > 0) return static_cast<std::uint8_t>(cutBytes);
        return position == closingAt ? 0 : kTrailer;
    }
};

int readGifBytes(GifFileType* gif, GifByteType* into, int count) {
    GifInput& input = *static_cast<GifInput*>(gif->UserData);
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    const std::size_t available = std::min(wanted, input.length - input.at);
    // The file's own bytes in runs; only the bytes shown in their place one by one.
    for (std::size_t i = 0; i < available;) {
        const std::size_t position = input.at + i;
        if (!input.direct(position)) {
            into[i++] = input.byteAt(position);
            continue;
        }
        const std::size_t runEnd = !input.isCut() ? input.length : position < input.cut ? input.cut : input.file.size;
        const std::size_t run = std::min(available - i, runEnd - position);
        std::memcpy(into + i, input.file.data + position, run);
        i += run;
    }
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

constexpr const char* kCutShort = "is cut short (its data ends before its first image does)";

// The wording of the failure for an error that giflib reports.
std::string giflibProblem(int error) {
    // giflib names a screen description that the data ends inside by that description.
    if (error == D_GIF_ERR_READ_FAILED || error == D_GIF_ERR_NO_SCRN_DSCR) return kCutShort;
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
    GifDecoding(PictureBytes file, const PictureExtent& extent, SourcePicture& picture)
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

        Outcome hold = picture_.hold(gif_->SWidth, gif_->SHeight, extent_);
        if (!hold.ok()) return hold;
        paintBackground();
        PaletteColours palette;
        setColours(colours, palette);
        input_.closeImageData();
        std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
        const bool interlaced = frame.Interlace;
        const InterlacePass* const passes = interlaced ? kInterlacePasses : kSequentialPass;
        const std::size_t passCount = interlaced ? std::size(kInterlacePasses) : std::size(kSequentialPass);
        for (std::size_t p = 0; p < passCount; ++p) {
            for (int row = passes[p].firstRow; row < frame.Height; row += passes[p].step) {
                if (DGifGetLine(gif_, line.data(), frame.Width) == GIF_ERROR) {
                    return Outcome::failure(input_.readPastEnd() ? kCutShort : giflibProblem(gif_->Error));
                }
                std::uint8_t* const out = picture_.row(frame.Top + row);
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
            screen.expand(row.data(), row.size(), picture_.row(y));
        }
    }

    GifInput input_;
    const PictureExtent& extent_;
    SourcePicture& picture_;
    GifFileType* gif_ = nullptr;
};

}  // namespace

Outcome decodeGifPicture(PictureBytes file, const PictureExtent& extent, SourcePicture& picture) {
    return GifDecoding(file, extent, picture).decode();
}
