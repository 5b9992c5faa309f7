// SPDX-License-Identifier: GPL-2.0-or-later
#include "ModelTestUtil.h"

#include "model/Album.h"
#include "model/PendingRenames.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PendingRenames : public AlbumBesidePhotos {
protected:
    QString Photo(const QString& name) const { return root + QStringLiteral("photos/") + name; }

    // Saves an album of these photos, each described by its own path.
    void SaveAlbum(const QStringList& paths) const
    {
        TAlbum album(albumFile);
        for (const QString& path : paths) {
            album.GetPhotos().AddName(path);
            album.GetPhotos().PhotoAt(album.GetPhotos().Count() - 1)->SetDescription(path);
        }
        album.SaveToFile();
    }

    // Each photo of the album as read, as "path=description".
    QStringList Opened(int* takenOver = nullptr) const
    {
        const std::unique_ptr<TAlbum> album = TAlbum::CreateFromFile(albumFile, nullptr);
        if (takenOver)
            *takenOver = album->RenamesTakenOver();
        QStringList photos;
        for (int i = 0; i < album->GetPhotos().Count(); ++i) {
            const TPhoto* photo = album->GetPhotos().PhotoAt(i);
            photos.append(photo->GetName() + u'=' + photo->GetDescription());
        }
        return photos;
    }

    static void Rename(const QString& from, const QString& to) { ASSERT_TRUE(QFile::rename(from, to)); }
};

} // namespace

TEST_F(PendingRenames, OpeningTakesOverTheRenamesThatHappenedAndNoOthers)
{
    // A name with a line break, tab and "%" in it; a photo in another folder
    // whose old name also exists in the album's folder, where relocation
    // would look for it; one whose rename never happened; one whose old name
    // was taken again; one whose new name another photo has.
    const QString odd = Photo(QStringLiteral("line\nbreak\tand 100%.bmp"));
    const QStringList old { odd, Photo(QStringLiteral("beach.bmp")), Photo(QStringLiteral("later.bmp")),
        Photo(QStringLiteral("again.bmp")), Photo(QStringLiteral("twice.bmp")),
        Photo(QStringLiteral("other.bmp")) };
    const QStringList renamed { Photo(QStringLiteral("Holiday_000001.bmp")),
        Photo(QStringLiteral("Holiday_000002.bmp")), Photo(QStringLiteral("Holiday_000003.bmp")),
        Photo(QStringLiteral("Holiday_000004.bmp")), Photo(QStringLiteral("other.bmp")),
        Photo(QStringLiteral("Holiday_000006.bmp")) };
    for (const QString& path : old)
        Touch(path);
    Touch(root + QStringLiteral("albums/beach.bmp"));
    SaveAlbum(old);
    TPendingRenames::TRenames renames;
    for (int i = 0; i < old.size(); ++i)
        renames.push_back({ old.at(i), renamed.at(i) });
    TPendingRenames::Write(albumFile, renames);
    Rename(old.at(0), renamed.at(0));
    Rename(old.at(1), renamed.at(1));
    Rename(old.at(3), renamed.at(3));
    Touch(old.at(3));
    Rename(old.at(4), Photo(QStringLiteral("elsewhere.bmp")));

    int takenOver = 0;
    EXPECT_EQ(Opened(&takenOver),
        QStringList(
            { renamed.at(0) + u'=' + odd, renamed.at(1) + u'=' + old.at(1), old.at(2) + u'=' + old.at(2),
                old.at(3) + u'=' + old.at(3), old.at(4) + u'=' + old.at(4), old.at(5) + u'=' + old.at(5) }));
    EXPECT_EQ(takenOver, 2);
    // Reading changes no file: the opener saves the album, then removes the list.
    EXPECT_TRUE(QFileInfo::exists(TPendingRenames::FileNameOf(albumFile)));
    EXPECT_TRUE(ReadAll(albumFile).contains(old.at(1).toUtf8()));
}

TEST_F(PendingRenames, ADamagedCutShortOrForeignListChangesNothing)
{
    const QString old = Photo(QStringLiteral("at the beach.bmp"));
    const QString renamed = Photo(QStringLiteral("Holiday_000001.bmp"));
    Touch(old);
    SaveAlbum({ old });
    TPendingRenames::Write(albumFile, { { old, renamed } });
    const QString list = TPendingRenames::FileNameOf(albumFile);
    const QByteArray whole = ReadAll(list);
    Rename(old, renamed);
    QDir().mkpath(root + QStringLiteral("elsewhere"));
    Touch(root + QStringLiteral("elsewhere/Holiday_000001.bmp"));

    const auto replaced = [&whole](const char* from, const QByteArray& to) {
        QByteArray damaged = whole;
        EXPECT_TRUE(damaged.contains(from)) << from;
        return damaged.replace(from, to);
    };
    std::vector<QByteArray> damaged {
        replaced("trip.tvx", "other.tvx"),
        replaced("photos/Holiday", "elsewhere/Holiday"),
        replaced("%20", "%2"),
        replaced("%20", "%4A"),
        replaced("%20", " "),
        replaced("%20", "\x01"),
        replaced("Holiday", "\xFF\xFEoliday"),
        replaced(".bmp\n", ".bmp\tmore\n"),
        replaced("end\t1", "end\t2"),
        whole + "end\t1\n",
        whole + "\n",
    };
    // A list cut anywhere, as a copy or a file system may leave it.
    for (qsizetype size = 0; size < whole.size(); ++size)
        damaged.push_back(whole.left(size));

    for (const QByteArray& content : damaged) {
        ASSERT_TRUE(WriteAll(list, content));
        int takenOver = 0;
        EXPECT_EQ(Opened(&takenOver), QStringList { old + u'=' + old }) << content.toStdString();
        EXPECT_EQ(takenOver, -1) << content.toStdString();
        EXPECT_TRUE(QFileInfo::exists(renamed));
    }

    // The whole list, for the album it names, is taken.
    ASSERT_TRUE(WriteAll(list, whole));
    EXPECT_EQ(Opened(), QStringList { renamed + u'=' + old });
}
