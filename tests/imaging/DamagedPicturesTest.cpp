// Damaged files as users meet them among real photos: each decoder step and
// the whole chain must fail cleanly, in bounded memory and time, and a
// decoder process that crashes or hangs must cost only its own file.
#include "imaging/DecoderProcess.h"
#include "imaging/ImageLoader.h"

#include "ImageTestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
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
    ASSERT_EQ(files.size(), 16) << samples.path().toStdString();
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
            // No picture, or (FreeImage reads a little of one damaged PSD) a
            // picture of the size its header gives.
            if (loaded)
                EXPECT_TRUE(!image.isNull() && image.width() <= 64 && image.height() <= 64)
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
    // it decodes in a fresh process.
    for (const char* bad : { "freeimage_psd_segv.psd", "freeimage_ras_hang_33B.ras" }) {
        EXPECT_FALSE(LoadImageFile(Sample(bad), image)) << bad;
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
