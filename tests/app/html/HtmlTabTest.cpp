// SPDX-License-Identifier: GPL-2.0-or-later
// The HTML tab in the real main window: choosing albums, the options, the
// export run with each outcome, the list of generated sites and the saved
// export settings.
#include "MainWindowFixture.h"

#include "app/html/HtmlPage.h"
#include "app/shared/Captions.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "imaging/JpegCodec.h"
#include "platform/SectionList.h"

#include <QComboBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>

#include <functional>

#include <sys/stat.h>

namespace {

using Kind = TDialogCall::Kind;

// Scripted dialogs that first let the test act while a message dialog is up,
// as a user may while a question of a running export waits.
class TDialogsWithHook : public TScriptedDialogService {
public:
    int MessageDlg(const QString& text, TDialogButtons buttons) override
    {
        if (OnMessageDlg)
            OnMessageDlg(text);
        return TScriptedDialogService::MessageDlg(text, buttons);
    }
    std::function<void(const QString&)> OnMessageDlg;
};

// Picks a folder in the folder window as soon as it shows and presses OK.
class FolderWindowAnswer : public QObject {
public:
    explicit FolderWindowAnswer(const QString& folder)
    {
        connect(&m_timer, &QTimer::timeout, this, [this, folder] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<Tfm_SelectdirectoryWindow*>(w);
                if (window && window->isVisible()) {
                    window->SetFolder(folder);
                    window->findChild<QPushButton*>(QStringLiteral("bt_Ok"))->click();
                }
            }
        });
        m_timer.start(10);
    }

private:
    QTimer m_timer;
};

class HtmlTab : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        m_dialogs.reset();
        auto dialogs = std::make_unique<TDialogsWithHook>();
        m_hooked = dialogs.get();
        m_dialogs = std::move(dialogs);
    }

    // An album of small JPEG photos; the first `missing` of them have no file.
    QString PhotoAlbum(const QString& name, int count, bool forWeb = true, int missing = 0)
    {
        QDir().mkpath(Path(QStringLiteral("photos")));
        TAlbum album(Path(QStringLiteral("albums/%1.tvx").arg(name)));
        for (int k = 1; k <= count; ++k) {
            const QString file = Path(QStringLiteral("photos/%1-%2.jpg").arg(name).arg(k));
            QImage picture(40, 30, QImage::Format_RGB32);
            picture.fill(QColor(20 * k, 90, 160));
            if (k > missing) {
                EXPECT_TRUE(SaveJpegFile(picture, file, 80));
            }
            auto photo = std::make_unique<TPhoto>();
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(file);
            photo->SetUseInHtml(forWeb);
            album.GetPhotos().Add(std::move(photo));
        }
        QDir().mkpath(Path(QStringLiteral("albums")));
        EXPECT_TRUE(album.SaveToFile());
        return album.GetFileName();
    }

    void ShowHtmlTab() { m_form->pc_Album()->setCurrentWidget(Find<QWidget>("ts_HTML")); }

    // Albums listed for export, an output folder, then Generate in step 2.
    void Generate(const QStringList& albums, const QString& folder)
    {
        ShowHtmlTab();
        for (const QString& album : albums)
            m_form->HtmlPage()->AddHTMLAlbum(album);
        Find<QLineEdit>("eb_HTMLDirectory")->setText(folder);
        Find<QPushButton>("btnHTMLGenerate")->click();
    }

    QStringList Lines(const char* memo) const
    {
        return Find<QPlainTextEdit>(memo)->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    }

    QStringList Items(const char* list) const
    {
        QStringList items;
        auto* widget = Find<QListWidget>(list);
        for (int i = 0; i < widget->count(); ++i)
            items << widget->item(i)->text();
        return items;
    }

    QStringList DialogTexts(Kind kind) const
    {
        QStringList texts;
        for (const TDialogCall& call : m_dialogs->Calls())
            if (call.kind == kind)
                texts << call.text;
        return texts;
    }

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = Find<QTableWidget>("sgdHTMLSettings")->item(row, column);
        return item ? item->text() : QString();
    }

    TDialogsWithHook* m_hooked = nullptr;
};

} // namespace

