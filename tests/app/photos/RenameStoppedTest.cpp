// SPDX-License-Identifier: GPL-2.0-or-later
// A batch rename whose program is killed half-way, and the album opened again
// in a new start of the program.
#include "MainWindowFixture.h"
#include "RenameSettingsAnswer.h"
#include "model/PendingRenames.h"

#include <QComboBox>
#include <QImage>
#include <QSet>

#include <csignal>
#include <unistd.h>

namespace {

constexpr int PhotoCount = 300;
constexpr int RenamedBeforeTheKill = 270;

QString Description(int i)
{
    return QStringLiteral("Photo %1 by the lake").arg(i);
}
QString Year(int i)
{
    return QString::number(1950 + i);
}
QString EventName(int i)
{
    return i % 2 ? QStringLiteral("Wedding") : QStringLiteral("Party");
}
QStringList Labels(int i)
{
    QStringList labels { QStringLiteral("Anna") };
    if (i % 3 == 0)
        labels.append(QStringLiteral("Ben"));
    return labels;
}

// The folder the album and its photos are in: the test's own, handed by the
// environment to the copy of the program that runs the rename.
constexpr char SharedFolderVariable[] = "TAVRI_RENAME_STOPPED_FOLDER";

class RenameStopped : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        if (qEnvironmentVariableIsEmpty(SharedFolderVariable)) {
            qputenv(SharedFolderVariable, QFile::encodeName(Path(QStringLiteral("shared"))));
            ownsFolder = true;
        }
        const QString shared = qEnvironmentVariable(SharedFolderVariable);
        photos = shared + QStringLiteral("/photos");
        albumFile = shared + QStringLiteral("/albums/Trip.tvx");
    }

    void TearDown() override
    {
        if (ownsFolder)
            qunsetenv(SharedFolderVariable);
        MainWindow::TearDown();
    }

    // An album of photos that each carry a description, a year, labels and an event.
    void MakeAlbum()
    {
        QDir().mkpath(photos);
        QDir().mkpath(QFileInfo(albumFile).absolutePath());
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        TAlbum album(albumFile);
        for (const char* name : { "Anna", "Ben" })
            album.GetObjects().AddName(QLatin1String(name));
        for (const char* name : { "Party", "Wedding" })
            album.GetEvents().AddName(QLatin1String(name));
        for (int i = 0; i < PhotoCount; ++i) {
            const QString path = photos + QStringLiteral("/img_%1.bmp").arg(i, 3, 10, QLatin1Char('0'));
            ASSERT_TRUE(picture.save(path, "BMP"));
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(path);
            photo->SetDescription(Description(i));
            photo->SetYear(Year(i));
            photo->SetEventId(album.EventIdByName(EventName(i)));
            for (const QString& label : Labels(i))
                photo->GetObjectIds().Add(album.ObjectIdByName(label));
            album.GetPhotos().Add(std::move(photo));
        }
        album.SaveToFile();
    }

    // Where photo i is on disk after the kill: renamed in list order from
    // number 1 on, the first ones.
    QString PathOnDisk(int i) const
    {
        return i < RenamedBeforeTheKill
            ? photos + QStringLiteral("/Holiday_%1.bmp").arg(i + 1, 6, 10, QLatin1Char('0'))
            : photos + QStringLiteral("/img_%1.bmp").arg(i, 3, 10, QLatin1Char('0'));
    }

    void ClickRow(QListWidget* rows, int row)
    {
        QTest::mouseClick(
            rows->viewport(), Qt::LeftButton, Qt::NoModifier, rows->visualItemRect(rows->item(row)).center());
    }

    bool ownsFolder = false;
    QString photos;
    QString albumFile;
};

