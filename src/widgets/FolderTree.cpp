// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/FolderTree.h"

#include "platform/FileRoutines.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <algorithm>
#include <utility>

namespace {

constexpr int PathRole = Qt::UserRole + 1;

// The program's own pictures: looking icons up in the desktop's theme cost
// tens of thousands of file look-ups at every start.
QIcon FolderIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(160, 120, 20));
    p.setBrush(QColor(250, 210, 90));
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 2, 5, 2);
    p.end();
    return QIcon(pixmap);
}

QIcon DriveIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(1, 5, 13, 6);
    p.setBrush(QColor(0, 160, 0));
    p.drawRect(11, 8, 1, 1);
    p.end();
    return QIcon(pixmap);
}

QString ItemPath(const QStandardItem* item)
{
    return item ? item->data(PathRole).toString() : QString();
}

// What the trees read while a TSharedFolderReading lives.
int g_sharing = 0;
QHash<QString, QStringList> g_subfolderNames;
QHash<QString, bool> g_openable;

QStringList SubfolderNames(const QString& path)
{
    if (g_sharing > 0) {
        if (const auto it = g_subfolderNames.constFind(path); it != g_subfolderNames.cend())
            return *it;
    }
    const QStringList names
        = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    if (g_sharing > 0)
        g_subfolderNames.insert(path, names);
    return names;
}

bool Openable(const QString& path)
{
    if (g_sharing > 0) {
        if (const auto it = g_openable.constFind(path); it != g_openable.cend())
            return *it;
    }
    const bool openable = HasSubfolder(path);
    if (g_sharing > 0)
        g_openable.insert(path, openable);
    return openable;
}

} // namespace

TSharedFolderReading::TSharedFolderReading()
{
    ++g_sharing;
}

TSharedFolderReading::~TSharedFolderReading()
{
    if (--g_sharing == 0) {
        g_subfolderNames.clear();
        g_openable.clear();
    }
}

TFolderTree::TFolderTree(QWidget* parent)
    : QTreeView(parent)
    , m_model(new QStandardItemModel(this))
    , m_folderIcon(FolderIcon())
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->hide();
    setIndentation(19);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::PreventContextMenu);

    m_changeDelay.setSingleShot(true);
    m_changeDelay.setInterval(100);
    connect(&m_changeDelay, &QTimer::timeout, this, &TFolderTree::ReadChangedFolders);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        m_changed.insert(path);
        m_changeDelay.start();
    });

    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        Populate(m_model->itemFromIndex(index));
        Watch(index);
    });
    connect(this, &QTreeView::collapsed, this, &TFolderTree::Unwatch);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current, const QModelIndex& previous) {
            QStandardItem* item = m_model->itemFromIndex(current);
            m_watchedSelection = ItemPath(item);
            Unwatch(previous);
            if (item) {
                MarkSubfolders(item);
                Watch(current);
            }
            emit FolderChanged(m_watchedSelection);
        });
}

void TFolderTree::FillOnce()
{
    if (m_filled)
        return;
    m_filled = true;
    auto* root = new QStandardItem(DriveIcon(), QDir::rootPath());
    root->setData(QDir::rootPath(), PathRole);
    root->setEditable(false);
    m_model->appendRow(root);
    Populate(root);
    // The home folder is where every tree starts, not a choice the user
    // made: nobody is told of it.
    const QSignalBlocker quiet(this);
    SetFolder(QDir::homePath());
}

void TFolderTree::showEvent(QShowEvent* event)
{
    FillOnce();
    QTreeView::showEvent(event);
}

void TFolderTree::Watch(const QModelIndex& index)
{
    const QString path = ItemPath(m_model->itemFromIndex(index));
    if (path.isEmpty() || m_watched.contains(path))
        return;
    m_watched.insert(path, QPersistentModelIndex(index));
    m_watcher.addPath(path);
}

void TFolderTree::Unwatch(const QModelIndex& index)
{
    const QString path = ItemPath(m_model->itemFromIndex(index));
    if (path.isEmpty() || isExpanded(index) || path == m_watchedSelection || !m_watched.contains(path))
        return;
    m_watched.remove(path);
    m_watcher.removePath(path);
}

