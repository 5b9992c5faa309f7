// SPDX-License-Identifier: GPL-2.0-or-later
// The Objects and Events tabs in the real main window: labels added,
// renamed, deleted, filtered and merged, and the Photos tab following.
#include "MainWindowFixture.h"
#include "app/labels/LabelPage.h"
#include "app/search/SearchPage.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QImage>

namespace {

class LabelTabsTest : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        ChosenLanguage();
        // Objects Beach 0, Dog 1, Hound 2, Sea 3 (unused); events Birthday 0,
        // Trip 1, Holiday 2 (unused). a: Dog, Beach, Birthday; b: Dog, Hound,
        // Trip; c: Hound.
        albumFile = Path(QStringLiteral("Labels.tvx"));
        TAlbum album(albumFile);
        for (const char* name : { "Beach", "Dog", "Hound", "Sea" })
            album.GetObjects().AddName(QLatin1String(name));
        for (const char* name : { "Birthday", "Trip", "Holiday" })
            album.GetEvents().AddName(QLatin1String(name));
        const struct {
            const char* name;
            QList<int> objects;
            int event;
        } photos[] = { { "a.bmp", { 1, 0 }, 0 }, { "b.bmp", { 1, 2 }, 1 }, { "c.bmp", { 2 }, -1 } };
        for (const auto& each : photos) {
            QImage picture(8, 6, QImage::Format_RGB32);
            picture.fill(Qt::darkGreen);
            const QString path = Path(QLatin1String(each.name));
            ASSERT_TRUE(picture.save(path, "BMP"));
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(path);
            for (int id : each.objects)
                photo->GetObjectIds().Add(id);
            photo->SetEventId(each.event);
            album.GetPhotos().Add(std::move(photo));
        }
        ASSERT_TRUE(album.SaveToFile());

        Start();
        ASSERT_TRUE(m_form->OpenAlbum(albumFile));
        // Photo a is the one the Photos tab shows.
        m_form->GoToAlbumPhotos();
        auto* rows = Find<QListWidget>("lb_PhotosInAlbum");
        QTest::mouseClick(
            rows->viewport(), Qt::LeftButton, Qt::NoModifier, rows->visualItemRect(rows->item(0)).center());
        ASSERT_EQ(Find<QLineEdit>("eb_PhotoName")->text(), Path("a.bmp"));
        m_form->pc_Album()->setCurrentWidget(m_form->ObjectsPage());
        m_dialogs->Clear();
    }

    QString Path(const QString& name) const { return MainWindow::Path(name); }
    QString Path(const char* name) const { return MainWindow::Path(QLatin1String(name)); }
    const TLanguageSelector& T() const { return *Language(); }
    TAlbum& Album() const { return *m_form->Album(); }
    TPhoto& Photo(const char* name) const
    {
        return *Album().GetPhotos().PhotoAt(Album().GetPhotos().IndexOfName(Path(name)));
    }
    int ObjectId(const char* name) const { return Album().ObjectIdByName(QLatin1String(name)); }

    static QStringList Rows(const QListWidget* list)
    {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows.append(list->item(i)->text());
        return rows;
    }

    // A click on the row of a label, as the user makes it.
    static void ClickLabel(QListWidget* list, const QString& name)
    {
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(found.front()).center());
    }

    // The label is dragged from its list and dropped on a merge box.
    static void Drop(TLabelPage& tab, QListWidget* list, QLineEdit* box, const QString& name)
    {
        ClickLabel(list, name);
        EXPECT_TRUE(tab.DropOnMergeEdit(box, list));
    }

    // The Photos tab's object list: the names, each with a "+" when checked.
    QStringList PhotoObjects() const
    {
        QStringList rows;
        const auto* list = Find<QListWidget>("lb_PhotoObjects");
        for (int i = 0; i < list->count(); ++i)
            rows.append(list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "+" : ""));
        return rows;
    }

    void ExpectBox(const QString& text, const QString& caption, int flags) const
    {
        const TDialogCall* box = m_dialogs->LastCall(Kind::MessageBox);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text, text);
        EXPECT_EQ(box->caption, caption);
        EXPECT_EQ(box->flags, flags);
    }

    QString albumFile;
};

