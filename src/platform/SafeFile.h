// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Files written so that a failure never costs the user the old file, and
// files read so that a hostile one cannot hang or exhaust the program.
//
// A new file is written as a temporary file beside the target and renamed
// over it only when every byte has been written; a failed write (disk full)
// leaves the old file as it was and no temporary file behind. The temporary
// file has no name until it is complete where the file system allows, so
// that even a killed process leaves nothing; elsewhere it is named after the
// target with a mark of its own, for RemoveStaleTemporaries to find.
#include <QByteArray>
#include <QString>

enum class TLinkPolicy {
    // A symbolic link at the target is followed: the file it points to is replaced.
    Follow,
    // A symbolic link at the target is replaced itself, never written through.
    Replace,
};

class TAtomicFile {
public:
    // durable: flush the file to the disk before the rename, and its folder
    // after it (album files); thumbnails and pages that are easily made again
    // skip that cost.
    explicit TAtomicFile(
        const QString& fileName, TLinkPolicy links = TLinkPolicy::Replace, bool durable = false);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Creates the temporary file (never an existing one, so nothing planted is
    // followed). False with Error() set when that fails, EINVAL for a name
    // holding a NUL.
    bool Open();
    bool Write(const QByteArray& data);
    // Closes the temporary file and renames it over the target; on failure the
    // temporary file is removed and the target left alone.
    bool Commit();
    // Removes the temporary file without touching the target.
    void Discard();

    // The errno value of the last failure, 0 when none.
    int Error() const { return m_error; }
    QString ErrorText() const;

private:
    bool LinkUnnamed();
    bool SyncFolder();

    QString m_fileName;
    TLinkPolicy m_links;
    bool m_durable;
    // The file replaced, as opened: a link followed once, not again at the rename.
    QByteArray m_target;
    // Empty while the temporary file has no name.
    QByteArray m_tempPath;
    int m_fd = -1;
    int m_error = 0;
};

// Open, Write and Commit in one; error receives the errno value on failure.
bool WriteFileAtomically(const QString& fileName, const QByteArray& data, TLinkPolicy links,
    bool durable = false, int* error = nullptr);

// Opens a regular file for reading and gives its descriptor (close-on-exec,
// blocking reads) and size; -1 with errno in error for anything else. The
// type is checked on the opened file, so a FIFO swapped in after a check of
// the name still never blocks the caller.
int OpenRegularFile(const QString& fileName, qint64* size = nullptr, int* error = nullptr);

// Reads a whole regular file of at most maxSize bytes. Anything else (a
// folder, a FIFO that would block, a device that never ends) is refused. On
// failure error holds the errno value: EIO when reading broke off.
bool ReadRegularFile(const QString& fileName, qint64 maxSize, QByteArray& data, int* error = nullptr);

// Removes what writes of fileName (resolved as links says) left beside it
// when the process was killed: plain files of this user whose names carry the
// temporary mark and random letters after the file's name. Nothing else in
// the folder is touched, and no link is followed.
void RemoveStaleTemporaries(const QString& fileName, TLinkPolicy links);

// The name a named temporary file was made for: "photo4.jpg" for
// "photo4.jpg.tavri-Ab12Cd" (folders in front stay in front); an empty text
// for a name that is not one of those temporary names.
QString TemporaryNameTarget(const QString& name);

// Whether a file can be written under fileName, asked without writing through
// anything there: a free name is created exclusively and removed again; a
// file or link that has the name is left alone and only its folder is asked,
// since TLinkPolicy::Replace renames over it. A folder of that name is
// refused (EISDIR). error receives the errno value.
bool FileNameUsable(const QString& fileName, int* error = nullptr);

// The system's text for an errno value.
QString SystemErrorText(int error);
