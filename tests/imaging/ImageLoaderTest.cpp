// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/ImageLoader.h"

#include "imaging/FreeImageBinding.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureDrawing.h"

#include "ImageTestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ImageTest;

namespace {

// A small uncompressed Targa (type 2, 24 bits, bottom-up) of the pattern.
QByteArray Targa(const QImage& image)
{
    QByteArray out(18, '\0');
    out[2] = 2;
    out[12] = char(image.width() & 0xFF);
    out[13] = char(image.width() >> 8);
    out[14] = char(image.height() & 0xFF);
    out[15] = char(image.height() >> 8);
    out[16] = 24;
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            out.append(char(qBlue(p)));
            out.append(char(qGreen(p)));
            out.append(char(qRed(p)));
        }
    }
    return out;
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

// A picture without sharp edges, which lossy formats keep close.
QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / (width - 1), y * 255 / (height - 1), 128));
    return image;
}

// A plain Photoshop file: 8-bit RGB, no layers, raw planes.
QByteArray Psd(const QImage& image)
{
    QByteArray out("8BPS");
    const auto put16 = [&out](unsigned v) {
        out.append(char(v >> 8));
        out.append(char(v & 0xFF));
    };
    const auto put32 = [&](unsigned v) {
        put16(v >> 16);
        put16(v & 0xFFFF);
    };
    put16(1);
    out.append(6, '\0');
    put16(3);
    put32(unsigned(image.height()));
    put32(unsigned(image.width()));
    put16(8);
    put16(3);
    put32(0); // colour mode data
    put32(0); // image resources
    put32(0); // layers and masks
    put16(0); // raw
    for (int channel = 0; channel < 3; ++channel)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                out.append(char(channel == 0 ? qRed(p) : channel == 1 ? qGreen(p) : qBlue(p)));
            }
    return out;
}

// Which decoders are there. Each test starts with all of them and may take
// some away; the fixture puts them back.
class Chain : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetNViewLibFileName(QString());
        EnableFreeImage(true);
    }
    void TearDown() override
    {
        SetNViewLibFileName(QString());
        EnableFreeImage(true);
    }

    static void EnableFreeImage(bool enable)
    {
        UnloadFreeImageLibrary();
        SetFreeImageLibraryName(enable ? QString() : QStringLiteral("libfreeimage-not-here.so.3"));
        LoadFreeImageLibrary();
    }
    static void DisableNViewLib() { SetNViewLibFileName(QStringLiteral("/nonexistent/libNViewLib.so")); }
    // Only the decoder that the extension reaches first is left.
    static void FirstStepOnly()
    {
        DisableNViewLib();
        EnableFreeImage(false);
    }

    QString Write(const QString& name, const QByteArray& data)
    {
        const QString path = dir.filePath(name);
        WriteFile(path, data);
        return path;
    }

    QTemporaryDir dir;
    const QImage pattern = Pattern(12, 9);
};

} // namespace

TEST(ImageExtension, LowerCasedAndJpegMapped)
{
    EXPECT_EQ(ImageExtension(QStringLiteral("/p/photo.JPEG")), QStringLiteral(".jpg"));
    EXPECT_EQ(ImageExtension(QStringLiteral("/p/photo.Jpg")), QStringLiteral(".jpg"));
    EXPECT_EQ(ImageExtension(QStringLiteral("D:\\Photos\\a.TIFF")), QStringLiteral(".tiff"));
    EXPECT_EQ(ImageExtension(QStringLiteral("/p/no-extension")), QString());
}

TEST(FreeImageFormatCode, TableOfTheExtensions)
{
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".bmp")), 0);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".jpg")), 2);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".iff")), 5);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".png")), 13);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".tif")), 18);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".tiff")), 18);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".cut")), 21);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".gif")), -1);
    EXPECT_EQ(FreeImageFormatCode(QStringLiteral(".xyz")), -1);
}

TEST(NViewLibExtensions, TheEightExtensions)
{
    for (const char* ext : { ".bmp", ".dib", ".gif", ".jif", ".jpg", ".rle", ".tga", ".pcx" })
        EXPECT_TRUE(IsNViewLibExtension(QString::fromLatin1(ext))) << ext;
    for (const char* ext : { ".jpeg", ".png", ".tif", "" })
        EXPECT_FALSE(IsNViewLibExtension(QString::fromLatin1(ext))) << ext;
}

