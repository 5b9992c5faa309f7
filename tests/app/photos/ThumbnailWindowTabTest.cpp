// SPDX-License-Identifier: GPL-2.0-or-later
// The thumbnail window as the Photos tab shows it: its album, editing and
// removing photos through the main window, and its life with the album.
#include "ViewerTabsFixture.h"

#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosPage.h"
#include "app/photos/ThumbnailsTab.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/Tfm_ThumbNailWindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>

#include <sys/stat.h>

namespace {

using Kind = TDialogCall::Kind;

class ThumbnailWindowTabTest : public ViewerTabsFixture {
protected:
    TThumbnailsTab* Tab() const { return form->PhotosPage()->ThumbnailsTab(); }
    Tfm_ThumbNailWindow* Window() const { return Tab()->ThumbWindow(); }
    void ClickCell(int entry)
    {
        QTableView* view = Window()->GridView();
        const int columns = Window()->Grid().Columns();
        const QRect cell = view->visualRect(view->model()->index(entry / columns, entry % columns));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    void Trigger(const char* item)
    {
        Window()->PopupMenu()->findChild<QAction*>(QLatin1String(item))->trigger();
    }
    // Opens the album with its thumbnails made and shown.
    QString OpenWithThumbnails(int count)
    {
        const QString album = MakeAlbum(QStringLiteral("Trip.tvx"), count);
        OpenAt(album, "ts_ThumbNails");
        Find<QPushButton>("pb_CreateThumbnails")->click();
        return album;
    }
};

TEST_F(ThumbnailWindowTabTest, CreatedThumbnailsAreShownAndEditingAPhotoGoesToTheAlbumsList)
{
    Start();
    OpenWithThumbnails(3);
    ASSERT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->Album(), form->Album());
    EXPECT_EQ(Window()->Grid().Count(), 3);

    ClickCell(1);
    Trigger("PopupMenuEditPhotoInformation");
    EXPECT_EQ(
        Find<QTabWidget>("pc_Photos")->currentWidget()->objectName(), QStringLiteral("ts_PhotosInAlbum"));
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->currentRow(), 1);
    EXPECT_EQ(Find<QLineEdit>("eb_PhotoName")->text(), photos + QStringLiteral("/p1.bmp"));
    // Leaving the thumbnail page puts the thumbnail window away.
    EXPECT_FALSE(Window()->isVisible());

    // Shown again from its page, without thumbnails there is nothing to show.
    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_ThumbNails"));
    Find<QPushButton>("pb_ShowThumbNails")->click();
    EXPECT_TRUE(Window()->isVisible());
    Find<QPushButton>("pb_RemoveThumbNails")->click();
    dialogs.Clear();
    Tab()->pb_ShowThumbNailsClick();
    ASSERT_NE(dialogs.LastCall(Kind::ShowMessage), nullptr);
    EXPECT_EQ(dialogs.LastCall(Kind::ShowMessage)->text, Language()->MF[55]);
    EXPECT_FALSE(Window()->isVisible());
}

TEST_F(ThumbnailWindowTabTest, APhotoRemovedInTheThumbnailWindowLeavesTheAlbumOnSave)
{
    Start();
    const QString album = OpenWithThumbnails(3);
    ClickCell(0);
    Trigger("PopumMenuRemovePhotoFromAlbum");
    EXPECT_TRUE(form->ContentsChanged());
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 2);
    EXPECT_EQ(Window()->Grid().Count(), 2);

    // Closing asks to save; Yes keeps the removal.
    dialogs.QueueMessageResult(MessageResult::Yes);
    ASSERT_TRUE(form->CloseCurrentAlbum());
    ASSERT_TRUE(form->OpenAlbum(album));
    ASSERT_EQ(form->Album()->GetPhotos().Count(), 2);
    EXPECT_EQ(form->Album()->GetPhotos().PhotoAt(0)->GetName(), photos + QStringLiteral("/p1.bmp"));
}

