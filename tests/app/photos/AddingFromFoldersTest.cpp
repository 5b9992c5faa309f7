// SPDX-License-Identifier: GPL-2.0-or-later
#include "PhotoTabTest.h"

#include "app/photos/PhotoFileList.h"
#include "app/photos/PhotosFromFolders.h"
#include "app/photos/PhotosPage.h"
#include "common/FormBasis.h"
#include "common/Tfm_StatusWindow.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "platform/FileRoutines.h"
#include "platform/TextUtil.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// What a run looked like when a photo was handed to the album.
struct TRunMoment {
    bool progressWindow = false;
    bool busyCursor = false;
    bool stopEnabled = false;
};

Tfm_StatusWindow* ShownStatusWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Tfm_StatusWindow*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

class AddingFromFoldersTest : public PhotoTabTest {
protected:
    void SetUp() override
    {
        PhotoTabTest::SetUp();
        Tfm_StatusWindow::SetHideDelay(0);
        photos = dir.filePath(QStringLiteral("photos"));
        ASSERT_TRUE(QDir().mkpath(photos));
        ChooseFolder(photos);
        page = root->PhotosFromFolders();
        EnterTab();
        // Each photo that enters the album is a row added to its list.
        QObject::connect(
            Rows()->model(), &QAbstractItemModel::rowsInserted, [this](const QModelIndex&, int row) {
                addedRows.append(Rows()->item(row)->text());
                if (onAdded)
                    onAdded();
            });
    }

    void TearDown() override
    {
        Tfm_StatusWindow::SetHideDelay(Tfm_StatusWindow::DefaultHideDelayMs);
        PhotoTabTest::TearDown();
    }

    QString MakePicture(const QString& relative)
    {
        const QString path = photos + u'/' + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(QColor(30, 120, 200));
        EXPECT_TRUE(picture.save(path, relative.endsWith(QLatin1String(".jpg")) ? "JPG" : "BMP"));
        return path;
    }

    QListWidget* Listed() const { return Find<QListWidget>("lsbPhotos"); }
    QLineEdit* Quality() const { return Find<QLineEdit>("eb_JPGQuality"); }

    void SelectListed(std::initializer_list<int> rows)
    {
        Listed()->clearSelection();
        for (int row : rows)
            Listed()->item(row)->setSelected(true);
    }

    // Records, at every photo handed to the album, whether the progress window
    // or the busy cursor was showing.
    void WatchRun()
    {
        onAdded = [this] {
            moments.push_back({ ShownStatusWindow() != nullptr, ScreenCursor() == TScreenCursor::HourGlass,
                Find<QPushButton>("pb_StopPhotoSearching")->isEnabled() });
        };
    }

    const TDialogCall& LastBox() const
    {
        static const TDialogCall none;
        const TDialogCall* box = dialogs.LastCall(TDialogCall::Kind::MessageBox);
        EXPECT_NE(box, nullptr);
        return box ? *box : none;
    }

    QString photos;
    TPhotosFromFolders* page = nullptr;
    QStringList addedRows;
    std::function<void()> onAdded;
    std::vector<TRunMoment> moments;
};

TEST_F(AddingFromFoldersTest, SelectedPhotosEnterTheAlbumAndItsFile)
{
    MakePicture(QStringLiteral("one.bmp"));
    MakePicture(QStringLiteral("two.jpg"));
    MakePicture(QStringLiteral("three.bmp"));
    page->ListPhotoFiles();
    ASSERT_EQ(Listed()->count(), 3);

    page->pb_AddPhotoClick();
    EXPECT_EQ(LastBox().text, Language()->MF[41]);
    EXPECT_EQ(LastBox().caption, Language()->MF[42]);
    EXPECT_EQ(LastBox().flags, 48);
    EXPECT_FALSE(session.ContentsChanged());

    Year()->setText(QStringLiteral("1998"));
    SelectListed({ 0, 2 });
    page->pb_AddPhotoClick();
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[43], { 2 }));
    EXPECT_EQ(LastBox().caption, Language()->MF[44]);
    EXPECT_EQ(LastBox().flags, 64);
    EXPECT_TRUE(session.ContentsChanged());
    EXPECT_EQ(RowNames(), (QStringList { "one.bmp", "two.jpg" }));
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("2"));

    // The same photos once more.
    page->pb_AddPhotoClick();
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[43], { 0 }));
    EXPECT_EQ(Photos().Count(), 2);

    ASSERT_TRUE(Album().SaveToFile());
    const std::unique_ptr<TAlbum> reread = TAlbum::CreateFromFile(Album().GetFileName(), nullptr);
    ASSERT_EQ(reread->GetPhotos().Count(), 2);
    EXPECT_EQ(reread->GetPhotos().PhotoAt(0)->GetName(), photos + QStringLiteral("/one.bmp"));
    EXPECT_EQ(reread->GetPhotos().PhotoAt(1)->GetName(), photos + QStringLiteral("/two.jpg"));
    EXPECT_EQ(reread->GetPhotos().PhotoAt(1)->GetYear(), QStringLiteral("1998"));
}

