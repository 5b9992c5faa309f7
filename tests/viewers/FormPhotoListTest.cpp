// SPDX-License-Identifier: GPL-2.0-or-later
// The search-result window: its temporary folder, viewing and walking the
// photos, copying them elsewhere and making a new album of them.
#include "viewers/FormPhotoList.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/Tfm_PhotoWindow.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/Tfm_ThumbNailWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Kind = TDialogCall::Kind;

class FormPhotoListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Tfm_StatusWindow::SetHideDelay(0);
        ini = std::make_unique<IniFile>(dir.filePath(QStringLiteral("tavrimolex.Ini")));
        album = std::make_unique<TAlbum>(dir.filePath(QStringLiteral("albums/Trip.tvx")));
        QDir().mkpath(dir.filePath(QStringLiteral("albums")));
    }

    void TearDown() override
    {
        window.reset();
        windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A picture file with the given bytes' worth of content, so copies can be told apart.
    QString Picture(const QString& name, Qt::GlobalColor colour = Qt::green)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(colour);
        EXPECT_TRUE(picture.save(path, "BMP"));
        return path;
    }

    TPhoto* AddPhoto(const QString& path, bool found = true)
    {
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(album->GetPhotos().TakeNextId());
        photo->SetName(path);
        photo->SetFound(found);
        TPhoto* raw = photo.get();
        album->GetPhotos().Add(std::move(photo));
        return raw;
    }

    TFormPhotoList& Open(const QStringList& photos,
        TFormPhotoList::TNewAlbumQuestion question = TFormPhotoList::TNewAlbumQuestion::Ask)
    {
        window
            = std::make_unique<TFormPhotoList>(nullptr, windows.get(), ini.get(), *album, photos, question);
        return *window;
    }

    template <class T> T* Find(const char* name) const
    {
        T* control = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // A click on an entry, as the user makes it: it shows the photo.
    void ClickEntry(int row)
    {
        Find<QListWidget>("lb_Photos")->setCurrentRow(row);
        window->lb_PhotosClick();
    }

    void SelectRows(std::initializer_list<int> rows)
    {
        auto* list = Find<QListWidget>("lb_Photos");
        list->clearSelection();
        for (const int row : rows)
            list->item(row)->setSelected(true);
    }

    void Click(const char* button) { Find<QPushButton>(button)->click(); }

    // Clicks Cancel in the progress window at the first pumping of events.
    static void CancelAtFirstPump()
    {
        QTimer::singleShot(0, [] {
            if (Tfm_StatusWindow* status = ShownStatusWindow())
                status->ButtonCancel()->click();
        });
    }

    static Tfm_StatusWindow* ShownStatusWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* status = qobject_cast<Tfm_StatusWindow*>(widget); status && status->isVisible())
                return status;
        return nullptr;
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TScriptedDialogService dialogs;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<TAlbum> album;
    std::unique_ptr<TPhotoWindowList> windows = std::make_unique<TPhotoWindowList>();
    std::unique_ptr<TFormPhotoList> window;
};

} // namespace

TEST_F(FormPhotoListTest, TemporaryFolderIsRemovedOnlyWhenMadeHere)
{
    Open({});
    const QString made = window->TempFolder();
    EXPECT_TRUE(made.startsWith(dir.filePath(QStringLiteral("albums/tempthumbnails"))));
    EXPECT_TRUE(QFileInfo(made).isDir());
    window.reset();
    EXPECT_FALSE(QFileInfo::exists(made));

    // A folder of that name that was there before is someone else's.
    const QString theirs = TThumbnailCache::TemporaryFolder(album->GetFolder(), QDateTime::currentDateTime());
    ASSERT_TRUE(QDir().mkpath(theirs));
    Picture(QStringLiteral("albums/") + QFileInfo(theirs).fileName() + QStringLiteral("/keep.bmp"));
    Open({});
    if (window->TempFolder() == theirs) {
        window.reset();
        EXPECT_TRUE(QFileInfo::exists(theirs + QStringLiteral("/keep.bmp")));
    }
}