TEST_F(ThumbnailWindowTabTest, AChangedPhotoRecordUpdatesShownThumbnailsAtOnceAndHiddenOnesWhenShown)
{
    Start();
    const QString album = OpenWithThumbnails(2);
    const QString thumbnail = ThumbnailFolder(album) + QStringLiteral("/0_p0.jpg");
    const QString other = ThumbnailFolder(album) + QStringLiteral("/1_p1.jpg");
    // A thumbnail file written again is a new file.
    const auto inode = [](const QString& path) {
        struct stat st { };
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? quint64(st.st_ino) : 0;
    };
    // The update makes a thumbnail that is gone again.
    ASSERT_TRUE(Window()->isVisible());
    ASSERT_TRUE(QFile::remove(thumbnail));
    // As the information panel announces a record it replaced.
    emit form->PhotosPage()->PhotoPanel()->PhotoRecordReplaced(photos + QStringLiteral("/p0.bmp"));
    EXPECT_TRUE(QFileInfo::exists(thumbnail));
    EXPECT_FALSE(Tab()->ThumbnailsStale());
    EXPECT_TRUE(Window()->isVisible());

    // A description typed while the window is away marks the thumbnails
    // stale; Show makes that photo's thumbnail again and keeps the other.
    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_PhotosInAlbum"));
    auto* rows = Find<QListWidget>("lb_PhotosInAlbum");
    QTest::mouseClick(
        rows->viewport(), Qt::LeftButton, Qt::NoModifier, rows->visualItemRect(rows->item(0)).center());
    const quint64 edited = inode(thumbnail);
    const quint64 kept = inode(other);
    auto* description = Find<QPlainTextEdit>("mm_PhotoDescription");
    description->setFocus();
    QTest::keyClicks(description, QStringLiteral("Dunes"));
    EXPECT_TRUE(Tab()->ThumbnailsStale());
    EXPECT_EQ(inode(thumbnail), edited);

    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_ThumbNails"));
    QTest::mouseClick(Find<QPushButton>("pb_ShowThumbNails"), Qt::LeftButton);
    EXPECT_FALSE(Tab()->ThumbnailsStale());
    EXPECT_NE(inode(thumbnail), edited);
    EXPECT_EQ(inode(other), kept);
    EXPECT_EQ(Window()->Grid().Count(), 2);
    EXPECT_TRUE(Window()->isVisible());
}

TEST_F(ThumbnailWindowTabTest, TheWindowIsMadeAnewWithEveryAlbumAndAfterRemovalAndClosesWithTheProgram)
{
    Start();
    OpenWithThumbnails(2);
    QPointer<Tfm_ThumbNailWindow> shown = Window();
    Window()->StartSlideShow();
    QPointer<Tfm_SlideShowWindow> show = Window()->SlideShowWindow();
    ASSERT_TRUE(show->Running());

    ASSERT_TRUE(form->CloseCurrentAlbum());
    EXPECT_TRUE(shown.isNull());
    EXPECT_TRUE(show.isNull());
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(Window()->Album(), nullptr);

    OpenAt(MakeAlbum(QStringLiteral("Other.tvx"), 2), "ts_ThumbNails");
    EXPECT_EQ(Window()->Album(), form->Album());
    Find<QPushButton>("pb_CreateThumbnails")->click();
    shown = Window();
    Find<QPushButton>("pb_RemoveThumbNails")->click();
    EXPECT_TRUE(shown.isNull());
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(Window()->Album(), form->Album());

    Find<QPushButton>("pb_CreateThumbnails")->click();
    ASSERT_TRUE(Window()->isVisible());
    Window()->StartSlideShow();
    form->close();
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_FALSE(Window()->SlideShowWindow()->isVisible());
}

