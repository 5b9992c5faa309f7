// SPDX-License-Identifier: GPL-2.0-or-later
#include "PhotoTabTest.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

namespace {

class PhotoListTest : public PhotoTabTest {
protected:
    void AddPhotos(int count)
    {
        for (int i = 0; i < count; ++i)
            AddPhoto(QStringLiteral("p%1.bmp").arg(i));
        EnterTab();
    }

    QStringList Names(std::initializer_list<int> numbers) const
    {
        QStringList names;
        for (int n : numbers)
            names.append(QStringLiteral("p%1.bmp").arg(n));
        return names;
    }

    QAction* Item(const char* name) const { return root->findChild<QAction*>(QLatin1String(name)); }

    // Pops the button's menu up and clicks one of its items, as the user does.
    void ChooseFromMenu(const char* button, const char* item) const
    {
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
        QAction* action = Item(item);
        auto* menu = qobject_cast<QMenu*>(action->parent());
        ASSERT_TRUE(menu && menu->isVisible()) << button;
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    }
};

// Which of five photos pass each filter.
struct FilterCase {
    int filter;
    QStringList expected;
};

class PhotoListFilterTest : public PhotoListTest, public ::testing::WithParamInterface<FilterCase> { };

TEST_P(PhotoListFilterTest, ListsOnlyThePhotosLackingThatInformation)
{
    TAlbum& album = Album();
    album.GetObjects().AddName(QStringLiteral("Tree"));
    album.GetEvents().AddName(QStringLiteral("Trip"));
    AddPhoto(QStringLiteral("bare.bmp"), QStringLiteral("  "), QStringLiteral(" \r\n"));
    AddPhoto(QStringLiteral("described.bmp"), {}, QStringLiteral("x"));
    AddPhoto(QStringLiteral("dated.bmp"), QStringLiteral("1960"));
    PhotoNamed(AddPhoto(QStringLiteral("event.bmp")))
        ->SetEventId(album.EventIdByName(QStringLiteral("Trip")));
    PhotoNamed(AddPhoto(QStringLiteral("object.bmp")))
        ->GetObjectIds()
        .Add(album.ObjectIdByName(QStringLiteral("Tree")));
    QFile::remove(AddPhoto(QStringLiteral("gone.bmp"), QStringLiteral("1970")));

    const FilterCase& c = GetParam();
    // The menu lists the filters in their order.
    list->ShowMenu()->actions().at(c.filter)->trigger();
    EXPECT_EQ(RowNames(), c.expected);
    EXPECT_EQ(list->Filter(), c.filter);
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QString::number(c.expected.size()));
    for (int filter = 0; filter < PhotoFilterCount; ++filter)
        EXPECT_EQ(list->ShowMenu()->actions().at(filter)->isChecked(), filter == c.filter);
}

const QString Bare = QStringLiteral("bare.bmp");
const QString Described = QStringLiteral("described.bmp");
const QString Dated = QStringLiteral("dated.bmp");
const QString WithEvent = QStringLiteral("event.bmp");
const QString WithObject = QStringLiteral("object.bmp");
const QString Gone = QStringLiteral("gone.bmp");

INSTANTIATE_TEST_SUITE_P(Filters, PhotoListFilterTest,
    ::testing::Values(FilterCase { 0, { Bare, Described, Dated, WithEvent, WithObject, Gone } },
        FilterCase { 1, { Bare, Dated, WithEvent, WithObject, Gone } },
        FilterCase { 2, { Bare, Described, Dated, WithObject, Gone } },
        FilterCase { 3, { Bare, Described, Dated, WithEvent, Gone } },
        FilterCase { 4, { Bare, Described, WithEvent, WithObject } }, FilterCase { 5, { Bare } },
        FilterCase { 6, { Gone } }));

TEST_F(PhotoListTest, UpAndDownDoNothingAtTheEnds)
{
    AddPhotos(5);
    SelectRows({ 0, 2 });
    list->btnMovePhotoUpwardsClick();
    EXPECT_EQ(AlbumOrder(), Names({ 0, 1, 2, 3, 4 }));
    EXPECT_FALSE(session.ContentsChanged());
    SelectRows({ 2, 4 });
    list->btnMovePhotoDownwardsClick();
    EXPECT_EQ(AlbumOrder(), Names({ 0, 1, 2, 3, 4 }));
    EXPECT_FALSE(session.ContentsChanged());
}

