// SPDX-License-Identifier: GPL-2.0-or-later
// The label list of the photo panel, in the real main window on a desktop with
// a dark palette.
#include "ViewerTabsFixture.h"

#include "app/main/Tfm_MainForm.h"
#include "app/photos/PhotosPage.h"
#include "widgets/PageControl.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QTest>

namespace {

class PhotoObjectsColour : public ViewerTabsFixture {
protected:
    void SetUp() override
    {
        m_desktop = QApplication::palette();
        QPalette dark = m_desktop;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Window, QColor(45, 45, 45));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        ViewerTabsFixture::SetUp();
    }

    void TearDown() override
    {
        ViewerTabsFixture::TearDown();
        QApplication::setPalette(m_desktop);
    }

    QPalette m_desktop;
};

TEST_F(PhotoObjectsColour, ShowingAnAlbumPhotoMakesTheLabelListWhiteWithDarkNames)
{
    const QString file = MakeAlbum(QStringLiteral("Trip.tvx"), 2);
    {
        const std::unique_ptr<TAlbum> album = TAlbum::CreateFromFile(file, nullptr);
        album->GetObjects().AddName(QStringLiteral("Dog"));
        ASSERT_TRUE(album->SaveToFile());
    }
    Start();
    form->show();
    OpenAt(file, "ts_PhotosInAlbum");
    form->pc_Album()->setCurrentWidget(form->PhotosPage());
    auto* objects = Find<QListWidget>("lb_PhotoObjects");
    ASSERT_EQ(objects->count(), 1);
    EXPECT_NE(objects->palette().color(QPalette::Base), QColor(Qt::white));

    auto* rows = Find<QListWidget>("lb_PhotosInAlbum");
    QTest::mouseClick(
        rows->viewport(), Qt::LeftButton, Qt::NoModifier, rows->visualItemRect(rows->item(1)).center());
    ASSERT_EQ(Find<QLineEdit>("eb_PhotoName")->text(), rows->item(1)->text());
    EXPECT_EQ(objects->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(objects->palette().color(QPalette::Text), QColor(Qt::black));
    // What the user sees: a white list.
    const QImage shown = objects->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(shown.width() - 3, shown.height() - 3)), QColor(Qt::white));
}

} // namespace