TEST_F(Chain, DecodersAreAvailable)
{
    EXPECT_TRUE(NViewLibAvailable()) << NViewLibFileName().toStdString();
    EXPECT_TRUE(FreeImageDone());
    EXPECT_TRUE(FreeImageComplete());
}

TEST_F(Chain, UpperCaseJpegExtensionGoesToTheJpegDecoder)
{
    FirstStepOnly();
    const QString path = Write(QStringLiteral("photo.JPEG"), EncodeJpeg(pattern, 95));
    QImage image;
    ASSERT_TRUE(LoadImageFile(path, image));
    EXPECT_EQ(image.size(), pattern.size());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
}

TEST_F(Chain, MissingEmptyOrFolderGivesFalse)
{
    QImage image = pattern;
    EXPECT_FALSE(LoadImageFile(dir.filePath(QStringLiteral("missing.jpg")), image));
    EXPECT_TRUE(image.isNull());
    EXPECT_FALSE(LoadImageFile(Write(QStringLiteral("empty.jpg"), QByteArray()), image));
    QDir(dir.path()).mkdir(QStringLiteral("folder.jpg"));
    EXPECT_FALSE(LoadImageFile(dir.filePath(QStringLiteral("folder.jpg")), image));
}

TEST_F(Chain, PngGoesStraightToFreeImage)
{
    const QString path = Write(QStringLiteral("a.png"), Encoded(pattern, "PNG"));
    QImage image;
    ASSERT_TRUE(LoadImageFile(path, image));
    EXPECT_TRUE(SamePixels(image, pattern));
    EnableFreeImage(false);
    EXPECT_FALSE(LoadImageFile(path, image));
    EXPECT_TRUE(image.isNull());
}

TEST_F(Chain, UnknownExtensionGivesFalse)
{
    const QString path = Write(QStringLiteral("a.xyz"), Encoded(pattern, "PNG"));
    QImage image;
    EXPECT_FALSE(LoadImageFile(path, image));
}

TEST_F(Chain, CorruptJpegIsOfferedToNViewLibNext)
{
    // A Targa under a JPEG name: libjpeg refuses it, NViewLib reads it.
    EnableFreeImage(false);
    const QString path = Write(QStringLiteral("really-a-targa.jpg"), Targa(pattern));
    QImage image;
    ASSERT_TRUE(LoadImageFile(path, image));
    EXPECT_TRUE(SamePixels(image, pattern));
    DisableNViewLib();
    EXPECT_FALSE(LoadImageFile(path, image));
}

TEST_F(Chain, APictureWhoseNameLiesLoadsByWhatItsFirstBytesSay)
{
    const QImage picture = Gradient(160, 120);
    QImage expectedThumbnail;
    MakeThumbnail(picture, expectedThumbnail, 5, 5, 5, 5, 40, 30);
    struct Case {
        const char* name;
        QByteArray data;
        // Lossy formats arrive close to the pattern, the others exactly.
        int tolerance;
        // The size a 40 x 30 thumbnail box gets: a JPEG is scaled while decoded.
        QSize boxed;
    };
    const QSize full = picture.size();
    const Case cases[] = {
        { "png-named.jpg", Encoded(picture, "PNG"), 0, full },
        { "jpeg-named.png", EncodeJpeg(picture, 95), 6, QSize(40, 30) },
        { "jpeg-named.tif", EncodeJpeg(picture, 95), 6, QSize(40, 30) },
        { "psd-named.bmp", Psd(picture), 0, full },
        { "bmp-named.png", Encoded(picture, "BMP"), 0, full },
        { "ppm-named.jpeg", Encoded(picture, "PPM"), 0, full },
    };
    for (const Case& c : cases) {
        const QString path = Write(QString::fromLatin1(c.name), c.data);
        QImage image;
        ASSERT_TRUE(LoadImageFile(path, image)) << c.name;
        ASSERT_EQ(image.size(), picture.size()) << c.name;
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << c.name;
        EXPECT_LE(MaxChannelDifference(image, picture), c.tolerance) << c.name;

        // The thumbnail path: the box decode, then the thumbnail drawn from it.
        QImage boxed;
        ASSERT_TRUE(LoadImageFileForBox(path, boxed, 40, 30)) << c.name;
        EXPECT_EQ(boxed.size(), c.boxed) << c.name;
        QImage thumbnail;
        MakeThumbnail(boxed, thumbnail, 5, 5, 5, 5, 40, 30);
        ASSERT_EQ(thumbnail.size(), QSize(50, 40)) << c.name;
        EXPECT_LE(MaxChannelDifference(thumbnail, expectedThumbnail), c.tolerance + 4) << c.name;
    }

    // The decoder the first bytes name keeps its limits: a Photoshop file
    // that crashes FreeImage, named as a bitmap, costs the decoder process
    // alone, and fails again at once.
    QFile damaged(
        qEnvironmentVariable("TAVRI_TEST_DATA") + QStringLiteral("/damaged-pictures/freeimage_psd_segv.psd"));
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    const QString crashing = Write(QStringLiteral("crashing-psd-named.bmp"), damaged.readAll());
    QImage image = picture;
    EXPECT_FALSE(LoadImageFile(crashing, image));
    EXPECT_TRUE(image.isNull());
    EXPECT_FALSE(LoadImageFile(crashing, image));
}

