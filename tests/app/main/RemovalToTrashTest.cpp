// SPDX-License-Identifier: GPL-2.0-or-later
// What "from disk" removals do to the user's files: photos and albums go to
// the desktop's trash, where one Yes too many can still be undone.
#include "ViewerTabsFixture.h"

#include "app/albums/AlbumsPage.h"
#include "app/photos/PhotosPage.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// The test program's home lies in the temporary folder too, so the files here
// go to the home trash, in the sandbox's XDG_DATA_HOME.
class RemovalToTrash : public ViewerTabsFixture {
protected:
    void SetUp() override
    {
        ViewerTabsFixture::SetUp();
        // Whatever lands in the current folder is found there.
        oldCurrent = QDir::currentPath();
        QDir().mkpath(dir.filePath(QStringLiteral("current")));
        QDir::setCurrent(dir.filePath(QStringLiteral("current")));
    }

    void TearDown() override
    {
        QDir::setCurrent(oldCurrent);
        ViewerTabsFixture::TearDown();
    }

    QString Trash(const QString& part) const
    {
        return QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/Trash/") + part;
    }

    // Whether the file lies in the trash with its content, and with the note of where it came from.
    void ExpectTrashed(const QString& path, const QByteArray& content) const
    {
        const QString name = QFileInfo(path).fileName();
        QFile trashed(Trash(QStringLiteral("files/") + name));
        ASSERT_TRUE(trashed.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(trashed.readAll(), content);
        QFile info(Trash(QStringLiteral("info/") + name + QStringLiteral(".trashinfo")));
        ASSERT_TRUE(info.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_TRUE(info.readAll().contains("Path=" + QFile::encodeName(path)));
        EXPECT_FALSE(QFileInfo(path).exists() || QFileInfo(path).isSymLink());
    }

    static void WriteFile(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QByteArray Content(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool NothingInTheCurrentFolder() const { return QDir(dir.filePath(QStringLiteral("current"))).isEmpty(); }

    QStringList AlbumNames() const
    {
        QStringList names;
        for (int i = 0; i < form->Album()->GetPhotos().Count(); ++i)
            names.append(QFileInfo(form->Album()->GetPhotos().NameAt(i)).fileName());
        return names;
    }

    void ClickRow(QListWidget* list, const QString& text, Qt::KeyboardModifiers keys = Qt::NoModifier) const
    {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, keys, list->visualItemRect(found.first()).center());
    }

    // Pops the button's menu up and clicks one of its items, as the user does.
    void ChooseFromMenu(const char* button, const char* item) const
    {
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
        auto* action = form->findChild<QAction*>(QLatin1String(item));
        ASSERT_NE(action, nullptr) << item;
        auto* menu = qobject_cast<QMenu*>(action->parent());
        ASSERT_TRUE(menu && menu->isVisible()) << button;
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    }

    QString oldCurrent;
};

} // namespace

TEST_F(RemovalToTrash, PhotosRemovedFromDiskGoToTheTrashLinksAsLinks)
{
    const QString album = dir.filePath(QStringLiteral("albums/Trip.tvx"));
    const QString kept = dir.filePath(QStringLiteral("elsewhere/kept.bmp"));
    QDir().mkpath(QFileInfo(kept).path());
    QFile::copy(Picture(QStringLiteral("original.bmp")), kept);
    const QString link = photos + QStringLiteral("/link.bmp");
    ASSERT_TRUE(QFile::link(QStringLiteral("../elsewhere/kept.bmp"), link));
    const QString dangling = photos + QStringLiteral("/dangling.bmp");
    ASSERT_TRUE(QFile::link(QStringLiteral("../elsewhere/missing.bmp"), dangling));
    // Qt looks for a trash on the volume a link points to; a link to another
    // volume must not leave a trash folder there.
    QTemporaryDir otherVolume(QStringLiteral("/dev/shm/tavrimolex-XXXXXX"));
    const QString otherTrash = QStringLiteral("/dev/shm/.Trash-") + QString::number(getuid());
    const bool farLinkTried = otherVolume.isValid() && !QFileInfo::exists(otherTrash)
        && QStorageInfo(otherVolume.path()) != QStorageInfo(dir.path());
    const QString farLink = photos + QStringLiteral("/far.bmp");
    if (farLinkTried) {
        WriteFile(otherVolume.filePath(QStringLiteral("far.bmp")), "far");
        ASSERT_TRUE(QFile::link(otherVolume.filePath(QStringLiteral("far.bmp")), farLink));
    }
    {
        TAlbum file(album);
        for (const QString& path : { Picture(QStringLiteral("p0.bmp")), Picture(QStringLiteral("p1.bmp"), 30),
                 Picture(QStringLiteral("p2.bmp")), link, dangling, farLink }) {
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(file.GetPhotos().TakeNextId());
            photo->SetName(path);
            file.GetPhotos().Add(std::move(photo));
        }
        ASSERT_TRUE(file.SaveToFile());
    }
    const QString p0 = photos + QStringLiteral("/p0.bmp");
    const QString p1 = photos + QStringLiteral("/p1.bmp");
    const QByteArray p0Content = Content(p0);
    const QByteArray keptContent = Content(kept);
    Start();
    form->show();
    OpenAt(album, "ts_PhotosInAlbum");
    form->pc_Album()->setCurrentWidget(form->PhotosPage());
    auto* rows = Find<QListWidget>("lb_PhotosInAlbum");
    ClickRow(rows, p0);
    ClickRow(rows, link, Qt::ControlModifier);
    ClickRow(rows, dangling, Qt::ControlModifier);
    if (farLinkTried)
        ClickRow(rows, farLink, Qt::ControlModifier);

    // A user whose data folder was never made gets it, with the trash in it.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("new-home/.local/share"))));
    dialogs.QueueMessageResult(MessageResult::Yes);
    ChooseFromMenu("pb_remove", "pmiFromAlbumAndDisk");
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->text, Language()->MF[184]);
    ExpectTrashed(p0, p0Content);
    // The link went, not the photo it points to.
    EXPECT_TRUE(QFileInfo(Trash(QStringLiteral("files/link.bmp"))).isSymLink());
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Content(kept), keptContent);
    // A link to nothing holds nothing to restore: it is deleted.
    EXPECT_FALSE(QFileInfo(dangling).isSymLink());
    if (farLinkTried) {
        EXPECT_FALSE(QFileInfo(farLink).isSymLink());
        EXPECT_TRUE(QFileInfo::exists(otherVolume.filePath(QStringLiteral("far.bmp"))));
        EXPECT_FALSE(QFileInfo::exists(otherTrash));
    }
    EXPECT_EQ(AlbumNames(), (QStringList { "p1.bmp", "p2.bmp" }));
    EXPECT_EQ(dialogs.CallCount(TDialogCall::Kind::MessageBox), 1);

