// SPDX-License-Identifier: GPL-2.0-or-later
#include "ModelTestUtil.h"

#include "model/Album.h"
#include "model/StreamError.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class HostileFile : public ::testing::Test {
protected:
    // The message of the error that loading these bytes raises, or "loaded".
    QString LoadError(const QByteArray& data)
    {
        const QString file = dir.filePath(QStringLiteral("hostile.tvx"));
        WriteAll(file, data);
        return LoadErrorOfFile(file);
    }

    static QString LoadErrorOfFile(const QString& file)
    {
        try {
            TAlbum::CreateFromFile(file, nullptr);
        } catch (const EStreamError& e) {
            return e.Message();
        }
        return QStringLiteral("loaded");
    }

    // A valid album with labels, several photos and non-ASCII text.
    QByteArray ValidAlbum()
    {
        const QString file = dir.filePath(QStringLiteral("valid.tvx"));
        TAlbum album(file);
        album.SetDescription(QStringLiteral("Vacances d'été"));
        album.GetObjects().AddName(QStringLiteral("Anna"));
        album.GetObjects().AddName(QString(280, u'o'));
        album.GetEvents().AddName(QStringLiteral("Fiesta"));
        for (int i = 0; i < 3; ++i) {
            album.GetPhotos().AddName(QStringLiteral("/photos/%1.jpg").arg(i));
            TPhoto* p = album.GetPhotos().PhotoAt(i);
            p->SetDescription(QStringLiteral("Photo ü %1").arg(i));
            p->GetObjectIds().Add(i % 2);
            p->SetEventId(0);
        }
        album.SaveToFile();
        return ReadAll(file);
    }

    static QString DataFile(const char* name)
    {
        return qEnvironmentVariable("TAVRI_TEST_DATA") + u'/' + QString::fromUtf8(name);
    }

    QTemporaryDir dir;
};

const QString ReadError = QStringLiteral("Stream read error");
const QString InvalidValue = QStringLiteral("Invalid property value");

} // namespace

TEST_F(HostileFile, EveryTruncationFailsWithReadError)
{
    const QByteArray valid = ValidAlbum();
    ASSERT_EQ(LoadError(valid), QStringLiteral("loaded"));
    for (qsizetype n = 0; n < valid.size(); ++n)
        ASSERT_EQ(LoadError(valid.left(n)), ReadError) << "cut after " << n << " bytes";
}

TEST_F(HostileFile, HugeCountsFailWithoutAllocating)
{
    // Version 2, empty description, then 0x7FFFFFFF objects.
    EXPECT_EQ(
        LoadError(Bytes({ 0x02, 0x02, 0x06, 0x00, 0x04, 0xFF, 0xFF, 0xFF, 0x7F, 0x02, 0x00 })), ReadError);
    // A photo claiming two billion object ids.
    EXPECT_EQ(LoadErrorOfFile(DataFile("album-huge-object-id-count.tvx")), ReadError);
    EXPECT_EQ(LoadErrorOfFile(DataFile("album-truncated-after-photo-count.tvx")), ReadError);
}

TEST_F(HostileFile, NegativeCountsReadAsEmptyLists)
{
    const QByteArray data = Bytes({ 0x02, 0x02, 0x06, 0x00, 0x02, 0xFF, 0x02, 0x00, 0x03, 0x00, 0x80, 0x02,
        0x00, 0x04, 0x00, 0x00, 0x00, 0x80, 0x02, 0x00, 0x02, 0x28, 0x02, 0x28 });
    EXPECT_EQ(LoadError(data), QStringLiteral("loaded"));
}

TEST_F(HostileFile, BadTagsAndNegativeLengthsAreInvalidValues)
{
    // A string where the format version should be.
    EXPECT_EQ(LoadError(Bytes({ 0x06, 0x00 })), InvalidValue);
    // An integer where the description should be.
    EXPECT_EQ(LoadError(Bytes({ 0x02, 0x02, 0x02, 0x00 })), InvalidValue);
    EXPECT_EQ(LoadErrorOfFile(DataFile("album-negative-string-length.tvx")), InvalidValue);
    EXPECT_EQ(LoadErrorOfFile(DataFile("album-string-tag-as-photo-id.tvx")), InvalidValue);
}

TEST_F(HostileFile, RandomDamageNeverCrashes)
{
    const QByteArray valid = ValidAlbum();
    QRandomGenerator random(20050101);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray data = valid;
        const int changes = 1 + int(random.bounded(4));
        for (int c = 0; c < changes; ++c)
            data[qsizetype(random.bounded(quint32(data.size())))] = char(random.bounded(256));
        const QString result = LoadError(data);
        if (result == QStringLiteral("loaded"))
            ++loaded;
        else
            ASSERT_TRUE(result == ReadError || result == InvalidValue) << result.toStdString();
    }
    EXPECT_GT(loaded, 0);
}

TEST_F(HostileFile, APhotoPathHoldingANulIsADamagedAlbum)
{
    // The system would read the path as "notaphoto.txt", a file beside the
    // album that renaming or copying the photo would then reach.
    const QString unrelated = dir.filePath(QStringLiteral("notaphoto.txt"));
    WriteAll(unrelated, "not a photo");
    const QString file = dir.filePath(QStringLiteral("nul.tvx"));
    TAlbum album(file);
    album.GetPhotos().AddName(unrelated + QChar(0) + QStringLiteral(".jpg"));
    album.SaveToFile();

    EXPECT_EQ(LoadErrorOfFile(file), InvalidValue);
    EXPECT_EQ(ReadAll(unrelated), QByteArray("not a photo"));
}

TEST_F(HostileFile, OnlyRegularFilesAreOpened)
{
    const QString missing = dir.filePath(QStringLiteral("missing.tvx"));
    EXPECT_EQ(LoadErrorOfFile(missing),
        QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));

    const QString folder = dir.filePath(QStringLiteral("folder.tvx"));
    QDir().mkpath(folder);
    EXPECT_TRUE(LoadErrorOfFile(folder).startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(folder)));

    // A FIFO would block a plain open until a writer comes.
    const QString fifo = dir.filePath(QStringLiteral("fifo.tvx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(LoadErrorOfFile(fifo).startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(fifo)));
}

TEST_F(HostileFile, OversizedFileIsRefusedBeforeReading)
{
    // Every 2 bytes of object ids become a record in memory, so a file of a
    // few hundred megabytes of them would take gigabytes.
    const QString huge = dir.filePath(QStringLiteral("huge.tvx"));
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(TAlbum::MaxFileSize + 1));
    file.close();
    EXPECT_EQ(LoadErrorOfFile(huge), QStringLiteral("Cannot open file \"%1\". File too large").arg(huge));
}