TEST_F(HtmlTab, StepOneListsEachAlbumOnceAndGuardsTheLaterSteps)
{
    ChosenLanguage();
    MakeAlbum(Path(QStringLiteral("albums/A.tvx")));
    MakeAlbum(Path(QStringLiteral("albums/B.tvx")));
    Start();
    ShowHtmlTab();
    const TLanguageSelector& t = *Language();
    auto* steps = Find<QTabWidget>("pc_HTMLSTEPS");

    // Without albums the details cannot be reached; the site list can.
    steps->setCurrentWidget(Find<QWidget>("ts_HTMLStep2"));
    EXPECT_EQ(m_dialogs->LastCall(Kind::ShowMessage)->text, t.MF[91]);
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLSTEP1"));
    steps->setCurrentWidget(Find<QWidget>("ts_LastGeneratedPhotoViewers"));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_LastGeneratedPhotoViewers"));
    steps->setCurrentWidget(Find<QWidget>("ts_HTMLSTEP1"));

    ASSERT_TRUE(Find<TFolderTree>("stvFoldersForHTML")->SetFolder(Path(QStringLiteral("albums"))));
    auto* available = Find<QListWidget>("lsbAlbumsForHTML");
    ASSERT_EQ(available->count(), 2);
    available->setCurrentRow(0);
    Find<QPushButton>("bt_AddHTMLAlbums")->click();
    const QString a = Path(QStringLiteral("albums/A.tvx"));
    const QString b = Path(QStringLiteral("albums/B.tvx"));
    EXPECT_EQ(Items("lb_HTMLSelectedAlbums"), QStringList { a });
    Find<QPushButton>("bt_AddHTMLAlbums")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, t.MF[89]);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->flags, 64);

    // "Select all" and other spellings of a listed path add no second row.
    Find<QPushButton>("bt_ButtonAddAllHTMLalbums")->click();
    EXPECT_FALSE(m_form->HtmlPage()->AddHTMLAlbum(Path(QStringLiteral("albums//../albums/B.tvx"))));
    emit available->itemDoubleClicked(available->item(1));
    EXPECT_EQ(Items("lb_HTMLSelectedAlbums"), (QStringList { a, b }));

    auto* selected = Find<QListWidget>("lb_HTMLSelectedAlbums");
    selected->clearSelection();
    selected->setCurrentRow(-1);
    Find<QPushButton>("bt_RemoveHTMLButton")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, t.MF[22]);
    selected->setCurrentRow(1);
    Find<QPushButton>("bt_RemoveHTMLButton")->click();
    EXPECT_EQ(Items("lb_HTMLSelectedAlbums"), QStringList { a });
    EXPECT_EQ(selected->currentRow(), 0);

    steps->setCurrentWidget(Find<QWidget>("ts_HTMLStep2"));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLStep2"));
}

TEST_F(HtmlTab, EveryStepTabStaysInViewInEveryLanguage)
{
    for (int language : { 0, 1, 2 }) {
        // The window writes its settings when it goes.
        m_form.reset();
        ChosenLanguage(language);
        Restart();
        m_form->ApplyLanguage();
        ShowHtmlTab();
        QCoreApplication::processEvents();
        const QTabBar* tabs = Find<QTabWidget>("pc_HTMLSTEPS")->tabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_GE(tabs->tabRect(i).left(), 0) << language << ' ' << i;
            EXPECT_LE(tabs->tabRect(i).right(), tabs->width()) << language << ' ' << i;
        }
    }
}

TEST_F(HtmlTab, OptionsStartAtTheirDesignValuesAndKeepInStep)
{
    ChosenLanguage();
    Start();
    const std::pair<const char*, const char*> sizes[] = {
        { "cb_HTMLPhotoWidth", "580" },
        { "cb_HTMLPhotoHeight", "360" },
        { "cb_HTMLThumbnailsWidth", "100" },
        { "cb_HTMLThumbnailsHeight", "75" },
        { "cb_HTMLThumbnailHorizontal", "5" },
        { "cb_HTMLThumbnailVertical", "4" },
    };
    for (const auto& [combo, value] : sizes)
        EXPECT_EQ(Find<QComboBox>(combo)->currentText(), QLatin1String(value)) << combo;
    EXPECT_EQ(Find<QComboBox>("cb_HTMLPhotoWidth")->itemText(71), QStringLiteral("820"));
    EXPECT_FALSE(Find<QPushButton>("bt_StopHTMLGeneration")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("bt_Results")->isEnabled());
    EXPECT_EQ(Find<TPageControl>("pc_HTMLSTEPS")->Tabs()->ActiveColour(), QColor(32, 118, 213));
    EXPECT_EQ(Find<QLineEdit>("eb_HTMLDirectory")->text(), QDir::homePath() + QStringLiteral("/webview"));
    EXPECT_FALSE(Find<QWidget>("im_DefaultBackground")->isHidden());
    EXPECT_TRUE(Find<QWidget>("im_BackGroundColor")->isHidden());

    // Only digits are typed, and the three quality controls agree.
    auto* quality = Find<QLineEdit>("eb_Quality");
    quality->clear();
    QTest::keyClicks(quality, QStringLiteral("2.5x0"));
    EXPECT_EQ(quality->text(), QStringLiteral("100"));
    EXPECT_EQ(Find<QSlider>("tb_Quality")->value(), 100);
    EXPECT_EQ(Find<QSpinBox>("ud_Quality")->value(), 100);
    Find<QSlider>("tb_Quality")->setValue(35);
    EXPECT_EQ(quality->text(), QStringLiteral("35"));
    EXPECT_EQ(Find<QSpinBox>("ud_Quality")->value(), 35);

    // The framed site forces resizing; the photo-by-photo site allows scroll bars again.
    auto* scrollBars = Find<QRadioButton>("rb_DontResizePhotosUseScrollBars");
    scrollBars->click();
    EXPECT_EQ(Find<QGroupBox>("gb_Size")->title(), Padded(Language()->MF[415]));
    Find<QRadioButton>("rdbNavigateByImageAndThumbnails")->click();
    EXPECT_FALSE(Find<QRadioButton>("rdbNavigateByImage")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("rb_ResizePhotos")->isChecked());
    EXPECT_FALSE(scrollBars->isEnabled());
    EXPECT_EQ(Find<QGroupBox>("gb_Size")->title(), Padded(Language()->MF[414]));
    Find<QRadioButton>("rdbNavigateByImage")->click();
    EXPECT_TRUE(scrollBars->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("rb_ResizePhotos")->isChecked());

    // The folder comes from the folder window.
    QDir().mkpath(Path(QStringLiteral("out")));
    FolderWindowAnswer answer(Path(QStringLiteral("out")));
    Find<QPushButton>("bt_SelectDirectory")->click();
    EXPECT_EQ(Find<QLineEdit>("eb_HTMLDirectory")->text(), Path(QStringLiteral("out")));
}

