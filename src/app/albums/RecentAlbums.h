// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The recently used albums: full paths, newest first, at most MaxCount, kept
// in section "AlbumList" of the settings file and written there at every
// change. The Albums tab shows them in its list.
#include <QStringList>

class IniFile;

class TRecentAlbums {
public:
    static constexpr int MaxCount = 30;

    // Reads the list from settings, which it is written to from now on.
    void Load(IniFile& settings);
    // Writes the list; nothing before Load.
    void Save() const;

    const QStringList& Names() const { return m_names; }
    // Moves the album to the top, or adds it there and drops the oldest
    // beyond MaxCount.
    void Add(const QString& fileName);
    void RemoveAt(int row);
    // An album file that was renamed: its entries take the new name.
    void Rename(const QString& oldName, const QString& newName);

private:
    QStringList m_names;
    IniFile* m_settings = nullptr;
};
