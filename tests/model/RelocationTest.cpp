// SPDX-License-Identifier: GPL-2.0-or-later
#include "FakeStatusReporter.h"
#include "ModelTestUtil.h"

#include "model/Album.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Relocation : public AlbumBesidePhotos {
protected:
    // Writes an album with these photo paths and reads it back with relocation.
    std::unique_ptr<TAlbum> SaveAndLoad(const QStringList& paths, FakeStatusReporter* status = nullptr)
    {
        TAlbum album(albumFile);
        for (const QString& p : paths)
            album.GetPhotos().AddName(p);
        album.SaveToFile();
        return TAlbum::CreateFromFile(albumFile, status);
    }

    QString PathOf(const TAlbum& album, int i) const { return album.GetPhotos().PhotoAt(i)->GetName(); }
};

} // namespace

TEST_F(Relocation, MissingPhotoIsFoundInTheAlbumFolder)
{
    Touch(root + QStringLiteral("photos/here.jpg"));
    Touch(root + QStringLiteral("albums/moved.jpg"));
    const QString missing = root + QStringLiteral("gone/moved.jpg");
    const QString nowhere = root + QStringLiteral("gone/lost.jpg");
    const auto album = SaveAndLoad({ root + QStringLiteral("photos/here.jpg"), missing, nowhere });
    EXPECT_EQ(PathOf(*album, 0), root + QStringLiteral("photos/here.jpg"));
    EXPECT_EQ(PathOf(*album, 1), root + QStringLiteral("albums/moved.jpg"));
    EXPECT_EQ(PathOf(*album, 2), nowhere);
    // Only in memory: the file still holds the old path until the next save.
    EXPECT_TRUE(ReadAll(albumFile).contains(missing.toUtf8()));
}

TEST_F(Relocation, WindowsPathsOfAnAlbumMadeOnWindowsFindTheirPhotos)
{
    Touch(root + QStringLiteral("albums/a.jpg"));
    Touch(root + QStringLiteral("albums/b.JPG"));
    const auto album = SaveAndLoad({ QStringLiteral("D:\\Photos\\2004\\a.jpg"), QStringLiteral("E:b.JPG"),
        QStringLiteral("D:\\Photos\\c.jpg") });
    EXPECT_EQ(PathOf(*album, 0), root + QStringLiteral("albums/a.jpg"));
    EXPECT_EQ(PathOf(*album, 1), root + QStringLiteral("albums/b.JPG"));
    EXPECT_EQ(PathOf(*album, 2), QStringLiteral("D:\\Photos\\c.jpg"));
}

TEST_F(Relocation, ReportsProgress)
{
    FakeStatusReporter status;
    const auto album
        = SaveAndLoad({ QStringLiteral("/nowhere/1.jpg"), QStringLiteral("/nowhere/2.jpg") }, &status);
    EXPECT_EQ(status.minimumValue, 0);
    EXPECT_EQ(status.maximumValue, 2);
    EXPECT_EQ(status.position, 2);
    EXPECT_EQ(status.shown, 1);
    EXPECT_EQ(status.objects, QStringList({ "/nowhere/1.jpg", "/nowhere/2.jpg" }));
    EXPECT_EQ(status.numberToGo, QStringList({ "2", "1", "0" }));
    EXPECT_EQ(status.pumped, 2);
}

TEST_F(Relocation, CancelStopsAfterThePhotoBeingExamined)
{
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        Touch(root + QStringLiteral("albums/%1.jpg").arg(i));
        paths << root + QStringLiteral("old/%1.jpg").arg(i);
    }
    FakeStatusReporter status;
    // The user presses Cancel while the third photo is examined.
    status.onProcessEvents = [](FakeStatusReporter& s) {
        if (s.objects.size() == 3)
            s.cancelled = true;
    };
    const auto album = SaveAndLoad(paths, &status);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PathOf(*album, i), root + QStringLiteral("albums/%1.jpg").arg(i));
    for (int i = 3; i < 5; ++i)
        EXPECT_EQ(PathOf(*album, i), paths[i]);
    EXPECT_EQ(status.objects.size(), 3);
}