TEST_F(HtmlTab, ExportOfTheChangedOpenAlbumSavesItListsTheSiteAndOpensIt)
{
    ChosenLanguage();
    const QString album = PhotoAlbum(QStringLiteral("Trip"), 2);
    Start({ album });
    const TLanguageSelector& t = *Language();
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("edited"));

    // Create HTML: Cancel stays where it was; No hands the album over unsaved.
    const QString page = CurrentPage();
    m_dialogs->QueueMessageResult(MessageResult::Cancel);
    Find<QPushButton>("pb_CreateHTML")->click();
    EXPECT_EQ(CurrentPage(), page);
    m_dialogs->QueueMessageResult(MessageResult::No);
    Find<QPushButton>("pb_CreateHTML")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, t.MF[14]);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_HTML"));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLStep2"));
    EXPECT_EQ(Items("lb_HTMLSelectedAlbums"), QStringList { album });
    EXPECT_TRUE(m_form->ContentsChanged());

    Find<QRadioButton>("rdbNavigateByImageAndThumbnails")->click();
    Find<QLineEdit>("eb_Quality")->clear();
    for (int answer : { 6, 6, 6, 6 }) // go ahead, save, continue, view the pages
        m_dialogs->QueueMessageResult(answer);
    // Fewer lines fit than the remarks have, whatever the layout gives the memo.
    Find<QPlainTextEdit>("MemoRemarks")->setFixedHeight(40);
    Generate({}, Path(QStringLiteral("site")));

    const QString index = Path(QStringLiteral("site/index.htm"));
    EXPECT_TRUE(QFileInfo(index).isFile());
    EXPECT_EQ(DialogTexts(Kind::MessageBox).mid(2), (QStringList { t.MF[93], t.MF[95] }));
    EXPECT_FALSE(m_form->ContentsChanged());
    EXPECT_EQ(TAlbum::CreateFromFile(album, nullptr)->GetDescription(), QStringLiteral("edited"));
    EXPECT_EQ(Find<QLineEdit>("eb_HTMLDirectory")->text(), Path(QStringLiteral("site/")));
    EXPECT_EQ(Find<QLineEdit>("eb_Quality")->text(), QStringLiteral("50"));
    EXPECT_EQ(Lines("MemoRemarks").first(), Text::Format(t.MF[98], { index }));
    EXPECT_EQ(Lines("MemoPhotosNotFound"), QStringList { t.MF[97] });
    EXPECT_TRUE(Find<QCheckBox>("chbPhotoHTMLCreation")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("edtPhotoHTMLQuantity")->text(), QStringLiteral("0"));
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageDlg)->text, t.MF[99]);
    EXPECT_EQ(m_dialogs->ShellOpened(), QStringList { index });

    EXPECT_EQ(Items("lsbPreviousGeneratedPhotoViewers"), QStringList { index });
    EXPECT_EQ(Find<QListWidget>("lsbPreviousGeneratedPhotoViewers")->currentRow(), 0);
    EXPECT_TRUE(Find<QPushButton>("bt_ShowLastGeneratedPages")->isEnabled());
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_LastGeneratedPhotoViewers"));
    EXPECT_FALSE(Find<QPushButton>("bt_StopHTMLGeneration")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("bt_HTMLGenerate")->isEnabled());
    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Html"), QStringLiteral("Amount"), 0), 1);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Html"), QStringLiteral("LastGeneratedFile1"), QString()), index);

    // The outcome heading the remarks is what the user sees of them first.
    Find<QTabWidget>("pc_HTMLSTEPS")->setCurrentWidget(Find<QWidget>("ts_HTMLStep4"));
    Find<QPushButton>("bt_Results")->click();
    QCoreApplication::processEvents();
    const QScrollBar* remarks = Find<QPlainTextEdit>("MemoRemarks")->verticalScrollBar();
    EXPECT_GT(remarks->maximum(), 0);
    EXPECT_EQ(remarks->value(), 0);
}

