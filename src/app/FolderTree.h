#pragma once
// A tree of the file system's folders (no files), from the root down, with
// the home folder opened at first. Stands in for the shell folder trees.
// A folder's sub-folders are read when it is opened, every time, so that
// folders made by other programs meanwhile show up.
#include <QIcon>
#include <QTreeView>

class QStandardItem;
class QStandardItemModel;

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

private:
    QStandardItem* AddFolderItem(QStandardItem* parent, int row, const QString& name, const QString& path);
    // Reads the item's sub-folders again: new ones are added, vanished ones
    // removed, and those still there keep their own opened sub-trees.
    void Populate(QStandardItem* item);
    // The item of an existing folder, reading every folder on the way.
    QStandardItem* ItemFor(const QString& folder);

    QStandardItemModel* m_model;
    QIcon m_folderIcon;
};
