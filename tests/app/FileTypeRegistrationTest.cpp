#include "app/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FileTypeRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_data = m_dir.filePath(QStringLiteral("data"));
        m_config = m_dir.filePath(QStringLiteral("config"));
        m_oldData = qgetenv("XDG_DATA_HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config));
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", m_oldData);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    QTemporaryDir m_dir;
    QString m_data;
    QString m_config;
    QByteArray m_oldData;
    QByteArray m_oldConfig;
};

} // namespace

TEST_F(FileTypeRegistration, WritesMimeTypeDesktopEntryIconAndDefault)
{
    EXPECT_TRUE(RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex")));
    const QByteArray mime = ReadAll(m_data + QStringLiteral("/mime/packages/tavrimolex.xml"));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-tavrimolex-album\">"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.tvx\"/>"));
    const QByteArray desktop = ReadAll(m_data + QStringLiteral("/applications/tavrimolex.desktop"));
    EXPECT_TRUE(desktop.contains("\nExec=\"/opt/tavri/bin/tavrimolex\" %f\n"));
    EXPECT_TRUE(desktop.contains("\nMimeType=application/x-tavrimolex-album;\n"));
    EXPECT_TRUE(
        ReadAll(m_data + QStringLiteral("/icons/hicolor/64x64/apps/tavrimolex.png")).startsWith("\x89PNG"));
    EXPECT_EQ(ReadAll(m_config + QStringLiteral("/mimeapps.list")),
        QByteArray("[Default Applications]\napplication/x-tavrimolex-album=tavrimolex.desktop;\n"));
}

TEST_F(FileTypeRegistration, SecondStartChangesNothing)
{
    const QString exe = QStringLiteral("/opt/tavri/bin/tavrimolex");
    RegisterFileTypeFor(exe);
    const QStringList files = { m_data + QStringLiteral("/mime/packages/tavrimolex.xml"),
        m_data + QStringLiteral("/applications/tavrimolex.desktop"),
        m_data + QStringLiteral("/icons/hicolor/64x64/apps/tavrimolex.png"),
        m_config + QStringLiteral("/mimeapps.list") };
    QList<QByteArray> first;
    for (const QString& f : files)
        first << ReadAll(f);
    EXPECT_FALSE(RegisterFileTypeFor(exe));
    for (qsizetype i = 0; i < files.size(); ++i)
        EXPECT_EQ(ReadAll(files[i]), first[i]) << files[i].toStdString();
    // A moved program is registered anew.
    EXPECT_TRUE(RegisterFileTypeFor(QStringLiteral("/usr/local/bin/tavrimolex")));
}

TEST_F(FileTypeRegistration, EditsOnlyItsOwnKeyOfMimeApps)
{
    QDir().mkpath(m_config);
    QFile list(m_config + QStringLiteral("/mimeapps.list"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\n"
               "text/plain=gedit.desktop;\napplication/x-tavrimolex-album=other.desktop;\n\n"
               "[Removed Associations]\nimage/gif=eog.desktop;\n");
    list.close();
    RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex"));
    EXPECT_EQ(ReadAll(m_config + QStringLiteral("/mimeapps.list")),
        QByteArray("[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\n"
                   "text/plain=gedit.desktop;\napplication/x-tavrimolex-album=tavrimolex.desktop;\n\n"
                   "[Removed Associations]\nimage/gif=eog.desktop;\n"));
}

TEST_F(FileTypeRegistration, AddsTheKeyToAnExistingSection)
{
    QDir().mkpath(m_config);
    QFile list(m_config + QStringLiteral("/mimeapps.list"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\ntext/plain=gedit.desktop;\n\n[Added "
               "Associations]\nimage/png=gimp.desktop;\n");
    list.close();
    RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex"));
    EXPECT_EQ(ReadAll(m_config + QStringLiteral("/mimeapps.list")),
        QByteArray("[Default Applications]\ntext/plain=gedit.desktop;\n"
                   "application/x-tavrimolex-album=tavrimolex.desktop;\n\n[Added "
                   "Associations]\nimage/png=gimp.desktop;\n"));
}

TEST_F(FileTypeRegistration, UnwritableFolderIsNoError)
{
    qputenv("XDG_DATA_HOME", "/proc/no-such-place");
    qputenv("XDG_CONFIG_HOME", "/proc/no-such-place");
    EXPECT_FALSE(RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex")));
}

TEST(DesktopExecLine, QuotesAndEscapesThePath)
{
    EXPECT_EQ(DesktopExecLine(QStringLiteral("/home/a b/tavrimolex")),
        QStringLiteral("\"/home/a b/tavrimolex\" %f"));
    EXPECT_EQ(DesktopExecLine(QStringLiteral("/x/$y\"z`%/p\\q")),
        QStringLiteral("\"/x/\\\\$y\\\\\"z\\\\`%%/p\\\\\\\\q\" %f"));
}
