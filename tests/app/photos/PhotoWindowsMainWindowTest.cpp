// SPDX-License-Identifier: GPL-2.0-or-later
// Photo windows beside the real main window: what they do to the album, to
// the keyboard and to the dialogs the main window shows meanwhile.
#include "ViewerTabsFixture.h"

#include "app/albums/AlbumsPage.h"
#include "app/photos/AlbumPhotoList.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosPage.h"
#include "app/shared/AlbumActions.h"
#include "viewers/Tfm_PhotoWindow.h"
#include "widgets/FolderTree.h"
#include "widgets/PageControl.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

class PhotoWindowsMainWindow : public ViewerTabsFixture {
protected:
    void SetUp() override
    {
        ViewerTabsFixture::SetUp();
        Start();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    Tfm_PhotoWindow* PhotoWindow() const { return form->PhotosPage()->PhotoPanel()->PhotoWindow(); }
    QListWidget* Rows() const { return Find<QListWidget>("lb_PhotosInAlbum"); }

    // The album on the page of its photos, as the user finds it after opening it.
    void OpenOnPhotosPage(const QString& album)
    {
        OpenAt(album, "ts_PhotosInAlbum");
        form->pc_Album()->setCurrentWidget(form->PhotosPage());
    }

    static void ClickRow(QListWidget* list, int row)
    {
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
    }

    // Whether the control has the keyboard once the window system has handled
    // the activations asked for meanwhile.
    static bool KeyboardWith(QWidget* window, QWidget* control)
    {
        QTest::qWait(20);
        return QApplication::activeWindow() == window && QApplication::focusWidget() == control;
    }
};

} // namespace

TEST_F(PhotoWindowsMainWindow, APhotoWindowLeftOpenStepsIntoTheNextAlbumWithoutWipingItsLabels)
{
    OpenOnPhotosPage(MakeAlbum(QStringLiteral("First.tvx"), 2));
    ClickRow(Rows(), 0);
    const QPointer<Tfm_PhotoWindow> window = PhotoWindow();
    ASSERT_NE(window, nullptr);

    // The next album's first photo carries a label.
    const QString next = dir.filePath(QStringLiteral("albums/Second.tvx"));
    const QString labelled = Picture(QStringLiteral("labelled.bmp"));
    {
        TAlbum album(next);
        album.GetObjects().AddName(QStringLiteral("Dog"));
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(album.GetPhotos().TakeNextId());
        photo->SetName(labelled);
        photo->GetObjectIds().Add(album.ObjectIdByName(QStringLiteral("Dog")));
        album.GetPhotos().Add(std::move(photo));
        ASSERT_TRUE(album.SaveToFile());
    }
    // Opened as a search result's album is, with the Albums tab in front.
    ASSERT_TRUE(form->Actions().OpenFoundAlbum(next));
    form->pc_Album()->setCurrentWidget(form->AlbumsPage());
    ASSERT_EQ(form->Album()->GetFileName(), next);
    ASSERT_TRUE(window);

    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnNext")), Qt::LeftButton);
    EXPECT_EQ(window->FileName(), labelled) << "the window walks the album open now";

    form->pc_Album()->setCurrentWidget(form->PhotosPage());
    auto* description = Find<QPlainTextEdit>("mm_PhotoDescription");
    description->setFocus();
    QTest::keyClicks(description, QStringLiteral("x"));
    const TPhoto* photo = form->Album()->GetPhotos().PhotoAt(0);
    EXPECT_EQ(photo->GetDescription(), QStringLiteral("x"));
    ASSERT_EQ(photo->GetObjectIds().Count(), 1);
    EXPECT_EQ(form->Album()->ObjectNameById(photo->GetObjectIds().ValueAt(0)), QStringLiteral("Dog"));
}

