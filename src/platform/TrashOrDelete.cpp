// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/TrashOrDelete.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

bool Gone(const QString& fileName)
{
    const QFileInfo entry(fileName);
    return !entry.exists() && !entry.isSymLink();
}

// Qt falls back to the home trash for every file, and when it cannot make that
// one either, it puts the file in "files" of the current folder and reports
// success. The home trash is made here first, as Qt would make it, so that a
// trash is either there or known to be missing.
bool HomeTrashReady()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return false;
    if (!QFileInfo(data).isDir()) {
        if (!QDir().mkpath(data))
            return false;
        QFile::setPermissions(data, OwnerOnly);
    }
    const QString trash = data + QStringLiteral("/Trash");
    if (!QFileInfo(trash).isDir() && QDir(data).mkdir(QStringLiteral("Trash")))
        QFile::setPermissions(trash, OwnerOnly);
    return QFileInfo(trash).isDir();
}

// Qt looks for the trash on the volume of what a link points to, while the
// link itself can only be moved on its own volume: only a link whose target
// shares that volume can reach a trash without leaving a trash folder behind
// on a volume that nothing goes to.
bool LinkCanBeTrashed(const QFileInfo& link)
{
    return link.exists() && QStorageInfo(link.absolutePath()) == QStorageInfo(link.absoluteFilePath());
}

} // namespace

bool TrashOrDelete(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    if (Gone(fileName))
        return true;
    const QFileInfo entry(fileName);
    const bool link = entry.isSymLink();
    if (!link && entry.isDir())
        return false;
    if ((!link || LinkCanBeTrashed(entry)) && HomeTrashReady() && QFile::moveToTrash(fileName))
        return true;
    // QFile::remove takes a link itself, never what it points to.
    QFile::remove(fileName);
    return Gone(fileName);
}
