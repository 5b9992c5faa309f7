// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Recursive folder scans, emptying a folder, and the long form of a path.
// Neither the scan nor the emptying ever follows a symbolic link to a folder:
// a link back up the tree would loop, and one pointing elsewhere would let an
// emptying remove files outside the folder.
#include <QString>
#include <QStringList>

class TStatusReporter;

// Stop request for a running folder scan: the windows' Stop buttons set it,
// StartFolderScan clears it, and the scan reads it at the start of every folder.
extern bool FolderScanStopped;
// Files looked at and files whose extension matched, over the whole scan.
extern int FolderScanCheckedCount;
extern int FolderScanFoundCount;

// What a scan shows while it runs. The windows hand their list, edit and
// counter controls through an implementation of this; each call may let
// pending events run so that Stop can be pressed.
class TFolderScanDisplay {
public:
    virtual ~TFolderScanDisplay() = default;
    // StartFolderScan empties the counter texts.
    virtual void ClearCounts() = 0;
    // The folder being scanned, with its trailing separator.
    virtual void ShowFolder(const QString& folder) = 0;
    virtual void AddFound(const QString& path) = 0;
    virtual void ShowCounts(int checked, int found) = 0;
};

// Clears FolderScanStopped and both counters, then runs ScanFolder.
void StartFolderScan(const QString& folder, const QStringList& extensions, QStringList* found,
    TFolderScanDisplay* display, bool recursive);

// Lists the files of folder (and, when recursive, of all its subfolders, depth
// first) whose extension is in extensions (lower case, without the dot). The
// files of a folder always come before anything of its subfolders. Hidden
// entries are skipped; errors, and a folder name holding a NUL, silently end
// the work on that folder.
void ScanFolder(const QString& folder, const QStringList& extensions, QStringList* found,
    TFolderScanDisplay* display, bool recursive);

// Deletes the plain files of folder and, when recursive, empties and removes
// every subfolder; the folder itself stays. A symbolic link is removed as a
// link. With a status, each file is shown and Cancel is polled before it.
// False when cancelled or when a subfolder could not be removed; a file that
// could not be deleted is not by itself a failure. A folder that is itself a
// symbolic link, an empty name, or one holding a NUL, is refused (false) and
// nothing is deleted.
bool DeleteFolderContents(const QString& folder, bool recursive, TStatusReporter* status);

// Whether folder holds a folder that is not hidden, or a link to one: what a
// folder tree shows as one it can open. Only links, and file systems that do
// not tell an entry's type, cost a look-up each; a folder of thousands of
// files is answered from its listing alone.
bool HasSubfolder(const QString& folder);

// The path as given when it exists (Linux has no short names to expand), else
// an empty text.
QString GetLongFileName(const QString& fileName);