TEST_F(HtmlTab, StoppedRunListsNothingAndTheWindowWaitsForIt)
{
    ChosenLanguage();
    const QString album = PhotoAlbum(QStringLiteral("Gaps"), 3, true, 1);
    const QString other = MakeAlbum(Path(QStringLiteral("albums/Other.tvx")));
    Start({ album });
    const TLanguageSelector& t = *Language();
    bool closed = true;
    bool opened = true;
    m_hooked->OnMessageDlg = [&](const QString& text) {
        if (text != t.HG[3])
            return;
        // The missing photo's question: the user presses Stop and tries to leave.
        Find<QPushButton>("bt_StopHTMLGeneration")->click();
        closed = m_form->close();
        opened = m_form->OpenAlbum(other);
        Find<QPushButton>("pb_CloseAlbum")->click();
    };
    m_dialogs->QueueMessageResult(MessageResult::Yes); // go ahead
    m_dialogs->QueueMessageResult(MessageResult::Yes); // on without the missing photo
    Generate({ album }, Path(QStringLiteral("site")));

    EXPECT_TRUE(DialogTexts(Kind::MessageDlg).contains(t.HG[3]));
    EXPECT_FALSE(closed);
    EXPECT_FALSE(opened);
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(m_form->Album()->GetFileName(), album);
    EXPECT_EQ(Lines("MemoRemarks").first(), t.MF[100]);
    EXPECT_TRUE(Items("lsbPreviousGeneratedPhotoViewers").isEmpty());
    EXPECT_FALSE(DialogTexts(Kind::MessageDlg).contains(t.MF[99]));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLStep4"));
    EXPECT_EQ(CurrentInner("pc_HTMLGeneration"), QStringLiteral("ts_HTMLResults"));
    EXPECT_FALSE(m_form->HtmlPage()->ExportRunning());
    EXPECT_TRUE(m_form->close());
}

TEST_F(HtmlTab, RunWithoutPublishablePhotosListsTheSiteButReportsNoPhotos)
{
    ChosenLanguage();
    const QString album = PhotoAlbum(QStringLiteral("Private"), 2, false);
    Start();
    const TLanguageSelector& t = *Language();
    m_dialogs->QueueMessageResult(MessageResult::Yes); // go ahead
    m_dialogs->QueueMessageResult(MessageResult::Yes); // on although no photo is left
    Generate({ album }, Path(QStringLiteral("site")));

    const QString index = Path(QStringLiteral("site/index.htm"));
    EXPECT_EQ(Items("lsbPreviousGeneratedPhotoViewers"), QStringList { index });
    EXPECT_EQ(Lines("MemoPhotosNotFound").last(), t.MF[55]);
    EXPECT_FALSE(Lines("MemoRemarks").contains(Text::Format(t.MF[98], { index })));
    EXPECT_FALSE(DialogTexts(Kind::MessageDlg).contains(t.MF[99]));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLStep4"));
    EXPECT_EQ(CurrentInner("pc_HTMLGeneration"), QStringLiteral("ts_HTMLResults"));
}

TEST_F(HtmlTab, TheOutputFolderIsCheckedFirstAndMadeOnlyAfterYes)
{
    ChosenLanguage();
    const QString album = PhotoAlbum(QStringLiteral("Trip"), 1);
    Start();
    const TLanguageSelector& t = *Language();
    for (const QString& folder : { QString(), QStringLiteral("relative/site") }) {
        m_dialogs->Clear();
        Generate({ album }, folder);
        EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, t.HG[4]);
        EXPECT_EQ(m_dialogs->CallCount(Kind::MessageDlg), 0);
    }
    m_dialogs->QueueMessageResult(MessageResult::No);
    Generate({ album }, Path(QStringLiteral("later/site")));
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageDlg)->text, Text::Format(t.MF[92], { t.Title }));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("later"))));
    EXPECT_TRUE(Find<QWidget>("gb_StepsTakenByTavrimolex")->isHidden());
}

