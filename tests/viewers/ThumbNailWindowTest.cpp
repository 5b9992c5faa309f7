// SPDX-License-Identifier: GPL-2.0-or-later
// The thumbnail window: its grid, the selection by mouse, the popup menu,
// its keys, and the changes it makes to the album and its thumbnail index.
#include "PhotoWindowFixture.h"

#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/Tfm_ThumbNailWindow.h"
#include "viewers/ThumbNailGrid.h"
#include "viewers/ThumbNailHost.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

using Kind = TDialogCall::Kind;

class TFakeThumbNailHost : public TThumbNailHost {
public:
    Tfm_PhotoWindow* EditPhotoInformation(const QString& photoPath) override
    {
        edited << photoPath;
        return editWindow;
    }
    void ListAlbumPhotos(int filter) override { listed << filter; }
    void MarkAlbumChanged() override { ++changed; }

    QStringList edited;
    QList<int> listed;
    int changed = 0;
    Tfm_PhotoWindow* editWindow = nullptr;
};

TEST(ThumbNailGrid, TwentyThreeThumbnailsInFiveColumnsFillFiveRows)
{
    TThumbNailGrid grid;
    grid.Reset(23, 50, 60, 299);
    EXPECT_EQ(grid.Columns(), 5);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Mark(0, 0), QStringLiteral("D0"));
    EXPECT_EQ(grid.Mark(4, 1), QStringLiteral("D9"));
    EXPECT_EQ(grid.Mark(0, 4), QStringLiteral("D20"));
    EXPECT_EQ(grid.Mark(2, 4), QStringLiteral("D22"));
    EXPECT_EQ(grid.Mark(3, 4), QString());
    EXPECT_EQ(grid.Mark(4, 4), QString());
    EXPECT_EQ(grid.Mark(5, 0), QString());

    // A window narrower than a column still has one column; no entries, no rows.
    grid.Relayout(10);
    EXPECT_EQ(grid.Columns(), 1);
    EXPECT_EQ(grid.Rows(), 23);
    EXPECT_EQ(TThumbNailGrid::ColumnsFor(0, 0), 1);
    grid.Reset(0, 50, 60, 299);
    EXPECT_EQ(grid.Rows(), 0);
}

TEST(ThumbNailGrid, MouseRulesSelectToggleAndKeepOnRightClick)
{
    TThumbNailGrid grid;
    grid.Reset(6, 10, 10, 30); // three columns, two rows
    grid.MouseDown(0, 0, false, false, false);
    grid.MouseDown(1, 0, false, false, false);
    EXPECT_EQ(grid.SelectedEntries(), QList<int>({ 1 }));
    // A plain click on the only selected thumbnail deselects it.
    grid.MouseDown(1, 0, false, false, false);
    EXPECT_EQ(grid.CountSelected(), 0);
    // Ctrl or Shift toggle one thumbnail and keep the others.
    grid.MouseDown(0, 0, false, true, false);
    grid.MouseDown(2, 1, false, true, false);
    grid.MouseDown(0, 0, false, true, false);
    EXPECT_EQ(grid.SelectedEntries(), QList<int>({ 5 }));
    grid.MouseDown(1, 1, false, true, false);
    // A right click on a thumbnail outside the group leaves it alone.
    grid.MouseDown(0, 1, true, false, false);
    EXPECT_EQ(grid.SelectedEntries(), QList<int>({ 3 }));
    // Right button and double click never deselect.
    grid.MouseDown(0, 1, true, false, false);
    grid.MouseDown(0, 1, false, false, true);
    EXPECT_EQ(grid.SelectedEntries(), QList<int>({ 3 }));
    EXPECT_EQ(grid.Mark(0, 1), QStringLiteral("S3"));
    EXPECT_EQ(grid.MouseDown(2, 2, false, false, false), -1);
    EXPECT_EQ(grid.CountSelected(), 1);
}

class ThumbNailWindowTest : public PhotoWindowFixture {
protected:
    void SetUp() override
    {
        PhotoWindowFixture::SetUp();
        album = std::make_unique<TAlbum>(dir.filePath(QStringLiteral("album.tvx")));
        album->SetThumbWidth(90);
        album->SetThumbHeight(30);
        window = std::make_unique<Tfm_ThumbNailWindow>(&host, list.get(), ini.get(), slideShow);
    }

    void TearDown() override
    {
        window.reset();
        PhotoWindowFixture::TearDown();
    }

