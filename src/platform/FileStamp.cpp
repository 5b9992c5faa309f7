// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FileStamp.h"

#include <QFile>

#include <cstdlib>
#include <ctime>
#include <sys/stat.h>

namespace {

// The coarsest steps of file times on the file systems photos live on (FAT
// keeps two seconds), with a margin for a clock that was set back a little.
constexpr qint64 RecentNs = qint64(3) * 1000 * 1000 * 1000;

qint64 Nanoseconds(const struct timespec& time)
{
    return qint64(time.tv_sec) * 1000 * 1000 * 1000 + time.tv_nsec;
}

} // namespace

TFileStamp TFileStamp::Of(const QString& path)
{
    TFileStamp stamp;
    struct stat st { };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.Exists = true;
    stamp.Device = quint64(st.st_dev);
    stamp.Inode = quint64(st.st_ino);
    stamp.Size = qint64(st.st_size);
    stamp.ModifiedNs = Nanoseconds(st.st_mtim);
    stamp.ChangedNs = Nanoseconds(st.st_ctim);
    return stamp;
}

bool TFileStamp::IsRecent() const
{
    struct timespec now { };
    ::clock_gettime(CLOCK_REALTIME, &now);
    const qint64 nowNs = Nanoseconds(now);
    // Every write moves the modification time on: one that lies back further
    // than a step leaves no write unseen. The change time is compared only:
    // it cannot be set back, and changes alone of what the writes are not.
    return std::llabs(nowNs - ModifiedNs) < RecentNs;
}
