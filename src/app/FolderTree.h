#pragma once
// A tree of the file system's folders (no files), from the root down, with
// the home folder opened at first. Stands in for the shell folder trees.
#include <QTreeView>

class QFileSystemModel;

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

    QFileSystemModel* Model() const { return m_model; }

signals:
    // The selected folder changed, by the user or by SetFolder.
    void FolderChanged(const QString& folder);

private:
    QFileSystemModel* m_model;
};