TEST_F(FormPhotoListTest, PhotosAreShownAndWalkedInListOrderWhileTheWindowLives)
{
    const QString a = Picture(QStringLiteral("a.bmp"));
    const QString b = Picture(QStringLiteral("b.bmp"));
    const QString gone = dir.filePath(QStringLiteral("gone.bmp"));
    Open({ a, b, gone });
    EXPECT_FALSE(Find<QPushButton>("ButtonCopyToOtherLocation")->isEnabled());

    auto* list = Find<QListWidget>("lb_Photos");
    ClickEntry(0);
    Tfm_PhotoWindow* shown = window->LastPhotoWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->FileName(), a);
    EXPECT_TRUE(Find<QPushButton>("ButtonCopyToOtherLocation")->isEnabled());

    shown->btnNextClick();
    EXPECT_EQ(shown->FileName(), b);
    EXPECT_EQ(windows->Count(), 1) << "walking stays in its window";
    shown->btnPreviousClick();
    shown->btnPreviousClick();
    EXPECT_EQ(list->currentRow(), 2) << "previous wraps to the last entry";
    EXPECT_FALSE(shown->isVisible());
    const TDialogCall* warning = dialogs.LastCall(Kind::MessageBox);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->text, Language()->PLF[8]);
    EXPECT_EQ(warning->caption, Language()->PLF[9]);
    EXPECT_EQ(warning->flags, 48);

    // The photo window outlives the result window; its buttons then do nothing.
    window.reset();
    shown->btnFirstClick();
    EXPECT_EQ(shown->LoadingPath(), a);
}

// Every row is as wide as the longest path, wherever it stands in the list,
// so the list scrolls to the end of each one.
TEST_F(FormPhotoListTest, EveryPathCanBeScrolledIntoViewWhole)
{
    const QString longest
        = dir.filePath(QStringLiteral("a/very/deep/folder/of/the/holiday/in/Spain/photo.bmp"));
    Open({ dir.filePath(QStringLiteral("a.bmp")), longest, dir.filePath(QStringLiteral("b.bmp")) });
    auto* list = Find<QListWidget>("lb_Photos");
    window->show();
    const int needed = list->fontMetrics().horizontalAdvance(longest);
    for (int row = 0; row < list->count(); ++row)
        EXPECT_GE(list->visualItemRect(list->item(row)).width(), needed) << row;

    const QString longer = longest + QStringLiteral("/and/on/and/on.bmp");
    list->item(2)->setText(longer);
    (void)list->viewport()->grab();
    list->doItemsLayout();
    EXPECT_GE(list->visualItemRect(list->item(0)).width(), list->fontMetrics().horizontalAdvance(longer));
}

TEST_F(FormPhotoListTest, ADoubleClickOpensThePhotoOnce)
{
    const QString gone = dir.filePath(QStringLiteral("gone.bmp"));
    Open({ gone });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* list = Find<QListWidget>("lb_Photos");
    // Through the window system, which makes a double click of two clicks in a row.
    const QPoint entry = list->viewport()->mapTo(window.get(), list->visualItemRect(list->item(0)).center());
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, entry);
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 1) << "one warning for the one photo opened";
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, entry, 1000);
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 2) << "the next click opens it again";
}

TEST_F(FormPhotoListTest, ArrowKeysShowThePhotoOfTheRowTheyMoveToOnce)
{
    const QString a = Picture(QStringLiteral("a.bmp"));
    const QString gone = dir.filePath(QStringLiteral("gone.bmp"));
    const QString b = Picture(QStringLiteral("b.bmp"));
    Open({ a, gone, b });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* list = Find<QListWidget>("lb_Photos");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    Tfm_PhotoWindow* shown = window->LastPhotoWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->FileName(), a);

    // The missing photo's warning counts how often a row was shown.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 1);
    EXPECT_FALSE(shown->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(window->LastPhotoWindow(), shown);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->FileName(), b);
    EXPECT_TRUE(Find<QPushButton>("ButtonCopyToOtherLocation")->isEnabled());
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 2);

    // A key that moves nothing shows nothing; Ctrl moves the focus only.
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(shown->FileName(), a);
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 2);

    // A click with a key held is one click, and walking from the photo window
    // moves the row without showing it twice.
    QTest::keyPress(list, Qt::Key_Control);
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualItemRect(list->item(1)).center());
    QTest::keyRelease(list, Qt::Key_Control);
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 3);
    shown->btnPreviousClick();
    shown->btnNextClick();
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 4);
}

