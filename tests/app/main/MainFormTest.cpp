// SPDX-License-Identifier: GPL-2.0-or-later
#include "MainWindowFixture.h"
#include "app/albums/AlbumManager.h"

#include "app/main/ApplicationNames.h"
#include "app/photos/PhotosPage.h"
#include "app/shared/ProgramIcon.h"
#include "app/shared/Tfm_LanguageWindow.h"
#include "platform/SafeFile.h"

#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include <cerrno>
#include <unistd.h>

TEST_F(MainWindow, FirstStartAsksForTheLanguageAndStoresTheChoice)
{
    {
        LanguageWindowAnswer answer("bt_Dutch");
        Start();
        EXPECT_EQ(answer.Seen, 1);
    }
    EXPECT_EQ(CurrentLangType, LT_Dutch);
    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Languange"), QStringLiteral("Selected"), 0), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Languange"), QStringLiteral("LanguageID"), 0), 1);
    EXPECT_EQ(m_form->pc_Album()->tabText(0), Language()->MF[128] + QStringLiteral("  "));

    LanguageWindowAnswer later("bt_English");
    Restart();
    EXPECT_EQ(later.Seen, 0);
    EXPECT_EQ(CurrentLangType, LT_Dutch);
}

TEST_F(MainWindow, UnknownLanguageNumberStartsInEnglish)
{
    ChosenLanguage(7);
    LanguageWindowAnswer answer("bt_Dutch");
    Start();
    EXPECT_EQ(answer.Seen, 0);
    EXPECT_EQ(CurrentLangType, LT_Default);
    EXPECT_EQ(Find<QPushButton>("pb_CreateNewAlbum")->text(), QStringLiteral("Create &new"));
}

TEST_F(MainWindow, NoAlbumStateAtStart)
{
    ChosenLanguage();
    Start();
    EXPECT_EQ(m_form->windowTitle(),
        QStringLiteral("Tavrimolex 2005 (") + VersionInfo.FileVersion
            + QStringLiteral(") - no album opened"));
    EXPECT_TRUE(TabShown("ts_Albums"));
    EXPECT_FALSE(TabShown("ts_Photos"));
    EXPECT_FALSE(TabShown("ts_Objects"));
    EXPECT_FALSE(TabShown("ts_Events"));
    EXPECT_FALSE(TabShown("ts_Search"));
    EXPECT_TRUE(TabShown("ts_HTML"));
    EXPECT_TRUE(TabShown("ts_Help"));
    EXPECT_FALSE(Find<QPushButton>("pb_SaveAlbum")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("pb_CloseAlbum")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("pb_RenameAlbum")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("pb_CreateHTML")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("pb_CreateNewAlbum")->isEnabled());
    for (int i = 0; i < m_form->pc_Album()->count(); ++i)
        EXPECT_TRUE(m_form->pc_Album()->tabText(i).endsWith(QStringLiteral("  ")));
    EXPECT_FALSE(m_form->pc_Album()->tabText(0).endsWith(QStringLiteral("   ")));
    EXPECT_EQ(
        Find<QWidget>("gb_AlbumAction")->property("title").toString(), QStringLiteral(" Album action "));
}

namespace {

// The title the desktop shows for a window. Qt's desktop plugins add the
// application's display name to the title the window carries, once one was
// set; windowTitle() does not show it. A name set by the program stays put
// when the application's name changes; one Qt takes from that name follows it.
QString TitleShown(QWidget* window)
{
    const QString title = window->windowHandle()->title();
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name + QStringLiteral(" probe"));
    const QString display = QGuiApplication::applicationDisplayName();
    const bool displayNameSet = display != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);
    if (!displayNameSet || title.endsWith(display))
        return title;
    return title + QStringLiteral(" \u2014 ") + display;
}

} // namespace

TEST_F(MainWindow, TitlesAndCaptionsReachTheDesktopAsTheProgramWritesThem)
{
    const QString name = QCoreApplication::applicationName();
    const QString desktopName = QGuiApplication::desktopFileName();
    SetApplicationNames();
    // The desktop's window class and its entry still name the program.
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Tavrimolex 2005"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("tavrimolex"));

    ChosenLanguage();
    const QString album = MakeAlbum(Path(QStringLiteral("albums/Trip.tvx")));
    const QString photo = Path(QStringLiteral("in/one.jpg"));
    WriteFile(photo, "data");
    Start({ album });
    EXPECT_EQ(TitleShown(m_form.get()).toStdString(),
        (QStringLiteral("Tavrimolex 2005 (") + VersionInfo.FileVersion + QStringLiteral(") - Trip.tvx"))
            .toStdString());

    // A message box of the real dialogs, read while it is up and closed with its button.
    TDialogService* scripted = SetDialogService(nullptr);
    QString caption;
    QTimer::singleShot(0, m_form.get(), [&caption] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (box && box->isVisible()) {
                caption = TitleShown(box);
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            }
        }
    });
    EXPECT_EQ(m_form->DropFiles({ photo }), 1);
    SetDialogService(scripted);
    EXPECT_EQ(caption.toStdString(), Language()->MF[191].toStdString());

    QCoreApplication::setApplicationName(name);
    QGuiApplication::setDesktopFileName(desktopName);
}

