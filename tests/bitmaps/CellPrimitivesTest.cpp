#include <gtest/gtest.h>

#include <sstream>

#include "BitmapTestSupport.h"
#include "driver/ScenarioConverter.h"

namespace {

class CellPrimitives : public ::testing::Test {
protected:
    std::ostringstream console;
    ScenarioConverter converter{console};
    const Bytes source = makeCodedBitmap(640, 480, kSourceTag);
    const Bytes target = makeCodedBitmap(640, 480, kTemplateTag);
    const BitmapPicture sourcePicture = loadWhole(source, 640, 480);
    BitmapPicture targetPicture = loadWhole(target, 640, 480);
};

}  // namespace

TEST_F(CellPrimitives, CopyCellMovesRowRunsAndLeavesTheBytesBetweenThem) {
    ASSERT_EQ(converter.copyCell(sourcePicture, targetPicture, 65, 49, 100, 200, 64, 48), 1);
    const Bytes out = storedInto(target, targetPicture);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < out.size(); ++i) changed += out[i] != target[i];
    EXPECT_EQ(changed, 48u * 192u) << "48 runs of 192 bytes";
    EXPECT_TRUE(sameCell(out, 100, 200, source, 65, 49, 64, 48));
    EXPECT_EQ(pixelAt(out, 99, 200), pixelAt(target, 99, 200));
    EXPECT_EQ(pixelAt(out, 164, 247), pixelAt(target, 164, 247));
    EXPECT_EQ(pixelAt(out, 100, 248), pixelAt(target, 100, 248));
}

TEST_F(CellPrimitives, EmptyRectanglesMoveNothingAndSucceed) {
    EXPECT_EQ(converter.copyCell(sourcePicture, targetPicture, 1, 1, 1, 1, 64, 0), 1);
    EXPECT_EQ(converter.copyCell(sourcePicture, targetPicture, 1, 1, 1, 1, 0, 48), 1);
    EXPECT_EQ(converter.fillMagenta(targetPicture, 5000, 5000, 0, 0), 1);
    EXPECT_EQ(converter.grayToMagenta(targetPicture, 1, 1, 64, 0), 1);
    EXPECT_EQ(storedInto(target, targetPicture), target);
}

TEST_F(CellPrimitives, RectanglesOutsideThePictureAreRefusedWithoutAWrite) {
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
    setPixel(picture, 10, 10, kGray);
    setPixel(picture, 11, 10, {135, 135, 134});
    setPixel(picture, 12, 10, {134, 135, 135});
    setPixel(picture, 13, 10, kMagentaPixel);
    setPixel(picture, 10, 11, {135, 134, 135});
    setPixel(picture, 14, 10, kGray);  // just outside the rectangle
    setPixel(picture, 10, 12, kGray);  // the row below it
    BitmapPicture held = loadWhole(picture, 640, 480);
    ASSERT_EQ(converter.grayToMagenta(held, 10, 10, 4, 2), 1);
    const Bytes out = storedInto(picture, held);
    EXPECT_EQ(pixelAt(out, 10, 10), kMagentaPixel);
    EXPECT_EQ(pixelAt(out, 11, 10), (PixelBytes{135, 135, 134}));
    EXPECT_EQ(pixelAt(out, 12, 10), (PixelBytes{134, 135, 135}));
    EXPECT_EQ(pixelAt(out, 13, 10), kMagentaPixel);
    EXPECT_EQ(pixelAt(out, 10, 11), (PixelBytes{135, 134, 135}));
    EXPECT_EQ(pixelAt(out, 14, 10), kGray);
    EXPECT_EQ(pixelAt(out, 10, 12), kGray);
    Bytes expected = picture;
    setPixel(expected, 10, 10, kMagentaPixel);
    EXPECT_EQ(out, expected) << "no other byte is written";
}

TEST_F(CellPrimitives, FillThenCopyLeavesExactlyTheSourcePixels) {
    ASSERT_EQ(converter.fillMagenta(targetPicture, 30, 40, 20, 10), 1);
    const Bytes filled = storedInto(target, targetPicture);
    for (int y = 40; y < 50; ++y) {
        for (int x = 30; x < 50; ++x) ASSERT_EQ(pixelAt(filled, x, y), kMagentaPixel);
    }
    EXPECT_EQ(pixelAt(filled, 29, 40), pixelAt(target, 29, 40));
    EXPECT_EQ(pixelAt(filled, 50, 49), pixelAt(target, 50, 49));

    ASSERT_EQ(converter.copyCell(sourcePicture, targetPicture, 300, 400, 30, 40, 20, 10), 1);
    const Bytes out = storedInto(target, targetPicture);
    EXPECT_TRUE(sameCell(out, 30, 40, source, 300, 400, 20, 10));
    Bytes expected = target;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) setPixel(expected, 30 + x, 40 + y, pixelAt(source, 300 + x, 400 + y));
    }
    EXPECT_EQ(out, expected);
}
