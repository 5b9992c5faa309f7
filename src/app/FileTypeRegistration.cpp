#include "app/FileTypeRegistration.h"

#include "app/ProgramIcon.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString XdgFolder(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + fallback;
}

// Writes the file only when its content differs; true when it was written.
bool WriteIfDifferent(const QString& fileName, const QByteArray& content)
{
    QFile existing(fileName);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}

QByteArray MimePackage()
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                             "  <mime-type type=\"")
        + AlbumMimeType
        + QByteArrayLiteral("\">\n"
                            "    <comment>Tavrimolex album</comment>\n"
                            "    <glob pattern=\"*.")
        + AlbumExtension
        + QByteArrayLiteral("\"/>\n"
                            "  </mime-type>\n"
                            "</mime-info>\n");
}

QByteArray DesktopEntry(const QString& executable)
{
    QString s;
    s += QStringLiteral("[Desktop Entry]\n");
    s += QStringLiteral("Type=Application\n");
    s += QStringLiteral("Name=Tavrimolex 2005\n");
    s += QStringLiteral("Comment=Photo albums\n");
    s += QStringLiteral("Exec=") + DesktopExecLine(executable) + u'\n';
    s += QStringLiteral("Icon=tavrimolex\n");
    s += QStringLiteral("MimeType=") + QString::fromLatin1(AlbumMimeType) + QStringLiteral(";\n");
    s += QStringLiteral("Terminal=false\n");
    s += QStringLiteral("Categories=Graphics;Photography;\n");
    return s.toUtf8();
}

QByteArray IconPng()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ProgramIconImage(64).save(&buffer, "PNG");
    return bytes;
}

// The default-application key of our MIME type, leaving every other line of the file alone.
QByteArray MimeAppsWithDefault(const QByteArray& old)
{
    const QString section = QStringLiteral("[Default Applications]");
    const QString key = QString::fromLatin1(AlbumMimeType);
    const QString line = key + u'=' + QString::fromLatin1(DesktopEntryName) + u';';

    QStringList lines = QString::fromUtf8(old).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    qsizetype sectionAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() == section) {
            sectionAt = i;
            break;
        }
    }
    if (sectionAt < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << section << line;
    } else {
        qsizetype end = sectionAt + 1;
        bool replaced = false;
        for (; end < lines.size() && !lines[end].trimmed().startsWith(u'['); ++end) {
            const qsizetype eq = lines[end].indexOf(u'=');
            if (eq > 0 && lines[end].left(eq).trimmed() == key) {
                lines[end] = line;
                replaced = true;
            }
        }
        if (!replaced) {
            // After the section's last key, before any blank lines that end it.
            qsizetype at = end;
            while (at > sectionAt + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, line);
        }
    }
    return (lines.join(u'\n') + u'\n').toUtf8();
}

void RunIfPresent(const QString& tool, const QString& folder)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (!path.isEmpty())
        QProcess::startDetached(path, { folder });
}

} // namespace

QString DesktopExecLine(const QString& executable)
{
    // Inside double quotes the desktop-entry rules escape " ` $ and \ with a
    // backslash; the string-value rules then double every backslash, and "%"
    // is written "%%" so it is no field code.
    QString quoted;
    for (const QChar c : executable) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + QStringLiteral("\" %f");
}

bool RegisterFileTypeFor(const QString& executable)
{
    const QString data = XdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    const QString config = XdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));

    const bool mimeChanged
        = WriteIfDifferent(data + QStringLiteral("/mime/packages/tavrimolex.xml"), MimePackage());
    const bool desktopChanged
        = WriteIfDifferent(data + QStringLiteral("/applications/") + QString::fromLatin1(DesktopEntryName),
            DesktopEntry(executable));
    const bool iconChanged
        = WriteIfDifferent(data + QStringLiteral("/icons/hicolor/64x64/apps/tavrimolex.png"), IconPng());

    const QString mimeApps = config + QStringLiteral("/mimeapps.list");
    QByteArray old;
    QFile file(mimeApps);
    if (file.open(QIODevice::ReadOnly))
        old = file.readAll();
    file.close();
    const bool defaultChanged = WriteIfDifferent(mimeApps, MimeAppsWithDefault(old));

    if (mimeChanged)
        RunIfPresent(QStringLiteral("update-mime-database"), data + QStringLiteral("/mime"));
    if (desktopChanged)
        RunIfPresent(QStringLiteral("update-desktop-database"), data + QStringLiteral("/applications"));
    return mimeChanged || desktopChanged || iconChanged || defaultChanged;
}

void RegisterFileType()
{
    RegisterFileTypeFor(QCoreApplication::applicationFilePath());
}
