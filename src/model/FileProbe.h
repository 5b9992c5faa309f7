#pragma once
// Tells whether photo files exist, for many paths at once. Looking up each of
// thousands of files costs a system call each; when many of the paths share a
// folder, reading that folder's names once is cheaper. The answers are those
// of PhotoFileExists at the time of the look-up.
#include <QHash>
#include <QString>
#include <QStringView>

#include <string_view>
#include <unordered_set>
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
    struct TFolder {
        int expected = 0;
        bool looked = false;
        bool listed = false;
        // The names of its regular files, and of entries the listing cannot
        // settle (links, names that are not valid UTF-8); the sets point
        // into the lists.
        std::vector<QString> fileNames;
        std::vector<QString> unsureNames;
        std::unordered_set<std::u16string_view> files;
        std::unordered_set<std::u16string_view> unsure;
    };

    // The folder part of an absolute path naming a file, or a null view;
    // name receives the file name.
    static QStringView FolderOf(QStringView path, QStringView* name);
    static void List(QStringView folder, TFolder& entry);

    QHash<QStringView, TFolder> m_folders;
};
