// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/JpegCodec.h"

#include "imaging/ImageLoader.h"
#include "support/ExifJpeg.h"

#include "ImageTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace ImageTest;

namespace {

// A smooth picture, as photos are, so JPEG round trips stay close.
QImage Smooth(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    }
    return image;
}

// True when the JPEG's frame marker is SOF0, the baseline one.
bool IsBaseline(const QByteArray& jpeg)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) != 0xFF)
            continue;
        const uchar marker = uchar(jpeg[i + 1]);
        if (marker == 0xC0)
            return true;
        if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return false;
    }
    return false;
}

// Red, green / blue, white quadrants: every turn and mirror of it differs.
QImage Quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            image.setPixel(x, y,
                bottom ? (right ? qRgb(255, 255, 255) : qRgb(0, 0, 255))
                       : (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0)));
        }
    }
    return image;
}

::testing::AssertionResult Near(QRgb actual, QRgb expected)
{
    if (std::abs(qRed(actual) - qRed(expected)) <= 40 && std::abs(qGreen(actual) - qGreen(expected)) <= 40
        && std::abs(qBlue(actual) - qBlue(expected)) <= 40)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << std::hex << (actual & 0xFFFFFF) << " against " << (expected & 0xFFFFFF);
}

} // namespace

TEST(JpegCodec, AdobeCmykBecomesRgb)
{
    // Inverted CMYK (255, 0, 255, 255): full magenta ink, nothing else.
    const unsigned char magenta[4] = { 255, 0, 255, 255 };
    QImage decoded;
    ASSERT_TRUE(DecodeJpegData(CmykJpeg(16, 16, magenta), decoded));
    const QRgb p = decoded.pixel(8, 8);
    EXPECT_GE(qRed(p), 245);
    EXPECT_LE(qGreen(p), 10);
    EXPECT_GE(qBlue(p), 245);
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
}

