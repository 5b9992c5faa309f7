// Photo windows beside the real main window: what they do to the album, to
// the keyboard and to the dialogs the main window shows meanwhile.
#include "ViewerTabsFixture.h"

#include "app/AlbumPhotoList.h"
#include "app/FolderTree.h"
#include "app/PageControl.h"
#include "app/PhotoInfoPanel.h"
#include "app/PhotosPage.h"
#include "viewers/Tfm_PhotoWindow.h"

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
