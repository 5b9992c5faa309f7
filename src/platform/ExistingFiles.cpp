#include "platform/ExistingFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>

namespace {

bool StatIsFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

} // namespace

bool TExistingFiles::IsFile(const QString& path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    const qsizetype folderLength = path.lastIndexOf(u'/') + 1;
    if (folderLength == path.size())
        return StatIsFile(path);
    TFolder& entry = FolderOf(path, folderLength);
    if (!entry.listed && !entry.unlistable && ++entry.queries >= ListingThreshold)
        List(path.left(folderLength), entry);
    if (!entry.listed)
        return StatIsFile(path);
    if (entry.files.contains(path))
        return true;
    return entry.others.contains(path) && StatIsFile(path);
}

TExistingFiles::TFolder& TExistingFiles::FolderOf(const QString& path, qsizetype folderLength)
{
    const QStringView folder = QStringView(path).left(folderLength);
    if (m_last && folder == m_lastFolder)
        return *m_last;
    m_lastFolder = folder.toString();
    const bool known = m_folders.contains(m_lastFolder);
    m_last = &m_folders[m_lastFolder];
    // "a/./b" or "a/../b" would never match a listed path.
    if (!known && (m_lastFolder.contains(QLatin1String("/./")) || m_lastFolder.contains(QLatin1String("/../"))
                      || m_lastFolder.contains(QLatin1String("//"))))
        m_last->unlistable = true;
    return *m_last;
}

void TExistingFiles::List(const QString& folder, TFolder& entry)
{
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        entry.unlistable = true;
        return;
    }
    while (const dirent* item = readdir(dir)) {
        if (item->d_type == DT_REG)
            entry.files.insert(folder + QFile::decodeName(item->d_name));
        else if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN)
            entry.others.insert(folder + QFile::decodeName(item->d_name));
    }
    closedir(dir);
    entry.listed = true;
}