TEST_F(LabelTabsTest, AddingRefusesEmptyAndExactDuplicateNamesAndThePhotosTabFollows)
{
    auto* name = Find<QLineEdit>("eb_ObjectName");
    auto* add = Find<QPushButton>("pb_AddObjects");
    add->click();
    ExpectBox(T().SP[0], T().SP[1], 48);

    name->setText(QStringLiteral("Beach"));
    add->click();
    ExpectBox(Text::Format(T().SP[2], { QStringLiteral("Beach") }), T().SP[3], 48);
    EXPECT_EQ(name->selectedText(), QStringLiteral("Beach"));
    EXPECT_EQ(Album().GetObjects().Count(), 4);
    EXPECT_FALSE(m_form->ContentsChanged());

    // Names compare exactly: another letter case is another label.
    name->setText(QStringLiteral("beach"));
    add->click();
    EXPECT_EQ(Album().GetObjects().NameAt(4), QStringLiteral("beach"));
    EXPECT_EQ(Album().ObjectIdByName(QStringLiteral("beach")), 4);
    EXPECT_TRUE(m_form->ContentsChanged());
    EXPECT_EQ(Rows(Find<QListWidget>("lb_AvailableObjects")),
        (QStringList { "Beach", "beach", "Dog", "Hound", "Sea" }));
    EXPECT_TRUE(PhotoObjects().contains(QStringLiteral("beach")));
}

TEST_F(LabelTabsTest, RenamingKeepsTheIdSoPhotosKeepTheirLabelThroughLaterEdits)
{
    auto* list = Find<QListWidget>("lb_AvailableObjects");
    auto* name = Find<QLineEdit>("eb_ObjectName");
    auto* rename = Find<QPushButton>("pb_ReplaceObject");
    const int dog = ObjectId("Dog");

    ClickLabel(list, QStringLiteral("Dog"));
    EXPECT_EQ(name->text(), QStringLiteral("Dog"));
    rename->click();
    ExpectBox(T().SP[4], T().SP[5], 48);
    name->setText(QStringLiteral("Beach"));
    rename->click();
    ExpectBox(Text::Format(T().SP[2], { QStringLiteral("Beach") }), T().SP[3], 48);
    EXPECT_EQ(ObjectId("Dog"), dog);
    EXPECT_FALSE(m_form->ContentsChanged());

    ClickLabel(list, QStringLiteral("Dog"));
    name->setText(QStringLiteral("Puppy"));
    rename->click();
    // The entry moves to the end of the list and keeps its id; the counter stays ahead.
    EXPECT_EQ(Album().GetObjects().NameAt(3), QStringLiteral("Puppy"));
    EXPECT_EQ(ObjectId("Puppy"), dog);
    EXPECT_EQ(ObjectId("Dog"), -1);
    EXPECT_EQ(Album().GetObjects().GetNextId(), 5);
    EXPECT_TRUE(m_form->ContentsChanged());
    EXPECT_EQ(PhotoObjects(), (QStringList { "Beach+", "Hound", "Puppy+", "Sea" }));

    // The shown photo, edited afterwards, keeps the renamed label.
    QTest::keyClicks(Find<QLineEdit>("eb_Year"), QStringLiteral("1999"));
    EXPECT_EQ(Photo("a.bmp").GetYear(), QStringLiteral("1999"));
    EXPECT_EQ(Photo("a.bmp").GetObjectIds().Values(), (QList<int> { ObjectId("Beach"), dog }));
}

