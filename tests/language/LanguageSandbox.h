// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Every language test runs with the user's config folder in a temporary folder,
// so that the settings folder is Folder(), with no record yet, English in force
// and the record's messages collected instead of shown.
#include "language/LanguageSelector.h"
#include "platform/AppFolders.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class LanguageSandbox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        m_hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        AppFolders::SetProgramFolderForTesting(dir.filePath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir().mkpath(Folder()));
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        SetLanguageMessageHandler([this](const QString& text) { messages << text; });
    }

    void TearDown() override
    {
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        SetLanguageMessageHandler({});
        AppFolders::SetProgramFolderForTesting(QString());
        if (m_hadConfigHome)
            qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    QString Folder() const { return dir.filePath(QStringLiteral("config/tavrimolex")); }
    QString FilePath(const QString& name) const { return Folder() + u'/' + name; }

    QByteArray ReadFile(const QString& name) const
    {
        QFile file(FilePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(FilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    QStringList messages;

private:
    bool m_hadConfigHome = false;
    QByteArray m_oldConfigHome;
};