TEST_F(HtmlTab, GeneratedSitesAreShownAndRemovedWithoutTheUsersOwnFiles)
{
    const QString kept = Path(QStringLiteral("mine/index.htm"));
    const QString gone = Path(QStringLiteral("gone/index.htm"));
    ChosenLanguage(0,
        QStringLiteral("[Html]\r\nAmount=2\r\nLastGeneratedFile1=\r\nLastGeneratedFile2=%1\r\n").arg(gone));
    const QString album = PhotoAlbum(QStringLiteral("Trip"), 2);
    Start();
    const TLanguageSelector& t = *Language();
    auto* sites = Find<QListWidget>("lsbPreviousGeneratedPhotoViewers");
    EXPECT_EQ(Items("lsbPreviousGeneratedPhotoViewers"), QStringList { gone });
    EXPECT_FALSE(Find<QPushButton>("bt_RemovePhotoViewerFromDisk")->isEnabled());

    // Both kinds of site into a folder where the user keeps files of his own,
    // some in the very folders the sites fill.
    const QStringList own { QStringLiteral("mine/holiday.jpg"),
        QStringLiteral("mine/images/holiday/my_photo.jpg"), QStringLiteral("mine/photos/holiday.jpg"),
        QStringLiteral("mine/css/mine.css"), QStringLiteral("mine/html/albums/notes.txt"),
        QStringLiteral("mine/script/photo1.htm") };
    for (const QString& file : own)
        WriteFile(Path(file), "x");
    for (int answer : { 6, 7 }) // go ahead, do not view the pages
        m_dialogs->QueueMessageResult(answer);
    Generate({ album }, Path(QStringLiteral("mine")));
    Find<QRadioButton>("rdbNavigateByImageAndThumbnails")->click();
    for (int answer : { 6, 7 })
        m_dialogs->QueueMessageResult(answer);
    Generate({}, Path(QStringLiteral("mine")));
    ASSERT_TRUE(QFileInfo::exists(Path(QStringLiteral("mine/images/thumbnails/Thumbnail1.jpg"))));
    ASSERT_TRUE(QFileInfo::exists(Path(QStringLiteral("mine/photos/photo1.jpg"))));
    EXPECT_EQ(Items("lsbPreviousGeneratedPhotoViewers"), (QStringList { kept, gone }));

    sites->setCurrentRow(1);
    Find<QPushButton>("bt_ShowLastGeneratedPages")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::ShowMessage)->text,
        Text::Format(t.MF[107], { QStringLiteral("index.htm") }));
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("bt_RemovePhotoViewerFromDisk"), Qt::LeftButton);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text,
        Text::Format(t.MF[113], { Path(QStringLiteral("gone/")) }));
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->flags, 52);
    EXPECT_EQ(sites->count(), 2);

    sites->setCurrentRow(0);
    QTest::mouseClick(Find<QPushButton>("bt_ShowLastGeneratedPages"), Qt::LeftButton);
    EXPECT_EQ(m_dialogs->ShellOpened(), QStringList { kept });
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("bt_RemovePhotoViewerFromDisk"), Qt::LeftButton);
    // Only the user's files are left, with the folders that hold them.
    QStringList left;
    QDirIterator it(Path(QStringLiteral("mine")), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        left << QDir(m_dir.path()).relativeFilePath(it.next());
    left.sort();
    QStringList expected = own;
    expected.sort();
    EXPECT_EQ(left.join(u' ').toStdString(), expected.join(u' ').toStdString());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("mine/images/thumbnails"))));
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("mine/html/objects"))));
    EXPECT_EQ(Items("lsbPreviousGeneratedPhotoViewers"), QStringList { gone });
    EXPECT_EQ(sites->currentRow(), 0);

    // The list is written when the window goes, renumbered.
    m_form.reset();
    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Html"), QStringLiteral("Amount"), 0), 1);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Html"), QStringLiteral("LastGeneratedFile1"), QString()), gone);
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Html"), QStringLiteral("LastGeneratedFile2")));
}

// A site reached through a link is not the program's to remove.
TEST_F(HtmlTab, ASiteFolderThatCannotBeRemovedIsToldAndStaysListed)
{
    const QString real = Path(QStringLiteral("real"));
    WriteFile(real + QStringLiteral("/index.htm"), "x");
    ASSERT_TRUE(QFile::link(real, Path(QStringLiteral("linked"))));
    ChosenLanguage(0,
        QStringLiteral("[Html]\r\nAmount=1\r\nLastGeneratedFile1=%1\r\n")
            .arg(Path(QStringLiteral("linked/index.htm"))));
    Start();
    const TLanguageSelector& t = *Language();
    auto* sites = Find<QListWidget>("lsbPreviousGeneratedPhotoViewers");
    ASSERT_EQ(sites->count(), 1);
    sites->setCurrentRow(0);
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("bt_RemovePhotoViewerFromDisk"), Qt::LeftButton);
    ASSERT_EQ(m_dialogs->CallCount(Kind::MessageBox), 2);
    const TDialogCall* told = m_dialogs->LastCall(Kind::MessageBox);
    EXPECT_EQ(told->text, Text::Format(t.MF[111], { Path(QStringLiteral("linked/")) }));
    EXPECT_EQ(told->caption, t.MF[112]);
    EXPECT_EQ(told->flags, 52) << "a warning with Yes and No";
    EXPECT_EQ(sites->count(), 1);
    EXPECT_TRUE(QFileInfo::exists(real + QStringLiteral("/index.htm")));
}

