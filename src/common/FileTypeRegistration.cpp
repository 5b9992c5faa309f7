// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/FileTypeRegistration.h"

#include "language/DesktopTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString XdgFolder(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + fallback;
}

// A colon-separated list of folders; relative entries do not count, and an
// empty list means the default.
QStringList XdgFolders(const char* variable, const QString& fallback)
{
    QStringList folders;
    for (const QString& folder : qEnvironmentVariable(variable).split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(folder))
            folders << QDir::cleanPath(folder);
    }
    return folders.isEmpty() ? fallback.split(u':') : folders;
}

QByteArray ReadFile(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file only when its content differs; true when it was written.
bool WriteIfDifferent(const QString& fileName, const QByteArray& content)
{
    if (QFileInfo::exists(fileName) && ReadFile(fileName) == content)
        return false;
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}

// The string-value escapes of a desktop entry, so that no text can end its
// line and start a key of its own.
QString EscapeValue(const QString& value)
{
    QString out;
    for (const QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

// A desktop entry without the lines whose key starts with the given text.
QByteArray Without(const QByteArray& entry, const char* key)
{
    QList<QByteArray> lines = entry.split('\n');
    lines.removeIf([key](const QByteArray& line) { return line.startsWith(key); });
    return lines.join('\n');
}

// A desktop entry without its "Exec" line: what tells an entry this program
// wrote, wherever the program was then.
QByteArray WithoutExec(const QByteArray& entry)
{
    return Without(entry, "Exec=");
}

// The entry that the program wrote for its user before it had translated names.
const QByteArray EarlierDesktopEntry = "[Desktop Entry]\nType=Application\nName=Tavrimolex 2005\n"
                                       "Comment=Photo albums\nIcon=tavrimolex\n"
                                       "MimeType=application/x-tavrimolex-album;\nTerminal=false\n"
                                       "Categories=Graphics;Photography;\n";

bool WrittenByThisProgram(const QByteArray& entry)
{
    const QByteArray bare = WithoutExec(entry);
    const QByteArray current = WithoutExec(DesktopEntry(QString()));
    // Before it had search words, the entry was the present one without them.
    return bare == current || bare == Without(current, "Keywords") || bare == EarlierDesktopEntry;
}

// A desktop entry of the program that a package installed; the user's own data
// folder does not count, also when it is listed among the system's.
bool PackagedEntryExists(const QString& userData)
{
    const QString own = QDir::cleanPath(userData);
    for (const QString& folder : XdgFolders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))) {
        if (folder != own
            && QFileInfo(folder + QStringLiteral("/applications/") + QLatin1String(DesktopEntryName))
                   .isFile())
            return true;
    }
    return false;
}

// Every mimeapps.list that may hold the album type's default, in the order
// the desktop reads them.
QStringList MimeAppsLists(const QString& config, const QString& data)
{
    QStringList names;
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        names << desktop.toLower() + QStringLiteral("-mimeapps.list");
    names << QStringLiteral("mimeapps.list");

    QStringList folders { config };
    folders += XdgFolders("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    folders << data + QStringLiteral("/applications");
    for (const QString& folder : XdgFolders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")))
        folders << folder + QStringLiteral("/applications");

    QStringList lists;
    for (const QString& folder : folders) {
        for (const QString& name : names)
            lists << folder + u'/' + name;
    }
    return lists;
}

const QString DefaultsSection = QStringLiteral("[Default Applications]");

// True when the list names a program for the album type under its defaults.
bool HasDefault(const QByteArray& list)
{
    const QString key = QString::fromLatin1(AlbumMimeType);
    bool inDefaults = false;
    for (const QString& raw : QString::fromUtf8(list).split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inDefaults = line == DefaultsSection;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (inDefaults && eq > 0 && line.left(eq).trimmed() == key && !line.mid(eq + 1).trimmed().isEmpty())
            return true;
    }
    return false;
}

// The default-application key of our MIME type, leaving every other line of the file alone.
QByteArray MimeAppsWithDefault(const QByteArray& old)
{
    const QString key = QString::fromLatin1(AlbumMimeType);
    const QString line = key + u'=' + QString::fromLatin1(DesktopEntryName) + u';';

    QStringList lines = QString::fromUtf8(old).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    qsizetype sectionAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() == DefaultsSection) {
            sectionAt = i;
            break;
        }
    }
    if (sectionAt < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << DefaultsSection << line;
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

QByteArray DesktopEntry(const QString& exec)
{
    const TDesktopTexts english = DesktopTexts(LT_Default);
    const TDesktopTexts dutch = DesktopTexts(LT_Dutch);
    const TDesktopTexts spanish = DesktopTexts(LT_Spanish);
    QString s = QStringLiteral("[Desktop Entry]\nType=Application\n");
    const auto add = [&s](const char* key, const QString& en, const QString& nl, const QString& es) {
        const QString k = QLatin1String(key);
        s += k + u'=' + EscapeValue(en) + u'\n';
        s += k + QStringLiteral("[nl]=") + EscapeValue(nl) + u'\n';
        s += k + QStringLiteral("[es]=") + EscapeValue(es) + u'\n';
    };
    add("Name", english.Name, dutch.Name, spanish.Name);
    add("GenericName", english.GenericName, dutch.GenericName, spanish.GenericName);
    add("Comment", english.Comment, dutch.Comment, spanish.Comment);
    add("Keywords", english.Keywords, dutch.Keywords, spanish.Keywords);
    s += QStringLiteral("Exec=") + exec + u'\n';
    s += QStringLiteral("Icon=tavrimolex\n");
    s += QStringLiteral("MimeType=") + QLatin1String(AlbumMimeType) + QStringLiteral(";\n");
    s += QStringLiteral("Terminal=false\n");
    s += QStringLiteral("Categories=Graphics;Photography;\n");
    s += QStringLiteral("StartupWMClass=") + QLatin1String(ApplicationName) + u'\n';
    return s.toUtf8();
}

QString DesktopExecLine(const QString& executable)
{
    // The characters for which the desktop-entry rules ask the argument to be quoted.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#`()");
    QString argument;
    if (std::any_of(executable.begin(), executable.end(), [](QChar c) { return reserved.contains(c); })) {
        // Inside double quotes " ` $ and \ are escaped with a backslash.
        argument += u'"';
        for (const QChar c : executable) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                argument += u'\\';
            argument += c;
        }
        argument += u'"';
    } else {
        argument = executable;
    }
    // "%" begins a field code, quoted or not.
    argument.replace(u'%', QStringLiteral("%%"));
    return EscapeValue(argument) + QStringLiteral(" %f");
}

bool RegisterFileTypeFor(const QString& executable)
{
    const QString data = XdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    const QString config = XdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    const QString userEntry = data + QStringLiteral("/applications/") + QLatin1String(DesktopEntryName);

    if (PackagedEntryExists(data)) {
        // The package's MIME type and desktop entry are the registration, and
        // whatever the program wrote for its user would outlive the package:
        // nothing is written. An entry of ours from an earlier start would hide
        // the packaged one, naming wherever the program ran from then; the
        // user's own entry of that name stays.
        const bool removed = QFileInfo::exists(userEntry) && WrittenByThisProgram(ReadFile(userEntry))
            && QFile::remove(userEntry);
        if (removed)
            RunIfPresent(QStringLiteral("update-desktop-database"), data + QStringLiteral("/applications"));
        return removed;
    }

    const bool mimeChanged = WriteIfDifferent(
        data + QStringLiteral("/mime/packages/tavrimolex.xml"), ReadFile(QStringLiteral(":/tavrimolex.xml")));
    const bool desktopChanged = WriteIfDifferent(userEntry, DesktopEntry(DesktopExecLine(executable)));
    bool iconChanged = false;
    for (const QString& icon : { QStringLiteral("64x64/apps/tavrimolex.png"),
             QStringLiteral("64x64/mimetypes/application-x-tavrimolex-album.png") }) {
        if (WriteIfDifferent(data + QStringLiteral("/icons/hicolor/") + icon,
                ReadFile(QStringLiteral(":/icons/hicolor/") + icon)))
            iconChanged = true;
    }

    bool defaultChanged = false;
    const QStringList lists = MimeAppsLists(config, data);
    if (std::none_of(
            lists.begin(), lists.end(), [](const QString& list) { return HasDefault(ReadFile(list)); })) {
        const QString userList = config + QStringLiteral("/mimeapps.list");
        defaultChanged = WriteIfDifferent(userList, MimeAppsWithDefault(ReadFile(userList)));
    }

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