TEST_F(MainWindow, TheWindowCarriesTheProgramIconInEverySize)
{
    ChosenLanguage();
    Start();
    const QIcon icon = m_form->windowIcon();
    QList<int> sides;
    for (const QSize& size : icon.availableSizes())
        sides << size.width();
    EXPECT_EQ(sides, (QList<int> { 16, 24, 32, 48, 64, 128, 256 }));
    // The window system is handed the installed picture of each size.
    EXPECT_EQ(icon.pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
        ProgramIconImage(48).convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST_F(MainWindow, HelpTextIsLoadedOrItsAbsenceReported)
{
    ChosenLanguage();
    Start();
    const TDialogCall* note = m_dialogs->LastCall(Kind::ShowMessage);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text,
        Text::Format(Language()->MF[102], { m_program + QStringLiteral("/help.rtf"), "Tavrimolex 2005" }));

    const QString bin = qEnvironmentVariable("TAVRI_BIN_DIR");
    if (bin.isEmpty())
        GTEST_SKIP() << "TAVRI_BIN_DIR not set";
    ASSERT_TRUE(QFile::copy(bin + QStringLiteral("/help.rtf"), m_program + QStringLiteral("/help.rtf")));
    m_dialogs->Clear();
    Restart();
    EXPECT_EQ(m_dialogs->CallCount(Kind::ShowMessage), 0);
    QTabBar* tabs = m_form->pc_Album()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier,
        tabs->tabRect(m_form->pc_Album()->indexOf(Find<QWidget>("ts_Help"))).center());
    EXPECT_TRUE(Find<QTextEdit>("redHelp")->toPlainText().contains(QStringLiteral("Creating an album")));
}

TEST_F(MainWindow, CommandLineOpensOnlyLowerCaseAlbumExtension)
{
    ChosenLanguage();
    const QString album = MakeAlbum(Path(QStringLiteral("albums/Trip.tvx")), QStringLiteral("Summer"));
    Start({ album });
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(m_form->Album()->GetFileName(), album);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Photos"));
    EXPECT_EQ(CurrentInner("pc_Photos"), QStringLiteral("ts_PhotosInAlbum"));
    EXPECT_EQ(Find<QPlainTextEdit>("mm_AlbumDescription")->toPlainText(), QStringLiteral("Summer"));
    EXPECT_TRUE(m_form->windowTitle().endsWith(QStringLiteral(") - Trip.tvx")));
    EXPECT_FALSE(m_form->ContentsChanged());

    const QString capitals = MakeAlbum(Path(QStringLiteral("albums/Loud.TVX")));
    Restart({ capitals });
    EXPECT_EQ(m_form->Album(), nullptr);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Albums"));

    Restart({ Path(QStringLiteral("albums/missing.tvx")) });
    EXPECT_EQ(m_form->Album(), nullptr);
    EXPECT_EQ(m_dialogs->CallCount(Kind::MessageBox), 0);
}

TEST_F(MainWindow, CreateAlbumWritesANewEmptyAlbumFile)
{
    ChosenLanguage();
    Start();
    const QString name = Path(QStringLiteral("albums/Holiday"));
    QDir().mkpath(Path(QStringLiteral("albums")));
    Find<QLineEdit>("eb_AlbumName")->setText(name);
    m_dialogs->QueueMessageResult(6);
    Find<QPushButton>("pb_CreateNewAlbum")->click();

    const QString file = name + QStringLiteral(".tvx");
    const TDialogCall* question = m_dialogs->LastCall(Kind::MessageBox);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text, Text::Format(Language()->MF[5], { file }));
    EXPECT_EQ(question->flags, 52);
    EXPECT_EQ(QFileInfo(file).size(), 20);
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(Find<QLineEdit>("eb_AlbumName")->text(), file);
    EXPECT_TRUE(m_form->windowTitle().endsWith(QStringLiteral(") - Holiday.tvx")));
    EXPECT_TRUE(TabShown("ts_Photos"));
    EXPECT_TRUE(Find<QPushButton>("pb_SaveAlbum")->isEnabled());
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Photos"));
    EXPECT_EQ(CurrentInner("pc_Photos"), QStringLiteral("ts_AvailablePhotos"));
    EXPECT_EQ(m_form->AlbumsPage()->RecentAlbums(), QStringList { file });
    auto* files = Find<QListWidget>("lsbAlbumFiles");
    ASSERT_NE(files->currentItem(), nullptr);
    EXPECT_EQ(files->currentItem()->text(), QStringLiteral("Holiday.tvx"));
    EXPECT_FALSE(m_form->ContentsChanged());
}

