// A search through the real main window: the photos found become a new album
// that the window opens in place of the current one.
#include "app/AlbumSession.h"
#include "app/PageControl.h"
#include "app/SearchPage.h"
#include "app/Tfm_MainForm.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/AppFolders.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Kind = TDialogCall::Kind;

class SearchMainWindowTest : public ::testing::Test {
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

        albumFile = dir.filePath(QStringLiteral("albums/Family.tvx"));
        QDir().mkpath(dir.filePath(QStringLiteral("albums")));
        TAlbum album(albumFile);
        for (const char* year : { "2004", "2005" }) {
            const QString path = dir.filePath(QStringLiteral("photo%1.bmp").arg(QLatin1String(year)));
            QImage picture(4, 3, QImage::Format_RGB32);
            picture.fill(Qt::green);
            ASSERT_TRUE(picture.save(path, "BMP"));
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(path);
            photo->SetYear(QString::fromLatin1(year));
            album.GetPhotos().Add(std::move(photo));
        }
        ASSERT_TRUE(album.SaveToFile());
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

    // Searches for the year; the result window makes an album of the hits in
    // newAlbum and asks to make it current, which is answered Yes.
    void SearchAndMakeAlbum(const QString& newAlbum)
    {
        form->pc_Album()->setCurrentWidget(form->SearchPage());
        Find<QCheckBox>("chb_YearSearch")->setChecked(true);
        Find<QLineEdit>("eb_YearSearch")->setText(QStringLiteral("2004"));
        auto* timer = new QTimer(form.get());
        QObject::connect(timer, &QTimer::timeout, [this, timer, newAlbum] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QStringLiteral("FormPhotoList") && widget->isVisible()) {
                    timer->stop();
                    dialogs.QueueSaveFile(newAlbum);
                    widget->findChild<QPushButton*>(QStringLiteral("ButtonShowThumbnailsAlbum"))->click();
                    if (widget->isVisible())
                        static_cast<QDialog*>(widget)->reject();
                }
            }
        });
        timer->start(10);
        Find<QPushButton>("pb_SearchForPhotos")->click();
        delete timer;
    }

    QTemporaryDir dir;
    QByteArray oldData;
    QByteArray oldConfig;
    QString albumFile;
    TScriptedDialogService dialogs;
    std::unique_ptr<Tfm_MainForm> form;
};

} // namespace

TEST_F(SearchMainWindowTest, AFoundAlbumOpensOnceTheCurrentOneIsClosed)
{
    ASSERT_TRUE(form->OpenAlbum(albumFile));
    form->SetContentsChanged(true);

    // Cancel in the save question keeps the current album.
    const QString first = dir.filePath(QStringLiteral("albums/Found.tvx"));
    dialogs.QueueMessageResult(MessageResult::Yes);
    dialogs.QueueMessageResult(MessageResult::Cancel);
    SearchAndMakeAlbum(first);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageDlg)->text, Language()->PLF[1]);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->text, Language()->MF[18]);
    EXPECT_EQ(form->Album()->GetFileName(), albumFile);
    EXPECT_TRUE(form->ContentsChanged());
    ASSERT_TRUE(QFileInfo::exists(first));

    const QString second = dir.filePath(QStringLiteral("albums/Found2004.tvx"));
    dialogs.QueueMessageResult(MessageResult::Yes);
    dialogs.QueueMessageResult(MessageResult::No);
    SearchAndMakeAlbum(second);
    ASSERT_NE(form->Album(), nullptr);
    EXPECT_EQ(form->Album()->GetFileName(), second);
    EXPECT_EQ(form->Album()->GetPhotos().Count(), 1);
    EXPECT_EQ(form->pc_Album()->currentWidget()->objectName(), QStringLiteral("ts_Albums"));
    EXPECT_FALSE(form->ContentsChanged());
}
