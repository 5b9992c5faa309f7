// SPDX-License-Identifier: GPL-2.0-or-later
// Damaged files as users meet them among real photos: each decoder step and
// the whole chain must fail cleanly, in bounded memory and time, and a
// decoder process that crashes or hangs must cost only its own file.
#include "imaging/DecoderProcess.h"
#include "imaging/FreeImageBinding.h"
#include "imaging/ImageLoader.h"

#include "ImageTestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ImageTest;

namespace {

class DamagedPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The hanging samples would take the full limit each.
        FreeImageDecoder().SetTimeLimit(1000);
    }
    void TearDown() override { FreeImageDecoder().SetTimeLimit(0); }

    static QString Sample(const char* name)
    {
        return qEnvironmentVariable("TAVRI_TEST_DATA") + QStringLiteral("/damaged-pictures/")
            + QString::fromLatin1(name);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DamagedPictures, EverySampleFailsCleanlyInBoundedMemory)
{
    const QDir samples(qEnvironmentVariable("TAVRI_TEST_DATA") + QStringLiteral("/damaged-pictures"));
    const QStringList files = samples.entryList({ QStringLiteral("*_*.*") }, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 17) << samples.path().toStdString();
    // Each sample took from 788 MB to tens of gigabytes, or crashed the program.
    constexpr qint64 ProgramBoundKb = 256 * 1024;
#if defined(__SANITIZE_ADDRESS__)
    // Under AddressSanitizer the decoder's allocations carry its shadow and
    // quarantine, and its allocator, not an address-space limit, caps them.
    constexpr qint64 DecoderBoundKb = 3072 * 1024;
#else
    constexpr qint64 DecoderBoundKb = 1536 * 1024;
#endif
    for (const QString& name : files) {
        for (const bool forBox : { false, true }) {
            ResetPeakMemory();
            const qint64 before = PeakKilobytes();
            QImage image = Pattern(3, 3);
            const bool loaded = forBox ? LoadImageFileForBox(samples.filePath(name), image, 200, 200)
                                       : LoadImageFile(samples.filePath(name), image);
            // No picture, or (FreeImage reads a little of a damaged PSD, and
            // under AddressSanitizer of the TGA) a picture of the size its
            // header gives, at most 65400 x 145.
            if (loaded)
                EXPECT_TRUE(!image.isNull() && qint64(image.width()) * image.height() <= 65400 * 145)
                    << name.toStdString();
            else
                EXPECT_TRUE(image.isNull()) << name.toStdString();
            EXPECT_LT(PeakKilobytes() - before, ProgramBoundKb)
                << name.toStdString() << (forBox ? " for a box" : "");
        }
    }
    FreeImageDecoder().Stop();
    EXPECT_GT(FreeImageDecoder().PeakMemory(), 0);
    EXPECT_LT(FreeImageDecoder().PeakMemory(), DecoderBoundKb);
}

TEST_F(DamagedPictures, ACrashingOrHangingDecoderCostsOnlyItsFile)
{
    const QImage pattern = Pattern(13, 7);
    const QString png = dir.filePath(QStringLiteral("good.png"));
    WriteFile(png, Png(pattern));
    QImage image;
    ASSERT_TRUE(LoadImageFile(png, image));
    // A segmentation fault inside FreeImage, then a file it loops on for
    // more than half a minute: each is just undecodable, and the file after
    // it decodes in a fresh process. Copies, which no earlier test failed on.
    for (const char* bad : { "freeimage_psd_segv.psd", "freeimage_wbmp_hang_13B.wbmp" }) {
        const QString copy = dir.filePath(QString::fromLatin1(bad));
        ASSERT_TRUE(QFile::copy(Sample(bad), copy));
        EXPECT_FALSE(LoadImageFile(copy, image)) << bad;
        EXPECT_TRUE(image.isNull());
        ASSERT_TRUE(LoadImageFile(png, image)) << "after " << bad;
        EXPECT_TRUE(SamePixels(image, pattern));
    }
    // A decoder process that ended between two pictures is replaced.
    FreeImageDecoder().Stop();
    ASSERT_TRUE(LoadWithFreeImage(png, image));
    EXPECT_TRUE(SamePixels(image, pattern));
    // Without its program, FreeImage's formats fail and the rest still works.
    FreeImageDecoder().SetProgramFileName(dir.filePath(QStringLiteral("no-decoder-here")));
    EXPECT_FALSE(LoadImageFile(png, image));
    FreeImageDecoder().SetProgramFileName(QString());
    EXPECT_TRUE(LoadImageFile(png, image));
}