TEST_F(MainWindow, CreateAlbumWithoutNameAsksForOne)
{
    ChosenLanguage();
    Start();
    Find<QPushButton>("pb_CreateNewAlbum")->click();
    const TDialogCall* warning = m_dialogs->LastCall(Kind::MessageBox);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->text, Language()->MF[0]);
    EXPECT_EQ(warning->flags, 48);
    EXPECT_EQ(Find<QLineEdit>("eb_AlbumName")->text(), Language()->MF[2]);
    EXPECT_EQ(m_form->Album(), nullptr);
}

TEST_F(MainWindow, CreateOverAnExistingFileAsksAndAnswerNoKeepsIt)
{
    ChosenLanguage();
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Old.tvx")), QStringLiteral("keep me"));
    const qint64 size = QFileInfo(file).size();
    Start();
    Find<QLineEdit>("eb_AlbumName")->setText(file);
    m_dialogs->QueueMessageResult(7);
    Find<QPushButton>("pb_CreateNewAlbum")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Text::Format(Language()->MF[3], { file }));
    EXPECT_EQ(QFileInfo(file).size(), size);
    EXPECT_EQ(m_form->Album(), nullptr);
}

TEST_F(MainWindow, CreatingOverALinkReplacesTheNameNotTheAlbumBehindIt)
{
    ChosenLanguage();
    const QString precious
        = MakeAlbum(Path(QStringLiteral("albums/Precious.tvx")), QStringLiteral("keep me"));
    const auto content = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray bytes = content(precious);
    const QString soft = Path(QStringLiteral("albums/Soft.tvx"));
    const QString hard = Path(QStringLiteral("albums/Hard.tvx"));
    ASSERT_TRUE(QFile::link(precious, soft));
    ASSERT_EQ(::link(QFile::encodeName(precious).constData(), QFile::encodeName(hard).constData()), 0);
    Start();

    for (const QString& name : { soft, hard }) {
        m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_Albums"));
        Find<QLineEdit>("eb_AlbumName")->setText(name);
        m_dialogs->QueueMessageResult(MessageResult::Yes);
        QTest::mouseClick(Find<QPushButton>("pb_CreateNewAlbum"), Qt::LeftButton);

        EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Text::Format(Language()->MF[3], { name }));
        ASSERT_NE(m_form->Album(), nullptr);
        EXPECT_EQ(m_form->Album()->GetFileName(), name);
        EXPECT_FALSE(QFileInfo(name).isSymLink());
        EXPECT_EQ(QFileInfo(name).size(), 20);
        EXPECT_EQ(content(precious), bytes) << name.toStdString();
    }
}

TEST_F(MainWindow, OpenFromRecentListAndCloseWithYesNoCancel)
{
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Family.tvx")), QStringLiteral("old"));
    ChosenLanguage(0, QStringLiteral("[AlbumList]\r\nAmount=1\r\nAlbum1=") + file + QStringLiteral("\r\n"));
    Start();
    EXPECT_EQ(CurrentInner("pc_Albums"), QStringLiteral("ts_RecentlyUsedAlbums"));
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");
    ASSERT_EQ(recent->count(), 1);
    recent->setCurrentRow(0);
    Find<QPushButton>("pb_OpenAlbum")->click();
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Photos"));
    EXPECT_EQ(CurrentInner("pc_Photos"), QStringLiteral("ts_PhotosInAlbum"));

    auto* description = Find<QPlainTextEdit>("mm_AlbumDescription");
    description->setPlainText(QStringLiteral("new"));
    EXPECT_TRUE(m_form->ContentsChanged());

    m_dialogs->QueueMessageResult(2);
    Find<QPushButton>("pb_CloseAlbum")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->flags, 51);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Language()->MF[18]);
    EXPECT_NE(m_form->Album(), nullptr);

    m_dialogs->QueueMessageResult(7);
    Find<QPushButton>("pb_CloseAlbum")->click();
    EXPECT_EQ(m_form->Album(), nullptr);
    EXPECT_TRUE(m_form->windowTitle().endsWith(QStringLiteral("no album opened")));
    EXPECT_EQ(TAlbum::CreateFromFile(file, nullptr)->GetDescription(), QStringLiteral("old"));

    recent->setCurrentRow(0);
    Find<QPushButton>("pb_OpenAlbum")->click();
    ASSERT_NE(m_form->Album(), nullptr);
    description->setPlainText(QStringLiteral("newer"));
    m_dialogs->QueueMessageResult(6);
    Find<QPushButton>("pb_CloseAlbum")->click();
    EXPECT_EQ(m_form->Album(), nullptr);
    EXPECT_EQ(TAlbum::CreateFromFile(file, nullptr)->GetDescription(), QStringLiteral("newer"));
}

