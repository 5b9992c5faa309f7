// SPDX-License-Identifier: GPL-2.0-or-later
#include "PhotoTabTest.h"
#include "RenameSettingsAnswer.h"
#include "app/photos/AlbumPhotoRenamer.h"
#include "app/photos/PhotoRenamePlanner.h"
#include "common/Tfm_StatusWindow.h"
#include "model/PendingRenames.h"
#include "platform/SafeFile.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <functional>
#include <optional>

namespace {

using Kind = TDialogCall::Kind;

struct PlanCase {
    const char* title;
    QString newName;
    QString startNr;
    int action;
    // Files on disk before the run, relative to the sandbox.
    QStringList existing;
    QStringList photos;
    // Empty: the photo keeps its name.
    QStringList expected;
};

void PrintTo(const PlanCase& c, std::ostream* os)
{
    *os << c.title;
}

class PhotoRenamePlan : public ::testing::TestWithParam<PlanCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(PhotoRenamePlan, GivesEachPhotoAFreeName)
{
    const PlanCase& c = GetParam();
    for (const QString& name : c.existing) {
        QDir().mkpath(QFileInfo(dir.filePath(name)).absolutePath());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TPhotoRenamePlanner planner(c.newName, c.startNr, c.action, &TPhotoRenamePlanner::FileNameTaken);
    QStringList targets;
    for (const QString& photo : c.photos) {
        const QString target = planner.TargetFor(dir.filePath(photo));
        targets.append(target.isEmpty() ? QString() : QDir(dir.path()).relativeFilePath(target));
    }
    EXPECT_EQ(targets, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, PhotoRenamePlan,
    ::testing::Values(
        PlanCase { "numbered in their own folders", QStringLiteral("Holiday"), QStringLiteral("1"),
            RA_Replace, {}, { QStringLiteral("a/a.jpg"), QStringLiteral("b/b.png") },
            { QStringLiteral("a/Holiday_000001.jpg"), QStringLiteral("b/Holiday_000002.png") } },
        PlanCase { "taken numbers skipped", QStringLiteral("Holiday"), QStringLiteral("7"), RA_Replace,
            { QStringLiteral("Holiday_000007.jpg") }, { QStringLiteral("a.jpg"), QStringLiteral("b.png") },
            { QStringLiteral("Holiday_000008.jpg"), QStringLiteral("Holiday_000009.png") } },
        PlanCase { "bad start is 1", QStringLiteral("Mr. Smith"), QStringLiteral("-5"), RA_Replace, {},
            { QStringLiteral("a.gif") }, { QStringLiteral("Mr. Smith_000001.gif") } },
        PlanCase { "added at the end", QStringLiteral("_x"), QString(), RA_AddAtTheEnd,
            { QStringLiteral("b_x.jpg") }, { QStringLiteral("a.jpg"), QStringLiteral("b.jpg") },
            { QStringLiteral("a_x.jpg"), QString() } },
        PlanCase { "inserted at the beginning", QStringLiteral("_x"), QString(), RA_InsertAtTheBeginning,
            { QStringLiteral("_xb.jpg") }, { QStringLiteral("a.jpg"), QStringLiteral("b.jpg") },
            { QStringLiteral("_xa.jpg"), QString() } }));

TEST(PhotoRenamePlanner, RefusesNamesThatAreNoFileName)
{
    const QString prompt = QStringLiteral("type the new name here");
    for (const QString& name : { QString(), QStringLiteral("   "), QStringLiteral("../up"),
             QStringLiteral("a/b"), QStringLiteral(".."), prompt })
        for (int action : { RA_Replace, RA_AddAtTheEnd, RA_InsertAtTheBeginning })
            EXPECT_FALSE(TPhotoRenamePlanner::IsUsableName(name, action, prompt)) << name.toStdString();
    EXPECT_TRUE(TPhotoRenamePlanner::IsUsableName(QStringLiteral("Holiday 2005"), RA_Replace, prompt));
    // Only a name that starts the file name would hide it.
    EXPECT_FALSE(TPhotoRenamePlanner::IsUsableName(QStringLiteral(".a"), RA_Replace, prompt));
    EXPECT_FALSE(TPhotoRenamePlanner::IsUsableName(QStringLiteral(".a"), RA_InsertAtTheBeginning, prompt));
    EXPECT_TRUE(TPhotoRenamePlanner::IsUsableName(QStringLiteral(".a"), RA_AddAtTheEnd, prompt));
}

// Answers the rename settings window as a user at the keyboard would: enter
// puts the name into the field (nothing: the name offered stays), then OK is
// clicked. A window still open after that refused the name, and is cancelled.
class KeyboardRenameSettings : public QObject {
public:
    explicit KeyboardRenameSettings(std::function<void(QLineEdit*)> enter)
    {
        connect(&m_timer, &QTimer::timeout, this, [this, enter] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() != QStringLiteral("FormRenameSettings") || !w->isVisible())
                    continue;
                if (Entered) {
                    Refused = true;
                    QTest::mouseClick(
                        w->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
                    continue;
                }
                auto* field = w->findChild<QLineEdit*>(QStringLiteral("edtNewName"));
                if (enter) {
                    QTest::mouseClick(field, Qt::LeftButton);
                    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                    enter(field);
                }
                Entered = field->text();
                QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
            }
        });
        m_timer.start(10);
    }