TEST_F(FormPhotoListTest, WalkingOntoAnUndecodablePhotoHidesThePictureWithoutAMessage)
{
    const QString a = Picture(QStringLiteral("a.bmp"));
    const QString bad = dir.filePath(QStringLiteral("bad.bmp"));
    {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is no picture at all");
    }
    const QString b = Picture(QStringLiteral("b.bmp"));
    Open({ a, bad, b });
    ClickEntry(0);
    Tfm_PhotoWindow* shown = window->LastPhotoWindow();
    ASSERT_NE(shown, nullptr);
    auto* next = shown->findChild<QPushButton*>(QStringLiteral("btnNext"));
    const auto text
        = [shown](const char* name) { return shown->findChild<QLabel*>(QLatin1String(name))->text(); };
    const auto pictureShown
        = [shown] { return shown->findChild<QWidget*>(QStringLiteral("im_Photo"))->isVisible(); };
    EXPECT_TRUE(pictureShown());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_TRUE(shown->isVisible());
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("Tavrimolex - bad.bmp - ") + bad);
    EXPECT_EQ(text("lblIdx"), QStringLiteral("2"));
    EXPECT_EQ(text("lblCnt"), QStringLiteral("3"));
    EXPECT_TRUE(text("lblWidth").isEmpty());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_TRUE(pictureShown());
    EXPECT_EQ(shown->FileName(), b);
    EXPECT_EQ(text("lblIdx"), QStringLiteral("3"));
    EXPECT_EQ(text("lblWidth"), QStringLiteral("8"));
}

TEST_F(FormPhotoListTest, CopyingReplacesByNameInListOrderAndStopsOnCancel)
{
    const QString first = Picture(QStringLiteral("one/x.bmp"), Qt::red);
    const QString second = Picture(QStringLiteral("two/x.bmp"), Qt::blue);
    const QString third = Picture(QStringLiteral("two/y.bmp"), Qt::yellow);
    const QString target = dir.filePath(QStringLiteral("target"));
    QDir().mkpath(target);
    Open({ first, second, third });

    ClickEntry(0);
    SelectRows({ 0, 1, 2 });
    dialogs.QueueFolder(target);
    Click("ButtonCopyToOtherLocation");
    EXPECT_EQ(Bytes(target + QStringLiteral("/x.bmp")), Bytes(second)) << "the later one wins";
    EXPECT_EQ(Bytes(target + QStringLiteral("/y.bmp")), Bytes(third));
    EXPECT_EQ(dialogs.LastCall(Kind::ShowMessage)->text, Language()->PLF[11]);
    EXPECT_EQ(QDir(target).entryList(QDir::Files).size(), 2) << "no temporary file is left";

    // The next dialog starts where the last copy went; Cancel stops after the entry at hand.
    QFile::remove(target + QStringLiteral("/x.bmp"));
    QFile::remove(target + QStringLiteral("/y.bmp"));
    dialogs.Clear();
    dialogs.QueueFolder(target);
    CancelAtFirstPump();
    Click("ButtonCopyToOtherLocation");
    EXPECT_TRUE(dialogs.LastCall(Kind::SelectFolder)->initial.startsWith(target));
    EXPECT_EQ(Bytes(target + QStringLiteral("/x.bmp")), Bytes(first));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/y.bmp")));
    EXPECT_EQ(dialogs.LastCall(Kind::ShowMessage)->text, Language()->PLF[11]);
    EXPECT_TRUE(Find<QPushButton>("ButtonClose")->isEnabled());

    // Copying photos into their own folder leaves them as they are.
    dialogs.QueueFolder(dir.filePath(QStringLiteral("two")));
    SelectRows({ 1, 2 });
    const QByteArray before = Bytes(second);
    Click("ButtonCopyToOtherLocation");
    EXPECT_EQ(Bytes(second), before);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("two"))).entryList(QDir::Files).size(), 2);
}