TEST_F(RenameStopped, AnAlbumOpenedAfterAKillShowsEveryPhotoWithItsInformation)
{
    ChosenLanguage();
    MakeAlbum();
    Start();
    ASSERT_TRUE(m_form->OpenAlbum(albumFile));
    m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_Photos"));
    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_PhotosInAlbum"));
    m_form->show();
    auto* rows = Find<QListWidget>("lb_PhotosInAlbum");
    ASSERT_EQ(rows->count(), PhotoCount);
    ClickRow(rows, 0);
    QTest::keyClick(rows, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(rows->selectedItems().size(), PhotoCount);

    // The rename runs in a copy of this program, started afresh (a bare fork
    // would wait forever on painting threads it does not have), and is killed
    // as by kill -9 once that many files carry their new names.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The killed copy cannot clear its own temporary folders: they go in ours.
    const QByteArray tempFolder = qgetenv("TMPDIR");
    QDir().mkpath(Path(QStringLiteral("copy-tmp")));
    qputenv("TMPDIR", QFile::encodeName(Path(QStringLiteral("copy-tmp"))));
    EXPECT_EXIT(
        {
            QSet<QListWidgetItem*> renamed;
            QObject::connect(rows, &QListWidget::itemChanged, [&renamed](QListWidgetItem* item) {
                if (item->text().contains(QStringLiteral("/Holiday_")))
                    renamed.insert(item);
                if (renamed.size() == RenamedBeforeTheKill)
                    ::kill(::getpid(), SIGKILL);
            });
            RenameSettingsAnswer answer(QStringLiteral("Holiday"), QStringLiteral("1"), "rdbReplace");
            QTest::mouseClick(Find<QPushButton>("btnRenameSelectedPhotos"), Qt::LeftButton);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    GTEST_FLAG_SET(death_test_style, style);
    if (tempFolder.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tempFolder);
    for (int i = 0; i < PhotoCount; ++i)
        ASSERT_TRUE(QFileInfo::exists(PathOnDisk(i))) << i;
    EXPECT_EQ(QDir(photos).entryList(QDir::Files).size(), PhotoCount);
    EXPECT_TRUE(QFileInfo::exists(TPendingRenames::FileNameOf(albumFile)));

    Restart();
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");
    ASSERT_GE(recent->count(), 1);
    ASSERT_EQ(recent->item(0)->text(), albumFile);
    m_form->show();
    m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_Albums"));
    Find<QTabWidget>("pc_Albums")->setCurrentWidget(Find<QWidget>("ts_RecentlyUsedAlbums"));
    // A double click: the first click of it, then the second.
    const QPoint row = recent->visualItemRect(recent->item(0)).center();
    QTest::mouseClick(recent->viewport(), Qt::LeftButton, Qt::NoModifier, row);
    QTest::mouseDClick(recent->viewport(), Qt::LeftButton, Qt::NoModifier, row);

    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(CurrentInner("pc_Photos"), QStringLiteral("ts_PhotosInAlbum"));
    rows = Find<QListWidget>("lb_PhotosInAlbum");
    ASSERT_EQ(rows->count(), PhotoCount);
    // Each photo with its own information, under the name its file has.
    const TAlbum& album = *m_form->Album();
    QStringList onDisk, shown, described, descriptions;
    for (int i = 0; i < PhotoCount; ++i) {
        onDisk.append(PathOnDisk(i));
        shown.append(rows->item(i)->text());
        descriptions.append(PathOnDisk(i) + u'=' + Description(i));
        const TPhoto* photo = album.GetPhotos().PhotoAt(i);
        described.append(photo->GetName() + u'=' + photo->GetDescription());
    }
    EXPECT_EQ(shown, onDisk);
    EXPECT_EQ(described, descriptions);
    // What the user sees of renamed photos and of ones the kill left alone.
    for (const int i : { 3, 269, 270, 299 }) {
        ClickRow(rows, i);
        EXPECT_EQ(Find<QLineEdit>("eb_PhotoName")->text(), PathOnDisk(i));
        EXPECT_EQ(Find<QPlainTextEdit>("mm_PhotoDescription")->toPlainText(), Description(i));
        EXPECT_EQ(Find<QLineEdit>("eb_Year")->text(), Year(i));
        EXPECT_EQ(Find<QComboBox>("cb_Event")->currentText(), EventName(i));
        auto* labels = Find<QListWidget>("lb_PhotoObjects");
        QStringList checked;
        for (int k = 0; k < labels->count(); ++k)
            if (labels->item(k)->checkState() == Qt::Checked)
                checked.append(labels->item(k)->text());
        EXPECT_EQ(checked, Labels(i)) << i;
    }

    // The album file lists the names on disk now, and the list of renames is gone.
    EXPECT_FALSE(m_form->ContentsChanged());
    EXPECT_FALSE(QFileInfo::exists(TPendingRenames::FileNameOf(albumFile)));
    const std::unique_ptr<TAlbum> saved = TAlbum::CreateFromFile(albumFile, nullptr);
    EXPECT_EQ(saved->RenamesTakenOver(), -1);
    QStringList listed;
    for (int i = 0; i < saved->GetPhotos().Count(); ++i)
        listed.append(saved->GetPhotos().PhotoAt(i)->GetName());
    EXPECT_EQ(listed, onDisk);
}

} // namespace