TEST_F(HtmlTab, WritesLeftHalfMadeByAKilledExportGoWithTheNextExportAndWithTheSite)
{
    ChosenLanguage();
    const QString album = PhotoAlbum(QStringLiteral("Trip"), 1);
    Start();
    const QString site = Path(QStringLiteral("site/"));
    for (int answer : { 6, 7 }) // go ahead, do not view the pages
        m_dialogs->QueueMessageResult(answer);
    Generate({ album }, site);
    ASSERT_TRUE(QFileInfo::exists(site + QStringLiteral("photos/photo1.jpg")));

    // What writes killed half-way leave where files cannot stay unnamed, and
    // what only looks like it: other names, other marks, a link, a folder, a FIFO.
    const QStringList leftovers { QStringLiteral("index.htm.tavri-Ab12Cd"),
        QStringLiteral("photos/photo44.jpg.tavri-x9Y8z7"), QStringLiteral("html/photo1_top.htm.tavri-QQQQQQ"),
        QStringLiteral("css/tavrimolex.css.tavri-000000"),
        QStringLiteral("images/thumbnails/Thumbnail7.jpg.tavri-abcdef") };
    const QStringList lookalikes { QStringLiteral("photos/photo44.jpg.tavri-Ab12C"),
        QStringLiteral("photos/photo44.jpg.tavri-Ab12Cde"), QStringLiteral("photos/photo44.jpg.tavri-Ab_2Cd"),
        QStringLiteral("photos/holiday.jpg.tavri-Ab12Cd"), QStringLiteral("photos/photo44.jpg.tmp-Ab12Cd"),
        QStringLiteral("notes/index.htm.tavri-Ab12Cd") };
    const QString outside = Path(QStringLiteral("outside.jpg"));
    WriteFile(outside, "the user's");
    const auto outsideKept = [&outside] {
        QFile file(outside);
        return file.open(QIODevice::ReadOnly) && file.readAll() == "the user's";
    };
    const auto plant = [&] {
        for (const QString& file : leftovers)
            WriteFile(site + file, "half a file");
    };
    for (const QString& file : lookalikes)
        WriteFile(site + file, "the user's");
    ASSERT_TRUE(QFile::link(outside, site + QStringLiteral("photos/photo2.jpg.tavri-LnLnLn")));
    ASSERT_TRUE(QDir().mkpath(site + QStringLiteral("photos/photo3.jpg.tavri-Folder")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(site + QStringLiteral("photos/photo4.jpg.tavri-Fifo00")).constData(),
                  0600),
        0);

    // Each kind of site sweeps them at its next run.
    for (const char* kind : { "rdbNavigateByImageAndThumbnails", "rdbNavigateByImage" }) {
        plant();
        Find<QRadioButton>(kind)->click();
        for (int answer : { 6, 7 })
            m_dialogs->QueueMessageResult(answer);
        Generate({}, site);
        for (const QString& file : leftovers)
            EXPECT_FALSE(QFileInfo::exists(site + file)) << kind << " " << file.toStdString();
        for (const QString& file : lookalikes)
            EXPECT_TRUE(QFileInfo::exists(site + file)) << kind << " " << file.toStdString();
        EXPECT_TRUE(QFileInfo(site + QStringLiteral("photos/photo2.jpg.tavri-LnLnLn")).isSymLink());
        EXPECT_TRUE(QFileInfo(site + QStringLiteral("photos/photo3.jpg.tavri-Folder")).isDir());
        EXPECT_TRUE(QFileInfo::exists(site + QStringLiteral("photos/photo4.jpg.tavri-Fifo00")));
        EXPECT_TRUE(outsideKept());
    }

    // With nothing of the user's in it, the site's folder goes whole.
    QDir(site + QStringLiteral("notes")).removeRecursively();
    QDir(site + QStringLiteral("photos/photo3.jpg.tavri-Folder")).removeRecursively();
    for (const char* other : { "photos/photo2.jpg.tavri-LnLnLn", "photos/photo4.jpg.tavri-Fifo00",
             "photos/photo44.jpg.tavri-Ab12C", "photos/photo44.jpg.tavri-Ab12Cde",
             "photos/photo44.jpg.tavri-Ab_2Cd", "photos/holiday.jpg.tavri-Ab12Cd",
             "photos/photo44.jpg.tmp-Ab12Cd" })
        ASSERT_TRUE(QFile::remove(site + QString::fromLatin1(other))) << other;
    plant();
    auto* sites = Find<QListWidget>("lsbPreviousGeneratedPhotoViewers");
    ASSERT_EQ(Items("lsbPreviousGeneratedPhotoViewers"), QStringList { site + QStringLiteral("index.htm") });
    sites->setCurrentRow(0);
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("bt_RemovePhotoViewerFromDisk"), Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(site));
    EXPECT_EQ(sites->count(), 0);
    EXPECT_TRUE(outsideKept());
}