    // What the field held when OK was clicked.
    std::optional<QString> Entered;
    bool Refused = false;

private:
    QTimer m_timer;
};

class PhotoRenameRun : public PhotoTabTest {
protected:
    void SetUp() override
    {
        PhotoTabTest::SetUp();
        Tfm_StatusWindow::SetHideDelay(0);
    }

    QPushButton* RenameButton() const { return Find<QPushButton>("btnRenameSelectedPhotos"); }
    static QByteArray Content(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(PhotoRenameRun, NeverOverwritesAndNeverPutsOnePathInTheAlbumTwice)
{
    const QString a = AddPhoto(QStringLiteral("a.bmp"));
    const QString b = AddPhoto(QStringLiteral("b.bmp"));
    const QString c = AddPhoto(QStringLiteral("c.bmp"));
    // a's target is someone else's file; b's target is the path of an album
    // photo whose file is missing; both ids are the same, as after an import.
    const QString foreign = WritePicture(QStringLiteral("a_x.bmp"));
    const QByteArray foreignBytes = Content(foreign);
    auto missing = std::make_unique<TPhoto>();
    missing->SetId(PhotoNamed(b)->GetId());
    missing->SetName(dir.filePath(QStringLiteral("b_x.bmp")));
    Photos().Add(std::move(missing));
    EnterTab();
    SelectRows({ 0, 1, 2 });

    RenameSettingsAnswer answer(QStringLiteral("_x.png"), QStringLiteral("1"), "rdbAddAtTheEnd");
    RenameButton()->click();

    EXPECT_EQ(answer.Seen, 1);
    EXPECT_EQ(answer.ShownName, Language()->RS[8]);
    EXPECT_TRUE(answer.ShownNameSelected);
    EXPECT_EQ(answer.ShownStart, QStringLiteral("1"));
    EXPECT_EQ(Content(foreign), foreignBytes);
    EXPECT_TRUE(QFileInfo::exists(a));
    EXPECT_TRUE(QFileInfo::exists(b));
    EXPECT_FALSE(QFileInfo::exists(c));
    const QString cx = dir.filePath(QStringLiteral("c_x.bmp"));
    EXPECT_TRUE(QFileInfo::exists(cx));
    EXPECT_EQ(AlbumOrder(),
        QStringList({ QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c_x.bmp"),
            QStringLiteral("b_x.bmp") }));
    EXPECT_EQ(RowNames(), AlbumOrder());
    EXPECT_EQ(SelectedRows(), QList<int>({ 0, 1, 2 }));
    EXPECT_EQ(SavedOrder(), AlbumOrder());
    EXPECT_FALSE(session.ContentsChanged());
    EXPECT_FALSE(QFileInfo::exists(TPendingRenames::FileNameOf(Album().GetFileName())));
    EXPECT_EQ(replacedRecords, QStringList { cx });
    const QString section = TAlbumPhotoRenamer::SettingsSection;
    EXPECT_EQ(host.ini->ReadString(section, QStringLiteral("NewName"), QString()), QStringLiteral("_x"));
    EXPECT_EQ(host.ini->ReadInteger(section, QStringLiteral("Action"), 0), 1);
}

TEST_F(PhotoRenameRun, AFailedSaveRenamesTheFilesBack)
{
    const QString six = AddPhoto(QStringLiteral("Holiday_000006.bmp"));
    const QString a = AddPhoto(QStringLiteral("a.bmp"));
    EnterTab();
    ClickRow(1);
    SelectRows({ 0, 1 });
    // A folder where the album file should be: writing it fails.
    ASSERT_TRUE(QDir().mkpath(Album().GetFileName()));

    // The second photo does not take the name the first one gives up (after
    // a stop, a name that is gone could not be told to whom it went).
    RenameSettingsAnswer answer(QStringLiteral("Holiday"), QStringLiteral("5"), "rdbReplace");
    RenameButton()->click();

    // The one message is the reason the album could not be saved.
    ASSERT_EQ(dialogs.CallCount(Kind::MessageBox), 1);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->caption, Language()->Title);
    EXPECT_TRUE(QFileInfo::exists(a));
    EXPECT_TRUE(QFileInfo::exists(six));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("Holiday_000005.bmp"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("Holiday_000007.bmp"))));
    // Every file has its old name again, as the album file lists it.
    EXPECT_FALSE(QFileInfo::exists(TPendingRenames::FileNameOf(Album().GetFileName())));
    EXPECT_EQ(AlbumOrder(), QStringList({ QStringLiteral("Holiday_000006.bmp"), QStringLiteral("a.bmp") }));
    EXPECT_EQ(RowNames(), AlbumOrder());
    EXPECT_EQ(Name()->text(), a);
    EXPECT_TRUE(replacedRecords.isEmpty());
}