TEST_F(MainWindow, TheAlbumOpenIsKnownByItsFileNotByTheNameTyped)
{
    const QString a = MakeAlbum(Path(QStringLiteral("albums/A.tvx")));
    const QString b = MakeAlbum(Path(QStringLiteral("albums/B.tvx")));
    ChosenLanguage(0, QStringLiteral("[AlbumList]\r\nAmount=2\r\nAlbum1=%1\r\nAlbum2=%2\r\n").arg(a, b));
    Start({ a });
    m_form->show();
    auto* name = Find<QLineEdit>("eb_AlbumName");
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");
    const auto doubleClick = [&](const QString& file) {
        m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_Albums"));
        Find<QTabWidget>("pc_Albums")->setCurrentWidget(Find<QWidget>("ts_RecentlyUsedAlbums"));
        const QList<QListWidgetItem*> rows = recent->findItems(file, Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1);
        const QPoint at = recent->visualItemRect(rows.first()).center();
        QTest::mouseClick(recent->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(recent->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };

    // A name typed for a new album is no open album: the album asked for opens.
    name->setText(b);
    doubleClick(b);
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(m_form->Album()->GetFileName(), b);
    EXPECT_EQ(name->text(), b);

    // The open album asked for again, whatever the field holds, is left as it
    // is: no question about its changes, nothing read anew.
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("changed"));
    name->setText(a);
    m_dialogs->Clear();
    doubleClick(b);
    EXPECT_EQ(m_dialogs->CallCount(Kind::MessageBox), 0);
    EXPECT_EQ(m_form->Album()->GetFileName(), b);
    EXPECT_EQ(m_form->Album()->GetDescription(), QStringLiteral("changed"));
    EXPECT_TRUE(m_form->ContentsChanged());
}

TEST_F(MainWindow, SaveWritesTheDescription)
{
    ChosenLanguage();
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Save.tvx")));
    Start({ file });
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("saved text"));
    Find<QPushButton>("pb_SaveAlbum")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::ShowMessage)->text, Language()->MF[13]);
    EXPECT_FALSE(m_form->ContentsChanged());
    EXPECT_EQ(TAlbum::CreateFromFile(file, nullptr)->GetDescription(), QStringLiteral("saved text"));
}

TEST_F(MainWindow, FailedOpenLeavesTheNoAlbumStateAndSaveCannotCrash)
{
    ChosenLanguage();
    const QString good = MakeAlbum(Path(QStringLiteral("albums/Good.tvx")));
    const QString bad = Path(QStringLiteral("albums/Bad.tvx"));
    WriteFile(bad, QByteArray("\x07\x00\x00", 3));
    Start({ good });
    ASSERT_NE(m_form->Album(), nullptr);

    // Unchanged: a missing file leaves the album open.
    EXPECT_FALSE(m_form->OpenAlbum(Path(QStringLiteral("albums/Gone.tvx"))));
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->flags, 48);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->caption, Language()->MF[12]);
    ASSERT_NE(m_form->Album(), nullptr);

    // Unchanged: a file that does not read leaves the album open too.
    EXPECT_FALSE(m_form->OpenAlbum(bad));
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->flags, 16);
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(Find<QLineEdit>("eb_AlbumName")->text(), good);

    // Changed and closed first: the window shows that no album is held.
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("x"));
    m_dialogs->QueueMessageResult(7);
    EXPECT_FALSE(m_form->OpenAlbum(bad));
    EXPECT_EQ(m_form->Album(), nullptr);
    EXPECT_TRUE(m_form->windowTitle().endsWith(QStringLiteral("no album opened")));
    EXPECT_FALSE(TabShown("ts_Photos"));
    EXPECT_FALSE(Find<QPushButton>("pb_SaveAlbum")->isEnabled());
    // The buttons are disabled; their handlers do nothing without an album either.
    TAlbumManager& albums = m_form->AlbumsPage()->Manager();
    albums.pb_SaveAlbumClick();
    albums.pb_RenameAlbumClick();
    albums.pb_CloseAlbumClick();
    EXPECT_EQ(m_form->Album(), nullptr);
}