// A thumbnail box decode of a sliver gives only the part of it the
// thumbnail shows, and the thumbnail stays as the whole picture would give it.
TEST_F(Chain, BoxDecodeOfAnExtremeShapeStaysWithinTheBox)
{
    for (const QSize size : { QSize(65500, 1), QSize(1, 65500), QSize(3000, 20), QSize(100, 300) }) {
        const QImage picture = Pattern(size.width(), size.height());
        for (const char* format : { "jpg", "png" }) {
            const QString name = QStringLiteral("sliver-%1x%2.%3")
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(QLatin1String(format));
            const QString path = Write(name,
                QLatin1String(format) == QLatin1String("jpg") ? EncodeJpeg(picture, 90)
                                                              : Encoded(picture, "PNG"));
            QImage boxed;
            ASSERT_TRUE(LoadImageFileForBox(path, boxed, 100, 75)) << name.toStdString();
            EXPECT_GE(boxed.width(), 1) << name.toStdString();
            EXPECT_GE(boxed.height(), 1) << name.toStdString();
            EXPECT_LE(boxed.width(), 100) << name.toStdString();
            EXPECT_LE(boxed.height(), 75) << name.toStdString();

            QImage whole;
            ASSERT_TRUE(LoadImageFile(path, whole)) << name.toStdString();
            QImage fromBox;
            QImage fromWhole;
            MakeThumbnail(boxed, fromBox, 5, 5, 5, 5, 100, 75);
            MakeThumbnail(whole, fromWhole, 5, 5, 5, 5, 100, 75);
            EXPECT_TRUE(SamePixels(fromBox, fromWhole)) << name.toStdString();
        }
    }
}

TEST_F(Chain, BitmapGoesToThePictureReaderFirst)
{
    FirstStepOnly();
    const QString path = Write(QStringLiteral("a.BMP"), Encoded(pattern, "BMP"));
    QImage image;
    ASSERT_TRUE(LoadImageFile(path, image));
    EXPECT_TRUE(SamePixels(image, pattern));
}

TEST_F(Chain, BitmapThePictureReaderRefusesGoesToNViewLib)
{
    EnableFreeImage(false);
    const QString path = Write(QStringLiteral("targa.bmp"), Targa(pattern));
    QImage image;
    ASSERT_TRUE(LoadImageFile(path, image));
    EXPECT_TRUE(SamePixels(image, pattern));
}

TEST_F(Chain, TargaGoesToNViewLibThenFreeImage)
{
    const QString path = Write(QStringLiteral("a.tga"), Targa(pattern));
    QImage image;
    DisableNViewLib();
    ASSERT_TRUE(LoadImageFile(path, image)); // FreeImage reads Targa too
    EXPECT_TRUE(SamePixels(image, pattern));
    SetNViewLibFileName(QString());
    EnableFreeImage(false);
    ASSERT_TRUE(LoadImageFile(path, image));
    EXPECT_TRUE(SamePixels(image, pattern));
    DisableNViewLib();
    EXPECT_FALSE(LoadImageFile(path, image));
}

TEST_F(Chain, GifHasNViewLibAlone)
{
    const QString path = Write(QStringLiteral("garbage.gif"), QByteArray("GIF89a but nothing after it"));
    QImage image;
    // NViewLib refuses it (a null handle is a failure) and FreeImage has no code for GIF.
    EXPECT_FALSE(LoadImageFile(path, image));
    EXPECT_TRUE(image.isNull());
}

