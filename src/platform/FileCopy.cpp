// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FileCopy.h"

#include "platform/NativePath.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

#include <QByteArray>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool CopyFileReplacing(const QString& source, const QString& target, int* error)
{
    const auto fail = [error](int code) {
        if (error)
            *error = code;
        return false;
    };
    if (Paths::SameFile(source, target))
        return fail(EEXIST);
    QByteArray sourcePath;
    int refused = 0;
    if (!NativePath(source, sourcePath, &refused))
        return fail(refused);
    // Non-blocking, so that a FIFO planted under a photo's name cannot hang the copy.
    const int fd = ::open(sourcePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer { fd };
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return fail(errno);
    if (!S_ISREG(st.st_mode))
        return fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);

    TAtomicFile copy(target, TLinkPolicy::Replace);
    if (!copy.Open())
        return fail(copy.Error());
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), size_t(buffer.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(EIO);
        }
        if (n == 0)
            break;
        if (!copy.Write(QByteArray::fromRawData(buffer.constData(), qsizetype(n))))
            return fail(copy.Error());
    }
    if (!copy.Commit())
        return fail(copy.Error());
    return true;
}