TEST_F(DamagedPictures, AHeaderClaimingMoreThanTheBudgetIsRefusedBeforeDecoding)
{
    // A PNG that claims 12000 x 12000 pixels and holds a few rows: decoding
    // it would take 430 MB before the rows ran out.
    const auto chunk = [](const char* type, const QByteArray& data) {
        QByteArray out;
        for (int shift = 24; shift >= 0; shift -= 8)
            out += char((data.size() >> shift) & 0xFF);
        const QByteArray body = QByteArray(type) + data;
        quint32 crc = 0xFFFFFFFFu;
        for (const char byte : body) {
            crc ^= uchar(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
        crc = ~crc;
        out += body;
        for (int shift = 24; shift >= 0; shift -= 8)
            out += char((crc >> shift) & 0xFF);
        return out;
    };
    QByteArray header;
    for (const quint32 side : { 12000u, 12000u })
        for (int shift = 24; shift >= 0; shift -= 8)
            header += char((side >> shift) & 0xFF);
    header += QByteArray("\x08\x02\x00\x00\x00", 5);
    const QString path = dir.filePath(QStringLiteral("claims-144-megapixels.png"));
    WriteFile(path,
        QByteArray("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header)
            + chunk("IDAT", qCompress(QByteArray(50 * (1 + 3 * 12000), '\0')).mid(4)) + chunk("IEND", {}));

    TDecoderProcess decoder;
    QImage image;
    EXPECT_FALSE(
        decoder.Decode(path, FreeImageFormatCode(QStringLiteral(".png")), FreeImageLibraryName(), image));
    EXPECT_TRUE(image.isNull());
    decoder.Stop();
    EXPECT_GT(decoder.PeakMemory(), 0);
    // Far below the picture, also with AddressSanitizer's own memory.
#if defined(__SANITIZE_ADDRESS__)
    constexpr qint64 BoundKb = 256 * 1024;
#else
    constexpr qint64 BoundKb = 64 * 1024;
#endif
    EXPECT_LT(decoder.PeakMemory(), BoundKb);
}

TEST_F(DamagedPictures, AFileThatFailedByALimitIsNotTriedAgainUntilItChanges)
{
    // A good picture that cannot be decoded in a millisecond: it fails by the
    // time limit, and then fails at once, as a damaged file would, though it
    // would now decode, for its thumbnail too.
    const QImage pattern = Pattern(1000, 1000);
    const QString png = dir.filePath(QStringLiteral("slow.png"));
    WriteFile(png, Png(pattern));
    QImage image;
    FreeImageDecoder().SetTimeLimit(1);
    EXPECT_FALSE(LoadImageFile(png, image));
    FreeImageDecoder().SetTimeLimit(0);
    EXPECT_FALSE(LoadImageFile(png, image));
    EXPECT_FALSE(LoadImageFileForBox(png, image, 100, 100));
    // Written again, it is another file.
    WriteFile(png, Png(pattern));
    ASSERT_TRUE(LoadImageFile(png, image));
    EXPECT_TRUE(SamePixels(image, pattern));
}

TEST_F(DamagedPictures, LargeRealPicturesStillOpen)
{
    // 48 megapixels, as a camera's PNG: several seconds' budget, not the
    // second a small picture gets.
    QImage photo(8000, 6000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    const QString png = dir.filePath(QStringLiteral("camera.png"));
    QImageWriter writer(png, "png");
    writer.setCompression(1);
    ASSERT_TRUE(writer.write(photo));
    FreeImageDecoder().SetTimeLimit(0);
    QImage image;
    ASSERT_TRUE(LoadImageFile(png, image));
    EXPECT_TRUE(image == photo);
}

TEST_F(DamagedPictures, EachStepRefusesWhatIsNotARegularFile)
{
    // Opening a FIFO waits for a writer that never comes.
    for (const char* name : { "pipe.jpg", "pipe.bmp", "pipe.tga", "pipe.png" }) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QImage image;
        EXPECT_FALSE(LoadJpegFile(path, image)) << name;
        EXPECT_FALSE(LoadPictureFile(path, image)) << name;
        EXPECT_FALSE(LoadWithNViewLib(path, image)) << name;
        EXPECT_FALSE(LoadWithFreeImage(path, image)) << name;
        EXPECT_FALSE(LoadImageFile(path, image)) << name;
    }
}