TEST_F(AddingFromFoldersTest, TheFileTypeFilterChoosesWhatIsListed)
{
    // The filter box as the Photos tab fills it.
    const QStringList parts = PhotoFilterText().split(u'|');
    auto* filter = Find<QComboBox>("filter_Photos");
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filter->addItem(parts[i], parts[i + 1]);
    MakePicture(QStringLiteral("a.bmp"));
    MakePicture(QStringLiteral("b.jpg"));
    QFile(photos + QStringLiteral("/c.iff")).open(QIODevice::WriteOnly);
    QFile(photos + QStringLiteral("/d.txt")).open(QIODevice::WriteOnly);
    QFile(photos + QStringLiteral("/e.JPEG")).open(QIODevice::WriteOnly);

    filter->setCurrentIndex(0);
    page->pb_RefreshClick();
    EXPECT_EQ(Listed()->count(), 4);
    filter->setCurrentIndex(filter->findText(QStringLiteral("jpg files (*.jpg)")));
    emit filter->activated(filter->currentIndex());
    ASSERT_EQ(Listed()->count(), 2);
    EXPECT_EQ(Listed()->item(0)->text(), QStringLiteral("b.jpg"));
    EXPECT_EQ(Listed()->item(1)->text(), QStringLiteral("e.JPEG"));
}

TEST_F(AddingFromFoldersTest, AFolderOfFiftyRunsUnderTheBusyCursorAndOfFiftyOneWithProgress)
{
    for (int i = 0; i < 50; ++i)
        MakePicture(QStringLiteral("p%1.bmp").arg(i, 2, 10, QLatin1Char('0')));
    page->ListPhotoFiles();
    WatchRun();
    page->pb_AddAllPhotosClick();
    EXPECT_EQ(page->FolderAction(), TPhotosFromFolders::AddFolderAction);
    page->ProcessAllMenu()->hide();
    page->pmiUsePhotosInThisFolderClick();
    ASSERT_EQ(moments.size(), 50u);
    EXPECT_FALSE(moments.front().progressWindow);
    EXPECT_TRUE(moments.front().busyCursor);
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[119], { 50 }));
    EXPECT_EQ(LastBox().caption, Language()->MF[120]);
    EXPECT_EQ(Rows()->count(), 50);

    moments.clear();
    MakePicture(QStringLiteral("p50.bmp"));
    page->ListPhotoFiles();
    page->pmiUsePhotosInThisFolderClick();
    ASSERT_EQ(moments.size(), 1u);
    EXPECT_TRUE(moments.front().progressWindow);
    EXPECT_EQ(ShownStatusWindow(), nullptr);
    // Only the one photo the album lacked counts.
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[119], { 1 }));
    EXPECT_EQ(Photos().Count(), 51);
}

TEST_F(AddingFromFoldersTest, CancelEndsAFolderRunAndNothingAddedLeavesTheAlbumUnchanged)
{
    for (int i = 0; i < 60; ++i)
        MakePicture(QStringLiteral("p%1.bmp").arg(i, 2, 10, QLatin1Char('0')));
    page->ListPhotoFiles();
    onAdded = [this] {
        if (addedRows.size() == 10)
            ShownStatusWindow()->ButtonCancel()->click();
    };
    page->pb_AddAllPhotosClick();
    page->ProcessAllMenu()->hide();
    page->pmiUsePhotosInThisFolderClick();
    EXPECT_EQ(Photos().Count(), 10);
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[119], { 10 }));

    // A folder whose files the album holds already: no change at all.
    onAdded = nullptr;
    Listed()->clear();
    Listed()->addItems(
        { QStringLiteral("p00.bmp"), QStringLiteral("p01.bmp"), QStringLiteral("vanished.bmp") });
    session.SetContentsChanged(false);
    page->pmiUsePhotosInThisFolderClick();
    EXPECT_FALSE(session.ContentsChanged());
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[119], { 0 }));
    EXPECT_EQ(Photos().IndexOfName(photos + QStringLiteral("/vanished.bmp")), -1);
}