TEST_F(MainWindow, RenameUpdatesFileListAndCaption)
{
    ChosenLanguage();
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Trip.tvx")));
    MakeAlbum(Path(QStringLiteral("albums/Taken.tvx")));
    Start({ file });
    ASSERT_TRUE(Find<TFolderTree>("stvAlbumFolders")->SetFolder(Path(QStringLiteral("albums"))));
    // A path instead of a name would move the album out of its folder.
    m_dialogs->QueueInput(QStringLiteral("../Moved"));
    m_dialogs->QueueInput(QStringLiteral("Taken"));
    m_dialogs->QueueInput(QStringLiteral("Journey"));
    Find<QPushButton>("pb_RenameAlbum")->click();
    QStringList messages;
    for (const TDialogCall& call : m_dialogs->Calls())
        if (call.kind == Kind::ShowMessage)
            messages.append(call.text);
    EXPECT_TRUE(messages.contains(Text::Format(Language()->MF[7], { QStringLiteral("../Moved") })));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("Moved.tvx"))));
    EXPECT_EQ(m_dialogs->LastCall(Kind::ShowMessage)->text, Language()->MF[403]);
    const QString renamed = Path(QStringLiteral("albums/Journey.tvx"));
    auto* files = Find<QListWidget>("lsbAlbumFiles");
    EXPECT_EQ(files->findItems(QStringLiteral("Journey.tvx"), Qt::MatchExactly).size(), 1);
    EXPECT_TRUE(files->findItems(QStringLiteral("Trip.tvx"), Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(renamed));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(m_form->Album()->GetFileName(), renamed);
    EXPECT_EQ(Find<QLineEdit>("eb_AlbumName")->text(), renamed);
    EXPECT_TRUE(m_form->windowTitle().endsWith(QStringLiteral(") - Journey.tvx")));
    EXPECT_EQ(m_form->AlbumsPage()->RecentAlbums().first(), renamed);

    // Letter case makes another name here: the album takes it, and the recent
    // list keeps an album whose name differs from it only in case.
    const QString other = MakeAlbum(Path(QStringLiteral("albums/JOURNEY.tvx")));
    ASSERT_TRUE(m_form->OpenAlbum(other));
    ASSERT_TRUE(m_form->OpenAlbum(renamed));
    EXPECT_EQ(m_form->AlbumsPage()->RecentAlbums().mid(0, 2), (QStringList { renamed, other }));
    QFile::remove(other);
    m_dialogs->QueueInput(QStringLiteral("JOURNEY"));
    QTest::mouseClick(Find<QPushButton>("pb_RenameAlbum"), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_FALSE(QFileInfo::exists(renamed));
    EXPECT_EQ(m_form->Album()->GetFileName(), other);
}

TEST_F(MainWindow, RenamingToANameTooLongForTheDiscRenamesNothingAndSaysWhy)
{
    ChosenLanguage();
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Trip.tvx")));
    WriteFile(Path(QStringLiteral("albums/Trip_thumbnails/thumbnails.pct")), "40\r\n40\r\n");
    Start({ file });
    m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_Albums"));
    // Too long for the album file; then short enough for the album file, but
    // not for its thumbnail folder, which would be parted from it.
    m_dialogs->QueueInput(QString(300, u'x'));
    m_dialogs->QueueInput(QString(250, u'y'));
    const size_t before = m_dialogs->Calls().size();
    QTest::mouseClick(Find<QPushButton>("pb_RenameAlbum"), Qt::LeftButton);

    const QString tooLong = Language()->MF[404] + QStringLiteral("\r\r") + SystemErrorText(ENAMETOOLONG);
    QStringList messages;
    for (size_t i = before; i < m_dialogs->Calls().size(); ++i)
        if (m_dialogs->Calls()[i].kind == Kind::ShowMessage)
            messages.append(m_dialogs->Calls()[i].text);
    EXPECT_EQ(messages, QStringList({ tooLong, tooLong }));
    EXPECT_EQ(QDir(Path(QStringLiteral("albums"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList({ QStringLiteral("Trip.tvx"), QStringLiteral("Trip_thumbnails") }));
    EXPECT_EQ(m_form->Album()->GetFileName(), file);
    EXPECT_EQ(Find<QLineEdit>("eb_AlbumName")->text(), file);
}

TEST_F(MainWindow, RemoveFromListAndFromDisc)
{
    const QString a = MakeAlbum(Path(QStringLiteral("albums/A.tvx")));
    const QString b = MakeAlbum(Path(QStringLiteral("albums/B.tvx")));
    const QString c = MakeAlbum(Path(QStringLiteral("albums/C.tvx")));
    WriteFile(Path(QStringLiteral("albums/C_thumbnails/thumbnails.pct")), "1");
    WriteFile(Path(QStringLiteral("albums/C_thumbnails/x.jpg")), "x");
    ChosenLanguage(
        0, QStringLiteral("[AlbumList]\r\nAmount=3\r\nAlbum1=%1\r\nAlbum2=%2\r\nAlbum3=%3\r\n").arg(a, b, c));
    Start();
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");

    recent->setCurrentRow(-1);
    Find<QPushButton>("pb_RemoveAlbumFromList")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Language()->MF[22]);

    recent->setCurrentRow(1);
    Find<QPushButton>("pb_RemoveAlbumFromList")->click();
    EXPECT_EQ(m_form->AlbumsPage()->RecentAlbums(), (QStringList { a, c }));
    EXPECT_TRUE(QFileInfo::exists(b));
    EXPECT_EQ(recent->currentRow(), 1);
    EXPECT_EQ(
        IniFile(SettingsFile()).ReadInteger(QStringLiteral("AlbumList"), QStringLiteral("Amount"), 0), 2);

    recent->setCurrentRow(1);
    m_dialogs->QueueMessageResult(6);
    Find<QPushButton>("pb_RemoveAlbumFromDisc")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Language()->MF[26]);
    EXPECT_FALSE(QFileInfo::exists(c));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("albums/C_thumbnails"))));
    EXPECT_EQ(m_form->AlbumsPage()->RecentAlbums(), QStringList { a });
    EXPECT_EQ(recent->currentRow(), 0);

    // The open album is taken off the list, never off the disc.
    ASSERT_TRUE(m_form->OpenAlbum(a));
    recent->setCurrentRow(0);
    m_dialogs->QueueMessageResult(6);
    Find<QPushButton>("pb_RemoveAlbumFromDisc")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Language()->MF[24]);
    EXPECT_TRUE(QFileInfo::exists(a));
    EXPECT_TRUE(m_form->AlbumsPage()->RecentAlbums().isEmpty());
    EXPECT_FALSE(Find<QPushButton>("pb_RemoveAlbumFromDisc")->isEnabled());
}