    // Photos named p0.bmp ... with thumbnails; the year of photo i is 2000 + i.
    void MakePhotos(int count)
    {
        for (int i = 0; i < count; ++i)
            AddPhoto(QStringLiteral("p%1.bmp").arg(i), QString::number(2000 + i));
        ASSERT_TRUE(album->CreateThumbnails(nullptr));
    }

    void AddPhoto(const QString& name, const QString& year = QString())
    {
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(album->GetPhotos().TakeNextId());
        photo->SetName(WriteBmp(name, 32, 24));
        photo->SetYear(year);
        album->GetPhotos().Add(std::move(photo));
    }

    // Shown, with a grid of five 100-pixel columns of 40-pixel rows.
    void ShowWindow()
    {
        window->SetAlbum(album.get());
        window->show();
        QWidget* viewport = View()->viewport();
        window->resize(window->width() - viewport->width() + 5 * 100 + 20, 400);
        QCoreApplication::processEvents();
        window->BuildGrid();
        ASSERT_EQ(window->Grid().Columns(), 5);
    }

    QTableView* View() const { return window->GridView(); }
    QPoint Cell(int column, int row) const { return QPoint(column * 100 + 50, row * 40 + 20); }
    void Click(int column, int row, Qt::MouseButton button = Qt::LeftButton,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(View()->viewport(), button, modifiers, Cell(column, row));
    }
    QAction* Item(const char* name) const
    {
        return window->PopupMenu()->findChild<QAction*>(QLatin1String(name));
    }
    QString Year() const { return window->findChild<QLineEdit*>(QStringLiteral("EditYear"))->text(); }
    int IndexEntries() { return album->LoadThumbnailIndex(); }
    void PressKey(Qt::Key key, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(View(), &press);
    }

    TFakeThumbNailHost host;
    TSlideShowSettings slideShow { nullptr };
    std::unique_ptr<TAlbum> album;
    std::unique_ptr<Tfm_ThumbNailWindow> window;
};