TEST_F(AddingFromFoldersTest, AFolderTreeIsAddedWithoutTheProgramsThumbnails)
{
    MakePicture(QStringLiteral("top.bmp"));
    MakePicture(QStringLiteral("trip/beach.jpg"));
    MakePicture(QStringLiteral("thumbnails of grandpa/old.bmp"));
    MakePicture(QStringLiteral("Holiday_thumbnails/0_top.jpg"));
    MakePicture(QStringLiteral("tempthumbnails20240131_1200/0_beach.jpg"));
    WatchRun();

    page->pb_AddAllPhotosClick();
    page->ProcessAllMenu()->hide();
    page->pmiUsePhotosRecursiveInThisFolderClick();

    ASSERT_FALSE(moments.empty());
    EXPECT_TRUE(moments.front().stopEnabled);
    EXPECT_FALSE(Find<QPushButton>("pb_StopPhotoSearching")->isEnabled());
    for (QAction* item : page->ProcessAllMenu()->actions())
        EXPECT_TRUE(item->isEnabled());
    QStringList added;
    for (int i = 0; i < Photos().Count(); ++i)
        added.append(Photos().PhotoAt(i)->GetName().mid(photos.size() + 1));
    added.sort();
    EXPECT_EQ(added, (QStringList { "thumbnails of grandpa/old.bmp", "top.bmp", "trip/beach.jpg" }));
    EXPECT_EQ(LastBox().text,
        Text::Format(Language()->MF[124], { 3 }) + u' ' + Text::Format(Language()->MF[123], { 2 }));
    EXPECT_EQ(Find<QLineEdit>("eb_PhotosDone")->text(), QStringLiteral("3"));
    EXPECT_EQ(Rows()->count(), 3);

    // Everything is in the album now: the message has no tail when nothing was found.
    QDir().mkpath(photos + QStringLiteral("/trip/none"));
    ChooseFolder(photos + QStringLiteral("/trip/none"));
    page->pmiUsePhotosRecursiveInThisFolderClick();
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[124], { 0 }));
}

TEST_F(AddingFromFoldersTest, StopEndsTheScanButAddsWhatItFound)
{
    MakePicture(QStringLiteral("top.bmp"));
    MakePicture(QStringLiteral("deeper/below.bmp"));
    // Pressed while the scan shows its first folder.
    QTimer::singleShot(0, Find<QPushButton>("pb_StopPhotoSearching"), &QPushButton::click);
    page->pb_AddAllPhotosClick();
    page->ProcessAllMenu()->hide();
    page->pmiUsePhotosRecursiveInThisFolderClick();
    ASSERT_EQ(Photos().Count(), 1);
    EXPECT_EQ(Photos().PhotoAt(0)->GetName(), photos + QStringLiteral("/top.bmp"));
    EXPECT_FALSE(Find<QPushButton>("pb_StopPhotoSearching")->isEnabled());

    // No folder chosen: nothing is scanned, least of all from the root.
    root->Form().stvPhotoFolders->setCurrentIndex(QModelIndex());
    page->pmiUsePhotosRecursiveInThisFolderClick();
    EXPECT_EQ(Photos().Count(), 1);
    EXPECT_TRUE(Find<QLineEdit>("eb_SearchingPhotoFolder")->text().startsWith(photos));
}