    // Where no trash can be made, the photo is deleted as before and still leaves the album.
    WriteFile(dir.filePath(QStringLiteral("plain-file")), "x");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("plain-file/data"))));
    ClickRow(rows, p1);
    dialogs.QueueMessageResult(MessageResult::Yes);
    ChooseFromMenu("pb_remove", "pmiFromAlbumAndDisk");
    EXPECT_FALSE(QFileInfo::exists(p1));
    EXPECT_TRUE(NothingInTheCurrentFolder());
    EXPECT_EQ(AlbumNames(), QStringList { "p2.bmp" });
    EXPECT_EQ(dialogs.CallCount(TDialogCall::Kind::MessageBox), 2);
}

TEST_F(RemovalToTrash, AnAlbumRemovedFromDiscGoesToTheTrashItsThumbnailsAreDeleted)
{
    const QString open = MakeAlbum(QStringLiteral("Open.tvx"), 1);
    const QString old = MakeAlbum(QStringLiteral("Old.tvx"), 2);
    const QString thumbnails = ThumbnailFolder(old);
    WriteFile(thumbnails + QStringLiteral("/thumbnails.pct"), "1");
    const QByteArray albumContent = Content(old);
    WriteSettings(
        QStringLiteral("[AlbumList]\r\nAmount=2\r\nAlbum1=%1\r\nAlbum2=%2\r\n").arg(open, old).toUtf8());
    Start();
    form->show();
    ASSERT_TRUE(form->OpenAlbum(open));
    form->pc_Album()->setCurrentWidget(form->AlbumsPage());
    Find<QTabWidget>("pc_Albums")->setCurrentWidget(Find<QWidget>("ts_RecentlyUsedAlbums"));
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");
    ClickRow(recent, old);

    dialogs.QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("pb_RemoveAlbumFromDisc"), Qt::LeftButton);
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->text, Language()->MF[26]);
    ExpectTrashed(old, albumContent);
    // The program made the thumbnails itself: they are not kept.
    EXPECT_FALSE(QFileInfo::exists(thumbnails));
    EXPECT_FALSE(QFileInfo::exists(Trash(QStringLiteral("files/Old_thumbnails"))));
    EXPECT_EQ(form->AlbumsPage()->RecentAlbums(), QStringList { open });
}
