// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& fileName, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(fileName).absolutePath()));
    QFile f(fileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const char* const Variables[] = { "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS",
    "XDG_CURRENT_DESKTOP", "PATH" };

// The user's folders and the system's, all in a temporary folder.
class FileTypeRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* variable : Variables)
            m_old << qgetenv(variable);
        m_data = m_dir.filePath(QStringLiteral("data"));
        m_config = m_dir.filePath(QStringLiteral("config"));
        m_system = m_dir.filePath(QStringLiteral("usr/share"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_system));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.filePath(QStringLiteral("etc/xdg"))));
        qunsetenv("XDG_CURRENT_DESKTOP");
        // The desktop's database tools run detached and would write into the
        // sandbox after it is gone: none is found here.
        qputenv("PATH", QFile::encodeName(m_dir.filePath(QStringLiteral("no-tools"))));
    }
    void TearDown() override
    {
        for (qsizetype i = 0; i < m_old.size(); ++i) {
            if (m_old[i].isEmpty())
                qunsetenv(Variables[i]);
            else
                qputenv(Variables[i], m_old[i]);
        }
    }

    QString UserEntry() const { return m_data + QStringLiteral("/applications/tavrimolex.desktop"); }
    QString MimeApps() const { return m_config + QStringLiteral("/mimeapps.list"); }

    QTemporaryDir m_dir;
    QString m_data;
    QString m_config;
    QString m_system;
    QList<QByteArray> m_old;
};

} // namespace

TEST_F(FileTypeRegistration, WritesMimeTypeDesktopEntryIconsAndDefault)
{
    EXPECT_TRUE(RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex")));
    const QByteArray mime = ReadAll(m_data + QStringLiteral("/mime/packages/tavrimolex.xml"));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-tavrimolex-album\">"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.tvx\"/>"));
    const QByteArray desktop = ReadAll(UserEntry());
    for (const char* line :
        { "\nExec=/opt/tavri/bin/tavrimolex %f\n", "\nMimeType=application/x-tavrimolex-album;\n",
            "\nStartupWMClass=Tavrimolex 2005\n", "\nGenericName[nl]=Fotoalbumbeheer\n",
            "\nComment[es]=Encuentre sus fotos favoritas de forma rápida y sencilla\n",
            "\nKeywords[nl]=foto;album;fotoalbum;diavoorstelling;miniatuur;website;\n" })
        EXPECT_TRUE(desktop.contains(line)) << line;
    for (const char* icon : { "/icons/hicolor/64x64/apps/tavrimolex.png",
             "/icons/hicolor/64x64/mimetypes/application-x-tavrimolex-album.png" })
        EXPECT_TRUE(ReadAll(m_data + QLatin1String(icon)).startsWith("\x89PNG")) << icon;
    EXPECT_EQ(ReadAll(MimeApps()),
        QByteArray("[Default Applications]\napplication/x-tavrimolex-album=tavrimolex.desktop;\n"));
}

TEST_F(FileTypeRegistration, SecondStartChangesNothing)
{
    const QString exe = QStringLiteral("/opt/tavri/bin/tavrimolex");
    RegisterFileTypeFor(exe);
    const QStringList files = { m_data + QStringLiteral("/mime/packages/tavrimolex.xml"), UserEntry(),
        m_data + QStringLiteral("/icons/hicolor/64x64/apps/tavrimolex.png"), MimeApps() };
    QList<QByteArray> first;
    for (const QString& f : files)
        first << ReadAll(f);
    EXPECT_FALSE(RegisterFileTypeFor(exe));
    for (qsizetype i = 0; i < files.size(); ++i)
        EXPECT_EQ(ReadAll(files[i]), first[i]) << files[i].toStdString();
    // A moved program is registered anew.
    EXPECT_TRUE(RegisterFileTypeFor(QStringLiteral("/usr/local/bin/tavrimolex")));
}

// Another program chosen for albums stays the default, wherever the desktop
// keeps that choice; the user's own list is not touched.
TEST_F(FileTypeRegistration, KeepsAnotherDefault)
{
    const QByteArray userList = "[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\n"
                                "text/plain=gedit.desktop;\napplication/x-tavrimolex-album=other.desktop;\n";
    const QByteArray choice = "[Default Applications]\napplication/x-tavrimolex-album=other.desktop;\n";
    struct Case {
        QString list;
        QByteArray content;
        const char* desktop;
    };
    const Case cases[] = {
        { MimeApps(), userList, nullptr },
        { m_config + QStringLiteral("/xfce-mimeapps.list"), choice, "XFCE" },
        { m_dir.filePath(QStringLiteral("etc/xdg/mimeapps.list")), choice, nullptr },
        { m_system + QStringLiteral("/applications/mimeapps.list"), choice, nullptr },
    };
    for (const Case& c : cases) {
        QDir(m_config).removeRecursively();
        QDir(m_dir.filePath(QStringLiteral("etc"))).removeRecursively();
        QDir(m_dir.filePath(QStringLiteral("usr"))).removeRecursively();
        WriteAll(c.list, c.content);
        if (c.desktop)
            qputenv("XDG_CURRENT_DESKTOP", c.desktop);
        RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex"));
        qunsetenv("XDG_CURRENT_DESKTOP");
        EXPECT_EQ(ReadAll(c.list), c.content) << c.list.toStdString();
        EXPECT_FALSE(ReadAll(MimeApps()).contains("=tavrimolex.desktop")) << c.list.toStdString();
    }
}

