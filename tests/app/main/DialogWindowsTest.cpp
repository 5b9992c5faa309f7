// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/main/QtTranslations.h"
#include "app/shared/Tfm_LanguageWindow.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "language/LanguageSelector.h"
#include "platform/TextUtil.h"
#include "widgets/FolderTree.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(LanguageWindow, CaptionAndChoices)
{
    Tfm_LanguageWindow window;
    EXPECT_EQ(window.windowTitle(), Language()->Title + QStringLiteral(" - Select your language"));
    EXPECT_EQ(window.objectName(), QStringLiteral("fm_LanguageWindow"));
    EXPECT_EQ(
        window.findChild<QPushButton*>(QStringLiteral("bt_Dutch"))->text(), QStringLiteral("Nederlands"));
    EXPECT_EQ(window.LangType, LT_Default);

    window.findChild<QPushButton*>(QStringLiteral("bt_Spanish"))->click();
    EXPECT_EQ(window.LangType, LT_Spanish);
    window.show();
    QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("imgDutch")), Qt::LeftButton);
    EXPECT_EQ(window.LangType, LT_Dutch);
    EXPECT_FALSE(window.isVisible());
}

TEST(LanguageWindow, ClosingWithoutAChoiceKeepsTheGivenLanguage)
{
    Tfm_LanguageWindow window;
    window.LangType = LT_Spanish;
    QTimer::singleShot(0, &window, &QDialog::reject);
    window.exec();
    EXPECT_EQ(window.LangType, LT_Spanish);
}

namespace {

class FolderWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("photos/2004"));
        m_window.SetFolder(m_dir.filePath(QStringLiteral("photos")));
    }
    QTemporaryDir m_dir;
    TScriptedDialogService m_dialogs;
    Tfm_SelectdirectoryWindow m_window;
};

} // namespace

TEST_F(FolderWindow, TextsComeFromTheLanguageRecord)
{
    EXPECT_EQ(m_window.windowTitle(), Language()->DF[9]);
    EXPECT_EQ(m_window.findChild<QPushButton*>(QStringLiteral("bt_CreateFolder"))->text(), Language()->DF[0]);
    EXPECT_EQ(m_window.findChild<QPushButton*>(QStringLiteral("bt_Ok"))->text(), Language()->DF[8]);
}

TEST_F(FolderWindow, MissingFolderKeepsTheSelection)
{
    EXPECT_EQ(m_window.GetFolder(), m_dir.filePath(QStringLiteral("photos")));
    m_window.SetFolder(m_dir.filePath(QStringLiteral("removed/drive")));
    EXPECT_EQ(m_window.GetFolder(), m_dir.filePath(QStringLiteral("photos")));
}

TEST_F(FolderWindow, CreatesATrimmedSubfolderAndSelectsIt)
{
    m_dialogs.QueueInput(QStringLiteral("  Summer \t"));
    m_window.bt_CreateFolderClick();
    const TDialogCall* input = m_dialogs.LastCall(TDialogCall::Kind::InputQuery);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->caption, Language()->DF[0]);
    EXPECT_EQ(input->text, Language()->DF[1]);
    EXPECT_TRUE(input->initial.isEmpty());
    EXPECT_TRUE(QFileInfo(m_dir.filePath(QStringLiteral("photos/Summer"))).isDir());
    EXPECT_EQ(m_window.GetFolder(), m_dir.filePath(QStringLiteral("photos/Summer")));
    EXPECT_EQ(m_dialogs.CallCount(TDialogCall::Kind::ShowMessage), 0);
}

TEST_F(FolderWindow, ExistingFolderIsReportedAndBlankNameIgnored)
{
    m_dialogs.QueueInput(QStringLiteral("2004"));
    m_window.bt_CreateFolderClick();
    const TDialogCall* note = m_dialogs.LastCall(TDialogCall::Kind::ShowMessage);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text, Text::Format(Language()->DF[2], { m_dir.filePath(QStringLiteral("photos/2004")) }));
    EXPECT_EQ(m_window.GetFolder(), m_dir.filePath(QStringLiteral("photos")));

    m_dialogs.QueueInput(QStringLiteral("   "));
    m_window.bt_CreateFolderClick();
    m_dialogs.QueueInput(std::nullopt);
    m_window.bt_CreateFolderClick();
    EXPECT_EQ(m_dialogs.CallCount(TDialogCall::Kind::ShowMessage), 1);
}

TEST(FolderTree, OpeningAFolderShowsSubfoldersMadeSinceItWasRead)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("trips/1998")));
    TFolderTree tree;
    ASSERT_TRUE(tree.SetFolder(dir.filePath(QStringLiteral("trips"))));
    const QModelIndex trips = tree.currentIndex();
    EXPECT_EQ(tree.model()->rowCount(trips), 1);

    // Made by another program: it shows once the folder is opened again.
    QDir().mkpath(dir.filePath(QStringLiteral("trips/2004")));
    QDir().rmdir(dir.filePath(QStringLiteral("trips/1998")));
    tree.collapse(trips);
    tree.expand(trips);
    ASSERT_EQ(tree.model()->rowCount(trips), 1);
    EXPECT_EQ(tree.model()->index(0, 0, trips).data().toString(), QStringLiteral("2004"));
    EXPECT_TRUE(tree.SetFolder(dir.filePath(QStringLiteral("trips/2004"))));
    EXPECT_EQ(tree.Folder(), dir.filePath(QStringLiteral("trips/2004")));
}

TEST(QtTranslations, MessageBoxButtonsFollowTheDesktopLanguage)
{
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    QTranslator* dutch = InstallQtTranslations(QLocale(QLocale::Dutch, QLocale::Netherlands));
    if (!dutch)
        GTEST_SKIP() << "Qt's Dutch translation is not installed";
    EXPECT_EQ(yes(), QStringLiteral("&Ja"));
    QCoreApplication::removeTranslator(dutch);
    delete dutch;
    EXPECT_EQ(yes(), QStringLiteral("&Yes"));
}
