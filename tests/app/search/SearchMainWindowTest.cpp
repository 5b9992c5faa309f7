// SPDX-License-Identifier: GPL-2.0-or-later
// A search through the real main window: the photos found become a new album
// that the window opens in place of the current one.
#include "MainWindowFixture.h"

#include "app/search/SearchPage.h"

#include <QDialog>
#include <QImage>

namespace {

class SearchMainWindow : public MainWindow {
protected:
    // An album of two photos on disk, taken in 2004 and 2005.
    QString MakePhotoAlbum()
    {
        const QString file = MakeAlbum(Path(QStringLiteral("albums/Family.tvx")));
        TAlbum album(file);
        for (const char* year : { "2004", "2005" }) {
            const QString path = Path(QStringLiteral("photo%1.bmp").arg(QLatin1String(year)));
            QImage picture(4, 3, QImage::Format_RGB32);
            picture.fill(Qt::green);
            EXPECT_TRUE(picture.save(path, "BMP"));
            auto photo = std::make_unique<TPhoto>();
            photo->SetName(path);
            photo->SetYear(QString::fromLatin1(year));
            album.GetPhotos().Add(std::move(photo));
        }
        album.SaveToFile();
        return file;
    }

    // Searches for 2004; the result window makes an album of the hits in newAlbum.
    void SearchAndMakeAlbum(const QString& newAlbum)
    {
        m_form->pc_Album()->setCurrentWidget(m_form->SearchPage());
        Find<QCheckBox>("chb_YearSearch")->setChecked(true);
        Find<QLineEdit>("eb_YearSearch")->setText(QStringLiteral("2004"));
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [this, &watch, newAlbum] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QStringLiteral("FormPhotoList") && widget->isVisible()) {
                    watch.stop();
                    m_dialogs->QueueSaveFile(newAlbum);
                    widget->findChild<QPushButton*>(QStringLiteral("ButtonShowThumbnailsAlbum"))->click();
                    if (widget->isVisible())
                        static_cast<QDialog*>(widget)->reject();
                }
            }
        });
        watch.start(10);
        Find<QPushButton>("pb_SearchForPhotos")->click();
    }
};

} // namespace

TEST_F(SearchMainWindow, AFoundAlbumOpensOnceTheCurrentOneIsClosed)
{
    ChosenLanguage();
    const QString current = MakePhotoAlbum();
    Start();
    ASSERT_TRUE(m_form->OpenAlbum(current));
    m_form->SetContentsChanged(true);

    // Yes to making the found album current, then Cancel in the save question keeps the current album.
    const QString first = Path(QStringLiteral("albums/Found.tvx"));
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    m_dialogs->QueueMessageResult(MessageResult::Cancel);
    SearchAndMakeAlbum(first);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageDlg)->text, Language()->PLF[1]);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Language()->MF[18]);
    EXPECT_EQ(m_form->Album()->GetFileName(), current);
    EXPECT_TRUE(m_form->ContentsChanged());
    ASSERT_TRUE(QFileInfo::exists(first));

    const QString second = Path(QStringLiteral("albums/Found2004.tvx"));
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    m_dialogs->QueueMessageResult(MessageResult::No);
    SearchAndMakeAlbum(second);
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(m_form->Album()->GetFileName(), second);
    EXPECT_EQ(m_form->Album()->GetPhotos().Count(), 1);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Albums"));
    EXPECT_FALSE(m_form->ContentsChanged());
}
