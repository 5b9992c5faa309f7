#include "app/FolderTree.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

TFolderTree::TFolderTree(QWidget* parent)
    : QTreeView(parent)
    , m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setOption(QFileSystemModel::DontWatchForChanges, true);
    m_model->setReadOnly(false);
    m_model->setRootPath(QDir::rootPath());
    setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        hideColumn(c);
    header()->hide();
    setIndentation(19);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { emit FolderChanged(m_model->filePath(current)); });
    SetFolder(QDir::homePath());
}

bool TFolderTree::SetFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    const QModelIndex index = m_model->index(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    if (!index.isValid())
        return false;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        expand(up);
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

QString TFolderTree::Folder() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? m_model->filePath(index) : QString();
}

bool TFolderTree::CreateSubfolder(const QString& name, QString* createdPath)
{
    const QString parentPath = Folder();
    *createdPath = Paths::IncludeTrailingSeparator(parentPath) + name;
    const QModelIndex parentIndex = currentIndex();
    if (!parentIndex.isValid() || name.contains(u'/') || name == QStringLiteral(".")
        || name == QStringLiteral(".."))
        return false;
    if (QFileInfo::exists(*createdPath))
        return false;
    const QModelIndex created = m_model->mkdir(parentIndex, name);
    if (!created.isValid())
        return false;
    expand(parentIndex);
    setCurrentIndex(created);
    scrollTo(created);
    return true;
}