TEST_F(MainWindow, RemovingFromDiscLeavesWhatALinkedThumbnailFolderPointsTo)
{
    const QString album = MakeAlbum(Path(QStringLiteral("albums/Linked.tvx")));
    const QString outside = Path(QStringLiteral("elsewhere/keep.jpg"));
    WriteFile(outside, "precious");
    ASSERT_TRUE(
        QFile::link(Path(QStringLiteral("elsewhere")), Path(QStringLiteral("albums/Linked_thumbnails"))));
    ChosenLanguage(0, QStringLiteral("[AlbumList]\r\nAmount=1\r\nAlbum1=") + album + QStringLiteral("\r\n"));
    Start();
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");
    recent->setCurrentRow(0);
    m_dialogs->QueueMessageResult(6);
    Find<QPushButton>("pb_RemoveAlbumFromDisc")->click();
    EXPECT_FALSE(QFileInfo::exists(album));
    EXPECT_FALSE(QFileInfo(Path(QStringLiteral("albums/Linked_thumbnails"))).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_EQ(recent->count(), 0);
}

TEST_F(MainWindow, TheOpenAlbumStaysOnDiscUnderAnotherSpellingOfItsPath)
{
    const QString album = MakeAlbum(Path(QStringLiteral("albums/Open.tvx")));
    ASSERT_TRUE(QFile::link(Path(QStringLiteral("albums")), Path(QStringLiteral("viaLink"))));
    const QString other = Path(QStringLiteral("viaLink/Open.tvx"));
    ChosenLanguage(0, QStringLiteral("[AlbumList]\r\nAmount=1\r\nAlbum1=") + other + QStringLiteral("\r\n"));
    Start({ album });
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");
    const int row = int(m_form->AlbumsPage()->RecentAlbums().indexOf(other));
    ASSERT_GE(row, 0);
    recent->setCurrentRow(row);
    m_dialogs->QueueMessageResult(6);
    Find<QPushButton>("pb_RemoveAlbumFromDisc")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Language()->MF[24]);
    EXPECT_TRUE(QFileInfo::exists(album));
    EXPECT_FALSE(m_form->AlbumsPage()->RecentAlbums().contains(other));
}

TEST_F(MainWindow, RemoveFromDiscThatFailsKeepsTheRow)
{
    const QString locked = Path(QStringLiteral("locked/L.tvx"));
    MakeAlbum(locked);
    ChosenLanguage(0, QStringLiteral("[AlbumList]\r\nAmount=1\r\nAlbum1=") + locked + QStringLiteral("\r\n"));
    QFile::setPermissions(Path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(Path(QStringLiteral("locked"))).isWritable()) {
        QFile::setPermissions(
            Path(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    Start();
    auto* recent = Find<QListWidget>("lsbRecentlyUsedAlbums");
    recent->setCurrentRow(0);
    m_dialogs->QueueMessageResult(6);
    Find<QPushButton>("pb_RemoveAlbumFromDisc")->click();
    QFile::setPermissions(
        Path(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->caption, Language()->MF[60]);
    EXPECT_TRUE(QFileInfo::exists(locked));
    EXPECT_EQ(recent->count(), 1);
}

TEST_F(MainWindow, RecentListKeepsThirtyNewestFirst)
{
    ChosenLanguage();
    Start();
    for (int i = 1; i <= 31; ++i)
        m_form->AlbumsPage()->AddRecentAlbum(QStringLiteral("/albums/a%1.tvx").arg(i));
    QStringList recent = m_form->AlbumsPage()->RecentAlbums();
    ASSERT_EQ(recent.size(), 30);
    EXPECT_EQ(recent.first(), QStringLiteral("/albums/a31.tvx"));
    EXPECT_EQ(recent.last(), QStringLiteral("/albums/a2.tvx"));

    // Opening one already listed moves it to the top without dropping another.
    m_form->AlbumsPage()->AddRecentAlbum(QStringLiteral("/albums/a10.tvx"));
    recent = m_form->AlbumsPage()->RecentAlbums();
    EXPECT_EQ(recent.size(), 30);
    EXPECT_EQ(recent.first(), QStringLiteral("/albums/a10.tvx"));
    EXPECT_EQ(recent.last(), QStringLiteral("/albums/a2.tvx"));
    EXPECT_EQ(recent.count(QStringLiteral("/albums/a10.tvx")), 1);

    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("AlbumList"), QStringLiteral("Amount"), 0), 30);
    EXPECT_EQ(ini.ReadString(QStringLiteral("AlbumList"), QStringLiteral("Album1"), QString()),
        QStringLiteral("/albums/a10.tvx"));

    // A settings file with more rows than allowed is read up to the limit.
    Restart();
    EXPECT_EQ(m_form->AlbumsPage()->RecentAlbums().size(), 30);
}

TEST_F(MainWindow, SettingsAreWrittenWhenTheWindowCloses)
{
    ChosenLanguage();
    const QString folder = Path(QStringLiteral("albums"));
    MakeAlbum(folder + QStringLiteral("/Z.tvx"));
    MakeAlbum(folder + QStringLiteral("/a.tvx"));
    Start();
    auto* tree = Find<TFolderTree>("stvAlbumFolders");
    ASSERT_TRUE(tree->SetFolder(folder));
    // The folder's albums are listed, sorted by name ignoring case.
    auto* files = Find<QListWidget>("lsbAlbumFiles");
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(0)->text(), QStringLiteral("a.tvx"));
    m_form.reset();
    IniFile ini(SettingsFile());
    EXPECT_EQ(
        ini.ReadString(QStringLiteral("UserPaths"), QStringLiteral("stvAlbumFolders"), QString()), folder);
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("UserPaths"), QStringLiteral("stvFoldersForHTML")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Intro Window"), QStringLiteral("Show"), QString()),
        QStringLiteral("0"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("AlbumList"), QStringLiteral("Amount"), QString()),
        QStringLiteral("0"));

    Restart();
    EXPECT_EQ(Find<TFolderTree>("stvAlbumFolders")->Folder(), folder);
    EXPECT_EQ(Find<QListWidget>("lsbAlbumFiles")->count(), 2);
}

