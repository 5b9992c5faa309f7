#pragma once
// Safe file access for files that hostile hands may have touched.
//
// Writes a file through a temporary file beside it that is renamed over the
// target only when every byte reached the disk, so a failed write (disk full)
// leaves the old file as it was.
#include <QByteArray>
#include <QString>

enum class TLinkPolicy {
    // A symbolic link at the target is followed: its target file is replaced.
    Follow,
    // A symbolic link at the target is replaced itself, never written through.
    Replace,
};

// Throws EStreamError: "Cannot create file" when the temporary file cannot be
// made, "Stream write error" when writing or renaming fails.
void WriteFileAtomically(const QString& fileName, const QByteArray& data, TLinkPolicy links);

// Reads a whole regular file of at most maxSize bytes. Anything else (a
// folder, a FIFO that would block, a device that never ends) is refused. On
// failure error holds the errno value: EIO when reading broke off.
bool ReadRegularFile(const QString& fileName, qint64 maxSize, QByteArray& data, int* error = nullptr);

// The system's text for an errno value.
QString SystemErrorText(int error);
