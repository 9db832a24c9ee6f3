#include <gtest/gtest.h>

#include <sstream>

#include "BitmapTestSupport.h"
#include "bitmaps/LayoutExtents.h"

namespace {

Bytes streamOne(const Bytes& bytes, const PictureExtent& extent,
                      const std::function<void(TemplatePicture&)>& edit = [](TemplatePicture&) {}) {
    return streamInWindows({bytes}, {extent}, [&](Pictures& pictures) { edit(pictures[0]); })[0];
}

std::int64_t windowsOf(const Bytes& bytes, const PictureExtent& extent) {
    std::istringstream file(asText(bytes));
    TemplatePicture picture;
    EXPECT_TRUE(picture.load(file, extent).ok());
    return picture.windowCount();
}

// `bytes` with `gap` bytes between the header and the pixel rows, as the header says.
Bytes withGapBeforeRows(Bytes bytes, std::uint32_t gap) {
    bytes.insert(bytes.begin() + 54, gap, 0x5C);
    for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<std::uint8_t>((54 + gap) >> (8 * i));
    return bytes;
}

}  // namespace

TEST(PictureWindows, PassTheFileThroughUnchangedWhateverItsRowOrderAndPadding) {
    BitmapSampleOptions trailing;
    trailing.trailingBytes = 333;
    const struct {
        const char* name;
        Bytes bytes;
        PictureExtent extent;
        bool severalWindows;
    } pictures[] = {
        {"bottom-up", makeBitmap(BitmapSampleOptions()), {640, {0, 639, 3, 470}}, true},
        {"top-down", makeCodedBitmap(640, -480, kTemplateTag), {640, {0, 639, 3, 470}}, true},
        {"trailing bytes", makeBitmap(trailing), {640, {1, 638, 1, 478}}, true},
        {"narrow, padded rows", makeCodedBitmap(585, 380, 3), kImprovementsExtent, true},
        {"rows after a gap", withGapBeforeRows(makeBitmap(BitmapSampleOptions()), 10), {640, {0, 639, 0, 479}}, true},
        {"one row", makeBitmap(BitmapSampleOptions()), {640, {0, 639, 200, 200}}, false},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        EXPECT_EQ(windowsOf(picture.bytes, picture.extent) > 1, picture.severalWindows);
        EXPECT_EQ(streamOne(picture.bytes, picture.extent), picture.bytes);
    }
}

TEST(PictureWindows, EditsReachEveryWindowAndOnlyTheRowsInMemory) {
    std::ostringstream console;
    ScenarioConverter converter(console);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const PictureExtent band = wholePicture(640, 480);
    // One tall rectangle through every window: each row is painted once, in its window.
    const Bytes out = streamOne(target, band, [&](TemplatePicture& picture) {
        EXPECT_EQ(converter.fillMagenta(picture, 10, 0, 3, 480), 1);
        EXPECT_EQ(converter.fillMagenta(picture, 10, 0, 3, 481), 0) << "checked against the band";
    });
    Bytes expected = target;
    for (int y = 0; y < 480; ++y) {
        for (int x = 10; x < 13; ++x) setPixel(expected, x, y, kMagentaPixel);
    }
    EXPECT_EQ(out, expected);

    // Before the first window is read, no row is in memory: a check passes, nothing is written.
    std::istringstream file(asText(target));
    TemplatePicture picture;
    ASSERT_TRUE(picture.load(file, band).ok());
    EXPECT_EQ(converter.fillMagenta(picture, 0, 0, 640, 480), 1);
    EXPECT_EQ(picture.rowsHeld(0, 480).begin, picture.rowsHeld(0, 480).end);

    // The file lost its last rows after its header was read: the last window cannot be read.
    std::istringstream cutShort(asText(Bytes(target.begin(), target.end() - 1920)));
    EXPECT_TRUE(picture.readWindow(cutShort, 0));
    EXPECT_FALSE(picture.readWindow(cutShort, picture.windowCount() - 1));
    EXPECT_TRUE(picture.readWindow(cutShort, picture.windowCount())) << "past the band: nothing to read";
}