TEST_F(PhotoRenameRun, CancelKeepsWhatWasRenamedAndSavesIt)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp", "d.bmp" })
        AddPhoto(QString::fromLatin1(name));
    EnterTab();
    SelectRows({ 0, 1, 2, 3 });
    // Cancel is pressed while the second file is renamed.
    int renamed = 0;
    QObject::connect(Rows(), &QListWidget::itemChanged, [&renamed] {
        if (++renamed != 2)
            return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* status = qobject_cast<Tfm_StatusWindow*>(w); status && status->isVisible())
                QTest::mouseClick(status->ButtonCancel(), Qt::LeftButton);
    });

    RenameSettingsAnswer answer(QStringLiteral("Trip"), QStringLiteral("1"), "rdbReplace");
    QTest::mouseClick(RenameButton(), Qt::LeftButton);

    const QStringList order({ QStringLiteral("Trip_000001.bmp"), QStringLiteral("Trip_000002.bmp"),
        QStringLiteral("c.bmp"), QStringLiteral("d.bmp") });
    EXPECT_EQ(AlbumOrder(), order);
    EXPECT_EQ(RowNames(), order);
    const std::unique_ptr<TAlbum> saved = TAlbum::CreateFromFile(Album().GetFileName(), nullptr);
    ASSERT_EQ(saved->GetPhotos().Count(), 4);
    EXPECT_EQ(saved->GetPhotos().PhotoAt(1)->GetFileNameOnly(), QStringLiteral("Trip_000002.bmp"));
    EXPECT_EQ(saved->GetPhotos().PhotoAt(2)->GetFileNameOnly(), QStringLiteral("c.bmp"));
    EXPECT_FALSE(QFileInfo::exists(TPendingRenames::FileNameOf(Album().GetFileName())));
}

