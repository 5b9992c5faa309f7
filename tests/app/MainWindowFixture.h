// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The real main window in a sandbox: its own program folder and settings file,
// XDG folders of its own, and scripted dialogs.
#include "app/albums/AlbumsPage.h"
#include "app/main/Tfm_MainForm.h"
#include "common/BusyGuard.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/AppFolders.h"
#include "platform/IniFile.h"
#include "platform/TextUtil.h"
#include "platform/VersionInfo.h"
#include "widgets/FolderTree.h"
#include "widgets/PageControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Kind = TDialogCall::Kind;

inline void WriteFile(const QString& fileName, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile f(fileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

inline QString MakeAlbum(const QString& fileName, const QString& description = QString())
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    TAlbum album(fileName);
    album.SetDescription(description);
    album.SaveToFile();
    return fileName;
}

// Clicks a button of the language window as soon as one is shown; counts the windows seen.
class LanguageWindowAnswer : public QObject {
public:
    explicit LanguageWindowAnswer(const char* button)
        : m_button(button)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QStringLiteral("fm_LanguageWindow") && w->isVisible()) {
                    ++Seen;
                    if (auto* b = w->findChild<QPushButton*>(QString::fromLatin1(m_button)))
                        b->click();
                    else
                        w->close();
                }
            }
        });
        m_timer.start(10);
    }
    int Seen = 0;

private:
    const char* m_button;
    QTimer m_timer;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_program = m_dir.filePath(QStringLiteral("bin"));
        QDir().mkpath(m_program);
        AppFolders::SetProgramFolderForTesting(m_program);
        m_oldData = qgetenv("XDG_DATA_HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("xdg/data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("xdg/config"))));
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        Tfm_StatusWindow::SetHideDelay(0);
        m_dialogs = std::make_unique<TScriptedDialogService>();
    }

    void TearDown() override
    {
        m_form.reset();
        m_dialogs.reset();
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        AppFolders::SetProgramFolderForTesting(QString());
        qputenv("XDG_DATA_HOME", m_oldData);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    QString SettingsFile() const
    {
        return m_dir.filePath(QStringLiteral("xdg/config/tavrimolex/tavrimolex.Ini"));
    }

    // Settings of a program that has been started before, in English.
    void ChosenLanguage(int id = 0, const QString& more = QString())
    {
        WriteFile(SettingsFile(),
            (QStringLiteral("[Languange]\r\nSelected=1\r\nLanguageID=") + QString::number(id)
                + QStringLiteral("\r\n") + more)
                .toUtf8());
    }

    Tfm_MainForm& Start(const QStringList& arguments = {})
    {
        m_form = std::make_unique<Tfm_MainForm>(arguments);
        return *m_form;
    }

    void Restart(const QStringList& arguments = {})
    {
        m_form.reset();
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        Start(arguments);
    }

    template <class T> T* Find(const char* name) const
    {
        T* w = m_form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    bool TabShown(const char* page) const
    {
        TPageControl* pc = m_form->pc_Album();
        return pc->isTabVisible(pc->indexOf(Find<QWidget>(page)));
    }

    QString CurrentPage() const { return m_form->pc_Album()->currentWidget()->objectName(); }

    QString CurrentInner(const char* control) const
    {
        return Find<QTabWidget>(control)->currentWidget()->objectName();
    }

    QTemporaryDir m_dir;
    QString m_program;
    QByteArray m_oldData, m_oldConfig;
    std::unique_ptr<TScriptedDialogService> m_dialogs;
    std::unique_ptr<Tfm_MainForm> m_form;
};

} // namespace
