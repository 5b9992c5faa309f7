// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The album files of a folder as a list control shows them beside a folder
// tree: by name without the folder, sorted by name ignoring case.
#include <QString>

class QListWidget;

// Fills list with the album files of folder; empty for no folder.
void ListAlbumFiles(const QString& folder, QListWidget* list);
// Lists them again after the folder changed on the disk; the album the user
// had picked stays picked while it is there.
void RefreshAlbumFiles(const QString& folder, QListWidget* list);
