// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FileRoutines.h"

#include "platform/NativePath.h"
#include "platform/Paths.h"
#include "platform/StatusReporter.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool FolderScanStopped = false;
int FolderScanCheckedCount = 0;
int FolderScanFoundCount = 0;

namespace {

// Names in a fixed order, so that scans and deletions do not depend on the
// file system's directory order.
constexpr QDir::SortFlags kOrder = QDir::Name | QDir::IgnoreCase;

QStringList PlainFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, kOrder);
}

// Real subfolders only: a link to a folder is never entered.
QStringList SubFolders(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, kOrder);
}

QString MatchKey(const QString& fileName)
{
    return Text::AsciiLower(Paths::ExtractFileExt(fileName)).mid(1);
}

} // namespace

void StartFolderScan(const QString& folder, const QStringList& extensions, QStringList* found,
    TFolderScanDisplay* display, bool recursive)
{
    FolderScanStopped = false;
    FolderScanCheckedCount = 0;
    FolderScanFoundCount = 0;
    if (display)
        display->ClearCounts();
    ScanFolder(folder, extensions, found, display, recursive);
}

void ScanFolder(const QString& folder, const QStringList& extensions, QStringList* found,
    TFolderScanDisplay* display, bool recursive)
{
    if (FolderScanStopped || HoldsNul(folder))
        return;
    const QString dir = Paths::IncludeTrailingSeparator(folder);
    if (display)
        display->ShowFolder(dir);

    for (const QString& name : PlainFiles(dir)) {
        ++FolderScanCheckedCount;
        if (extensions.contains(MatchKey(name), Qt::CaseInsensitive)) {
            ++FolderScanFoundCount;
            if (display)
                display->AddFound(dir + name);
            if (found)
                found->append(dir + name);
        }
    }
    if (display)
        display->ShowCounts(FolderScanCheckedCount, FolderScanFoundCount);

    if (!recursive)
        return;
    for (const QString& name : SubFolders(dir))
        ScanFolder(dir + name, extensions, found, display, recursive);
}

bool DeleteFolderContents(const QString& folder, bool recursive, TStatusReporter* status)
{
    // An empty name would become the root folder. A folder that is itself a
    // link (a planted thumbnail folder) would empty whatever it points to,
    // and one holding a NUL would be listed as the shorter folder before it.
    const QString bare = Paths::ExcludeTrailingSeparator(folder);
    if (bare.isEmpty() || HoldsNul(bare) || QFileInfo(bare).isSymLink())
        return false;
    const QString dir = Paths::IncludeTrailingSeparator(folder);
    QDir qdir(dir);
    // Links of any kind, broken ones included, go with the files: removing a
    // link never touches what it points to.
    QStringList files;
    QStringList folders;
    for (const QFileInfo& entry :
        qdir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, kOrder)) {
        if (entry.isSymLink() || entry.isFile())
            files.append(entry.fileName());
        else if (entry.isDir())
            folders.append(entry.fileName());
    }

    if (status) {
        status->SetRange(0, int(files.size()));
        status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
        status->ShowStatus();
    }
    for (const QString& name : files) {
        if (status) {
            if (status->IsCancelled())
                return false;
            status->SetObject(dir + name);
            status->StepIt();
            status->SetNumberToGo(QString::number(status->Maximum() - status->Position()));
            status->ProcessEvents();
        }
        qdir.remove(name);
    }

    if (!recursive)
        return true;
    for (const QString& name : folders) {
        if (!DeleteFolderContents(dir + name, recursive, status))
            return false;
        if (!qdir.rmdir(name))
            return false;
    }
    return true;
}

bool HasSubfolder(const QString& folder)
{
    QByteArray native;
    if (!NativePath(folder, native))
        return false;
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    bool found = false;
    const dirent* entry = nullptr;
    while (!found && (entry = ::readdir(dir)) != nullptr) {
        // Hidden names, "." and ".." among them, are no folders the tree shows.
        if (entry->d_name[0] == '.')
            continue;
        struct stat st { };
        found = entry->d_type == DT_DIR
            || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
                && ::fstatat(fd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode));
    }
    ::closedir(dir);
    return found;
}

QString GetLongFileName(const QString& fileName)
{
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return QString();
    return fileName;
}
