// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Renaming a file must never cost the user another file: a plain POSIX rename
// silently replaces whatever has the new name.
#include <QString>

// Renames from to to, refusing (false, error EEXIST) when anything, even a
// dangling link, already has the name to, and (error EINVAL) when a name
// holds a NUL. Where the file system cannot refuse by itself, the file is
// linked under the new name and the old name then removed, which refuses an
// existing target just the same. On failure error receives the errno value
// and both names are as they were.
bool RenameNoReplace(const QString& from, const QString& to, int* error = nullptr);
