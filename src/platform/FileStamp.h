// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What tells one state of a file or folder from another without reading it:
// when a stamp taken later equals one taken before, nothing was written,
// created, removed or renamed there in between, unless the earlier stamp was
// recent (file systems keep modification times in steps, two seconds on FAT,
// so a write just after another may leave the time as it was).
#include <QString>
#include <QtGlobal>

struct TFileStamp {
    bool Exists = false;
    quint64 Device = 0;
    quint64 Inode = 0;
    qint64 Size = -1;
    qint64 ModifiedNs = 0;
    qint64 ChangedNs = 0;

    // The stamp of the path as it is now (links followed); Exists false when
    // there is nothing to stamp.
    static TFileStamp Of(const QString& path);
    // A change made now could still leave the stamp as it is.
    bool IsRecent() const;

    bool operator==(const TFileStamp&) const = default;
};