TEST_F(PhotoRenameRun, ScatteredRowsAreRenamedWhereTheyStand)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp", "d.bmp" })
        AddPhoto(QString::fromLatin1(name));
    EnterTab();
    SelectRows({ 3, 1 });

    RenameSettingsAnswer answer(QStringLiteral("Trip"), QStringLiteral("1"), "rdbReplace");
    RenameButton()->click();

    const QStringList order({ QStringLiteral("a.bmp"), QStringLiteral("Trip_000001.bmp"),
        QStringLiteral("c.bmp"), QStringLiteral("Trip_000002.bmp") });
    EXPECT_EQ(AlbumOrder(), order);
    EXPECT_EQ(RowNames(), order);
    EXPECT_EQ(SelectedRows(), QList<int>({ 1, 3 }));
}

TEST_F(PhotoRenameRun, TheNewNameIsShownByThePanelAndThePhotoWindow)
{
    const QString a = AddPhoto(QStringLiteral("a.bmp"));
    EnterTab();
    ClickRow(0);
    Tfm_PhotoWindow* window = panel->PhotoWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->FileName(), a);

    RenameSettingsAnswer answer(QStringLiteral("Holiday"), QStringLiteral("3"), "rdbReplace");
    RenameButton()->click();

    const QString renamed = dir.filePath(QStringLiteral("Holiday_000003.bmp"));
    EXPECT_EQ(Name()->text(), renamed);
    EXPECT_EQ(window->FileName(), renamed);
    EXPECT_TRUE(window->windowTitle().endsWith(renamed));
}

TEST_F(PhotoRenameRun, ARefusedNameRenamesNothing)
{
    const QString a = AddPhoto(QStringLiteral("a.bmp"));
    EnterTab();
    SelectRows({ 0 });

    RenameSettingsAnswer answer(QStringLiteral("../a"), QStringLiteral("1"), "rdbReplace");
    RenameButton()->click();

    EXPECT_EQ(answer.Seen, 2);
    ASSERT_EQ(dialogs.CallCount(Kind::MessageBox), 1);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->text, Language()->MF[8]);
    EXPECT_TRUE(QFileInfo::exists(a));
    EXPECT_TRUE(SavedOrder().isEmpty());
    EXPECT_FALSE(host.ini->SectionExists(TAlbumPhotoRenamer::SettingsSection));
}

TEST_F(PhotoRenameRun, ANameTooLongForTheDiscRenamesNothingAndSaysWhy)
{
    const QString a = AddPhoto(QStringLiteral("a.bmp"));
    const QString b = AddPhoto(QStringLiteral("b.bmp"));
    EnterTab();
    SelectRows({ 0, 1 });
    root->show();

    RenameSettingsAnswer answer(QString(300, u'x'), QStringLiteral("1"), "rdbInsertAtTheBeginning");
    QTest::mouseClick(RenameButton(), Qt::LeftButton);

    ASSERT_EQ(dialogs.CallCount(Kind::MessageBox), 1);
    const QString reason = SystemErrorText(ENAMETOOLONG);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->text,
        Language()->MF[192] + u'\r' + a + QStringLiteral(": ") + reason + u'\r' + b + QStringLiteral(": ")
            + reason);
    EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->flags, 48);
    EXPECT_TRUE(QFileInfo::exists(a));
    EXPECT_TRUE(QFileInfo::exists(b));
    EXPECT_EQ(AlbumOrder(), QStringList({ QStringLiteral("a.bmp"), QStringLiteral("b.bmp") }));
    EXPECT_TRUE(SavedOrder().isEmpty());
}

