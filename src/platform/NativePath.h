// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The bytes a system call is given for a path. A text may hold a NUL
// character (an album file can carry one in a photo path), and the system
// would take it as the end of the path: the call would then act on another,
// shorter path, a file the user never named. Such a path is refused instead.
#include <QByteArray>
#include <QString>

// True with the path's bytes in native. False for a path holding a NUL (error
// EINVAL) and for an empty path (error ENOENT, as the system answers it).
bool NativePath(const QString& path, QByteArray& native, int* error = nullptr);

// True when the system would read the path shorter than it is.
bool HoldsNul(const QString& path);