TEST_F(ThumbNailWindowTest, TheGridShowsTheIndexAndAcceptsClicksAtOnce)
{
    MakePhotos(23);
    ShowWindow();
    QAbstractItemModel* cells = View()->model();
    EXPECT_EQ(cells->rowCount(), 5);
    EXPECT_EQ(cells->columnCount(), 5);
    EXPECT_EQ(cells->index(4, 0).data().toString(), QStringLiteral("D20"));
    EXPECT_EQ(cells->index(4, 2).data().toString(), QStringLiteral("D22"));
    EXPECT_EQ(cells->index(4, 3).data().toString(), QString());
    EXPECT_EQ(cells->index(0, 1).data(Qt::ToolTipRole).toString(), dir.filePath("p1.bmp"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavrimolex 2005 - Thumbnails"));

    // No painting has happened yet: the click counts all the same.
    Click(2, 1);
    EXPECT_EQ(cells->index(1, 2).data().toString(), QStringLiteral("S7"));
    EXPECT_EQ(window->CurrentPhotoPath(), dir.filePath("p7.bmp"));
    EXPECT_EQ(Year(), QStringLiteral("2007"));
    Click(3, 1, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(window->CountSelected(), 2);
    Click(0, 0, Qt::RightButton);
    EXPECT_EQ(window->Grid().SelectedEntries(), QList<int>({ 0 }));
    Click(0, 0);
    EXPECT_EQ(window->CountSelected(), 0);

    // A double click opens the photo and keeps its thumbnail selected.
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, Qt::NoModifier, Cell(1, 0));
    ASSERT_NE(window->LastPhotoWindow(), nullptr);
    EXPECT_EQ(window->LastPhotoWindow()->FileName(), dir.filePath("p1.bmp"));
    EXPECT_EQ(window->Grid().SelectedEntries(), QList<int>({ 1 }));
    // Navigation walks the album and wraps at its ends.
    window->ShowPreviousPhoto(nullptr);
    window->ShowPreviousPhoto(nullptr);
    EXPECT_EQ(window->LastPhotoWindow()->FileName(), dir.filePath("p22.bmp"));
    window->ShowNextPhoto(nullptr);
    EXPECT_EQ(window->LastPhotoWindow()->FileName(), dir.filePath("p0.bmp"));
}

TEST_F(ThumbNailWindowTest, OnlyVisibleCellsAreDecodedAndRepaintsReuseThem)
{
    MakePhotos(60);
    ShowWindow();
    const int before = window->DecodedThumbnails();
    window->grab();
    const int painted = window->DecodedThumbnails() - before;
    // Some eight rows of five are in sight out of twelve.
    EXPECT_GT(painted, 0);
    EXPECT_LT(painted, 60);
    window->grab();
    EXPECT_EQ(window->DecodedThumbnails() - before, painted);
    View()->verticalScrollBar()->setValue(View()->verticalScrollBar()->maximum());
    window->grab();
    EXPECT_GT(window->DecodedThumbnails() - before, painted);
    // The cache holds about the cells in sight, not every thumbnail painted so far.
    EXPECT_LT(window->CachedThumbnails(), 60);
}

TEST_F(ThumbNailWindowTest, ALargeIndexShowsItsFirstPageAtOnceAndIsReadOnWhileIdle)
{
    MakePhotos(300);
    // Thumbnails deleted behind the program's back, one on the first page.
    ASSERT_TRUE(QFile::remove(dir.filePath("album_thumbnails/10_p10.jpg")));
    ASSERT_TRUE(QFile::remove(dir.filePath("album_thumbnails/250_p250.jpg")));
    ShowWindow();
    window->grab();
    EXPECT_FALSE(window->IndexReadThrough());
    EXPECT_EQ(window->PhotoOfEntry(10), dir.filePath("p11.bmp"));
    Click(0, 2);
    EXPECT_EQ(window->CurrentPhotoPath(), dir.filePath("p11.bmp"));

    // Taken in while the program waits, as reading the whole index would.
    QTRY_VERIFY(window->IndexReadThrough());
    QTRY_COMPARE(window->Grid().Count(), 298);
    EXPECT_EQ(window->Grid().SelectedEntries(), QList<int>({ 10 }));
    EXPECT_EQ(window->PhotoOfEntry(249), dir.filePath("p251.bmp"));
    EXPECT_EQ(window->PhotoOfEntry(297), dir.filePath("p299.bmp"));
    EXPECT_EQ(window->PhotoOfEntry(298), QString());
    QFile index(dir.filePath("album_thumbnails/thumbnails.pct"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QByteArray lines = index.readAll();
    EXPECT_EQ(lines.count('\n'), 2 + 298);
    EXPECT_FALSE(lines.contains("10_p10.jpg"));
    EXPECT_FALSE(lines.contains("250_p250.jpg"));
    EXPECT_EQ(IndexEntries(), 298);
}

TEST_F(ThumbNailWindowTest, PopupItemsFollowTheClickedPhotoAndTheIndex)
{
    window->SetAlbum(album.get());
    window->show();
    window->BuildGrid();
    window->PopupMenuThumbNailPopup(QPoint(5, 5));
    EXPECT_FALSE(Item("PopupMenuShowPhoto")->isEnabled());
    EXPECT_FALSE(Item("PopumMenuRemovePhotoFromAlbum")->isEnabled());
    EXPECT_FALSE(Item("PopupMenuStartSlideShow")->isEnabled());

    MakePhotos(3);
    ShowWindow();
    window->PopupMenuThumbNailPopup(Cell(1, 0));
    EXPECT_EQ(window->Grid().SelectedEntries(), QList<int>({ 1 }));
    for (const char* name : { "PopupMenuShowPhoto", "PopupMenuEditPhotoInformation",
             "PopumMenuRemovePhotoFromAlbum", "PopupMenuStartSlideShow" })
        EXPECT_TRUE(Item(name)->isEnabled()) << name;
    EXPECT_TRUE(Item("PopupMenuToggleInfo")->isChecked());
    Item("PopupMenuToggleInfo")->trigger();
    EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("PanelPhotoInfo"))->isVisible());

    // Editing goes through the owner; a photo window it returns is placed.
    Item("PopupMenuEditPhotoInformation")->trigger();
    EXPECT_EQ(host.edited, QStringList({ dir.filePath("p1.bmp") }));
    host.editWindow = OpenWindow();
    Item("PopupMenuEditPhotoInformation")->trigger();
    EXPECT_EQ(host.editWindow->pos(), QPoint(100, 400));
    EXPECT_EQ(host.editWindow->size(), QSize(500, 300));

    window->HideEditMenu();
    EXPECT_FALSE(Item("PopupMenuEditPhotoInformation")->isVisible());
    EXPECT_FALSE(Item("PopumMenuRemovePhotoFromAlbum")->isVisible());
    EXPECT_FALSE(Item("N4")->isVisible());
}

TEST_F(ThumbNailWindowTest, TheSKeyStartsTheSlideShowOnlyWithAChangeOnOption)
{
    MakePhotos(2);
    ShowWindow();
    slideShow.ClearChangeOn();
    PressKey(Qt::Key_S, QStringLiteral("s"));
    const TDialogCall* warning = dialogs.LastCall(Kind::MessageBox);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->text, Language()->TF[5]);
    EXPECT_EQ(warning->caption, Language()->TF[6]);
    EXPECT_EQ(warning->flags, 48);
    EXPECT_FALSE(window->SlideShowWindow()->Running());

    // The settings as they are when the show starts, not as the window found them.
    slideShow.SetChangeOnSpaceBar();
    PressKey(Qt::Key_S, QStringLiteral("S"));
    EXPECT_TRUE(window->SlideShowWindow()->Running());
    EXPECT_EQ(window->SlideShowWindow()->CurrentPhotoPath(), dir.filePath("p0.bmp"));
}

TEST_F(ThumbNailWindowTest, RemovingAPhotoMarksTheAlbumChangedAndKeepsItsNamesakes)
{
    AddPhoto(QStringLiteral("a.bmp"));
    AddPhoto(QStringLiteral("A.bmp"));
    AddPhoto(QStringLiteral("b.bmp"));
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    ShowWindow();
    Click(1, 0);
    ASSERT_EQ(window->CurrentPhotoPath(), dir.filePath("A.bmp"));
    Item("PopumMenuRemovePhotoFromAlbum")->trigger();

    EXPECT_EQ(album->GetPhotos().Count(), 2);
    EXPECT_EQ(album->GetPhotos().IndexOfName(dir.filePath("A.bmp")), -1);
    EXPECT_EQ(IndexEntries(), 2);
    EXPECT_EQ(
        album->Thumbnails().Index().Photos, QStringList({ dir.filePath("a.bmp"), dir.filePath("b.bmp") }));
    EXPECT_EQ(host.changed, 1);
    EXPECT_EQ(host.listed, QList<int>({ 0 }));
    EXPECT_EQ(window->Grid().Count(), 2);
    // The thumbnail file itself stays.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("album_thumbnails/1_A.jpg")));
}

// After the album was renamed the window follows the index under its new name.
TEST_F(ThumbNailWindowTest, ARenamedAlbumsIndexChangingOnDiskIsFollowed)
{
    MakePhotos(3);
    ShowWindow();
    const QString renamed = dir.filePath(QStringLiteral("journey.tvx"));
    ASSERT_TRUE(album->Thumbnails().MoveWithAlbum(renamed));
    album->SetFileName(renamed);
    window->BuildGrid();
    ASSERT_EQ(window->Grid().Count(), 3);

    album->GetPhotos().Take(2);
    ASSERT_TRUE(album->Thumbnails().Create(nullptr));
    window->resize(window->width() + 100, window->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Grid().Count(), 2);
}

TEST_F(ThumbNailWindowTest, DeleteAsksAndOnYesDropsTheSelectedThumbnailsFromTheIndex)
{
    MakePhotos(5);
    ShowWindow();
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->text, Language()->TF[1]);

    Click(1, 0);
    Click(3, 0, Qt::LeftButton, Qt::ControlModifier);
    dialogs.QueueMessageResult(MessageResult::No);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->flags, 52);
    EXPECT_EQ(IndexEntries(), 5);

    dialogs.QueueMessageResult(MessageResult::Yes);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(IndexEntries(), 3);
    EXPECT_EQ(album->Thumbnails().Index().Photos,
        QStringList({ dir.filePath("p0.bmp"), dir.filePath("p2.bmp"), dir.filePath("p4.bmp") }));
    EXPECT_EQ(window->Grid().Count(), 3);
    // Photos and files stay; the album is not changed.
    EXPECT_EQ(album->GetPhotos().Count(), 5);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("album_thumbnails/1_p1.jpg")));
    EXPECT_EQ(host.changed, 0);

    // A search result's window removes nothing and asks nothing.
    window->HideEditMenu();
    Click(0, 0);
    const int calls = dialogs.CallCount(Kind::MessageBox);
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), calls);
    EXPECT_EQ(IndexEntries(), 3);
}

} // namespace