TEST(JpegCodec, RoundTripKeepsSizeAndColours)
{
    const QImage source = Smooth(64, 48);
    const QByteArray jpeg = EncodeJpeg(source, 95);
    ASSERT_FALSE(jpeg.isEmpty());
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(IsBaseline(jpeg));
    QImage decoded;
    ASSERT_TRUE(DecodeJpegData(jpeg, decoded));
    EXPECT_EQ(decoded.size(), source.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_LE(MaxChannelDifference(decoded, source), 12);
    EXPECT_EQ(qAlpha(decoded.pixel(10, 10)), 255);
}

TEST(JpegCodec, QualityIsHonoured)
{
    const QImage source = Pattern(96, 96);
    const QByteArray low = EncodeJpeg(source, 10);
    const QByteArray high = EncodeJpeg(source, 100);
    EXPECT_LT(low.size(), high.size());
    // Out-of-range qualities are clamped rather than refused.
    EXPECT_FALSE(EncodeJpeg(source, 0).isEmpty());
    EXPECT_FALSE(EncodeJpeg(source, 500).isEmpty());
}

TEST(JpegCodec, GreyJpegDecodesAsRgb32)
{
    const QImage grey = Smooth(32, 16).convertToFormat(QImage::Format_Grayscale8);
    QImage decoded;
    ASSERT_TRUE(DecodeJpegData(EncodeJpeg(grey, 90), decoded));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_EQ(decoded.size(), QSize(32, 16));
}

TEST(JpegCodec, EmptyPictureIsNotEncoded)
{
    QString error;
    EXPECT_TRUE(EncodeJpeg(QImage(), 90, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(JpegCodec, GarbageAndTruncatedDataFailOrDecodeWithoutCrashing)
{
    QImage decoded;
    QString error;
    EXPECT_FALSE(DecodeJpegData(QByteArray("not a jpeg at all"), decoded, 0, 0, &error));
    EXPECT_TRUE(decoded.isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(DecodeJpegData(QByteArray(), decoded));

    const QByteArray jpeg = EncodeJpeg(Pattern(40, 30), 80);
    // Cut inside the header: refused. Cut inside the picture data: decoded, the rest filled in.
    EXPECT_FALSE(DecodeJpegData(jpeg.left(20), decoded));
    for (qsizetype n = 1; n < jpeg.size(); n += 7)
        DecodeJpegData(jpeg.left(n), decoded);
    EXPECT_TRUE(DecodeJpegData(jpeg.left(jpeg.size() - 40), decoded));
    EXPECT_EQ(decoded.size(), QSize(40, 30));
}

TEST(JpegCodec, ForgedHugeSizeIsRefusedAlsoForABox)
{
    // A real small JPEG whose frame header claims 60000 x 60000 pixels: at
    // 1/8 the output would look modest, the work and memory would not.
    QByteArray jpeg = EncodeJpeg(Pattern(16, 16), 80);
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (qsizetype at : { sof + 5, sof + 7 }) {
        jpeg[at] = char(60000 >> 8);
        jpeg[at + 1] = char(60000 & 0xFF);
    }
    QImage decoded;
    EXPECT_FALSE(DecodeJpegData(jpeg, decoded, 160, 120));
    EXPECT_TRUE(decoded.isNull());
    EXPECT_FALSE(DecodeJpegData(jpeg, decoded));
}

struct ScaleCase {
    int w, h, boxW, boxH, numerator;
};

class JpegScale : public ::testing::TestWithParam<ScaleCase> { };

TEST_P(JpegScale, SmallestEighthThatStillCoversTheBox)
{
    const ScaleCase c = GetParam();
    EXPECT_EQ(JpegScaleNumerator(c.w, c.h, c.boxW, c.boxH), c.numerator);
}

INSTANTIATE_TEST_SUITE_P(Cases, JpegScale,
    ::testing::Values(ScaleCase { 4000, 3000, 40, 40, 1 }, ScaleCase { 4000, 3000, 500, 375, 1 },
        ScaleCase { 4000, 3000, 501, 375, 2 }, ScaleCase { 4000, 3000, 160, 1000, 3 },
        ScaleCase { 800, 600, 120, 90, 2 }, ScaleCase { 800, 600, 800, 600, 8 },
        ScaleCase { 100, 100, 200, 200, 8 },
        // a portrait photo in a landscape box
        ScaleCase { 3000, 4000, 160, 120, 1 },
        // 1/8 of 9 rounds up to 2
        ScaleCase { 9, 9, 2, 2, 1 }, ScaleCase { 9, 9, 3, 3, 2 },
        // no box: full size
        ScaleCase { 4000, 3000, 0, 100, 8 }));

TEST(JpegCodec, BoxDecodeScalesByEighths)
{
    const QByteArray jpeg = EncodeJpeg(Smooth(800, 600), 90);
    QImage decoded;
    ASSERT_TRUE(DecodeJpegData(jpeg, decoded, 100, 75));
    EXPECT_EQ(decoded.size(), QSize(100, 75));
    ASSERT_TRUE(DecodeJpegData(jpeg, decoded, 120, 90));
    EXPECT_EQ(decoded.size(), QSize(200, 150));
    ASSERT_TRUE(DecodeJpegData(jpeg, decoded));
    EXPECT_EQ(decoded.size(), QSize(800, 600));
    // The reduced decode still looks like the picture.
    ASSERT_TRUE(DecodeJpegData(jpeg, decoded, 100, 75));
    EXPECT_LE(MaxChannelDifference(
                  decoded, Smooth(800, 600).scaled(100, 75, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
        16);
}

class JpegFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(JpegFiles, SaveAndDecodeFile)
{
    ASSERT_TRUE(dir.isValid());
    const QImage source = Smooth(50, 40);
    QString error;
    ASSERT_TRUE(SaveJpegFile(source, Path(QStringLiteral("a.jpg")), 90, &error)) << error.toStdString();
    QImage decoded;
    ASSERT_TRUE(DecodeJpegFile(Path(QStringLiteral("a.jpg")), decoded));
    EXPECT_EQ(decoded.size(), QSize(50, 40));
    EXPECT_LE(MaxChannelDifference(decoded, source), 12);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("a.jpg") });
    // An ordinary new file's permissions, not the temporary file's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat info { };
    ASSERT_EQ(::stat(QFile::encodeName(Path(QStringLiteral("a.jpg"))).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(JpegFiles, EveryOrientationTagStandsThePhotoUpright)
{
    const QRgb r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), b = qRgb(0, 0, 255), w = qRgb(255, 255, 255);
    // The corners as the photo must stand, clockwise from the top left, for
    // pixels stored as red, green / blue, white.
    const struct {
        int orientation;
        QRgb corners[4];
    } cases[] = { { 1, { r, g, w, b } }, { 2, { g, r, b, w } }, { 3, { w, b, r, g } }, { 4, { b, w, g, r } },
        { 5, { r, b, w, g } }, { 6, { b, r, g, w } }, { 7, { w, g, r, b } }, { 8, { g, w, b, r } } };
    const QByteArray stored = EncodeJpeg(Quadrants(48, 32), 95);
    for (const auto& c : cases) {
        for (const bool bigEndian : { false, true }) {
            SCOPED_TRACE(
                testing::Message() << "orientation " << c.orientation << (bigEndian ? " MM" : " II"));
            const QString path = Path(QStringLiteral("photo%1%2.jpg").arg(c.orientation).arg(bigEndian));
            WriteFile(path, TestExif::WithOrientation(stored, c.orientation, bigEndian));
            // The chain, and FreeImage, its last resort for a JPEG.
            QImage photo, last;
            ASSERT_TRUE(LoadImageFile(path, photo));
            ASSERT_TRUE(LoadWithFreeImage(path, last));
            for (const QImage& upright : { photo, last }) {
                ASSERT_EQ(upright.size(), c.orientation >= 5 ? QSize(32, 48) : QSize(48, 32));
                const int right = upright.width() - 4, bottom = upright.height() - 4;
                EXPECT_TRUE(Near(upright.pixel(3, 3), c.corners[0]));
                EXPECT_TRUE(Near(upright.pixel(right, 3), c.corners[1]));
                EXPECT_TRUE(Near(upright.pixel(right, bottom), c.corners[2]));
                EXPECT_TRUE(Near(upright.pixel(3, bottom), c.corners[3]));
            }
        }
    }
}

TEST_F(JpegFiles, LargePhotoStandsUprightAndItsPictureOutlivesTheDecoderAndItsCopies)
{
    // A camera's photo, turned by its tag: large enough for the picture's
    // own memory and for turning on a second core.
    const QString path = Path(QStringLiteral("camera.jpg"));
    WriteFile(path, TestExif::WithOrientation(EncodeJpeg(Quadrants(2400, 1200), 90), 6));
    QImage copy;
    {
        QImage photo;
        ASSERT_TRUE(DecodeJpegFile(path, photo));
        ASSERT_EQ(photo.size(), QSize(1200, 2400));
        EXPECT_TRUE(Near(photo.pixel(4, 4), qRgb(0, 0, 255)));
        EXPECT_TRUE(Near(photo.pixel(1195, 4), qRgb(255, 0, 0)));
        EXPECT_TRUE(Near(photo.pixel(1195, 2395), qRgb(0, 255, 0)));
        EXPECT_TRUE(Near(photo.pixel(4, 2395), qRgb(255, 255, 255)));
        copy = photo;
        // Drawing on the one leaves the other as decoded.
        photo.fill(Qt::black);
        EXPECT_TRUE(Near(copy.pixel(4, 4), qRgb(0, 0, 255)));
    }
    EXPECT_TRUE(Near(copy.pixel(1195, 2395), qRgb(0, 255, 0)));
    copy.fill(Qt::white);
    EXPECT_EQ(copy.pixel(600, 1200), qRgb(255, 255, 255));
}

TEST_F(JpegFiles, ThumbnailDecodeCoversTheBoxWithTheUprightPhoto)
{
    // Stored 800 x 200, shown 200 x 800: a landscape box of 160 x 40 needs
    // 7/8 of the upright width, where the stored sides would settle for 2/8.
    const QString path = Path(QStringLiteral("tower.jpg"));
    WriteFile(path, TestExif::WithOrientation(EncodeJpeg(Quadrants(800, 200), 90), 6));
    QImage photo;
    ASSERT_TRUE(LoadImageFileForBox(path, photo, 160, 40));
    ASSERT_EQ(photo.size(), QSize(175, 700));
    EXPECT_TRUE(Near(photo.pixel(4, 4), qRgb(0, 0, 255)));
    EXPECT_TRUE(Near(photo.pixel(170, 4), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(photo.pixel(4, 695), qRgb(255, 255, 255)));
}

TEST_F(JpegFiles, SaveReplacesAnExistingFile)
{
    WriteFile(Path(QStringLiteral("a.jpg")), QByteArray("old contents"));
    ASSERT_TRUE(SaveJpegFile(Pattern(8, 8), Path(QStringLiteral("a.jpg")), 90));
    EXPECT_TRUE(ReadFile(Path(QStringLiteral("a.jpg"))).startsWith("\xFF\xD8"));
}

TEST_F(JpegFiles, PlantedSymbolicLinkIsReplacedNotFollowed)
{
    const QString victim = Path(QStringLiteral("victim.txt"));
    WriteFile(victim, QByteArray("precious"));
    const QString link = Path(QStringLiteral("thumb.jpg"));
    ASSERT_TRUE(QFile::link(victim, link));
    ASSERT_TRUE(SaveJpegFile(Pattern(8, 8), link, 90));
    EXPECT_EQ(ReadFile(victim), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(ReadFile(link).startsWith("\xFF\xD8"));
}

TEST_F(JpegFiles, DanglingSymbolicLinkCreatesNothingAtItsTarget)
{
    const QString target = Path(QStringLiteral("elsewhere.jpg"));
    const QString link = Path(QStringLiteral("thumb.jpg"));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(SaveJpegFile(Pattern(8, 8), link, 90));
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(JpegFiles, UnwritableFolderFailsWithAReason)
{
    QString error;
    EXPECT_FALSE(SaveJpegFile(Pattern(8, 8), Path(QStringLiteral("no/such/folder/a.jpg")), 90, &error));
    EXPECT_FALSE(error.isEmpty());
    if (::geteuid() != 0) {
        QDir(dir.path()).mkdir(QStringLiteral("ro"));
        ::chmod(QFile::encodeName(Path(QStringLiteral("ro"))).constData(), 0555);
        EXPECT_FALSE(SaveJpegFile(Pattern(8, 8), Path(QStringLiteral("ro/a.jpg")), 90));
        ::chmod(QFile::encodeName(Path(QStringLiteral("ro"))).constData(), 0755);
    }
}

TEST_F(JpegFiles, TargetThatIsAFolderIsLeftAlone)
{
    QDir(dir.path()).mkdir(QStringLiteral("a.jpg"));
    EXPECT_FALSE(SaveJpegFile(Pattern(8, 8), Path(QStringLiteral("a.jpg")), 90));
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("a.jpg"))).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(JpegFiles, WriteFileReplacingWritesExactBytes)
{
    const QByteArray data("line 1\r\nline 2\r\n");
    ASSERT_TRUE(WriteFileReplacing(Path(QStringLiteral("index.txt")), data));
    EXPECT_EQ(ReadFile(Path(QStringLiteral("index.txt"))), data);
    ASSERT_TRUE(WriteFileReplacing(Path(QStringLiteral("index.txt")), QByteArray()));
    EXPECT_EQ(QFileInfo(Path(QStringLiteral("index.txt"))).size(), 0);
}