TEST_F(LabelTabsTest, DeletingALabelInUseAsksAndOnlyYesTakesItOffThePhotos)
{
    auto* list = Find<QListWidget>("lb_AvailableObjects");
    auto* remove = Find<QPushButton>("pb_DeleteObject");
    const int dog = ObjectId("Dog");

    remove->click();
    ExpectBox(T().MF[63], T().MF[64], 48);

    ClickLabel(list, QStringLiteral("Dog"));
    m_dialogs->QueueMessageResult(MessageResult::Cancel);
    remove->click();
    ExpectBox(T().MF[65], T().MF[66] + QStringLiteral(" (Dog)"), 51);
    EXPECT_EQ(ObjectId("Dog"), dog);

    // No lists the photos of the label in the result window; an album made
    // there is not offered to replace this one.
    QStringList listed;
    const QString made = Path("Dogs.tvx");
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QStringLiteral("FormPhotoList") && widget->isVisible()) {
                watch.stop();
                listed = Rows(widget->findChild<QListWidget*>(QStringLiteral("lb_Photos")));
                m_dialogs->QueueSaveFile(made);
                widget->findChild<QPushButton*>(QStringLiteral("ButtonShowThumbnailsAlbum"))->click();
                static_cast<QDialog*>(widget)->reject();
            }
        }
    });
    watch.start(10);
    ClickLabel(list, QStringLiteral("Dog"));
    m_dialogs->QueueMessageResult(MessageResult::No);
    remove->click();
    EXPECT_EQ(listed, (QStringList { Path("a.bmp"), Path("b.bmp") }));
    EXPECT_TRUE(QFileInfo::exists(made));
    EXPECT_EQ(m_dialogs->CallCount(Kind::MessageDlg), 0);
    EXPECT_EQ(Album().GetFileName(), albumFile);
    EXPECT_EQ(ObjectId("Dog"), dog);
    EXPECT_TRUE(Photo("b.bmp").GetObjectIds().Contains(dog));
    EXPECT_FALSE(m_form->ContentsChanged());

    ClickLabel(list, QStringLiteral("Dog"));
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    remove->click();
    EXPECT_EQ(ObjectId("Dog"), -1);
    EXPECT_EQ(Photo("a.bmp").GetObjectIds().Values(), QList<int> { ObjectId("Beach") });
    EXPECT_EQ(Photo("b.bmp").GetObjectIds().Values(), QList<int> { ObjectId("Hound") });
    EXPECT_EQ(Rows(list), (QStringList { "Beach", "Hound", "Sea" }));
    // The row the deleted label had is current again.
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Hound"));
    EXPECT_TRUE(m_form->ContentsChanged());
    EXPECT_EQ(PhotoObjects(), (QStringList { "Beach+", "Hound", "Sea" }));

    // A label no photo carries goes without a question.
    const auto asked = m_dialogs->CallCount(Kind::MessageBox);
    ClickLabel(list, QStringLiteral("Sea"));
    remove->click();
    EXPECT_EQ(m_dialogs->CallCount(Kind::MessageBox), asked);
    EXPECT_EQ(Rows(list), (QStringList { "Beach", "Hound" }));
}

TEST_F(LabelTabsTest, DroppedLabelsMergeTheSecondIntoTheFirstOnEveryPhoto)
{
    TLabelPage& tab = *m_form->ObjectsPage();
    auto* list = Find<QListWidget>("lb_AvailableObjects");
    auto* first = Find<QLineEdit>("eb_MergeObject1");
    auto* second = Find<QLineEdit>("eb_MergeObject2");
    auto* result = Find<QLineEdit>("eb_MergeObjectResult");
    auto* merge = Find<QPushButton>("pb_MergeObjects");
    const int hound = ObjectId("Hound");

    merge->click();
    ExpectBox(T().MF[67], T().MF[68], 48);
    Drop(tab, list, first, QStringLiteral("Beach"));
    Drop(tab, list, second, QStringLiteral("Beach"));
    merge->click();
    ExpectBox(T().MF[69], T().MF[70], 48);
    // Only a row of this tab's own list is taken.
    EXPECT_FALSE(tab.DropOnMergeEdit(first, Find<QListWidget>("lb_AvailableEvents")));
    EXPECT_FALSE(m_form->ContentsChanged());

    Drop(tab, list, first, QStringLiteral("Hound"));
    Drop(tab, list, second, QStringLiteral("Dog"));
    EXPECT_EQ(result->text(), QStringLiteral("Hound"));
    merge->click();
    // Hound takes Dog's place; a photo that carried both keeps Hound once.
    EXPECT_EQ(Photo("a.bmp").GetObjectIds().Values(), (QList<int> { hound, ObjectId("Beach") }));
    EXPECT_EQ(Photo("b.bmp").GetObjectIds().Values(), QList<int> { hound });
    EXPECT_EQ(Photo("c.bmp").GetObjectIds().Values(), QList<int> { hound });
    EXPECT_EQ(Rows(list), (QStringList { "Beach", "Hound", "Sea" }));
    EXPECT_TRUE(first->text().isEmpty() && second->text().isEmpty() && result->text().isEmpty());
    EXPECT_TRUE(m_form->ContentsChanged());
    EXPECT_EQ(PhotoObjects(), (QStringList { "Beach+", "Hound+", "Sea" }));
}