TEST_F(ThumbnailWindowTabTest, ARenamedAlbumKeepsItsThumbnailsAndLeavesNoneUnderItsOldName)
{
    Start();
    const QString album = OpenWithThumbnails(2);
    ASSERT_EQ(Window()->Grid().Count(), 2);
    dialogs.QueueInput(QStringLiteral("Journey"));
    Find<QPushButton>("pb_RenameAlbum")->click();
    const QString renamed = dir.filePath(QStringLiteral("albums/Journey.tvx"));
    ASSERT_EQ(form->Album()->GetFileName(), renamed);

    // The thumbnails went with the album; the shown window shows them still.
    EXPECT_FALSE(QFileInfo::exists(ThumbnailFolder(album)));
    EXPECT_TRUE(QFileInfo::exists(ThumbnailFolder(renamed) + QStringLiteral("/0_p0.jpg")));
    EXPECT_EQ(Window()->Grid().Count(), 2);
    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_ThumbNails"));
    EXPECT_TRUE(Enabled("pb_ShowThumbNails"));
    EXPECT_FALSE(Enabled("pb_CreateThumbnails"));
    ASSERT_EQ(form->Album()->Thumbnails().LoadIndex(), 2);
    for (const QString& thumbnail : form->Album()->Thumbnails().Index().Thumbnails)
        EXPECT_TRUE(thumbnail.startsWith(ThumbnailFolder(renamed) + u'/')) << thumbnail.toStdString();

    // A new album under the old name starts without the renamed album's thumbnails.
    ASSERT_TRUE(form->CloseCurrentAlbum());
    OpenAt(MakeAlbum(QStringLiteral("Trip.tvx"), 1), "ts_ThumbNails");
    EXPECT_TRUE(Enabled("pb_CreateThumbnails"));
    EXPECT_FALSE(Enabled("pb_ShowThumbNails"));
}

TEST_F(ThumbnailWindowTabTest, ThumbnailsOfMovedPhotosShowAndEditThePhotosWhereTheyAreNow)
{
    Start();
    const QString album = MakeAlbum(QStringLiteral("Trip.tvx"), 3);
    {
        const std::unique_ptr<TAlbum> labelled = TAlbum::CreateFromFile(album, nullptr);
        for (int i = 0; i < 3; ++i)
            labelled->GetPhotos().PhotoAt(i)->SetYear(QString::number(2000 + i));
        ASSERT_TRUE(labelled->SaveToFile());
    }
    OpenAt(album, "ts_ThumbNails");
    Find<QPushButton>("pb_CreateThumbnails")->click();
    ASSERT_TRUE(form->CloseCurrentAlbum());

    // The photos move beside the album; opening it finds them there.
    const QString moved = dir.filePath(QStringLiteral("albums"));
    for (int i = 0; i < 3; ++i) {
        const QString name = QStringLiteral("/p%1.bmp").arg(i);
        ASSERT_TRUE(QFile::rename(photos + name, moved + name));
    }
    OpenAt(album, "ts_ThumbNails");
    ASSERT_EQ(form->Album()->GetPhotos().PhotoAt(1)->GetName(), moved + QStringLiteral("/p1.bmp"));
    Find<QPushButton>("pb_ShowThumbNails")->click();
    ASSERT_EQ(Window()->Grid().Count(), 3);

    const auto year = [this] { return Window()->findChild<QLineEdit*>(QStringLiteral("EditYear"))->text(); };
    ClickCell(1);
    EXPECT_EQ(year(), QStringLiteral("2001"));
    ClickCell(2);
    EXPECT_EQ(year(), QStringLiteral("2002"));
    Trigger("PopupMenuEditPhotoInformation");
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->currentRow(), 2);
    EXPECT_EQ(Find<QLineEdit>("eb_PhotoName")->text(), moved + QStringLiteral("/p2.bmp"));
    EXPECT_EQ(Find<QLineEdit>("eb_Year")->text(), QStringLiteral("2002"));
}

} // namespace
