#pragma once
// Answers "is this path a regular file?" for many paths in a row. A folder
// asked about often is read once and answered from its listing; the others
// are asked of the file system one by one. Albums keep thousands of photos in
// a few folders, and one listing costs less than thousands of lookups.
#include <QHash>
#include <QSet>
#include <QString>

class TExistingFiles {
public:
    // Queries of one folder after which it is read whole.
    static constexpr int ListingThreshold = 16;

    // True when path is absolute and names a regular file (a link to one counts).
    bool IsFile(const QString& path);

private:
    struct TFolder {
        int queries = 0;
        bool listed = false;
        // Reading failed, or the path is not plain: every query goes to the file system.
        bool unlistable = false;
        // Full paths of the regular files.
        QSet<QString> files;
        // Full paths of links and entries of unknown kind, answered by the file system.
        QSet<QString> others;
    };
    TFolder& FolderOf(const QString& path, qsizetype folderLength);
    void List(const QString& folder, TFolder& entry);

    QHash<QString, TFolder> m_folders;
    // Queries come in runs from one folder: the last one is kept at hand.
    QString m_lastFolder;
    TFolder* m_last = nullptr;
};
