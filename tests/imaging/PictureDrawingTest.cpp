// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/PictureDrawing.h"

#include "ImageTestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using ImageTest::Pattern;
using ImageTest::PeakKilobytes;
using ImageTest::SamePixels;

namespace {

QImage Filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The part of a thumbnail inside its margins.
QImage Box(const QImage& thumb, int margin, int width, int height)
{
    return thumb.copy(margin, margin, width, height);
}

} // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(300.5), 300);
    EXPECT_EQ(RoundHalfEven(-70.5), -70);
    EXPECT_EQ(RoundHalfEven(70.71), 71);
}

struct ThumbnailCase {
    int w, h, boxW, boxH;
    int scaledW, scaledH; // the size the picture is scaled to before the crop
};

class MakeThumbnailSizes : public ::testing::TestWithParam<ThumbnailCase> { };

TEST_P(MakeThumbnailSizes, CoversTheBoxAndKeepsTheTopLeftCorner)
{
    const ThumbnailCase c = GetParam();
    const QImage source = Pattern(c.w, c.h);
    QImage thumb;
    MakeThumbnail(source, thumb, 5, 5, 5, 5, c.boxW, c.boxH);
    ASSERT_EQ(thumb.size(), QSize(c.boxW + 10, c.boxH + 10));

    const QImage scaled = (c.scaledW == c.w && c.scaledH == c.h)
        ? source
        : source.scaled(c.scaledW, c.scaledH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_TRUE(SamePixels(Box(thumb, 5, c.boxW, c.boxH), scaled.copy(0, 0, c.boxW, c.boxH)));
    // The margins stay white.
    for (int x = 0; x < thumb.width(); ++x) {
        EXPECT_EQ(thumb.pixel(x, 0), qRgb(255, 255, 255));
        EXPECT_EQ(thumb.pixel(x, thumb.height() - 1), qRgb(255, 255, 255));
    }
    for (int y = 0; y < thumb.height(); ++y) {
        EXPECT_EQ(thumb.pixel(4, y), qRgb(255, 255, 255));
        EXPECT_EQ(thumb.pixel(thumb.width() - 5, y), qRgb(255, 255, 255));
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, MakeThumbnailSizes,
    ::testing::Values(
        // r = min(4, 4): scaled 100 x 75, copied whole
        ThumbnailCase { 400, 300, 100, 75, 100, 75 },
        // r = min(4, 2.667): scaled 150 x 75, the left 100 columns kept
        ThumbnailCase { 400, 200, 100, 75, 150, 75 },
        // enlarged by 2: 100 x 80, the top 75 rows kept
        ThumbnailCase { 50, 40, 100, 75, 100, 80 },
        // not larger in both directions: unscaled, the top 75 rows kept
        ThumbnailCase { 100, 300, 100, 75, 100, 300 },
        // 101 x 75 into 40 x 40: r = 1.875, 53.87 rounds to 54
        ThumbnailCase { 101, 75, 40, 40, 54, 40 }));

TEST(MakeThumbnail, UnequalMarginsPlaceTheBox)
{
    const QImage source = Filled(40, 30, qRgb(10, 20, 30));
    QImage thumb;
    MakeThumbnail(source, thumb, 1, 2, 3, 4, 40, 30);
    ASSERT_EQ(thumb.size(), QSize(44, 36));
    EXPECT_EQ(thumb.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(thumb.pixel(1, 2), qRgb(10, 20, 30));
    EXPECT_EQ(thumb.pixel(40, 31), qRgb(10, 20, 30));
    EXPECT_EQ(thumb.pixel(41, 31), qRgb(255, 255, 255));
    EXPECT_EQ(thumb.pixel(40, 32), qRgb(255, 255, 255));
}

TEST(MakeThumbnail, PaintedBackgroundStaysInTheMargins)
{
    const QRgb cream = qRgb(255, 251, 240);
    QImage thumb = Filled(50, 50, cream);
    MakeThumbnail(Filled(80, 80, qRgb(0, 0, 0)), thumb, 5, 5, 5, 5, 40, 40);
    ASSERT_EQ(thumb.size(), QSize(50, 50));
    EXPECT_EQ(thumb.pixel(0, 0), cream);
    EXPECT_EQ(thumb.pixel(4, 25), cream);
    EXPECT_EQ(thumb.pixel(45, 45), cream);
    EXPECT_EQ(thumb.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(thumb.pixel(44, 44), qRgb(0, 0, 0));
    // A dest of another size keeps what still fits; the new area is white.
    QImage small = Filled(8, 8, cream);
    MakeThumbnail(Filled(10, 10, qRgb(0, 0, 0)), small, 5, 5, 5, 5, 10, 10);
    ASSERT_EQ(small.size(), QSize(20, 20));
    EXPECT_EQ(small.pixel(0, 0), cream);
    EXPECT_EQ(small.pixel(19, 0), qRgb(255, 255, 255));
}

TEST(MakeThumbnail, EmptyPictureOrBoxLeavesDestAlone)
{
    QImage dest = Filled(3, 3, qRgb(1, 2, 3));
    MakeThumbnail(QImage(), dest, 5, 5, 5, 5, 40, 40);
    EXPECT_EQ(dest.size(), QSize(3, 3));
    MakeThumbnail(Pattern(10, 10), dest, 5, 5, 5, 5, 0, 40);
    EXPECT_EQ(dest.size(), QSize(3, 3));
    EXPECT_EQ(dest.pixel(0, 0), qRgb(1, 2, 3));
}

TEST(MakeThumbnail, AThinPictureScalesOnlyWhatTheBoxKeeps)
{
    // 1 x 40000 into 200 x 200: covering the box means 200 x 8,000,000
    // pixels (6.4 GB), of which the top 200 rows are kept.
    QImage source(1, 40000, QImage::Format_RGB32);
    source.fill(qRgb(0, 0, 200));
    for (int y = 0; y < 10; ++y)
        source.setPixel(0, y, qRgb(200, 0, 0));
    const qint64 before = PeakKilobytes();
    QImage thumb;
    MakeThumbnail(source, thumb, 5, 5, 5, 5, 200, 200);
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
    ASSERT_EQ(thumb.size(), QSize(210, 210));
    // The top ten source rows fill the whole box.
    for (const QPoint p :
        { QPoint(5, 5), QPoint(204, 5), QPoint(5, 204), QPoint(204, 204), QPoint(100, 100) })
        EXPECT_EQ(thumb.pixel(p), qRgb(200, 0, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(thumb.pixel(2, 100), qRgb(255, 255, 255));
}

TEST(MakeThumbnail, TransparentPixelsBecomeWhite)
{
    QImage source(20, 20, QImage::Format_ARGB32);
    source.fill(Qt::transparent);
    QImage thumb;
    MakeThumbnail(source, thumb, 0, 0, 0, 0, 20, 20);
    EXPECT_EQ(thumb.pixel(10, 10), qRgb(255, 255, 255));
}

struct FitCase {
    int w, h, maxW, maxH, newW, newH;
};

class ScaleImageToFitSizes : public ::testing::TestWithParam<FitCase> { };

TEST_P(ScaleImageToFitSizes, ShrinksKeepingProportions)
{
    const FitCase c = GetParam();
    QImage dest;
    ScaleImageToFit(Pattern(c.w, c.h), dest, c.maxW, c.maxH);
    EXPECT_EQ(dest.size(), QSize(c.newW, c.newH));
    EXPECT_EQ(dest.format(), QImage::Format_RGB32);
}

INSTANTIATE_TEST_SUITE_P(Examples, ScaleImageToFitSizes,
    ::testing::Values(FitCase { 1000, 500, 580, 360, 580, 290 }, FitCase { 300, 200, 580, 360, 300, 200 },
        // 300.5 rounds to the even 300
        FitCase { 800, 601, 400, 400, 400, 300 },
        // 302.5 rounds to 302
        FitCase { 800, 605, 400, 400, 400, 302 }, FitCase { 600, 601, 600, 600, 599, 600 },
        // a sliver keeps one pixel
        FitCase { 10000, 1, 100, 100, 100, 1 }));

TEST(ScaleImageToFit, PictureThatFitsIsCopiedUnchanged)
{
    const QImage source = Pattern(30, 20);
    QImage dest;
    ScaleImageToFit(source, dest, 30, 20);
    EXPECT_TRUE(SamePixels(dest, source));
}

TEST(ScaleImageToFit, ZeroOrNegativeMaximumDoesNothing)
{
    QImage dest = Filled(2, 2, qRgb(9, 9, 9));
    ScaleImageToFit(Pattern(30, 20), dest, 0, 100);
    ScaleImageToFit(Pattern(30, 20), dest, 100, -1);
    EXPECT_EQ(dest.size(), QSize(2, 2));
    ScaleImageToFit(QImage(), dest, 100, 100);
    EXPECT_EQ(dest.size(), QSize(2, 2));
}

// A 4 x 3 picture with a different colour in every pixel.
QImage FourByThree()
{
    return Pattern(4, 3);
}

TEST(RotateImage, ClockwiseQuarterTurnIsExact)
{
    QImage image = FourByThree();
    RotateImage(image, 90);
    ASSERT_EQ(image.size(), QSize(3, 4));
    const QImage source = FourByThree();
    // Turned clockwise, the left column read bottom-up becomes the top row.
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(image.pixel(col, row), source.pixel(row, 2 - col)) << col << "," << row;
    }
    EXPECT_EQ(image.pixel(2, 0), source.pixel(0, 0));
}

TEST(RotateImage, AntiClockwiseQuarterTurnIsExact)
{
    QImage image = FourByThree();
    RotateImage(image, -90);
    ASSERT_EQ(image.size(), QSize(3, 4));
    const QImage source = FourByThree();
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(image.pixel(col, row), source.pixel(3 - row, col)) << col << "," << row;
    }
    EXPECT_EQ(image.pixel(0, 3), source.pixel(0, 0));
}

TEST(RotateImage, HalfTurnIsExact)
{
    QImage image = FourByThree();
    RotateImage(image, 180);
    ASSERT_EQ(image.size(), QSize(4, 3));
    const QImage source = FourByThree();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(image.pixel(col, row), source.pixel(3 - col, 2 - row));
    }
}

TEST(RotateImage, FourQuarterTurnsGiveTheOriginalBack)
{
    const QImage source = Pattern(37, 23);
    QImage image = source;
    for (int i = 0; i < 4; ++i)
        RotateImage(image, 90);
    EXPECT_TRUE(SamePixels(image, source));
    RotateImage(image, 270);
    RotateImage(image, -270);
    EXPECT_TRUE(SamePixels(image, source));
    RotateImage(image, 360);
    EXPECT_TRUE(SamePixels(image, source));
}

TEST(RotateImage, FortyFiveDegreesTakesTheBoundsOfTheRoundedCorners)
{
    QImage image = Filled(100, 100, qRgb(200, 100, 50));
    RotateImage(image, 45);
    ASSERT_EQ(image.size(), QSize(142, 141));
    // The middle is covered, the corners are not.
    EXPECT_EQ(image.pixel(71, 70), qRgb(200, 100, 50));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(141, 140), qRgb(0, 0, 0));
}

TEST(RotateImage, SmallAngleKeepsEveryEdgeRow)
{
    QImage image = Filled(40, 30, qRgb(255, 255, 255));
    RotateImage(image, 1);
    // Along the middle of each edge the picture reaches the border: no black line.
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), qRgb(255, 255, 255));
    int white = 0;
    for (int y = 0; y < image.height(); ++y)
        white += image.pixel(image.width() / 2, y) == qRgb(255, 255, 255);
    EXPECT_GE(white, 30);
}

TEST(RotateImage, EmptyPictureStaysEmpty)
{
    QImage image;
    RotateImage(image, 90);
    EXPECT_TRUE(image.isNull());
}

TEST(RotateDC, ReportsTheNewSize)
{
    int w = 0, h = 0;
    const QImage rotated = RotateDC(Pattern(10, 4), std::acos(-1.0) / 2, w, h);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 10);
    EXPECT_EQ(rotated.size(), QSize(4, 10));
}