void TFolderTree::ReadChangedFolders()
{
    const QSet<QString> changed = std::exchange(m_changed, {});
    // A folder made or removed above the rows in view would move them under
    // the pointer, and a click meant for one folder would land on its
    // neighbour: the first row in view stays where it is.
    const QPersistentModelIndex anchor(indexAt(QPoint(0, 0)));
    const int anchorTop = anchor.isValid() ? visualRect(anchor).top() : 0;
    for (const QString& path : changed) {
        const QPersistentModelIndex index = m_watched.value(path);
        if (!index.isValid() || !QFileInfo(path).isDir()) {
            // Gone: its parent, watched while it shows it, takes the row away.
            m_watched.remove(path);
            m_watcher.removePath(path);
            continue;
        }
        QStandardItem* item = m_model->itemFromIndex(index);
        if (isExpanded(index))
            Populate(item, true);
        else
            MarkSubfolders(item);
    }
    if (anchor.isValid()) {
        const int moved = visualRect(anchor).top() - anchorTop;
        if (moved != 0) {
            QScrollBar* bar = verticalScrollBar();
            const int rowHeight = std::max(1, visualRect(anchor).height());
            bar->setValue(
                bar->value() + (verticalScrollMode() == ScrollPerPixel ? moved : moved / rowHeight));
        }
    }
    const QString selected = Folder();
    if (changed.contains(selected))
        emit FolderContentsChanged(selected);
}

void TFolderTree::MarkSubfolders(QStandardItem* item)
{
    if (!item || isExpanded(item->index()))
        return;
    const bool subfolders = Openable(ItemPath(item));
    if (subfolders && item->rowCount() == 0)
        item->appendRow(new QStandardItem);
    else if (!subfolders && item->rowCount() > 0)
        item->removeRows(0, item->rowCount());
}

QStandardItem* TFolderTree::AddFolderItem(
    QStandardItem* parent, int row, const QString& name, const QString& path)
{
    auto* item = new QStandardItem(m_folderIcon, name);
    item->setData(path, PathRole);
    item->setEditable(false);
    // A folder with sub-folders shows that it can be opened before it is read.
    if (Openable(path))
        item->appendRow(new QStandardItem);
    parent->insertRow(row, item);
    return item;
}

void TFolderTree::Populate(QStandardItem* item, bool recheck)
{
    if (!item)
        return;
    const QString path = ItemPath(item);
    const QStringList names = SubfolderNames(path);
    const QSet<QString> present(names.cbegin(), names.cend());

    // The rows stay sorted like names: walk both together.
    int row = 0;
    for (const QString& name : names) {
        while (row < item->rowCount()) {
            QStandardItem* child = item->child(row);
            const QString childPath = ItemPath(child);
            if (childPath.isEmpty() || !present.contains(child->text())) {
                item->removeRow(row);
                continue;
            }
            break;
        }
        QStandardItem* child = row < item->rowCount() ? item->child(row) : nullptr;
        if (child && child->text() == name) {
            if (recheck)
                MarkSubfolders(child);
            ++row;
            continue;
        }
        // Folders that sort before the next kept one are new.
        AddFolderItem(item, row, name, Paths::IncludeTrailingSeparator(path) + name);
        ++row;
    }
    while (item->rowCount() > row)
        item->removeRow(row);
}

QStandardItem* TFolderTree::ItemFor(const QString& folder)
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QStandardItem* item = m_model->item(0);
    if (clean == QDir::rootPath())
        return item;
    const QStringList parts = clean.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        Populate(item);
        QStandardItem* next = nullptr;
        for (int r = 0; r < item->rowCount() && !next; ++r) {
            if (item->child(r)->text() == part)
                next = item->child(r);
        }
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

bool TFolderTree::SetFolder(const QString& folder)
{
    FillOnce();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QStandardItem* item = ItemFor(folder);
    if (!item)
        return false;
    const QModelIndex index = item->index();
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        expand(up);
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

QString TFolderTree::Folder() const
{
    // A tree not read yet holds the home folder it will open: saving where
    // every tree stands at start-up reads no disk for the hidden ones.
    if (!m_filled) {
        const QFileInfo home(QDir::homePath());
        return home.isDir() ? QDir::cleanPath(home.absoluteFilePath()) : QString();
    }
    return ItemPath(m_model->itemFromIndex(currentIndex()));
}

bool TFolderTree::CreateSubfolder(const QString& name, QString* createdPath)
{
    FillOnce();
    const QString parentPath = Folder();
    *createdPath = Paths::IncludeTrailingSeparator(parentPath) + name;
    QStandardItem* parent = m_model->itemFromIndex(currentIndex());
    if (!parent || name.isEmpty() || name.contains(u'/') || name == QStringLiteral(".")
        || name == QStringLiteral(".."))
        return false;
    if (QFileInfo::exists(*createdPath) || !QDir(parentPath).mkdir(name))
        return false;
    Populate(parent);
    expand(parent->index());
    for (int r = 0; r < parent->rowCount(); ++r) {
        if (parent->child(r)->text() == name) {
            setCurrentIndex(parent->child(r)->index());
            scrollTo(parent->child(r)->index());
            return true;
        }
    }
    return false;
}