TEST_F(FormPhotoListTest, NewAlbumTakesTheFoundPhotosWithTheirLabelsByName)
{
    // Ids that a fresh album would not hand out: deleted labels left gaps.
    for (const char* name : { "gone", "Anna", "gone too", "Ben" })
        album->GetObjects().AddName(QString::fromLatin1(name));
    album->GetObjects().RemoveByName(QStringLiteral("gone"));
    album->GetObjects().RemoveByName(QStringLiteral("gone too"));
    album->GetEvents().AddName(QStringLiteral("old"));
    album->GetEvents().AddName(QStringLiteral("Wedding"));
    album->GetEvents().RemoveByName(QStringLiteral("old"));
    album->SetThumbWidth(120);
    album->SetThumbHeight(90);
    TPhoto* hit = AddPhoto(Picture(QStringLiteral("hit.bmp")));
    hit->GetObjectIds().Add(album->ObjectIdByName(QStringLiteral("Ben")));
    hit->SetEventId(album->EventIdByName(QStringLiteral("Wedding")));
    hit->SetDescription(QStringLiteral("the cake"));
    AddPhoto(Picture(QStringLiteral("other.bmp")), false);
    ASSERT_TRUE(album->SaveToFile());
    Open({ hit->GetName() });

    // The open album's own file, spelt another way, is refused and asked again.
    const QString made = dir.filePath(QStringLiteral("albums/Found.tvx"));
    dialogs.QueueSaveFile(dir.filePath(QStringLiteral("albums/../albums/Trip.tvx")));
    dialogs.QueueSaveFile(made);
    dialogs.QueueMessageResult(MessageResult::No);
    Click("ButtonShowThumbnailsAlbum");
    EXPECT_EQ(dialogs.CallCount(Kind::SaveFile), 2);
    EXPECT_EQ(dialogs.LastCall(Kind::ShowMessage)->text, Language()->PLF[0]);
    EXPECT_EQ(dialogs.LastCall(Kind::SaveFile)->fileOptions.DefaultExt, QStringLiteral("tvx"));
    EXPECT_EQ(dialogs.LastCall(Kind::MessageDlg)->text, Language()->PLF[1]);
    EXPECT_TRUE(window->GetNewAlbumFile().isEmpty());

    const std::unique_ptr<TAlbum> written = TAlbum::CreateFromFile(made, nullptr);
    ASSERT_EQ(written->GetPhotos().Count(), 1);
    const TPhoto* copy = written->GetPhotos().PhotoAt(0);
    EXPECT_EQ(copy->GetName(), hit->GetName());
    EXPECT_EQ(copy->GetDescription(), QStringLiteral("the cake"));
    ASSERT_EQ(copy->GetObjectIds().Count(), 1);
    EXPECT_EQ(written->ObjectNameById(copy->GetObjectIds().ValueAt(0)), QStringLiteral("Ben"));
    EXPECT_EQ(written->EventNameById(copy->GetEventId()), QStringLiteral("Wedding"));
    EXPECT_EQ(written->GetThumbWidth(), 120);
    EXPECT_EQ(written->GetThumbHeight(), 90);
    EXPECT_EQ(album->GetPhotos().Count(), 2) << "the open album keeps its photos";

    // Yes makes it the album to open next and closes the window.
    window->show();
    dialogs.QueueSaveFile(made);
    dialogs.QueueMessageResult(MessageResult::Yes);
    Click("ButtonShowThumbnailsAlbum");
    EXPECT_EQ(window->GetNewAlbumFile(), made);
    EXPECT_FALSE(window->isVisible());

    // Opened for a label still in use, the window asks nothing.
    Open({ hit->GetName() }, TFormPhotoList::TNewAlbumQuestion::Skip);
    dialogs.Clear();
    dialogs.QueueSaveFile(dir.filePath(QStringLiteral("albums/Second.tvx")));
    Click("ButtonShowThumbnailsAlbum");
    EXPECT_EQ(dialogs.CallCount(Kind::MessageDlg), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("albums/Second.tvx"))));
}

