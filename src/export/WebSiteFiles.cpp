// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/WebSiteFiles.h"

#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/StatusReporter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <unistd.h>

namespace {

// Every file either generator writes, by its path below the site's folder.
// Anything else there is the user's, however much it looks like ours.
const QRegularExpression& SiteFile()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(index\\.htm"
        "|css/tavrimolex\\.css"
        "|script/(navigation|timer)\\.js"
        "|images/(background|phslideslow_selected|phslideslow_unselected)\\.jpg"
        "|images/photos/Photo[0-9]+\\.jpg"
        "|images/thumbnails/Thumbnail[0-9]+\\.jpg"
        "|photos/(background|photo[0-9]+)\\.jpg"
        "|html/(top|list)\\.htm"
        "|html/photo[0-9]+(_top|_contents|_bottom)?\\.htm"
        "|html/photos/PhotoContents[0-9]+\\.htm"
        "|html/(albums/album|objects/object|events/event|years/year|descriptions/description)[0-9]+"
        "/ThumbnailFrame(Top|Bottom|Contents[0-9]+)?\\.htm"
        ")$"));
    return pattern;
}

// Every folder either generator makes below the site's folder.
const QRegularExpression& SiteFolder()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(css|script|photos|images|images/photos|images/thumbnails"
        "|html|html/photos|html/(albums|objects|events|years|descriptions)"
        "|html/(albums/album|objects/object|events/event|years/year|descriptions/description)[0-9]+"
        ")$"));
    return pattern;
}

const char* const TopFolders[] = { "css", "images", "html", "script", "photos" };

bool RefusedFolder(const QFileInfo& folder)
{
    if (folder.isSymLink() || !folder.isDir())
        return true;
    const QString canonical = folder.canonicalFilePath();
    return canonical.isEmpty() || canonical == QDir::rootPath()
        || canonical == QFileInfo(QDir::homePath()).canonicalFilePath();
}

// What a write of one of the site's files left when the program was killed:
// a plain file of this user (never a link) named after the site file with
// the safe writer's temporary mark.
bool IsLeftover(const QFileInfo& entry, const QString& relative)
{
    const QString target = TemporaryNameTarget(relative);
    return !target.isEmpty() && !entry.isSymLink() && entry.isFile() && entry.ownerId() == ::geteuid()
        && SiteFile().match(target).hasMatch();
}

// The leftovers of killed writes among the files of root itself.
void CollectRootLeftovers(const QDir& root, QStringList& leftovers)
{
    const QStringList names = root.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names)
        if (IsLeftover(QFileInfo(root.filePath(name)), name))
            leftovers << name;
}

// The site's own files and folders below root, found without following a
// link: a link is at most one of the files, removed as a link. Leftovers of
// killed writes go to leftovers, and only there when files is null.
void CollectSite(const QDir& root, QStringList* files, QStringList& leftovers, QStringList& folders)
{
    if (files
        && (QFileInfo(root.filePath(QStringLiteral("index.htm"))).isFile()
            || QFileInfo(root.filePath(QStringLiteral("index.htm"))).isSymLink()))
        *files << QStringLiteral("index.htm");
    CollectRootLeftovers(root, leftovers);
    for (const char* top : TopFolders) {
        const QString name = QString::fromLatin1(top);
        const QFileInfo folder(root.filePath(name));
        if (folder.isSymLink() || !folder.isDir())
            continue;
        folders << name;
        QDirIterator it(folder.filePath(),
            QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo entry = it.nextFileInfo();
            // Only names with the mark are looked at further when only
            // leftovers are sought: the export sweeps a site of 100,000 photos.
            const bool marked = !TemporaryNameTarget(entry.fileName()).isEmpty();
            if (!files && !marked)
                continue;
            const QString relative = root.relativeFilePath(entry.filePath());
            if (entry.isDir() && !entry.isSymLink()) {
                if (SiteFolder().match(relative).hasMatch())
                    folders << relative;
            } else if (files && SiteFile().match(relative).hasMatch()) {
                *files << relative;
            } else if (marked && IsLeftover(entry, relative)) {
                leftovers << relative;
            }
        }
    }
}

} // namespace

bool RemoveWebSiteFiles(const QString& rootFolder, TStatusReporter* status)
{
    const QString bare = Paths::ExcludeTrailingSeparator(rootFolder);
    if (bare.isEmpty() || RefusedFolder(QFileInfo(bare)))
        return false;
    QDir root(bare);

    QStringList files;
    QStringList leftovers;
    QStringList folders;
    CollectSite(root, &files, leftovers, folders);
    files += leftovers;

    if (status) {
        status->SetRange(0, int(files.size()));
        status->SetNumberToGo(QString::number(files.size()));
        status->ShowStatus();
    }
    bool complete = true;
    for (const QString& file : files) {
        if (status) {
            if (status->IsCancelled())
                return false;
            status->SetObject(root.filePath(file));
            status->StepIt();
            status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
            status->ProcessEvents();
        }
        complete = root.remove(file) && complete;
    }

    // The deepest first, so that a folder emptied of its own folders goes too;
    // a folder that still holds something of the user's stays.
    std::sort(folders.begin(), folders.end(),
        [](const QString& a, const QString& b) { return a.count(u'/') > b.count(u'/'); });
    for (const QString& folder : folders)
        root.rmdir(folder);
    QDir().rmdir(bare);
    return complete;
}

void RemoveWebSiteLeftovers(const QString& rootFolder)
{
    const QString bare = Paths::ExcludeTrailingSeparator(rootFolder);
    if (bare.isEmpty() || !QFileInfo(bare).isDir())
        return;
    const QDir root(bare);
    QStringList leftovers;
    QStringList folders;
    CollectSite(root, nullptr, leftovers, folders);
    for (const QString& file : leftovers)
        QFile::remove(root.filePath(file));
}
