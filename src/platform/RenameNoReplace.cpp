// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/RenameNoReplace.h"

#include "platform/NativePath.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool Fail(int code, int* error)
{
    if (error)
        *error = code;
    return false;
}

} // namespace

bool RenameNoReplace(const QString& from, const QString& to, int* error)
{
    if (error)
        *error = 0;
    QByteArray source;
    QByteArray target;
    if (!NativePath(from, source, error) || !NativePath(to, target, error))
        return false;

    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    const int refused = errno;
    // Older kernels and some file systems do not know the flag; anything else
    // (the target exists, the source is missing) is the answer.
    if (refused != EINVAL && refused != ENOSYS && refused != EOPNOTSUPP)
        return Fail(refused, error);

    if (::link(source.constData(), target.constData()) != 0)
        return Fail(errno, error);
    if (::unlink(source.constData()) != 0) {
        const int kept = errno;
        ::unlink(target.constData());
        return Fail(kept, error);
    }
    return true;
}