TEST_F(PhotoWindowsMainWindow, TheKeyboardStaysWithTheListThatShowedThePhoto)
{
    OpenOnPhotosPage(MakeAlbum(QStringLiteral("Trip.tvx"), 3));
    ClickRow(Rows(), 0);
    ASSERT_NE(PhotoWindow(), nullptr);
    EXPECT_TRUE(KeyboardWith(form.get(), Rows()));

    for (const Qt::Key key : { Qt::Key_End, Qt::Key_Home }) {
        QTest::keyClick(Rows(), key);
        EXPECT_TRUE(KeyboardWith(form.get(), Rows())) << key;
    }
    QTest::keyClick(Rows(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(PhotoWindow()->FileName(), photos + QStringLiteral("/p1.bmp"));
    EXPECT_TRUE(KeyboardWith(form.get(), Rows()));
    // The photo window's own buttons leave the keyboard in that window.
    QTest::mouseClick(PhotoWindow()->findChild<QPushButton*>(QStringLiteral("btnNext")), Qt::LeftButton);
    EXPECT_EQ(PhotoWindow()->FileName(), photos + QStringLiteral("/p2.bmp"));
    EXPECT_TRUE(KeyboardWith(PhotoWindow(), PhotoWindow()));

    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_AvailablePhotos"));
    ASSERT_TRUE(Find<TFolderTree>("stvPhotoFolders")->SetFolder(photos));
    auto* available = Find<QListWidget>("lsbPhotos");
    ASSERT_EQ(available->count(), 3);
    PhotoWindow()->activateWindow();
    ClickRow(available, 2);
    EXPECT_EQ(PhotoWindow()->FileName(), photos + QStringLiteral("/p2.bmp"));
    EXPECT_TRUE(KeyboardWith(form.get(), available));
}

TEST_F(PhotoWindowsMainWindow, AFullDescriptionRefusesTypingInTheMiddle)
{
    const QString file = MakeAlbum(QStringLiteral("Trip.tvx"), 1);
    const QString full = QString(100, u'a') + QString(100, u'b');
    {
        const std::unique_ptr<TAlbum> album = TAlbum::CreateFromFile(file, nullptr);
        album->GetPhotos().PhotoAt(0)->SetDescription(full);
        ASSERT_TRUE(album->SaveToFile());
    }
    OpenOnPhotosPage(file);
    ClickRow(Rows(), 0);
    auto* description = Find<QPlainTextEdit>("mm_PhotoDescription");
    description->setFocus();
    QTextCursor cursor = description->textCursor();
    cursor.setPosition(100);
    description->setTextCursor(cursor);

    QTest::keyClick(description, Qt::Key_X);
    EXPECT_EQ(description->toPlainText(), full);
    EXPECT_EQ(description->textCursor().position(), 100);
    EXPECT_EQ(form->Album()->GetPhotos().PhotoAt(0)->GetDescription(), full);
    EXPECT_FALSE(form->ContentsChanged());

    // With room made, the same key goes in where the cursor stands.
    QTest::keyClick(description, Qt::Key_Backspace);
    QTest::keyClick(description, Qt::Key_X);
    const QString edited = QString(99, u'a') + u'x' + QString(100, u'b');
    EXPECT_EQ(description->toPlainText(), edited);
    EXPECT_EQ(form->Album()->GetPhotos().PhotoAt(0)->GetDescription(), edited);
}

TEST_F(PhotoWindowsMainWindow, AMessageBoxComesAboveThePhotoWindowsThatStayOnTop)
{
    const QString file = MakeAlbum(QStringLiteral("Trip.tvx"), 2);
    OpenOnPhotosPage(file);
    ClickRow(Rows(), 0);
    QWindow* photoWindow = PhotoWindow()->windowHandle();
    ASSERT_TRUE(photoWindow->flags().testFlag(Qt::WindowStaysOnTopHint));

    // The program's own message boxes, not the test's script.
    TDialogService* scripted = SetDialogService(nullptr);
    ASSERT_TRUE(QFile::remove(photos + QStringLiteral("/p1.bmp")));
    bool boxShown = false;
    bool windowOnTopMeanwhile = true;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        watch.stop();
        boxShown = true;
        windowOnTopMeanwhile = photoWindow->flags().testFlag(Qt::WindowStaysOnTopHint);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    watch.start(5);
    ClickRow(Rows(), 1);
    SetDialogService(scripted);

    EXPECT_TRUE(boxShown) << "the missing photo is reported";
    EXPECT_FALSE(windowOnTopMeanwhile);
    EXPECT_TRUE(photoWindow->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(PhotoWindow()->isVisible());
}