TEST_F(PhotoListTest, MovedRowsStaySelectedAndTheAlbumFollows)
{
    AddPhotos(6);
    SelectRows({ 3, 4 });
    list->btnMovePhotoUpwardsClick();
    EXPECT_EQ(RowNames(), Names({ 0, 1, 3, 4, 2, 5 }));
    EXPECT_EQ(AlbumOrder(), RowNames());
    EXPECT_EQ(SelectedRows(), (QList<int> { 2, 3 }));
    EXPECT_TRUE(session.ContentsChanged());

    list->btnMovePhotoDownwardsClick();
    list->btnMovePhotoDownwardsClick();
    EXPECT_EQ(RowNames(), Names({ 0, 1, 2, 5, 3, 4 }));
    EXPECT_EQ(AlbumOrder(), RowNames());
    EXPECT_EQ(SelectedRows(), (QList<int> { 4, 5 }));
}

TEST_F(PhotoListTest, ReorderingWaitsForTheUnfilteredList)
{
    AddPhotos(4);
    PhotoNamed(dir.filePath(QStringLiteral("p1.bmp")))->SetYear(QStringLiteral("2000"));
    list->ListAlbumPhotos(PF_WithoutYear);
    ASSERT_EQ(RowNames(), Names({ 0, 2, 3 }));
    SelectRows({ 1 });
    EXPECT_FALSE(Find<QPushButton>("btnMovePhotoUpwards")->isEnabled());
    list->btnMovePhotoUpwardsClick();
    EXPECT_FALSE(list->DropSelectedAt(0));
    EXPECT_EQ(AlbumOrder(), Names({ 0, 1, 2, 3 }));
    EXPECT_EQ(RowNames(), Names({ 0, 2, 3 }));

    list->ListAlbumPhotos(PF_AllPhotos);
    SelectRows({ 1 });
    EXPECT_TRUE(Find<QPushButton>("btnMovePhotoUpwards")->isEnabled());
}

TEST_F(PhotoListTest, DroppingMovesEverySelectedPhotoTheSameDistance)
{
    AddPhotos(8);
    SelectRows({ 1, 2 });
    ASSERT_TRUE(list->DropSelectedAt(4));
    EXPECT_EQ(AlbumOrder(), Names({ 0, 3, 4, 5, 1, 2, 6, 7 }));
    EXPECT_EQ(RowNames(), AlbumOrder());
    EXPECT_EQ(SelectedRows(), (QList<int> { 4, 5 }));
    EXPECT_TRUE(Item("pmiAllPhotos")->isChecked());
    EXPECT_TRUE(session.ContentsChanged());

    ASSERT_TRUE(list->DropSelectedAt(1));
    EXPECT_EQ(AlbumOrder(), Names({ 0, 1, 2, 3, 4, 5, 6, 7 }));

    // Onto the first selected row, or below the last: nothing.
    SelectRows({ 3 });
    EXPECT_FALSE(list->DropSelectedAt(3));
    EXPECT_FALSE(list->DropSelectedAt(-1));
    Rows()->clearSelection();
    EXPECT_FALSE(list->DropSelectedAt(2));
    EXPECT_EQ(AlbumOrder(), Names({ 0, 1, 2, 3, 4, 5, 6, 7 }));
}

TEST_F(PhotoListTest, TheUpDownArrowsStepThroughTheRows)
{
    AddPhotos(3);
    ClickRow(1);
    list->pb_UpDownClick(-1);
    EXPECT_EQ(Rows()->currentRow(), 0);
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p0.bmp")));
    EXPECT_EQ(SelectedRows(), QList<int> { 0 });
    list->pb_UpDownClick(-1);
    EXPECT_EQ(Rows()->currentRow(), 0);
    ClickRow(2);
    list->pb_UpDownClick(1);
    EXPECT_EQ(Rows()->currentRow(), 2);

    // Through the control itself.
    auto* upDown = Find<QScrollBar>("pb_UpDown");
    upDown->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Rows()->currentRow(), 1);
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p1.bmp")));
}

TEST_F(PhotoListTest, RemovingAMiddleRowShowsThePhotoThatTookItsPlace)
{
    AddPhotos(4);
    ClickRow(1);
    SelectRows({ 1 });
    dialogs.QueueMessageResult(MessageResult::Yes);
    list->pmiOnlyFromAlbumClick();
    EXPECT_EQ(AlbumOrder(), Names({ 0, 2, 3 }));
    EXPECT_EQ(RowNames(), AlbumOrder());
    EXPECT_EQ(SelectedRows(), QList<int> { 1 });
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p2.bmp")));
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("3"));
    EXPECT_TRUE(session.ContentsChanged());
    EXPECT_TRUE(panel->InfoEditsLive());
}