TEST_F(LabelTabsTest, UsageFiltersShowAndRemoveLabelsByUseAndKeepTheFilter)
{
    auto* list = Find<QListWidget>("lb_AvailableObjects");
    auto* showAll = Find<QAction>("pmiShowAllObjects");
    auto* showUsed = Find<QAction>("pmiShowObjectsInUse");
    auto* showUnused = Find<QAction>("pmiShowObjectsNotInUse");
    EXPECT_EQ(showUsed->text(), T().MF[408]);
    EXPECT_TRUE(showAll->isChecked());

    showUsed->trigger();
    EXPECT_EQ(Rows(list), (QStringList { "Beach", "Dog", "Hound" }));
    EXPECT_TRUE(showUsed->isChecked());
    EXPECT_FALSE(showAll->isChecked());
    showUnused->trigger();
    EXPECT_EQ(Rows(list), QStringList { "Sea" });

    Find<QAction>("pmiRemoveObjectsInUse")->trigger();
    ExpectBox(T().MF[53], T().MF[34], 52);
    EXPECT_EQ(Album().GetObjects().Count(), 4);

    m_dialogs->QueueMessageResult(MessageResult::Yes);
    Find<QAction>("pmiRemoveObjectsNotInUse")->trigger();
    EXPECT_EQ(ObjectId("Sea"), -1);
    EXPECT_EQ(Album().GetObjects().Count(), 3);
    EXPECT_TRUE(Rows(list).isEmpty());
    EXPECT_TRUE(showUnused->isChecked());
    EXPECT_TRUE(m_form->ContentsChanged());

    m_dialogs->QueueMessageResult(MessageResult::Yes);
    Find<QAction>("pmiRemoveObjectsInUse")->trigger();
    EXPECT_EQ(Album().GetObjects().Count(), 0);
    EXPECT_TRUE(Photo("b.bmp").GetObjectIds().Values().isEmpty());
    EXPECT_TRUE(PhotoObjects().isEmpty());
}

TEST_F(LabelTabsTest, MergeBoxesAreEmptiedWhenTheirLabelsMayBeGone)
{
    TLabelPage& tab = *m_form->ObjectsPage();
    auto* list = Find<QListWidget>("lb_AvailableObjects");
    auto* first = Find<QLineEdit>("eb_MergeObject1");
    auto* second = Find<QLineEdit>("eb_MergeObject2");

    Drop(tab, list, first, QStringLiteral("Beach"));
    Drop(tab, list, second, QStringLiteral("Sea"));
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    Find<QAction>("pmiRemoveObjectsNotInUse")->trigger();
    EXPECT_TRUE(first->text().isEmpty() && second->text().isEmpty());
    Find<QPushButton>("pb_MergeObjects")->click();
    ExpectBox(T().MF[67], T().MF[68], 48);
    EXPECT_EQ(Photo("a.bmp").GetObjectIds().Values(), (QList<int> { ObjectId("Dog"), ObjectId("Beach") }));

    // Names of one album are no labels of the next.
    Drop(tab, list, first, QStringLiteral("Dog"));
    m_dialogs->QueueMessageResult(MessageResult::No);
    ASSERT_TRUE(m_form->CloseCurrentAlbum());
    EXPECT_TRUE(first->text().isEmpty());
    EXPECT_EQ(list->count(), 0);
    ASSERT_TRUE(m_form->OpenAlbum(albumFile));
    EXPECT_TRUE(first->text().isEmpty());
    EXPECT_EQ(Rows(list), (QStringList { "Beach", "Dog", "Hound", "Sea" }));
}

