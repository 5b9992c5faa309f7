// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoFileList.h"
#include "app/photos/PhotosPage.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace PhotoFiles;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QImage Picture()
{
    QImage picture(16, 12, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 90));
    return picture;
}

// The masks of the program's own first filter entry ("all supported formats").
QString AllSupportedMasks()
{
    return PhotoFilterText().section(QLatin1Char('|'), 1, 1);
}

TEST(AddingPhotoFiles, TheFilterLetsEveryExtensionThroughThatTheFolderRunsTake)
{
    const QStringList all = FilterExtensions(AllSupportedMasks());
    for (const QString& ext : PhotoFiles::GetImageExtensions())
        EXPECT_TRUE(all.contains(QLatin1Char('.') + ext)) << ext.toStdString();
    // The masks written "*.ico,*.iff" count as two.
    EXPECT_TRUE(all.contains(QStringLiteral(".iff")));
    EXPECT_TRUE(all.contains(QStringLiteral(".wbmp")));
    EXPECT_FALSE(all.contains(QStringLiteral(".wmbp")));
    EXPECT_FALSE(all.contains(QStringLiteral(".txt")));

    EXPECT_EQ(FilterExtensions(QStringLiteral("*.jpg")), (QStringList { ".jpg", ".jpeg" }));
    EXPECT_EQ(FilterExtensions(QStringLiteral("*.bmp")), QStringList { ".bmp" });
    EXPECT_EQ(FilterExtensions(QStringLiteral("*.TIF; *.png")), (QStringList { ".tif", ".png" }));
    EXPECT_TRUE(PhotoFiles::GetImageExtensions().contains(QStringLiteral("jpeg")));
    EXPECT_TRUE(PhotoFiles::GetImageExtensions().contains(QStringLiteral("wbmp")));
}

TEST(AddingPhotoFiles, AFolderListsItsVisiblePictureFilesByName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : { "b.JPG", "a.jpeg", "c.iff", "d.wbmp", "notes.txt", ".hidden.jpg", "noext" })
        WriteBytes(dir.filePath(QLatin1String(name)), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.jpg")));

    EXPECT_EQ(ListPhotoFiles(dir.path(), FilterExtensions(AllSupportedMasks())),
        (QStringList { "a.jpeg", "b.JPG", "c.iff", "d.wbmp" }));
    EXPECT_EQ(ListPhotoFiles(dir.path(), FilterExtensions(QStringLiteral("*.jpg"))),
        (QStringList { "a.jpeg", "b.JPG" }));
    EXPECT_TRUE(
        ListPhotoFiles(dir.filePath(QStringLiteral("missing")), { QStringLiteral(".jpg") }).isEmpty());
    EXPECT_TRUE(ListPhotoFiles(QString(), { QStringLiteral(".jpg") }).isEmpty());
}

TEST(AddingPhotoFiles, OnlyTheProgramsOwnThumbnailFoldersAreThumbnails)
{
    const struct {
        const char* path;
        bool thumbnail;
    } cases[] = {
        { "/p/Holiday_thumbnails/0_a.jpg", true },
        { "/p/tempthumbnails20240131_1200/a.jpg", true },
        { "/p/thumbnails of grandpa/a.jpg", false },
        { "/p/thumbnails/a.jpg", false },
        { "/p/Holiday_thumbnails/more/a.jpg", false },
        { "/p/my_thumbnails.jpg", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsInThumbnailFolder(QLatin1String(c.path)), c.thumbnail) << c.path;
}

TEST(AddingPhotoFiles, TheQualityBoxGivesAWholeNumberOrOneHundred)
{
    const struct {
        const char* text;
        int quality;
        const char* clamped;
    } cases[] = {
        { "55", 55, "55" },
        { "100", 100, "100" },
        { "250", 250, "100" },
        { "0", 0, "0" },
        { "", 100, "100" },
        { "7.5", 100, "100" },
        { "abc", 100, "100" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JpgQualityFromText(QLatin1String(c.text)), c.quality) << c.text;
        EXPECT_EQ(ClampJpgQualityText(QLatin1String(c.text)), QLatin1String(c.clamped)) << c.text;
    }
    EXPECT_TRUE(JpgQualityKeyAllowed(u'7', 2));
    EXPECT_FALSE(JpgQualityKeyAllowed(u'7', 3));
    EXPECT_FALSE(JpgQualityKeyAllowed(u'a', 0));
    EXPECT_FALSE(JpgQualityKeyAllowed(u'-', 0));
    EXPECT_TRUE(JpgQualityKeyAllowed(u'.', 5));
    EXPECT_TRUE(JpgQualityKeyAllowed(u'\b', 5));
}

class AddingConvertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("out")));
        out = dir.filePath(QStringLiteral("out"));
    }

    QString Source(const char* name)
    {
        const QString path = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(Picture().save(path, "BMP"));
        return path;
    }

    QStringList OutFiles() const
    {
        return QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    QString out;
};