TEST_F(PhotoListTest, RemovingTheLastRowSelectsNothingAndClearsThePanel)
{
    TAlbum& album = Album();
    album.GetObjects().AddName(QStringLiteral("Tree"));
    album.GetEvents().AddName(QStringLiteral("Trip"));
    AddPhoto(QStringLiteral("p0.bmp"));
    AddPhoto(QStringLiteral("p1.bmp"));
    TPhoto* last
        = PhotoNamed(AddPhoto(QStringLiteral("p2.bmp"), QStringLiteral("1960"), QStringLiteral("Lake")));
    last->SetEventId(album.EventIdByName(QStringLiteral("Trip")));
    last->GetObjectIds().Add(album.ObjectIdByName(QStringLiteral("Tree")));
    last->SetUseInHtml(false);
    EnterTab();
    ClickRow(2);
    ASSERT_EQ(Year()->text(), QStringLiteral("1960"));

    dialogs.QueueMessageResult(MessageResult::Yes);
    list->pmiOnlyFromAlbumClick();
    EXPECT_EQ(AlbumOrder(), Names({ 0, 1 }));
    EXPECT_TRUE(SelectedRows().isEmpty());
    EXPECT_TRUE(Name()->text().isEmpty());
    EXPECT_TRUE(Status()->text().isEmpty());
    EXPECT_TRUE(Year()->text().isEmpty());
    EXPECT_TRUE(Description()->toPlainText().isEmpty());
    EXPECT_EQ(Event()->currentIndex(), -1);
    EXPECT_EQ(Objects()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Find<QListWidget>("lb_SelectedObjects")->count(), 0);
    // The box is the user's last choice, kept for the photos added next.
    EXPECT_TRUE(DontPublish()->isChecked());
}

TEST_F(PhotoListTest, TheDeleteKeyAsksFirst)
{
    AddPhotos(3);
    SelectRows({ 0 });
    dialogs.QueueMessageResult(MessageResult::No);
    list->lb_PhotosInAlbumKeyUp(Qt::Key_Delete, Qt::NoModifier);
    const TDialogCall* box = dialogs.LastCall(TDialogCall::Kind::MessageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, Language()->MF[182]);
    EXPECT_EQ(box->caption, Language()->MF[183]);
    EXPECT_EQ(box->flags, 52);
    EXPECT_EQ(Photos().Count(), 3);

    Rows()->clearSelection();
    list->pmiOnlyFromAlbumClick();
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->text, Language()->MF[180]);
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->caption, Language()->MF[181]);
}

TEST_F(PhotoListTest, RemovingFromDiskReportsFilesThatStay)
{
    AddPhotos(2);
    // A folder where a photo should be cannot be deleted as a file.
    const QString stubborn = dir.filePath(QStringLiteral("folder.jpg"));
    ASSERT_TRUE(QDir().mkdir(stubborn));
    auto photo = std::make_unique<TPhoto>();
    photo->SetId(Photos().TakeNextId());
    photo->SetName(stubborn);
    Photos().Add(std::move(photo));
    list->ListAlbumPhotos(PF_AllPhotos);

    SelectRows({ 0, 2 });
    dialogs.QueueMessageResult(MessageResult::Yes);
    list->pmiFromAlbumAndDiskClick();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("p0.bmp"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("p1.bmp"))));
    EXPECT_EQ(AlbumOrder(), Names({ 1 }));
    const TDialogCall* report = dialogs.LastCall(TDialogCall::Kind::MessageBox);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->text, stubborn);
    EXPECT_EQ(report->caption, Language()->MF[60]);
}

TEST_F(PhotoListTest, RemovingAllRemovesOnlyTheFilteredRowsAndClosesPhotoWindows)
{
    AddPhotos(4);
    PhotoNamed(dir.filePath(QStringLiteral("p2.bmp")))->SetYear(QStringLiteral("1950"));
    ClickRow(0);
    ASSERT_EQ(host.windows->Count(), 1);
    Item("pmiPhotosWithoutAnyInformation")->trigger();
    ASSERT_EQ(RowNames(), Names({ 0, 1, 3 }));

    dialogs.QueueMessageResult(MessageResult::No);
    list->pmiAllFromAlbumClick();
    EXPECT_EQ(Photos().Count(), 4);

    dialogs.QueueMessageResult(MessageResult::Yes);
    list->pmiAllFromAlbumClick();
    EXPECT_EQ(AlbumOrder(), Names({ 2 }));
    EXPECT_EQ(Rows()->count(), 0);
    EXPECT_EQ(host.windows->Count(), 0);
    EXPECT_TRUE(Name()->text().isEmpty());
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("0"));
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->caption, Language()->MF[187]);
}

