#include <gtest/gtest.h>

#include <sstream>

#include "BitmapTestSupport.h"
#include "bitmaps/CellPrimitives.h"

namespace {

class CellPrimitives : public ::testing::Test {
protected:
    std::ostringstream console;
    ScenarioConverter converter{console};
    const Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const SourcePicture sourcePicture = loadWholeSource(source, 640, 480);
    TemplatePicture targetPicture = loadWholeTemplate(target, 640, 480);
};

}  // namespace

TEST_F(CellPrimitives, CopyCellMovesRowRunsAndLeavesTheBytesBetweenThem) {
    ASSERT_EQ(converter.copyCell(sourcePicture, targetPicture, 65, 49, 100, 200, 64, 48), 1);
    const Bytes out = storedInto(target, targetPicture);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < out.size(); ++i) changed += out[i] != target[i];
    EXPECT_EQ(changed, 48u * 192u) << "48 runs of 192 bytes";
    EXPECT_TRUE(sameCell(out, 100, 200, source, 65, 49, 64, 48));
}

TEST_F(CellPrimitives, EmptyRectanglesSucceedAndRectanglesOutsideThePictureAreRefusedWithoutAWrite) {
    EXPECT_EQ(converter.copyCell(sourcePicture, targetPicture, 1, 1, 1, 1, 64, 0), 1);
    EXPECT_EQ(converter.copyCell(sourcePicture, targetPicture, 1, 1, 1, 1, 0, 48), 1);
    EXPECT_EQ(converter.fillMagenta(targetPicture, 5000, 5000, 0, 0), 1);
    EXPECT_EQ(converter.grayToMagenta(targetPicture, 1, 1, 64, 0), 1);
    EXPECT_EQ(converter.copyCell(sourcePicture, targetPicture, 0, 470, 0, 0, 64, 11), 0);
    EXPECT_EQ(converter.copyCell(sourcePicture, targetPicture, 0, 0, 600, 0, 41, 1), 0);
    EXPECT_EQ(converter.copyCell(sourcePicture, targetPicture, 0, 0, 0, -1, 1, 1), 0);
    EXPECT_EQ(converter.fillMagenta(targetPicture, 0, 479, 1, 2), 0);
    EXPECT_EQ(converter.grayToMagenta(targetPicture, 639, 0, 2, 1), 0);
    EXPECT_EQ(converter.fillMagenta(targetPicture, 0, 0, -1, 5), 0);
    // Each primitive addresses one geometry: the narrow copy needs a 585-pixel destination.
    EXPECT_EQ(converter.copyCellNarrow(sourcePicture, targetPicture, 0, 0, 0, 0, 1, 1), 0);
    EXPECT_EQ(storedInto(target, targetPicture), target);
}

TEST_F(CellPrimitives, GrayToMagentaRecoloursExactGrayOnlyInsideItsRectangle) {
    Bytes picture = target;
    const std::pair<int, int> gray[] = {{10, 10}, {14, 10} /* just outside */, {10, 12} /* the row below */};
    for (const auto& [x, y] : gray) setPixel(picture, x, y, kGray);
    setPixel(picture, 11, 10, {135, 135, 134});
    setPixel(picture, 12, 10, {134, 135, 135});
    setPixel(picture, 13, 10, kMagentaPixel);
    setPixel(picture, 10, 11, {135, 134, 135});
    TemplatePicture held = loadWholeTemplate(picture, 640, 480);
    ASSERT_EQ(converter.grayToMagenta(held, 10, 10, 4, 2), 1);
    Bytes expected = picture;
    setPixel(expected, 10, 10, kMagentaPixel);
    EXPECT_EQ(storedInto(picture, held), expected);
}

// fillThenCopyCell leaves out the fill's rows that the copy then writes from edge to edge.
TEST_F(CellPrimitives, FillThenCopyCellLeavesWhatFillMagentaThenCopyCellLeave) {
    const struct {
        const char* name;
        int fillX, fillY, fillWidth, fillHeight;
        int fromX, fromY, toX, toY, width, height;
    } cases[] = {
        {"the same rectangle", 1, 1, 64, 32, 66, 34, 1, 1, 64, 32},
        {"fill above and below the copy", 1, 1, 64, 64, 1, 1, 1, 11, 64, 48},
        {"fill inside a wider copy", 196, 1, 64, 32, 129, 1, 194, 1, 66, 32},
        {"fill wider than the copy", 0, 0, 70, 20, 5, 5, 2, 2, 64, 10},
        {"copy over the fill's lower rows", 10, 10, 20, 20, 300, 300, 10, 25, 20, 30},
        {"copy over the fill's upper rows", 10, 10, 20, 20, 300, 300, 10, 0, 20, 15},
        {"apart", 10, 10, 20, 20, 300, 300, 200, 200, 20, 20},
        {"empty fill", 10, 10, 0, 20, 300, 300, 10, 10, 20, 20},
        {"empty copy", 10, 10, 20, 20, 300, 300, 10, 10, 20, 0},
        {"copy from outside the source", 10, 10, 20, 20, 630, 0, 10, 10, 20, 20},
        {"copy outside the destination", 10, 470, 20, 10, 0, 0, 10, 470, 20, 11},
        {"fill outside the destination", 10, 470, 20, 11, 0, 0, 10, 470, 20, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemplatePicture twoCalls = loadWholeTemplate(target, 640, 480);
        TemplatePicture oneCall = loadWholeTemplate(target, 640, 480);
        const int filled = converter.fillMagenta(twoCalls, c.fillX, c.fillY, c.fillWidth, c.fillHeight);
        const int expected = filled & converter.copyCell(sourcePicture, twoCalls, c.fromX, c.fromY,
                                                         c.toX, c.toY, c.width, c.height);
        const PixelRect fill{{c.fillX, c.fillY}, c.fillWidth, c.fillHeight};
        const PixelRect to{{c.toX, c.toY}, c.width, c.height};
        EXPECT_EQ(fillThenCopyCell(converter, sourcePicture, oneCall, fill, {c.fromX, c.fromY}, to), expected);
        EXPECT_EQ(storedInto(target, oneCall), storedInto(target, twoCalls));
    }
}
