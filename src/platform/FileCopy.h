// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Copying a file over another without ever losing the one it replaces.
#include <QString>

// Copies the regular file source to target. The copy is written beside the
// target under a temporary name and renamed over it only when complete, so a
// failed copy leaves an existing target as it was; a link at the target is
// replaced, never written through. A source that is not a regular file, and a
// target that is the source itself, are refused. error receives the errno
// value on failure.
bool CopyFileReplacing(const QString& source, const QString& target, int* error = nullptr);