TEST_F(AddingConvertTest, APictureBecomesANewJpegAtTheGivenQuality)
{
    const QString source = Source("Beach.photo.bmp");
    EXPECT_EQ(ConvertTarget(source, out), out + QStringLiteral("/Beach.photo.jpg"));
    ASSERT_EQ(ConvertToJPG(source, out, 250), TConvertResult::Converted);

    const QString target = out + QStringLiteral("/Beach.photo.jpg");
    QImage decoded;
    ASSERT_TRUE(LoadJpegFile(target, decoded));
    EXPECT_EQ(decoded.size(), QSize(16, 12));
    // The encoder limits the quality: 250 writes what 100 writes.
    QImage loaded;
    ASSERT_TRUE(LoadImageFile(source, loaded));
    EXPECT_EQ(ReadAll(target), EncodeJpeg(loaded, 100));
    EXPECT_NE(ReadAll(target), EncodeJpeg(loaded, 50));
    EXPECT_EQ(OutFiles(), QStringList { "Beach.photo.jpg" });
    // A photo others may read gets the permissions of any new file, not those of a private temporary.
    EXPECT_TRUE(QFile::permissions(target) & QFileDevice::ReadOwner);
    EXPECT_EQ(QFile::permissions(target) & QFileDevice::ReadOther,
        QFile::permissions(source) & QFileDevice::ReadOther);
}

TEST_F(AddingConvertTest, NoFileIsEverWrittenOver)
{
    // A JPEG converted into its own folder would be its own target.
    const QString jpeg = dir.filePath(QStringLiteral("self.jpg"));
    ASSERT_TRUE(SaveJpegFile(Picture(), jpeg, 80));
    const QByteArray jpegBytes = ReadAll(jpeg);
    EXPECT_EQ(ConvertToJPG(jpeg, dir.path(), 100), TConvertResult::TargetExists);
    EXPECT_EQ(ReadAll(jpeg), jpegBytes);

    const QString source = Source("taken.bmp");
    WriteBytes(out + QStringLiteral("/taken.jpg"), "earlier work");
    EXPECT_EQ(ConvertToJPG(source, out, 100), TConvertResult::TargetExists);
    EXPECT_EQ(ReadAll(out + QStringLiteral("/taken.jpg")), QByteArray("earlier work"));

    // Not even a link pointing nowhere is replaced.
    const QString linked = Source("linked.bmp");
    ASSERT_EQ(
        ::symlink("/nonexistent/elsewhere.jpg", QFile::encodeName(out + QStringLiteral("/linked.jpg"))), 0);
    EXPECT_EQ(ConvertToJPG(linked, out, 100), TConvertResult::TargetExists);
    EXPECT_EQ(QFileInfo(out + QStringLiteral("/linked.jpg")).symLinkTarget(),
        QStringLiteral("/nonexistent/elsewhere.jpg"));
    EXPECT_EQ(OutFiles(), (QStringList { "linked.jpg", "taken.jpg" }));
}

TEST_F(AddingConvertTest, FailuresLeaveNothingBehind)
{
    const QString broken = dir.filePath(QStringLiteral("broken.bmp"));
    WriteBytes(broken, "BM this is no bitmap at all");
    EXPECT_EQ(ConvertToJPG(broken, out, 100), TConvertResult::Unreadable);
    EXPECT_EQ(ConvertToJPG(dir.filePath(QStringLiteral("gone.bmp")), out, 100), TConvertResult::Unreadable);
    EXPECT_TRUE(OutFiles().isEmpty());
    EXPECT_EQ(ConvertToJPG(Source("lost.bmp"), out + QStringLiteral("/no/such/folder"), 100),
        TConvertResult::WriteFailed);

    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const QString source = Source("fine.bmp");
    ASSERT_TRUE(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(ConvertToJPG(source, out, 100), TConvertResult::WriteFailed);
    QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(OutFiles().isEmpty());
}

} // namespace