TEST_F(PhotoRenameRun, TheNameLosesOneExtensionAndMayNotHideThePhotos)
{
    const QString a = AddPhoto(QStringLiteral("a.bmp"));
    EnterTab();
    SelectRows({ 0 });
    const QString section = TAlbumPhotoRenamer::SettingsSection;

    {
        RenameSettingsAnswer answer(QStringLiteral(".a.jpg"), QStringLiteral("1"), "rdbReplace");
        QTest::mouseClick(RenameButton(), Qt::LeftButton);
        EXPECT_EQ(answer.Seen, 2);
        ASSERT_EQ(dialogs.CallCount(Kind::MessageBox), 1);
        EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->text, Language()->MF[8]);
        EXPECT_TRUE(QFileInfo::exists(a));
        EXPECT_TRUE(SavedOrder().isEmpty());
    }

    const QString smith = dir.filePath(QStringLiteral("Mr. Smith_000001.bmp"));
    {
        RenameSettingsAnswer answer(QStringLiteral("Mr. Smith.jpg"), QStringLiteral("1"), "rdbReplace");
        QTest::mouseClick(RenameButton(), Qt::LeftButton);
        EXPECT_TRUE(QFileInfo::exists(smith));
        EXPECT_EQ(RowNames(), QStringList { QStringLiteral("Mr. Smith_000001.bmp") });
        EXPECT_EQ(SavedOrder(), RowNames());
        EXPECT_EQ(
            host.ini->ReadString(section, QStringLiteral("NewName"), QString()), QStringLiteral("Mr. Smith"));
    }

    // The next run offers the name it saved; taken as offered, it keeps its dot.
    {
        RenameSettingsAnswer answer(QString(), QStringLiteral("5"), "rdbReplace");
        QTest::mouseClick(RenameButton(), Qt::LeftButton);
        EXPECT_EQ(answer.ShownName, QStringLiteral("Mr. Smith"));
        EXPECT_FALSE(QFileInfo::exists(smith));
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("Mr. Smith_000005.bmp"))));
        EXPECT_EQ(SavedOrder(), QStringList { QStringLiteral("Mr. Smith_000005.bmp") });
        EXPECT_EQ(
            host.ini->ReadString(section, QStringLiteral("NewName"), QString()), QStringLiteral("Mr. Smith"));
    }
}

TEST_F(PhotoRenameRun, ANameWithAControlCharacterOrABackslashIsRefusedWithTheReason)
{
    const QString a = AddPhoto(QStringLiteral("a.bmp"));
    EnterTab();
    SelectRows({ 0 });
    root->show();
    // The photos, and the album with whatever is kept beside it.
    const QStringList kept { QStringLiteral("*.bmp"), QStringLiteral("test.tvx*") };
    const QStringList files = QDir(dir.path()).entryList(kept, QDir::Files);
    ASSERT_EQ(files, QStringList { QStringLiteral("a.bmp") });
    const QString section = TAlbumPhotoRenamer::SettingsSection;

    // A line break only comes in pasted; the settings file may offer anything.
    QApplication::clipboard()->setText(QStringLiteral("new\nline"));
    const std::vector<std::pair<std::function<void(QLineEdit*)>, QString>> tries {
        { [](QLineEdit* field) { QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier); },
            QStringLiteral("new\nline") },
        { [](QLineEdit* field) { QTest::keyClicks(field, QStringLiteral("new\\line")); },
            QStringLiteral("new\\line") },
        { nullptr, QStringLiteral("new\x01line") },
        { nullptr, QStringLiteral("new\x7Fline") },
    };
    int messages = 0;
    for (const auto& [enter, name] : tries) {
        if (!enter)
            host.ini->WriteString(section, QStringLiteral("NewName"), name);
        KeyboardRenameSettings answer(enter);
        QTest::mouseClick(RenameButton(), Qt::LeftButton);

        EXPECT_EQ(answer.Entered, name);
        EXPECT_TRUE(answer.Refused) << name.toStdString();
        ASSERT_EQ(dialogs.CallCount(Kind::MessageBox), ++messages) << name.toStdString();
        EXPECT_EQ(dialogs.LastCall(Kind::MessageBox)->text, Language()->MF[8]);
        EXPECT_EQ(QDir(dir.path()).entryList(kept, QDir::Files), files);
        EXPECT_EQ(RowNames(), QStringList { QStringLiteral("a.bmp") });
        EXPECT_TRUE(SavedOrder().isEmpty());
    }
}

} // namespace