TEST_F(MainWindow, DroppedPhotosAreAddedAndCounted)
{
    ChosenLanguage();
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Drop.tvx")));
    const QStringList dropped = { Path(QStringLiteral("in/notes.txt")), Path(QStringLiteral("in/one.jpg")),
        Path(QStringLiteral("in/two.JPG")) };
    for (const QString& f : dropped)
        WriteFile(f, "data");
    Start();
    EXPECT_EQ(m_form->DropFiles(dropped), 0);
    EXPECT_EQ(m_dialogs->CallCount(Kind::MessageBox), 0);

    ASSERT_TRUE(m_form->OpenAlbum(file));
    EXPECT_EQ(m_form->DropFiles(dropped), 2);
    const TDialogCall* report = m_dialogs->LastCall(Kind::MessageBox);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->text, Text::Format(Language()->MF[190], { 2 }));
    EXPECT_EQ(report->caption, Language()->MF[191]);
    EXPECT_EQ(report->flags, 64);
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 2);
    EXPECT_EQ(m_form->Album()->GetPhotos().Count(), 2);
    EXPECT_TRUE(m_form->ContentsChanged());
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Photos"));
    EXPECT_EQ(CurrentInner("pc_Photos"), QStringLiteral("ts_PhotosInAlbum"));

    // The same photos again are already in the album, also by another spelling
    // of their folder; a ".jpeg" photo is a photo too.
    EXPECT_EQ(m_form->DropFiles(dropped), 0);
    EXPECT_EQ(m_form->DropFiles({ Path(QStringLiteral("in/../in/one.jpg")) }), 0);
    WriteFile(Path(QStringLiteral("in/three.jpeg")), "data");
    EXPECT_EQ(m_form->DropFiles({ Path(QStringLiteral("in/three.jpeg")) }), 1);
}