TEST_F(Chain, FreeImageLoadingNothingIsAFailure)
{
    const QString path = Write(QStringLiteral("broken.png"), QByteArray("\x89PNG\r\n\x1a\n broken", 16));
    QImage image = pattern;
    EXPECT_FALSE(LoadImageFile(path, image));
    EXPECT_TRUE(image.isNull());
}

TEST_F(Chain, PngWithAlphaArrivesTheRightWayUp)
{
    QImage source(6, 4, QImage::Format_ARGB32);
    source.fill(qRgba(0, 0, 255, 128));
    for (int x = 0; x < 6; ++x)
        source.setPixel(x, 0, qRgba(255, 0, 0, 255));
    const QString path = Write(QStringLiteral("alpha.png"), Encoded(source, "PNG"));
    QImage image;
    ASSERT_TRUE(LoadImageFile(path, image));
    ASSERT_EQ(image.size(), QSize(6, 4));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 3), qRgb(0, 0, 255));
}

TEST_F(Chain, TiffThroughFreeImage)
{
    // FreeImage writes the file through the binding's own Save entry point.
    ASSERT_TRUE(FreeImageProcs.FreeImage_Allocate && FreeImageProcs.FreeImage_Save);
    FIBITMAP* dib = FreeImageProcs.FreeImage_Allocate(5, 3, 24, 0xFF0000, 0xFF00, 0xFF);
    ASSERT_NE(dib, nullptr);
    unsigned char* bits = FreeImageProcs.FreeImage_GetBits(dib);
    const int pitch = ((5 * 24 + 31) / 32) * 4;
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) {
            unsigned char* p = bits + row * pitch + x * 3;
            p[0] = 10; // blue
            p[1] = 20; // green
            p[2] = row == 0 ? 200 : 0; // red on the bottom row
        }
    }
    const QString path = dir.filePath(QStringLiteral("a.tif"));
    ASSERT_TRUE(FreeImageProcs.FreeImage_Save(18, dib, QFile::encodeName(path).constData(), 0));
    FreeImageProcs.FreeImage_Unload(dib);
    QImage image;
    ASSERT_TRUE(LoadImageFile(path, image));
    ASSERT_EQ(image.size(), QSize(5, 3));
    EXPECT_EQ(image.pixel(0, 2), qRgb(200, 20, 10));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 20, 10));
}

TEST_F(Chain, FreeImageRowsOfEveryPaddingArriveExactly)
{
    // Widths 1 to 5 give every row padding of 24-bit pictures; the 32-bit
    // ones carry a fourth byte that must not reach the picture.
    for (const int bpp : { 24, 32 }) {
        for (int width = 1; width <= 5; ++width) {
            const QImage expected = Pattern(width, 3);
            FIBITMAP* dib = FreeImageProcs.FreeImage_Allocate(width, 3, bpp, 0xFF0000, 0xFF00, 0xFF);
            ASSERT_NE(dib, nullptr);
            unsigned char* bits = FreeImageProcs.FreeImage_GetBits(dib);
            const int bytes = bpp / 8;
            const int pitch = ((width * bpp + 31) / 32) * 4;
            for (int row = 0; row < 3; ++row) {
                for (int x = 0; x < width; ++x) {
                    const QRgb c = expected.pixel(x, 2 - row);
                    unsigned char* p = bits + row * pitch + x * bytes;
                    p[0] = uchar(qBlue(c));
                    p[1] = uchar(qGreen(c));
                    p[2] = uchar(qRed(c));
                    if (bytes == 4)
                        p[3] = uchar(x * 40);
                }
            }
            const QString path = dir.filePath(QStringLiteral("rows%1-%2.png").arg(bpp).arg(width));
            ASSERT_TRUE(FreeImageProcs.FreeImage_Save(13, dib, QFile::encodeName(path).constData(), 0));
            FreeImageProcs.FreeImage_Unload(dib);

            QImage image;
            ASSERT_TRUE(LoadImageFile(path, image)) << bpp << " bits, width " << width;
            ASSERT_EQ(image.format(), QImage::Format_RGB32);
            EXPECT_TRUE(SamePixels(image, expected)) << bpp << " bits, width " << width;
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x)
                    EXPECT_EQ(qAlpha(image.pixel(x, y)), 255) << bpp << " bits, " << x << "," << y;
            }
        }
    }
}

