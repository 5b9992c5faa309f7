// SPDX-License-Identifier: GPL-2.0-or-later
#include "PhotoTabTest.h"

#include "platform/TextUtil.h"

#include <QTest>

namespace {

class PhotoInfoPanelTest : public PhotoTabTest {
protected:
    void SetUp() override
    {
        PhotoTabTest::SetUp();
        TAlbum& album = Album();
        album.GetObjects().AddName(QStringLiteral("Beach"));
        album.GetObjects().AddName(QStringLiteral("Dog"));
        album.GetEvents().AddName(QStringLiteral("Wedding"));
        a = AddPhoto(QStringLiteral("a.bmp"), QStringLiteral("1990"), QStringLiteral("  Grandma  "));
        b = AddPhoto(QStringLiteral("b.bmp"));
        c = AddPhoto(QStringLiteral("c.bmp"), QStringLiteral("2001"));
        TPhoto* first = PhotoNamed(a);
        first->SetEventId(album.EventIdByName(QStringLiteral("Wedding")));
        first->GetObjectIds().Add(album.ObjectIdByName(QStringLiteral("Dog")));
        first->SetUseInHtml(false);
        EnterTab();
    }

    // The user types a year.
    void TypeYear(const QString& year)
    {
        Year()->setText(year);
        emit Year()->textEdited(year);
    }