TEST_F(PhotoListTest, AFilterLeftEmptyByARemovalStillLeadsBackToAllPhotos)
{
    AddPhoto(QStringLiteral("p0.bmp"));
    QFile::remove(AddPhoto(QStringLiteral("gone.bmp")));
    EnterTab();
    ChooseFromMenu("pb_Show", "pmiPhotosNotOnDisk");
    ASSERT_EQ(RowNames(), QStringList { QStringLiteral("gone.bmp") });
    QTest::mouseClick(
        Rows()->viewport(), Qt::LeftButton, Qt::NoModifier, Rows()->visualItemRect(Rows()->item(0)).center());
    dialogs.QueueMessageResult(MessageResult::Yes);
    ChooseFromMenu("pb_remove", "pmiOnlyFromAlbum");
    ASSERT_EQ(AlbumOrder(), QStringList { QStringLiteral("p0.bmp") });
    EXPECT_EQ(Rows()->count(), 0);
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("0"));

    ChooseFromMenu("pb_Show", "pmiAllPhotos");
    EXPECT_EQ(RowNames(), QStringList { QStringLiteral("p0.bmp") });
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("1"));
    EXPECT_TRUE(Item("pmiAllPhotos")->isChecked());
}

TEST_F(PhotoListTest, WebAlbumFlagsChangeForEveryPhotoAfterAYes)
{
    AddPhotos(3);
    PhotoNamed(dir.filePath(QStringLiteral("p1.bmp")))->SetUseInHtml(false);
    list->ListAlbumPhotos(PF_WithoutYear);
    ClickRow(1);

    dialogs.QueueMessageResult(MessageResult::No);
    Item("pmiAllPhotosInHTMLAlbums")->trigger();
    EXPECT_FALSE(PhotoNamed(dir.filePath(QStringLiteral("p1.bmp")))->GetUseInHtml());
    EXPECT_FALSE(session.ContentsChanged());
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->caption, Language()->MF[395]);

    dialogs.QueueMessageResult(MessageResult::Yes);
    Item("pmiInvertSelection")->trigger();
    EXPECT_FALSE(PhotoNamed(dir.filePath(QStringLiteral("p0.bmp")))->GetUseInHtml());
    EXPECT_TRUE(PhotoNamed(dir.filePath(QStringLiteral("p1.bmp")))->GetUseInHtml());
    // The panel's box follows the shown photo.
    EXPECT_FALSE(DontPublish()->isChecked());
    EXPECT_TRUE(session.ContentsChanged());

    dialogs.QueueMessageResult(MessageResult::Yes);
    Item("pmiDisallowPhotosInHTMLAlbums")->trigger();
    for (int i = 0; i < Photos().Count(); ++i)
        EXPECT_FALSE(Photos().PhotoAt(i)->GetUseInHtml());
    EXPECT_TRUE(DontPublish()->isChecked());
}

TEST_F(PhotoListTest, KeysOnTheListShowAndNavigate)
{
    AddPhotos(4);
    ClickRow(1);
    list->lb_PhotosInAlbumKeyUp(Qt::Key_End, Qt::NoModifier);
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p3.bmp")));
    list->lb_PhotosInAlbumKeyUp(Qt::Key_Home, Qt::NoModifier);
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p0.bmp")));
    list->lb_PhotosInAlbumKeyUp(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p1.bmp")));
    list->lb_PhotosInAlbumKeyUp(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p0.bmp")));

    // An arrow key has moved the current row; the release shows it.
    Rows()->setCurrentRow(2, QItemSelectionModel::ClearAndSelect);
    list->lb_PhotosInAlbumKeyUp(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(Name()->text(), dir.filePath(QStringLiteral("p2.bmp")));

    list->lb_PhotosInAlbumKeyUp(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows().size(), 4);
}

TEST_F(PhotoListTest, ControlsFollowRowsAndSelection)
{
    list->UpdateListControls();
    EXPECT_FALSE(Find<QPushButton>("pb_Show")->isEnabled());
    EXPECT_FALSE(Item("pmiAllFromAlbum")->isEnabled());
    AddPhotos(2);
    Rows()->clearSelection();
    EXPECT_TRUE(Find<QPushButton>("pb_remove")->isEnabled());
    EXPECT_FALSE(Item("pmiOnlyFromAlbum")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("btnMovePhotoDownwards")->isEnabled());
    SelectRows({ 0 });
    EXPECT_TRUE(Item("pmiOnlyFromAlbum")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("btnMovePhotoDownwards")->isEnabled());
    EXPECT_EQ(Item("pmiPhotosNotOnDisk")->text(), Language()->MF[249]);
    EXPECT_EQ(Item("pmiPhotosWithoutDescriptions")->text(), Language()->MF[247]);
}

} // namespace
