#include "export/WebSiteFiles.h"

#include "platform/FileRoutines.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The folders the generators fill with nothing but their own files.
const char* const SiteFolders[] = { "css", "images", "html", "script" };

bool IsSitePhoto(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^(background|photo[0-9]+)\\.jpg$"));
    return pattern.match(name).hasMatch();
}

bool RefusedFolder(const QFileInfo& folder)
{
    if (folder.isSymLink() || !folder.isDir())
        return true;
    const QString canonical = folder.canonicalFilePath();
    return canonical.isEmpty() || canonical == QDir::rootPath()
        || canonical == QFileInfo(QDir::homePath()).canonicalFilePath();
}

// Removes the site's own pictures from photos/, then the folder when they were all it held.
bool RemoveSitePhotos(const QDir& root)
{
    const QFileInfo photos(root.filePath(QStringLiteral("photos")));
    if (photos.isSymLink() || !photos.isDir())
        return true;
    QDir dir(photos.filePath());
    bool complete = true;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (IsSitePhoto(entry.fileName()) && !dir.remove(entry.fileName()))
            complete = false;
    }
    root.rmdir(QStringLiteral("photos"));
    return complete;
}

} // namespace

bool RemoveWebSiteFiles(const QString& rootFolder, TStatusReporter* status)
{
    const QString bare = Paths::ExcludeTrailingSeparator(rootFolder);
    if (bare.isEmpty() || RefusedFolder(QFileInfo(bare)))
        return false;
    const QDir root(bare);

    bool complete = true;
    for (const char* folder : SiteFolders) {
        const QString name = QString::fromLatin1(folder);
        const QFileInfo entry(root.filePath(name));
        if (entry.isSymLink()) {
            complete = QFile::remove(entry.filePath()) && complete;
        } else if (entry.isDir()) {
            if (!DeleteFolderContents(entry.filePath(), true, status))
                return false;
            complete = root.rmdir(name) && complete;
        }
    }

    const QFileInfo index(root.filePath(QStringLiteral("index.htm")));
    if (index.exists() || index.isSymLink())
        complete = QFile::remove(index.filePath()) && complete;
    complete = RemoveSitePhotos(root) && complete;

    // Only an emptied folder goes; files of the user's own keep it.
    QDir().rmdir(bare);
    return complete;
}