TEST_F(HtmlTab, CountsOfADamagedSettingsFileReachOnlyAsFarAsItsEntries)
{
    const QString site = Path(QStringLiteral("site/index.htm"));
    const QString album = Path(QStringLiteral("albums/A.tvx"));
    ChosenLanguage(0,
        QStringLiteral("[Html]\r\nAmount=2000000000\r\nLastGeneratedFile1=%1\r\n"
                       "[HtmlSettings]\r\nNrOfHtmlSettings=2000000000\r\n[HtmlSettings-1]\r\nName=Holiday\r\n"
                       "[AlbumList]\r\nAmount=2000000000\r\nAlbum1=%2\r\n")
            .arg(site, album));
    Start();
    EXPECT_EQ(Items("lsbPreviousGeneratedPhotoViewers"), QStringList { site });
    EXPECT_EQ(Items("lsbRecentlyUsedAlbums"), QStringList { album });
    EXPECT_EQ(Find<QTableWidget>("sgdHTMLSettings")->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("Holiday"));

    // A preset saved now follows the one that is there.
    ShowHtmlTab();
    Find<QTabWidget>("pc_HTMLSTEPS")->setCurrentWidget(Find<QWidget>("ts_LastSavedHTMLSettings"));
    m_dialogs->QueueInput(QStringLiteral("Winter"));
    QTest::mouseClick(Find<QPushButton>("bt_SaveCurrentHTMLSettings"), Qt::LeftButton);
    EXPECT_EQ(Find<QTableWidget>("sgdHTMLSettings")->rowCount(), 2);
    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadString(QStringLiteral("HtmlSettings-2"), QStringLiteral("Name"), QString()),
        QStringLiteral("Winter"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("HtmlSettings"), QStringLiteral("NrOfHtmlSettings"), 0), 2);
}

TEST_F(HtmlTab, SavedSettingsRoundTripAndRestoreInStep)
{
    ChosenLanguage();
    Start();
    ShowHtmlTab();
    const TLanguageSelector& t = *Language();
    const QStringList albums { Path(QStringLiteral("Sea#1.tvx")), Path(QStringLiteral("Hills.tvx")) };
    for (const QString& album : albums)
        m_form->HtmlPage()->AddHTMLAlbum(album);
    Find<QLineEdit>("eb_HTMLDirectory")->setText(QStringLiteral("/Web/Site"));
    Find<QRadioButton>("rdbNavigateByImageAndThumbnails")->click();
    Find<QComboBox>("cb_HTMLThumbnailVertical")->setCurrentText(QStringLiteral("7"));
    Find<QSlider>("tb_Quality")->setValue(80);
    Find<QCheckBox>("chbLinkingToOriginalPhotos")->setChecked(true);
    m_dialogs->QueueInput(QStringLiteral("Holiday"));
    Find<QPushButton>("btnHTMLSaveSettings")->click();

    // The keys are the controls' names, in a fixed order.
    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadSection(QStringLiteral("HtmlSettings-1")),
        (QStringList { "Name", "lb_HTMLSelectedAlbums", "eb_HTMLDirectory", "Type",
            "chbStartslideShowHTMLPages", "rb_ResizePhotos", "rb_DontResizePhotosUseScrollBars",
            "cb_HTMLPhotoWidth", "cb_HTMLPhotoHeight", "cb_HTMLThumbnailsWidth", "cb_HTMLThumbnailsHeight",
            "cb_HTMLThumbnailHorizontal", "cb_HTMLThumbnailVertical", "eb_BackGroundImagePath",
            "eb_BackGroundColor", "eb_title", "eb_Quality", "chbLinkingToOriginalPhotos", "eb_CommonWebPath",
            "eb_CommonLocalPath" }));
    EXPECT_EQ(ini.ReadString(QStringLiteral("HtmlSettings-1"), QStringLiteral("lb_HTMLSelectedAlbums"), {}),
        TSectionList::EncodeStrings(albums));
    EXPECT_EQ(Cell(0, 0), QStringLiteral("Holiday"));
    EXPECT_EQ(Cell(0, 1), QStringLiteral("sea#1, hills"));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("/web/site"));
    EXPECT_EQ(Cell(0, 3), t.MF[173]);
    EXPECT_EQ(Cell(0, 4), t.MF[174]);
    EXPECT_EQ(Cell(0, 14), QStringLiteral("80"));
    EXPECT_EQ(Cell(0, 15), t.MF[174]);
    EXPECT_TRUE(Find<QPushButton>("bt_UseSelectedHTMLSettings")->isEnabled());

    // Another letter case asks; No writes nothing, and the name stays proposed.
    m_dialogs->QueueInput(QStringLiteral("HOLIDAY"));
    m_dialogs->QueueMessageResult(MessageResult::No);
    Find<QPushButton>("bt_SaveCurrentHTMLSettings")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, t.MF[152]);
    EXPECT_EQ(Find<QTableWidget>("sgdHTMLSettings")->rowCount(), 1);

    // A preset that asks for scroll bars with the framed site, and a quality
    // that is no whole number, come back sound.
    IniFile& settings = *m_form->Settings();
    settings.WriteString(
        QStringLiteral("HtmlSettings-1"), QStringLiteral("rb_ResizePhotos"), QStringLiteral("false"));
    settings.WriteString(QStringLiteral("HtmlSettings-1"), QStringLiteral("rb_DontResizePhotosUseScrollBars"),
        QStringLiteral("1"));
    settings.WriteString(
        QStringLiteral("HtmlSettings-1"), QStringLiteral("eb_Quality"), QStringLiteral("5.5"));
    m_form->HtmlPage()->ExportAlbum(Path(QStringLiteral("Other.tvx")));
    Find<QRadioButton>("rdbNavigateByImage")->click();
    Find<QCheckBox>("chbLinkingToOriginalPhotos")->setChecked(false);
    Find<QTableWidget>("sgdHTMLSettings")->setCurrentCell(0, 0);
    Find<QPushButton>("bt_UseSelectedHTMLSettings")->click();
    EXPECT_EQ(Items("lb_HTMLSelectedAlbums"), albums);
    EXPECT_EQ(Find<QLineEdit>("eb_HTMLDirectory")->text(), QStringLiteral("/Web/Site"));
    EXPECT_TRUE(Find<QRadioButton>("rdbNavigateByImageAndThumbnails")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("rdbNavigateByImage")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("rb_ResizePhotos")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("rb_DontResizePhotosUseScrollBars")->isEnabled());
    EXPECT_EQ(Find<QComboBox>("cb_HTMLThumbnailVertical")->currentText(), QStringLiteral("7"));
    EXPECT_EQ(Find<QLineEdit>("eb_Quality")->text(), QStringLiteral("5"));
    EXPECT_EQ(Find<QSlider>("tb_Quality")->value(), 5);
    EXPECT_EQ(Find<QSpinBox>("ud_Quality")->value(), 5);
    EXPECT_TRUE(Find<QCheckBox>("chbLinkingToOriginalPhotos")->isChecked());
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLStep2"));
    m_dialogs->QueueInput(std::nullopt);
    Find<QPushButton>("bt_SaveCurrentHTMLSettings")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::InputQuery)->initial, QStringLiteral("Holiday"));

    // A stored Boolean that is not one stops the restore with an error.
    settings.WriteString(QStringLiteral("HtmlSettings-1"), QStringLiteral("chbLinkingToOriginalPhotos"),
        QStringLiteral("maybe"));
    Find<QPushButton>("bt_UseSelectedHTMLSettings")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->flags, 16);
    EXPECT_TRUE(m_dialogs->LastCall(Kind::MessageBox)->text.contains(QStringLiteral("maybe")));

    m_dialogs->QueueMessageResult(MessageResult::Yes);
    Find<QPushButton>("bt_RemoveLastSavedHTMLSettings")->click();
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, t.MF[176]);
    EXPECT_EQ(Find<QTableWidget>("sgdHTMLSettings")->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), QString());
    EXPECT_FALSE(Find<QPushButton>("bt_UseSelectedHTMLSettings")->isEnabled());
    Find<QTableWidget>("sgdHTMLSettings")->setCurrentCell(0, 0);
    emit Find<QTableWidget>("sgdHTMLSettings")->cellClicked(0, 0);
    EXPECT_FALSE(Find<QPushButton>("bt_UseSelectedHTMLSettings")->isEnabled());
}