TEST_F(FormPhotoListTest, ThumbnailsAreMadeOnceAndShownModalToThisWindowOnly)
{
    for (const char* name : { "a.jpg", "b.jpg" }) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(SaveJpegFile(picture, dir.filePath(QLatin1String(name)), 90));
        AddPhoto(dir.filePath(QLatin1String(name)));
    }
    AddPhoto(Picture(QStringLiteral("not-found.bmp")), false);
    Open({ dir.filePath(QStringLiteral("a.jpg")), dir.filePath(QStringLiteral("b.jpg")) });
    const QString thumbnails = window->TempFolder() + QStringLiteral("/TempAlbum_thumbnails");

    // Cancelled thumbnails are no set to show or to use later.
    CancelAtFirstPump();
    Click("ButtonShowThumbnails");
    EXPECT_FALSE(window->ThumbnailWindow()->isVisible());
    EXPECT_FALSE(QFileInfo::exists(thumbnails));
    EXPECT_TRUE(Find<QPushButton>("ButtonShowThumbnails")->isEnabled());

    struct TShown {
        bool progressShown = true;
        int photos = 0;
        bool showStoppedByKey = false;
        bool resultWindowWaited = false;
    };
    const auto showThumbnails = [this] {
        TShown shown;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [this, &shown, &watch] {
            Tfm_ThumbNailWindow* thumbnailWindow = window->ThumbnailWindow();
            if (!thumbnailWindow->isVisible())
                return;
            watch.stop();
            shown.progressShown = ShownStatusWindow() != nullptr;
            shown.photos = thumbnailWindow->Album()->GetPhotos().Count();
            // Keys as the window system hands them over, modality and all:
            // the slide show started here stops at a key, the result window waits.
            QTest::keyClick(thumbnailWindow->windowHandle(), 's');
            Tfm_SlideShowWindow* show = thumbnailWindow->SlideShowWindow();
            if (show->Running())
                QTest::keyClick(show->windowHandle(), Qt::Key_Escape);
            shown.showStoppedByKey = !show->Running();
            QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
            shown.resultWindowWaited = window->isVisible();
            thumbnailWindow->hide();
        });
        watch.start(5);
        QTest::mouseClick(Find<QPushButton>("ButtonShowThumbnails"), Qt::LeftButton);
        return shown;
    };
    window->show();
    const TShown first = showThumbnails();
    EXPECT_FALSE(first.progressShown);
    EXPECT_EQ(first.photos, 2);
    EXPECT_TRUE(first.showStoppedByKey);
    EXPECT_TRUE(first.resultWindowWaited);
    const QStringList made = QDir(thumbnails).entryList({ QStringLiteral("*.jpg") });
    ASSERT_EQ(made.size(), 2);

    // A second click shows the thumbnails made by the first.
    const QString marked = thumbnails + u'/' + made.first();
    {
        QFile file(marked);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("mark");
    }
    const QByteArray before = Bytes(marked);
    const TShown second = showThumbnails();
    EXPECT_FALSE(second.progressShown);
    EXPECT_EQ(Bytes(marked), before);
    EXPECT_EQ(window->ThumbnailWindow()->Album(), window->TempAlbum());

    // The window takes its temporary folder with it.
    const QString temp = window->TempFolder();
    window.reset();
    EXPECT_FALSE(QFileInfo::exists(temp));
}
