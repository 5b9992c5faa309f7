// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A tree of the file system's folders (no files), from the root down, with
// the home folder opened at first. Stands in for the shell folder trees. A
// tree reads the disk when it is first shown or given a folder: of the
// five trees of the main window, most sit on pages the user may never open.
// A folder's sub-folders are read when it is opened. The opened folders and
// the selected one are watched while the program runs, so that folders made
// or removed by other programs meanwhile show up or go without the user
// closing and opening them again.
#include <QFileSystemWatcher>
#include <QHash>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QSet>
#include <QTimer>
#include <QTreeView>

class QStandardItem;
class QStandardItemModel;

// While one lives, the folder trees read each folder once between them: the
// main window makes five trees at start-up that show the same folders, and
// a folder of thousands of files took as long to read the fifth time.
class TSharedFolderReading {
public:
    TSharedFolderReading();
    ~TSharedFolderReading();
    TSharedFolderReading(const TSharedFolderReading&) = delete;
    TSharedFolderReading& operator=(const TSharedFolderReading&) = delete;
};

class TFolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit TFolderTree(QWidget* parent = nullptr);

    // Selects and reveals an existing folder; false (selection unchanged) otherwise.
    bool SetFolder(const QString& folder);
    // The selected folder's full path, empty when none is selected.
    QString Folder() const;

    // Creates one sub-folder of the selected folder and selects it; the new
    // path is stored in createdPath also on failure.
    bool CreateSubfolder(const QString& name, QString* createdPath);

signals:
    // The selected folder changed, by the user or by SetFolder.
    void FolderChanged(const QString& folder);
    // Files or folders were made or removed in the selected folder.
    void FolderContentsChanged(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads the root's folders and opens the home folder, the first time only.
    void FillOnce();
    QStandardItem* AddFolderItem(QStandardItem* parent, int row, const QString& name, const QString& path);
    // Reads the item's sub-folders again: new ones are added, vanished ones
    // removed, and those still there keep their own opened sub-trees; a closed
    // one shows again whether it can be opened when recheck is set.
    void Populate(QStandardItem* item, bool recheck = false);
    // Shows whether a closed folder can be opened, as it is now on the disk.
    void MarkSubfolders(QStandardItem* item);
    // The item of an existing folder, reading every folder on the way.
    QStandardItem* ItemFor(const QString& folder);
    void Watch(const QModelIndex& index);
    void Unwatch(const QModelIndex& index);
    // Reads the folders that changed, a moment after the last change: a
    // program writing many files at once costs one reading.
    void ReadChangedFolders();

    QStandardItemModel* m_model;
    QIcon m_folderIcon;
    QFileSystemWatcher m_watcher;
    QHash<QString, QPersistentModelIndex> m_watched;
    QSet<QString> m_changed;
    QTimer m_changeDelay;
    QString m_watchedSelection;
    bool m_filled = false;
};
