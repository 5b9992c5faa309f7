// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Removing a file the user asked to remove from disk. It goes to the
// desktop's trash, so that one hasty Yes can still be undone; only where no
// trash takes it is it deleted.
#include <QString>

// Moves fileName to the trash, or deletes it where the trash refuses it (no
// trash can be made, or the file lies on a volume that has none and is not
// the home trash's). A symbolic link goes as a link and what it points to
// stays; a link whose target is missing or on another volume is deleted,
// because the trash is chosen by the volume of the target. A folder is
// refused: it is no file the user named. True when nothing is left under the
// name, also when there was nothing to begin with.
bool TrashOrDelete(const QString& fileName);