TEST_F(Chain, MissingFreeImageLeavesTheRestWorking)
{
    EnableFreeImage(false);
    EXPECT_FALSE(FreeImageDone());
    EXPECT_FALSE(FreeImageComplete());
    EXPECT_EQ(FreeImageProcs.FreeImage_Load, nullptr);
    FreeImageInitialise(false); // does nothing rather than crash
    FreeImageDeInitialise();
    QImage image;
    EXPECT_TRUE(LoadImageFile(Write(QStringLiteral("a.jpg"), EncodeJpeg(pattern, 90)), image));
    EXPECT_TRUE(LoadImageFile(Write(QStringLiteral("a.tga"), Targa(pattern)), image));
    EXPECT_FALSE(LoadImageFile(Write(QStringLiteral("a.png"), Encoded(pattern, "PNG")), image));
}

TEST_F(Chain, LibraryNameComesFromTheEnvironmentWhenNotSet)
{
    UnloadFreeImageLibrary();
    SetFreeImageLibraryName(QString());
    qputenv("TAVRI_FREEIMAGE_LIBRARY", "libfreeimage-from-env.so");
    EXPECT_EQ(FreeImageLibraryName(), QStringLiteral("libfreeimage-from-env.so"));
    qunsetenv("TAVRI_FREEIMAGE_LIBRARY");
    EXPECT_EQ(FreeImageLibraryName(), QStringLiteral("libfreeimage.so.3"));
}

TEST_F(Chain, InitialiseAndDeInitialiseGoThroughTheBinding)
{
    ASSERT_TRUE(FreeImageDone());
    FreeImageInitialise(false);
    QImage image;
    EXPECT_TRUE(LoadImageFile(Write(QStringLiteral("a.png"), Encoded(pattern, "PNG")), image));
    FreeImageDeInitialise();
}

TEST_F(Chain, BindingLooksUpTheEntryPointsInOrderOnce)
{
    EXPECT_STREQ(FreeImage::EntryPointNames[0], "FreeImage_GetVersion");
    EXPECT_STREQ(FreeImage::EntryPointNames[26], "FreeImage_SaveToHandle");
    ASSERT_TRUE(FreeImageDone());
    const auto load = FreeImageProcs.FreeImage_Load;
    LoadFreeImageLibrary(); // done already: nothing changes
    EXPECT_EQ(FreeImageProcs.FreeImage_Load, load);
    ASSERT_NE(FreeImageProcs.FreeImage_GetVersion, nullptr);
    EXPECT_STRNE(FreeImageProcs.FreeImage_GetVersion(), "");
    UnloadFreeImageLibrary();
    EXPECT_FALSE(FreeImageDone());
    EXPECT_EQ(FreeImageProcs.FreeImage_GetVersion, nullptr);
}

TEST_F(Chain, BoxLoadDecodesJpegAtReducedScale)
{
    const QImage big = Pattern(800, 600);
    const QString path = Write(QStringLiteral("big.jpg"), EncodeJpeg(big, 90));
    QImage image;
    ASSERT_TRUE(LoadImageFileForBox(path, image, 120, 90));
    EXPECT_EQ(image.size(), QSize(200, 150));
    ASSERT_TRUE(LoadImageFile(path, image));
    EXPECT_EQ(image.size(), QSize(800, 600));
    // Other formats arrive at full size.
    const QString png = Write(QStringLiteral("big.png"), Encoded(big, "PNG"));
    ASSERT_TRUE(LoadImageFileForBox(png, image, 120, 90));
    EXPECT_EQ(image.size(), QSize(800, 600));
}

TEST_F(Chain, NViewLibPictureOutlivesFurtherLoads)
{
    const QString path = Write(QStringLiteral("a.tga"), Targa(pattern));
    QImage first;
    ASSERT_TRUE(LoadWithNViewLib(path, first));
    QImage second;
    ASSERT_TRUE(LoadWithNViewLib(path, second));
    second = QImage();
    EXPECT_TRUE(SamePixels(first, pattern));
    QImage copy = first;
    copy.setPixel(0, 0, qRgb(1, 2, 3)); // writing to a shared picture detaches it
    EXPECT_TRUE(SamePixels(first, pattern));
}
