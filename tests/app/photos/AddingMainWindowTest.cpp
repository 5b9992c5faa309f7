// SPDX-License-Identifier: GPL-2.0-or-later
// The whole road of a photo through the real main window: chosen in a
// folder, added, described on the Photos tab, renamed, saved and found back.
#include "RenameSettingsAnswer.h"
#include "app/main/Tfm_MainForm.h"
#include "app/photos/AlbumPhotoList.h"
#include "app/photos/PhotosFromFolders.h"
#include "app/photos/PhotosPage.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/AppFolders.h"
#include "platform/TextUtil.h"
#include "widgets/FolderTree.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AddingMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString program = dir.filePath(QStringLiteral("bin"));
        QDir().mkpath(program);
        AppFolders::SetProgramFolderForTesting(program);
        oldData = qgetenv("XDG_DATA_HOME");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("xdg/data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("xdg/config"))));
        QFile settings(program + QStringLiteral("/tavrimolex.Ini"));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[Languange]\r\nSelected=1\r\nLanguageID=0\r\n");
        settings.close();
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        Tfm_StatusWindow::SetHideDelay(0);

        photos = dir.filePath(QStringLiteral("photos"));
        QDir().mkpath(photos);
        for (const char* name : { "one.bmp", "two.bmp", "three.bmp" }) {
            QImage picture(12, 9, QImage::Format_RGB32);
            picture.fill(QColor(90, 160, 40));
            ASSERT_TRUE(picture.save(photos + u'/' + QLatin1String(name), "BMP"));
        }
        albumFile = dir.filePath(QStringLiteral("albums/Family.tvx"));
        QDir().mkpath(QFileInfo(albumFile).absolutePath());
        ASSERT_TRUE(TAlbum(albumFile).SaveToFile());
        form = std::make_unique<Tfm_MainForm>();
    }

    void TearDown() override
    {
        form.reset();
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        Tfm_StatusWindow::SetHideDelay(Tfm_StatusWindow::DefaultHideDelayMs);
        AppFolders::SetProgramFolderForTesting(QString());
        qputenv("XDG_DATA_HOME", oldData);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }

    template <class T> T* Find(const char* name) const
    {
        T* found = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void ClickAlbumRow(int row)
    {
        auto* list = Find<QListWidget>("lb_PhotosInAlbum");
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
    }

    QTemporaryDir dir;
    QByteArray oldData, oldConfig;
    TScriptedDialogService dialogs;
    QString photos;
    QString albumFile;
    std::unique_ptr<Tfm_MainForm> form;
};

TEST_F(AddingMainWindowTest, PhotosAddedFromAFolderAreDescribedSavedAndFoundBack)
{
    ASSERT_TRUE(form->OpenAlbum(albumFile));
    auto* pages = Find<QTabWidget>("pc_Photos");
    pages->setCurrentWidget(Find<QWidget>("ts_AvailablePhotos"));
    ASSERT_TRUE(Find<TFolderTree>("stvPhotoFolders")->SetFolder(photos));
    auto* available = Find<QListWidget>("lsbPhotos");
    ASSERT_EQ(available->count(), 3);
    available->item(0)->setSelected(true);
    available->item(2)->setSelected(true);

    QTest::mouseClick(Find<QPushButton>("pb_AddPhoto"), Qt::LeftButton);
    const TDialogCall* report = dialogs.LastCall(TDialogCall::Kind::MessageBox);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->text, Text::Format(Language()->MF[43], { 2 }));
    auto* inAlbum = Find<QListWidget>("lb_PhotosInAlbum");
    ASSERT_EQ(inAlbum->count(), 2);
    EXPECT_EQ(inAlbum->item(0)->text(), photos + QStringLiteral("/one.bmp"));
    EXPECT_EQ(inAlbum->item(1)->text(), photos + QStringLiteral("/two.bmp"));
    EXPECT_TRUE(form->ContentsChanged());

    pages->setCurrentWidget(Find<QWidget>("ts_PhotosInAlbum"));
    ClickAlbumRow(1);
    EXPECT_EQ(Find<QLineEdit>("eb_PhotoName")->text(), photos + QStringLiteral("/two.bmp"));
    auto* description = Find<QPlainTextEdit>("mm_PhotoDescription");
    description->setFocus();
    QTest::keyClicks(description, QStringLiteral("Grandma at the beach"));
    EXPECT_EQ(
        form->Album()->GetPhotos().PhotoAt(1)->GetDescription(), QStringLiteral("Grandma at the beach"));

    QTest::mouseClick(Find<QPushButton>("btnSaveChangesPhoto"), Qt::LeftButton);
    EXPECT_FALSE(form->ContentsChanged());
    ASSERT_TRUE(form->CloseCurrentAlbum());
    EXPECT_EQ(inAlbum->count(), 0);

    ASSERT_TRUE(form->OpenAlbum(albumFile));
    pages->setCurrentWidget(Find<QWidget>("ts_PhotosInAlbum"));
    ASSERT_EQ(inAlbum->count(), 2);
    ClickAlbumRow(1);
    EXPECT_EQ(description->toPlainText(), QStringLiteral("Grandma at the beach"));
    EXPECT_EQ(Find<QLineEdit>("eb_PhotoStatus")->text(), Language()->MF[48]);
    ClickAlbumRow(0);
    EXPECT_TRUE(description->toPlainText().isEmpty());
    EXPECT_FALSE(form->ContentsChanged());
}