TEST_F(FileTypeRegistration, AddsTheKeyToAnExistingSection)
{
    WriteAll(MimeApps(),
        "[Default Applications]\ntext/plain=gedit.desktop;\n\n[Added "
        "Associations]\nimage/png=gimp.desktop;\n");
    RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex"));
    EXPECT_EQ(ReadAll(MimeApps()),
        QByteArray("[Default Applications]\ntext/plain=gedit.desktop;\n"
                   "application/x-tavrimolex-album=tavrimolex.desktop;\n\n[Added "
                   "Associations]\nimage/png=gimp.desktop;\n"));
}

// Where a package installed the program, its MIME type and desktop entry are
// the registration: nothing is written into the user's folders, where a
// per-user entry would hide the packaged one and a default would outlive the
// package. An entry an earlier start wrote goes; one the user wrote stays.
TEST_F(FileTypeRegistration, PackagedProgramWritesNothingForTheUser)
{
    WriteAll(m_system + QStringLiteral("/applications/tavrimolex.desktop"),
        DesktopEntry(QStringLiteral("tavrimolex %f")));
    EXPECT_FALSE(RegisterFileTypeFor(QStringLiteral("/usr/bin/tavrimolex")));
    EXPECT_FALSE(QFile::exists(m_data));
    EXPECT_FALSE(QFile::exists(m_config));

    const QByteArray earliest
        = "[Desktop Entry]\nType=Application\nName=Tavrimolex 2005\nComment=Photo albums\n"
          "Exec=\"/home/u/build/bin/tavrimolex\" %f\nIcon=tavrimolex\n"
          "MimeType=application/x-tavrimolex-album;\nTerminal=false\n"
          "Categories=Graphics;Photography;\n";
    const QByteArray current = DesktopEntry(DesktopExecLine(QStringLiteral("/home/u/build/bin/tavrimolex")));
    QByteArray withoutKeywords;
    for (const QByteArray& line : current.split('\n')) {
        if (!line.startsWith("Keywords") && !line.isEmpty())
            withoutKeywords += line + '\n';
    }
    for (const QByteArray& entry : { earliest, withoutKeywords, current }) {
        WriteAll(UserEntry(), entry);
        EXPECT_TRUE(RegisterFileTypeFor(QStringLiteral("/usr/bin/tavrimolex")));
        EXPECT_FALSE(QFile::exists(UserEntry()));
    }
    const QByteArray own = current + "X-Mine=true\n";
    WriteAll(UserEntry(), own);
    RegisterFileTypeFor(QStringLiteral("/usr/bin/tavrimolex"));
    EXPECT_EQ(ReadAll(UserEntry()), own);
    EXPECT_FALSE(QFile::exists(m_data + QStringLiteral("/mime")));
    EXPECT_FALSE(QFile::exists(m_data + QStringLiteral("/icons")));
    EXPECT_FALSE(QFile::exists(m_config));
}

TEST_F(FileTypeRegistration, UnwritableFolderIsNoError)
{
    qputenv("XDG_DATA_HOME", "/proc/no-such-place");
    qputenv("XDG_CONFIG_HOME", "/proc/no-such-place");
    EXPECT_FALSE(RegisterFileTypeFor(QStringLiteral("/opt/tavri/bin/tavrimolex")));
}

// Plain xdg-open runs the first word of Exec as it stands, so a path is quoted
// only when the desktop-entry rules ask for it; "%" is doubled either way, and
// no character of the path can end the line.
TEST(DesktopExecLine, QuotesOnlyWhatNeedsQuoting)
{
    const std::pair<const char*, const char*> cases[] = {
        { "/opt/tavri/bin/tavrimolex", "/opt/tavri/bin/tavrimolex %f" },
        { "/home/u/100%/tavrimolex", "/home/u/100%%/tavrimolex %f" },
        { "/home/a b/tavrimolex", "\"/home/a b/tavrimolex\" %f" },
        { "/home/it's/tavrimolex", "\"/home/it's/tavrimolex\" %f" },
        { "/x/$y\"z`%/p\\q", "\"/x/\\\\$y\\\\\"z\\\\`%%/p\\\\\\\\q\" %f" },
        { "/x/a\nExec=evil", "\"/x/a\\nExec=evil\" %f" },
    };
    for (const auto& [path, line] : cases)
        EXPECT_EQ(DesktopExecLine(QString::fromUtf8(path)), QString::fromUtf8(line)) << path;
}