TEST_F(MainWindow, DroppedFilesAreTakenAsACopyNeverAsAMove)
{
    ChosenLanguage();
    const QString one = Path(QStringLiteral("in/one.jpg"));
    const QString two = Path(QStringLiteral("in/two.jpg"));
    WriteFile(one, "data");
    WriteFile(two, "data");
    Start({ MakeAlbum(Path(QStringLiteral("albums/Drop.tvx"))) });
    QMimeData first;
    first.setUrls({ QUrl::fromLocalFile(one) });
    const QPoint at = m_form->rect().center();
    // With Shift held a file manager proposes to move what it drags: the
    // window answers that it copies, so the originals stay where they are.
    const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, copyOrMove, &first, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(enter.proposedAction(), Qt::MoveAction);
    QCoreApplication::sendEvent(m_form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDragMoveEvent over(at, copyOrMove, &first, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(m_form.get(), &over);
    EXPECT_TRUE(over.isAccepted());
    EXPECT_EQ(over.dropAction(), Qt::CopyAction);
    QDropEvent drop(at, copyOrMove, &first, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(m_form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_EQ(m_form->Album()->GetPhotos().Count(), 1);

    // A source that can only move its files is refused, and nothing is added.
    QMimeData second;
    second.setUrls({ QUrl::fromLocalFile(two) });
    QDragEnterEvent moveOnlyEnter(at, Qt::MoveAction, &second, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form.get(), &moveOnlyEnter);
    EXPECT_FALSE(moveOnlyEnter.isAccepted());
    QDropEvent moveOnly(at, Qt::MoveAction, &second, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form.get(), &moveOnly);
    EXPECT_FALSE(moveOnly.isAccepted());
    EXPECT_EQ(m_form->Album()->GetPhotos().Count(), 1);

    // One that offers a link gets a link.
    const Qt::DropActions linkOrMove = Qt::LinkAction | Qt::MoveAction;
    QDragEnterEvent linkEnter(at, linkOrMove, &second, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form.get(), &linkEnter);
    EXPECT_EQ(linkEnter.dropAction(), Qt::LinkAction);
    QDropEvent link(at, linkOrMove, &second, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form.get(), &link);
    EXPECT_TRUE(link.isAccepted());
    EXPECT_EQ(link.dropAction(), Qt::LinkAction);
    EXPECT_EQ(m_form->Album()->GetPhotos().Count(), 2);
}

TEST_F(MainWindow, ClosingIsRefusedWhileALongOperationRuns)
{
    ChosenLanguage();
    Start();
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Busy.tvx")));
    ASSERT_TRUE(m_form->OpenAlbum(file));
    {
        TBusyGuard busy;
        ASSERT_TRUE(busy.Acquired());
        EXPECT_FALSE(m_form->close());
        EXPECT_TRUE(m_form->isVisible());
        // Nor may the album it works on be closed or replaced under it.
        Find<QPushButton>("pb_CloseAlbum")->click();
        EXPECT_NE(m_form->Album(), nullptr);
        EXPECT_FALSE(m_form->OpenAlbum(MakeAlbum(Path(QStringLiteral("albums/Other.tvx")))));
        EXPECT_EQ(m_form->Album()->GetFileName(), file);
        // Photos dropped meanwhile would land in an album the operation may replace.
        const QString photo = Path(QStringLiteral("in/busy.jpg"));
        WriteFile(photo, "data");
        EXPECT_EQ(m_form->DropFiles({ photo }), 0);
        EXPECT_EQ(m_form->Album()->GetPhotos().Count(), 0);
    }
    EXPECT_TRUE(m_form->close());
}

TEST_F(MainWindow, ClosingWithChangesAsks)
{
    ChosenLanguage();
    Start({ MakeAlbum(Path(QStringLiteral("albums/Ask.tvx"))) });
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("changed"));
    m_dialogs->QueueMessageResult(2);
    EXPECT_FALSE(m_form->close());
    m_dialogs->QueueMessageResult(7);
    EXPECT_TRUE(m_form->close());
}

TEST_F(MainWindow, ChangeLanguageStoresTheChoiceForTheNextStart)
{
    ChosenLanguage();
    Start();
    {
        LanguageWindowAnswer answer("bt_Dutch");
        Find<QPushButton>("btnChangeLanguage")->click();
        EXPECT_EQ(answer.Seen, 1);
    }
    EXPECT_EQ(m_dialogs->LastCall(Kind::ShowMessage)->text, CreateLanguage(LT_Dutch)->MF[104]);
    EXPECT_EQ(CurrentLangType, LT_Default);
    EXPECT_EQ(Find<QPushButton>("pb_CreateNewAlbum")->text(), QStringLiteral("Create &new"));
    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Languange"), QStringLiteral("LanguageID"), 0), 1);

    LanguageWindowAnswer same("bt_English");
    Find<QPushButton>("btnChangeLanguage")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::ShowMessage)->text, Language()->MF[105]);

    // The note asking for translations gives the address the Help tab gives.
    const QString address = Find<QLabel>("lbl_email")->text().section(QStringLiteral(" - "), -1);
    EXPECT_TRUE(address.contains(u'@'));
    Tfm_LanguageWindow window;
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("lblHelp"))->text().contains(address));
}

TEST_F(MainWindow, EditPhotoInformationShowsTheAlbumPhoto)
{
    ChosenLanguage();
    const QString file = MakeAlbum(Path(QStringLiteral("albums/Edit.tvx")));
    Start({ file });
    WriteFile(Path(QStringLiteral("in/one.jpg")), "x");
    WriteFile(Path(QStringLiteral("in/two.jpg")), "x");
    m_form->DropFiles({ Path(QStringLiteral("in/one.jpg")), Path(QStringLiteral("in/two.jpg")) });
    Find<QTabWidget>("pc_Photos")->setCurrentIndex(0);
    m_form->pc_Album()->setCurrentIndex(0);
    m_form->PhotosPage()->EditPhotoInformation(Path(QStringLiteral("in/one.jpg")));
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->currentRow(), 0);
    EXPECT_EQ(CurrentInner("pc_Photos"), QStringLiteral("ts_PhotosInAlbum"));
    // The top page stays where it was.
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Albums"));
}

TEST_F(MainWindow, FirstVisitOfTheWebAlbumTabStartsAtStepOne)
{
    ChosenLanguage();
    Start();
    m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_HTML"));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLSTEP1"));
    Find<QTabWidget>("pc_HTMLSTEPS")->setCurrentIndex(3);
    m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_Help"));
    m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_HTML"));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_LastGeneratedPhotoViewers"));
}