TEST_F(AddingFromFoldersTest, ATreeConversionCountsEveryFileThatFailed)
{
    MakePicture(QStringLiteral("a.bmp"));
    MakePicture(QStringLiteral("one/same.bmp"));
    MakePicture(QStringLiteral("two/same.bmp"));
    MakePicture(QStringLiteral("kept.bmp"));
    QFile broken(photos + QStringLiteral("/one/broken.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM no bitmap");
    broken.close();
    const QString out = dir.filePath(QStringLiteral("converted"));
    QDir().mkpath(out);
    QFile existing(out + QStringLiteral("/kept.jpg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("mine");
    existing.close();

    // The first conversion leaves the folder window where it was.
    const QString windowFolder = folderWindow.window.GetFolder();
    folderWindow.answer = out;
    page->pb_ConvertAllPhotosClick();
    EXPECT_EQ(page->FolderAction(), TPhotosFromFolders::ConvertFolderAction);
    page->ProcessAllMenu()->hide();
    page->pmiUsePhotosRecursiveInThisFolderClick();

    EXPECT_EQ(folderWindow.starts, QStringList { windowFolder });
    EXPECT_EQ(dialogs.CallCount(TDialogCall::Kind::ShowMessage), 0);
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList { "a.jpg", "kept.jpg", "same.jpg" }));
    QFile kept(out + QStringLiteral("/kept.jpg"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("mine"));
    EXPECT_EQ(LastBox().text,
        Text::Format(Language()->MF[127], { 2, out }) + u' ' + Text::Format(Language()->MF[126], { 3 }));
    EXPECT_EQ(LastBox().caption, Language()->MF[120]);
    EXPECT_EQ(Find<QLineEdit>("eb_PhotosDone")->text(), QStringLiteral("2"));
    EXPECT_EQ(Photos().Count(), 0);
    EXPECT_EQ(page->ConvertFolder(), out);

    // The folder window starts where the last conversion went, wherever it
    // was used since; cancelling it writes nothing.
    folderWindow.window.SetFolder(photos);
    folderWindow.answer.clear();
    page->pmiUsePhotosRecursiveInThisFolderClick();
    EXPECT_EQ(folderWindow.starts.last(), out);
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 3);
}

TEST_F(AddingFromFoldersTest, SelectedPhotosConvertAtTheBoxQualityAndFolderRunsResetIt)
{
    const QString source = MakePicture(QStringLiteral("pic.bmp"));
    MakePicture(QStringLiteral("other.bmp"));
    page->ListPhotoFiles();
    const QString out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(out);

    page->pb_ConvertPhotoClick();
    EXPECT_EQ(LastBox().text, Language()->MF[41]);
    EXPECT_TRUE(folderWindow.starts.isEmpty());

    Quality()->setText(QStringLiteral("250"));
    SelectListed({ 1 });
    folderWindow.answer = out;
    page->pb_ConvertPhotoClick();
    const TDialogCall* note = dialogs.LastCall(TDialogCall::Kind::ShowMessage);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text, Language()->MF[417]);
    EXPECT_EQ(LastBox().text, Text::Format(Language()->MF[188], { 1 }));
    EXPECT_EQ(LastBox().caption, Language()->MF[189]);
    EXPECT_EQ(Quality()->text(), QStringLiteral("250"));
    QImage picture;
    ASSERT_TRUE(LoadImageFile(source, picture));
    QFile written(out + QStringLiteral("/pic.jpg"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), EncodeJpeg(picture, 100));

    // A folder run first resets the box, then converts what is not there yet
    // and says how many it left.
    page->pb_ConvertAllPhotosClick();
    EXPECT_EQ(Quality()->text(), QStringLiteral("100"));
    Quality()->setText(QStringLiteral("250"));
    page->ProcessAllMenu()->hide();
    page->pmiUsePhotosInThisFolderClick();
    EXPECT_EQ(Quality()->text(), QStringLiteral("100"));
    EXPECT_EQ(LastBox().text,
        Text::Format(Language()->MF[122], { 1, out }) + u' ' + Text::Format(Language()->MF[126], { 1 }));
    EXPECT_TRUE(QFileInfo::exists(out + QStringLiteral("/other.jpg")));

    // Selected photos that are there already, or do not decode, are counted as failed too.
    QFile broken(photos + QStringLiteral("/broken.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM no bitmap");
    broken.close();
    page->ListPhotoFiles();
    SelectListed({ 0, 1 });
    page->pb_ConvertPhotoClick();
    EXPECT_EQ(LastBox().text,
        Text::Format(Language()->MF[188], { 0 }) + u' ' + Text::Format(Language()->MF[126], { 2 }));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/broken.jpg")));
}

TEST_F(AddingFromFoldersTest, TheQualityBoxTakesOnlyShortNumbers)
{
    Quality()->clear();
    QTest::keyClicks(Quality(), QStringLiteral("12a3.4"));
    EXPECT_EQ(Quality()->text(), QStringLiteral("123."));
    EXPECT_EQ(page->JPGQuality(), 100);
    QTest::keyClick(Quality(), Qt::Key_Backspace);
    QTest::keyClick(Quality(), Qt::Key_Backspace);
    EXPECT_EQ(Quality()->text(), QStringLiteral("12"));
    EXPECT_EQ(page->JPGQuality(), 12);
    EXPECT_EQ(Find<QSpinBox>("ud_JPGQuality")->value(), 12);
    Find<QSpinBox>("ud_JPGQuality")->stepUp();
    EXPECT_EQ(Quality()->text(), QStringLiteral("13"));
}

} // namespace