TEST_F(LabelTabsTest, EventsAreRenamedMergedAndDeletedAndTheEventBoxFollows)
{
    m_form->pc_Album()->setCurrentWidget(m_form->EventsPage());
    TLabelPage& tab = *m_form->EventsPage();
    auto* list = Find<QListWidget>("lb_AvailableEvents");
    auto* event = Find<QComboBox>("cb_Event");
    const int birthday = Album().EventIdByName(QStringLiteral("Birthday"));
    const int trip = Album().EventIdByName(QStringLiteral("Trip"));
    ASSERT_EQ(event->currentText(), QStringLiteral("Birthday"));

    ClickLabel(list, QStringLiteral("Birthday"));
    Find<QLineEdit>("eb_EventName")->setText(QStringLiteral("Party"));
    Find<QPushButton>("pb_ReplaceEvent")->click();
    EXPECT_EQ(Photo("a.bmp").GetEventId(), birthday);
    EXPECT_EQ(event->currentText(), QStringLiteral("Party"));

    Drop(tab, list, Find<QLineEdit>("eb_MergeEvent1"), QStringLiteral("Trip"));
    Drop(tab, list, Find<QLineEdit>("eb_MergeEvent2"), QStringLiteral("Party"));
    Find<QPushButton>("pb_MergeEvents")->click();
    EXPECT_EQ(Photo("a.bmp").GetEventId(), trip);
    EXPECT_EQ(Rows(list), (QStringList { "Holiday", "Trip" }));
    EXPECT_EQ(event->currentText(), QStringLiteral("Trip"));

    ClickLabel(list, QStringLiteral("Trip"));
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    Find<QPushButton>("pb_DeleteEvent")->click();
    ExpectBox(T().MF[73], T().MF[74] + QStringLiteral(" (Trip)"), 51);
    EXPECT_FALSE(Photo("a.bmp").HasEvent());
    EXPECT_FALSE(Photo("b.bmp").HasEvent());
    EXPECT_EQ(event->count(), 2);
    EXPECT_EQ(event->currentIndex(), -1);
}

TEST_F(LabelTabsTest, EveryTabListsLabelsInOneOrderWithoutRegardToLetterCase)
{
    Find<QLineEdit>("eb_ObjectName")->setText(QStringLiteral("cherry"));
    QTest::mouseClick(Find<QPushButton>("pb_AddObjects"), Qt::LeftButton);
    m_form->pc_Album()->setCurrentWidget(m_form->EventsPage());
    Find<QLineEdit>("eb_EventName")->setText(QStringLiteral("easter"));
    QTest::mouseClick(Find<QPushButton>("pb_AddEvent"), Qt::LeftButton);
    const QStringList objects { "Beach", "cherry", "Dog", "Hound", "Sea" };
    const QStringList events { "Birthday", "easter", "Holiday", "Trip" };
    EXPECT_EQ(Rows(Find<QListWidget>("lb_AvailableObjects")), objects);
    EXPECT_EQ(Rows(Find<QListWidget>("lb_AvailableEvents")), events);

    m_form->GoToAlbumPhotos();
    EXPECT_EQ(Rows(Find<QListWidget>("lb_PhotoObjects")), objects);
    auto* event = Find<QComboBox>("cb_Event");
    QStringList eventRows;
    for (int i = 1; i < event->count(); ++i)
        eventRows.append(event->itemText(i));
    EXPECT_EQ(eventRows, events);
    // Photo a has Dog and Beach; the label the user ticks goes in its place.
    auto* photoObjects = Find<QListWidget>("lb_PhotoObjects");
    ClickLabel(photoObjects, QStringLiteral("cherry"));
    QTest::keyClick(photoObjects, Qt::Key_Space);
    EXPECT_EQ(Rows(Find<QListWidget>("lb_SelectedObjects")), (QStringList { "Beach", "cherry", "Dog" }));

    m_form->pc_Album()->setCurrentWidget(m_form->SearchPage());
    auto* toSearch = Find<QListWidget>("lb_ObjectsToSearchFor");
    EXPECT_EQ(Rows(toSearch), objects);
    EXPECT_EQ(Rows(Find<QListWidget>("lb_EventsToSearchFor")), events);
    ClickLabel(toSearch, QStringLiteral("Sea"));
    ClickLabel(toSearch, QStringLiteral("cherry"));
    EXPECT_EQ(Rows(Find<QListWidget>("lb_SelectedObjectsToSearchFor")), (QStringList { "cherry", "Sea" }));
}

} // namespace
