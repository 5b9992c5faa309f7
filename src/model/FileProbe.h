// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Tells whether photo files exist, for many paths at once. Looking up each of
// thousands of files costs a system call each; when many of the paths share a
// folder, reading that folder's names once is cheaper. The answers are those
// of PhotoFileExists at the time of the look-up.
#include <QHash>
#include <QString>
#include <QStringView>

#include <vector>

class TFileProbe {
public:
    TFileProbe() = default;

    // Announces a path that Exists will be asked about; a folder announced
    // often enough for its size is read whole at its first look-up. The
    // path's text must outlive the probe.
    void Expect(QStringView path);
    bool Exists(const QString& path);

private:
    // What a folder's listing says of a name announced in it.
    enum class TAnswer : unsigned char { Absent, File, AskSystem };

    struct TFolder {
        std::vector<QStringView> names;
        bool looked = false;
        bool listed = false;
        QHash<QStringView, TAnswer> answers;
    };

    // The folder part of an absolute path naming a file, or a null view;
    // name receives the file name.
    static QStringView FolderOf(QStringView path, QStringView* name);
    static void List(QStringView folder, TFolder& entry);
    // The entry of the folder, or null; paths of one folder mostly follow each other.
    TFolder* Entry(QStringView folder);

    QHash<QStringView, TFolder> m_folders;
    QStringView m_lastFolder;
    TFolder* m_lastEntry = nullptr;
};