    QString a, b, c;
};

TEST_F(PhotoInfoPanelTest, ShowingAPhotoFillsThePanelButIsNoEdit)
{
    for (bool changedBefore : { false, true }) {
        session.SetContentsChanged(changedBefore);
        ClickRow(0);
        EXPECT_EQ(session.ContentsChanged(), changedBefore);
        EXPECT_EQ(Name()->text(), a);
        EXPECT_EQ(Status()->text(), Language()->MF[48]);
        EXPECT_EQ(Description()->toPlainText(), QStringLiteral("Grandma"));
        EXPECT_EQ(Year()->text(), QStringLiteral("1990"));
        EXPECT_EQ(Event()->currentText(), QStringLiteral("Wedding"));
        EXPECT_TRUE(DontPublish()->isChecked());
        EXPECT_EQ(
            Objects()->findItems(QStringLiteral("Dog"), Qt::MatchExactly).front()->checkState(), Qt::Checked);
        EXPECT_EQ(Objects()->findItems(QStringLiteral("Beach"), Qt::MatchExactly).front()->checkState(),
            Qt::Unchecked);
        EXPECT_EQ(Find<QListWidget>("lb_SelectedObjects")->count(), 1);
        ASSERT_NE(panel->PhotoWindow(), nullptr);
        EXPECT_EQ(panel->PhotoWindow()->FileName(), a);
    }
    EXPECT_EQ(replacedRecords, QStringList());
}

TEST_F(PhotoInfoPanelTest, AFileOutsideTheAlbumShowsAsNotInAlbum)
{
    ClickRow(0);
    const QString loose = WritePicture(QStringLiteral("loose.bmp"));
    panel->ShowPhoto(loose, true, true);
    EXPECT_EQ(Status()->text(), Language()->MF[47]);
    EXPECT_TRUE(Year()->text().isEmpty());
    EXPECT_TRUE(Description()->toPlainText().isEmpty());
    EXPECT_EQ(Event()->currentIndex(), -1);
    EXPECT_FALSE(DontPublish()->isChecked());
    EXPECT_EQ(Find<QListWidget>("lb_SelectedObjects")->count(), 0);
}

TEST_F(PhotoInfoPanelTest, AMissingFileIsReportedAndTheAlbumDataStillShown)
{
    QFile::remove(c);
    Rows()->setCurrentRow(2, Flags());
    EXPECT_TRUE(panel->ShowSelectedAlbumPhoto(true));
    const TDialogCall* box = dialogs.LastCall(TDialogCall::Kind::MessageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, Text::Format(Language()->MF[45], { c }));
    EXPECT_EQ(box->caption, Language()->MF[46]);
    EXPECT_EQ(box->flags, 64);
    EXPECT_EQ(Year()->text(), QStringLiteral("2001"));
    EXPECT_EQ(Status()->text(), Language()->MF[48]);
}

TEST_F(PhotoInfoPanelTest, EditingTheYearReplacesTheRecordInPlace)
{
    ClickRow(1);
    const int oldId = PhotoNamed(b)->GetId();
    TypeYear(QStringLiteral("1999"));
    ASSERT_EQ(Photos().IndexOfName(b), 1);
    TPhoto* replaced = PhotoNamed(b);
    EXPECT_NE(replaced->GetId(), oldId);
    EXPECT_EQ(replaced->GetYear(), QStringLiteral("1999"));
    EXPECT_EQ(Photos().Count(), 3);
    EXPECT_EQ(RowNames(),
        (QStringList { QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.bmp") }));
    EXPECT_TRUE(session.ContentsChanged());
    EXPECT_EQ(replacedRecords, QStringList { b });

    // Each control is an edit of its own.
    DontPublish()->click();
    EXPECT_FALSE(PhotoNamed(b)->GetUseInHtml());
    Event()->setCurrentIndex(Event()->findText(QStringLiteral("Wedding")));
    emit Event()->activated(Event()->currentIndex());
    EXPECT_EQ(PhotoNamed(b)->GetEventId(), Album().EventIdByName(QStringLiteral("Wedding")));
    Objects()->findItems(QStringLiteral("Beach"), Qt::MatchExactly).front()->setCheckState(Qt::Checked);
    EXPECT_EQ(PhotoNamed(b)->GetObjectIds().Values(),
        QList<int> { Album().ObjectIdByName(QStringLiteral("Beach")) });
    EXPECT_EQ(Find<QListWidget>("lb_SelectedObjects")->count(), 1);
    Description()->setPlainText(QStringLiteral("Harbour"));
    EXPECT_EQ(PhotoNamed(b)->GetDescription(), QStringLiteral("Harbour"));
    EXPECT_EQ(PhotoNamed(b)->GetYear(), QStringLiteral("1999"));
}

TEST_F(PhotoInfoPanelTest, AnEditNeverPutsTheShownFileInPlaceOfAnotherPhoto)
{
    ClickRow(1);
    const int idB = PhotoNamed(b)->GetId();
    // A file from the available photos is shown while row 1 stays current.
    const QString loose = WritePicture(QStringLiteral("loose.bmp"));
    panel->ShowPhoto(loose, true, true);
    DontPublish()->click();
    TypeYear(QStringLiteral("1980"));
    ASSERT_NE(PhotoNamed(b), nullptr);
    EXPECT_EQ(PhotoNamed(b)->GetId(), idB);
    EXPECT_EQ(PhotoNamed(loose), nullptr);
    EXPECT_EQ(Photos().Count(), 3);
    EXPECT_FALSE(session.ContentsChanged());

    // Asked for explicitly, the refusal is explained.
    EXPECT_FALSE(panel->ApplyInfoToSelectedPhoto(true));
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->caption, Language()->MF[50]);
    panel->ShowPhoto(a, true, false);
    EXPECT_FALSE(panel->ApplyInfoToSelectedPhoto(true));
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->caption, Language()->MF[52]);

    Rows()->setCurrentRow(-1);
    EXPECT_FALSE(panel->ApplyInfoToSelectedPhoto(true));
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->text, Language()->MF[49]);
    EXPECT_EQ(dialogs.LastCall(TDialogCall::Kind::MessageBox)->flags, 48);
}

TEST_F(PhotoInfoPanelTest, EnteringTheTabIsNoEdit)
{
    ClickRow(0);
    const int idA = PhotoNamed(a)->GetId();
    Album().GetEvents().AddName(QStringLiteral("Birthday"));
    panel->ts_PhotosEnter();
    EXPECT_FALSE(session.ContentsChanged());
    EXPECT_EQ(PhotoNamed(a)->GetId(), idA);
    EXPECT_EQ(Event()->itemText(0), QStringLiteral(" "));
    EXPECT_EQ(Event()->count(), 3);
    // The checks of the shown photo survive the refill.
    EXPECT_EQ(
        Objects()->findItems(QStringLiteral("Dog"), Qt::MatchExactly).front()->checkState(), Qt::Checked);
}

TEST_F(PhotoInfoPanelTest, UnderAFilterAnEditedPhotoKeepsItsAlbumPlace)
{
    list->ListAlbumPhotos(PF_WithoutYear);
    ASSERT_EQ(RowNames(), QStringList { QStringLiteral("b.bmp") });
    ClickRow(0);
    TypeYear(QStringLiteral("1975"));
    EXPECT_EQ(AlbumOrder(),
        (QStringList { QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.bmp") }));
    EXPECT_EQ(PhotoNamed(b)->GetYear(), QStringLiteral("1975"));
}

TEST_F(PhotoInfoPanelTest, ACheckedLabelTheAlbumNoLongerHasIsSkipped)
{
    ClickRow(1);
    Album().GetObjects().RemoveByName(QStringLiteral("Dog"));
    Objects()->findItems(QStringLiteral("Dog"), Qt::MatchExactly).front()->setCheckState(Qt::Checked);
    Objects()->findItems(QStringLiteral("Beach"), Qt::MatchExactly).front()->setCheckState(Qt::Checked);
    EXPECT_EQ(PhotoNamed(b)->GetObjectIds().Values(),
        QList<int> { Album().ObjectIdByName(QStringLiteral("Beach")) });
}

TEST_F(PhotoInfoPanelTest, ReuseBringsTheInfoOfThePhotoShownBefore)
{
    ClickRow(0);
    ClickRow(1);
    EXPECT_EQ(panel->PreviousSlot().Year, QStringLiteral("1990"));
    EXPECT_EQ(panel->PreviousSlot().Event, QStringLiteral("Wedding"));
    EXPECT_EQ(panel->PreviousSlot().Objects, QStringList { QStringLiteral("Dog") });
    EXPECT_FALSE(panel->PreviousSlot().Publish);

    // "Go to next photo" on the last row wraps to the first.
    ClickRow(2);
    auto* reuse = Find<QPushButton>("btnReuseInfoPreviousPhoto");
    EXPECT_FALSE(reuse->isEnabled());
    panel->btnGoToNextPhotoClick();
    EXPECT_EQ(Rows()->currentRow(), 0);
    EXPECT_TRUE(reuse->isEnabled());
    EXPECT_EQ(panel->PreviousSlot().Year, QStringLiteral("2001"));
    panel->btnGoToNextPhotoClick();
    EXPECT_EQ(Name()->text(), b);

    reuse->click();
    EXPECT_EQ(PhotoNamed(b)->GetYear(), QStringLiteral("1990"));
    EXPECT_EQ(PhotoNamed(b)->GetEventId(), Album().EventIdByName(QStringLiteral("Wedding")));
    EXPECT_FALSE(PhotoNamed(b)->GetUseInHtml());
    EXPECT_EQ(PhotoNamed(b)->GetDescription(), QStringLiteral("Grandma"));
}

TEST_F(PhotoInfoPanelTest, CopyAndPasteInfo)
{
    auto* paste = Find<QPushButton>("pb_PasteInfo");
    EXPECT_FALSE(paste->isEnabled());
    ClickRow(0);
    Find<QPushButton>("pb_CopyInfo")->click();
    EXPECT_TRUE(paste->isEnabled());
    ClickRow(2);
    paste->click();
    TPhoto* pasted = PhotoNamed(c);
    EXPECT_EQ(pasted->GetYear(), QStringLiteral("1990"));
    EXPECT_EQ(pasted->GetObjectIds().Values(), QList<int> { Album().ObjectIdByName(QStringLiteral("Dog")) });
    EXPECT_TRUE(session.ContentsChanged());
}

TEST_F(PhotoInfoPanelTest, TheBlankEventMeansNone)
{
    ClickRow(1);
    Event()->setCurrentIndex(0);
    TPhotoInfoSlot slot;
    panel->CapturePhotoInfo(slot);
    EXPECT_TRUE(slot.Event.isEmpty());

    const QString added = WritePicture(QStringLiteral("new.bmp"));
    ASSERT_TRUE(list->AddPhotoToAlbum(added, -1));
    EXPECT_EQ(PhotoNamed(added)->GetEventId(), -1);
    EXPECT_EQ(Rows()->currentRow(), 3);
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("4"));
}

TEST_F(PhotoInfoPanelTest, AddingRefusesAPathTheAlbumHasAndInsertsAtAPlace)
{
    session.SetContentsChanged(false);
    EXPECT_FALSE(list->AddPhotoToAlbum(b, -1));
    EXPECT_EQ(Photos().Count(), 3);
    EXPECT_FALSE(session.ContentsChanged());

    const QString added = WritePicture(QStringLiteral("between.bmp"));
    ASSERT_TRUE(list->AddPhotoToAlbum(added, 1));
    EXPECT_EQ(AlbumOrder().at(1), QStringLiteral("between.bmp"));
    EXPECT_EQ(RowNames().at(1), QStringLiteral("between.bmp"));
    EXPECT_EQ(Rows()->currentRow(), 1);
    EXPECT_TRUE(session.ContentsChanged());
    EXPECT_NE(PhotoNamed(added)->GetId(), PhotoNamed(c)->GetId());
}

TEST_F(PhotoInfoPanelTest, PhotoWindowNavigationWalksTheListInTheSameWindow)
{
    ClickRow(0);
    Tfm_PhotoWindow* window = panel->PhotoWindow();
    ASSERT_NE(window, nullptr);
    window->SetOpenNewWindowForEachPhoto(true);

    window->btnNextClick();
    EXPECT_EQ(Rows()->currentRow(), 1);
    EXPECT_EQ(window->FileName(), b);
    window->btnLastClick();
    EXPECT_EQ(window->FileName(), c);
    window->btnNextClick();
    EXPECT_EQ(window->FileName(), a);
    EXPECT_EQ(host.windows->Count(), 1);
    EXPECT_FALSE(panel->Navigating());

    // Outside navigation a click asks for a new window.
    ClickRow(2);
    EXPECT_EQ(host.windows->Count(), 2);

    // Shown from the available photos, the same commands walk that list and
    // leave the album's list as it was.
    Find<QPushButton>("pb_Refresh")->click();
    auto* available = Find<QListWidget>("lsbPhotos");
    ASSERT_EQ(available->count(), 3);
    available->setCurrentRow(0);
    panel->lsbPhotosClick();
    window = panel->PhotoWindow();
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnPrevious")), Qt::LeftButton);
    EXPECT_EQ(available->currentRow(), 2);
    EXPECT_EQ(window->FileName(), c);
    EXPECT_EQ(panel->PhotoWindow(), window);
    EXPECT_EQ(Rows()->currentRow(), 2);
}

TEST_F(PhotoInfoPanelTest, ThePanelIsEditableOnlyOnThePageOfTheAlbumsPhotos)
{
    ShowPage(root->Form().ts_AvailablePhotos);
    panel->UpdatePhotoControls();
    EXPECT_TRUE(Year()->isReadOnly());
    EXPECT_TRUE(Description()->isReadOnly());
    EXPECT_FALSE(Event()->isEnabled());
    EXPECT_FALSE(Objects()->isEnabled());
    EXPECT_TRUE(DontPublish()->isEnabled());
    const auto background = [](const QWidget* control) { return control->palette().color(QPalette::Base); };
    for (const QWidget* field : { static_cast<QWidget*>(Year()), static_cast<QWidget*>(Description()),
             static_cast<QWidget*>(Event()) })
        EXPECT_EQ(background(field), root->palette().color(QPalette::Button))
            << field->objectName().toStdString();
    ShowPage(root->Form().ts_PhotosInAlbum);
    panel->UpdatePhotoControls();
    EXPECT_FALSE(Year()->isReadOnly());
    EXPECT_TRUE(Event()->isEnabled());
    EXPECT_EQ(background(Description()), root->palette().color(QPalette::Base));
    EXPECT_TRUE(Find<QPushButton>("btnGoToNextPhoto")->isEnabled());

    session.Close();
    EXPECT_EQ(Rows()->count(), 0);
    EXPECT_FALSE(Find<QPushButton>("btnGoToNextPhoto")->isEnabled());
}

} // namespace
