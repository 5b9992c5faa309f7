// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/NativePath.h"

#include <QFile>

#include <cerrno>

bool HoldsNul(const QString& path)
{
    return path.contains(QChar(0));
}

bool NativePath(const QString& path, QByteArray& native, int* error)
{
    native.clear();
    const int code = path.isEmpty() ? ENOENT : HoldsNul(path) ? EINVAL : 0;
    if (error)
        *error = code;
    if (code != 0)
        return false;
    native = QFile::encodeName(path);
    return true;
}