TEST_F(AddingMainWindowTest, TheAddingPageSpeaksTheLanguageAndAddsAWholeFolder)
{
    ASSERT_TRUE(form->OpenAlbum(albumFile));
    ASSERT_TRUE(Find<TFolderTree>("stvPhotoFolders")->SetFolder(photos));
    TPhotosFromFolders* adding = form->PhotosPage()->PhotosFromFolders();
    ASSERT_NE(adding, nullptr);
    EXPECT_EQ(adding->ProcessAllMenu()->actions().at(0)->text(), Language()->MF[227]);
    EXPECT_EQ(adding->ProcessAllMenu()->actions().at(1)->text(), Language()->MF[226]);
    EXPECT_EQ(Find<QLineEdit>("eb_JPGQuality")->text(), QStringLiteral("100"));
    EXPECT_FALSE(Find<QPushButton>("pb_StopPhotoSearching")->isEnabled());

    QTest::mouseClick(Find<QPushButton>("pb_AddAllPhotos"), Qt::LeftButton);
    adding->ProcessAllMenu()->actions().at(1)->trigger();
    adding->ProcessAllMenu()->hide();
    EXPECT_EQ(form->Album()->GetPhotos().Count(), 3);
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 3);
    const TDialogCall* report = dialogs.LastCall(TDialogCall::Kind::MessageBox);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->text, Text::Format(Language()->MF[124], { 3 }));
}

TEST_F(AddingMainWindowTest, RenamedPhotosAreSavedWithTheAlbum)
{
    ASSERT_TRUE(form->OpenAlbum(albumFile));
    ASSERT_TRUE(form->PhotosPage()->PhotoList()->AddPhotoToAlbum(photos + QStringLiteral("/one.bmp"), -1));
    ASSERT_TRUE(form->PhotosPage()->PhotoList()->AddPhotoToAlbum(photos + QStringLiteral("/two.bmp"), -1));
    form->GoToAlbumPhotos();
    auto* inAlbum = Find<QListWidget>("lb_PhotosInAlbum");
    inAlbum->selectAll();

    RenameSettingsAnswer answer(QStringLiteral("Holiday.jpg"), QStringLiteral("1"), "rdbReplace");
    QTest::mouseClick(Find<QPushButton>("btnRenameSelectedPhotos"), Qt::LeftButton);

    const QStringList renamed
        = { photos + QStringLiteral("/Holiday_000001.bmp"), photos + QStringLiteral("/Holiday_000002.bmp") };
    ASSERT_EQ(answer.Seen, 1);
    EXPECT_EQ(inAlbum->item(0)->text(), renamed[0]);
    EXPECT_EQ(inAlbum->item(1)->text(), renamed[1]);
    EXPECT_TRUE(QFileInfo::exists(renamed[1]));
    EXPECT_FALSE(form->ContentsChanged());
    const std::unique_ptr<TAlbum> saved = TAlbum::CreateFromFile(albumFile, nullptr);
    ASSERT_EQ(saved->GetPhotos().Count(), 2);
    EXPECT_EQ(saved->GetPhotos().PhotoAt(0)->GetName(), renamed[0]);
    EXPECT_EQ(saved->GetPhotos().PhotoAt(1)->GetName(), renamed[1]);
}

} // namespace

TEST_F(AddingMainWindowTest, AnAddedPhotoShowsAsInTheAlbumAndGoToNextFollowsTheRows)
{
    ASSERT_TRUE(form->OpenAlbum(albumFile));
    auto* pages = Find<QTabWidget>("pc_Photos");
    auto* next = Find<QPushButton>("btnGoToNextPhoto");
    pages->setCurrentWidget(Find<QWidget>("ts_PhotosInAlbum"));
    EXPECT_FALSE(next->isEnabled());

    pages->setCurrentWidget(Find<QWidget>("ts_AvailablePhotos"));
    ASSERT_TRUE(Find<TFolderTree>("stvPhotoFolders")->SetFolder(photos));
    auto* available = Find<QListWidget>("lsbPhotos");
    QTest::mouseClick(available->viewport(), Qt::LeftButton, Qt::NoModifier,
        available->visualItemRect(available->item(0)).center());
    auto* status = Find<QLineEdit>("eb_PhotoStatus");
    EXPECT_EQ(status->text(), Language()->MF[47]);
    QTest::mouseClick(Find<QPushButton>("pb_AddPhoto"), Qt::LeftButton);
    ASSERT_EQ(form->Album()->GetPhotos().Count(), 1);
    EXPECT_EQ(status->text(), Language()->MF[48]);
    EXPECT_TRUE(next->isEnabled());

    // With every photo removed there is nothing to go to.
    pages->setCurrentWidget(Find<QWidget>("ts_PhotosInAlbum"));
    dialogs.QueueMessageResult(MessageResult::Yes);
    form->findChild<QAction*>(QStringLiteral("pmiAllFromAlbum"))->trigger();
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 0);
    EXPECT_FALSE(next->isEnabled());
}