TEST_F(HtmlTab, GridRowsSortByTheChosenColumnAcrossStarts)
{
    ChosenLanguage(0,
        QStringLiteral("[HtmlSettings]\r\nNrOfHtmlSettings=2\r\n"
                       "[HtmlSettings-1]\r\nName=b\r\neb_HTMLDirectory=/a\r\n"
                       "[HtmlSettings-2]\r\nName=A\r\neb_HTMLDirectory=/z\r\nType=1\r\n"));
    Start();
    // The first visit opens on the saved settings.
    ShowHtmlTab();
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_LastSavedHTMLSettings"));
    auto* grid = Find<QTableWidget>("sgdHTMLSettings");
    ASSERT_EQ(grid->columnCount(), 18);
    EXPECT_EQ(grid->horizontalHeaderItem(17)->text(), Language()->MF[171]);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("A"));
    EXPECT_EQ(Cell(0, 3), Language()->MF[173]);
    EXPECT_EQ(Cell(0, 4), Language()->MF[174]);
    EXPECT_EQ(Cell(0, 15), Language()->MF[175]);
    EXPECT_EQ(Cell(1, 0), QStringLiteral("b"));

    emit grid->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("b"));
    Restart();
    EXPECT_EQ(Cell(0, 0), QStringLiteral("b"));
    EXPECT_EQ(IniFile(SettingsFile())
                  .ReadInteger(QStringLiteral("HtmlSettings"), QStringLiteral("IndexSortedColumn"), 0),
        2);
}

TEST_F(HtmlTab, OpenForHtmlCreationAddsTheRecentAlbum)
{
    const QString first = MakeAlbum(Path(QStringLiteral("albums/First.tvx")));
    const QString second = MakeAlbum(Path(QStringLiteral("albums/Second.tvx")));
    ChosenLanguage(0, QStringLiteral("[AlbumList]\r\nAmount=1\r\nAlbum1=") + second + QStringLiteral("\r\n"));
    Start();
    m_form->HtmlPage()->AddHTMLAlbum(first);
    Find<QListWidget>("lsbRecentlyUsedAlbums")->setCurrentRow(0);
    Find<QPushButton>("pb_OpenAlbumForHTMLCreation")->click();
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(m_form->Album()->GetFileName(), second);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_HTML"));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLStep2"));
    EXPECT_EQ(Items("lb_HTMLSelectedAlbums"), (QStringList { first, second }));
}
