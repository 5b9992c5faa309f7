// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/AlbumFileList.h"

#include "common/FileTypeRegistration.h"

#include <QDir>
#include <QListWidget>

void ListAlbumFiles(const QString& folder, QListWidget* list)
{
    list->clear();
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    list->addItems(dir.entryList({ QStringLiteral("*.") + QString::fromLatin1(AlbumExtension) },
        QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase));
}

void RefreshAlbumFiles(const QString& folder, QListWidget* list)
{
    const QListWidgetItem* current = list->currentItem();
    const QString picked = current ? current->text() : QString();
    ListAlbumFiles(folder, list);
    const QList<QListWidgetItem*> found = list->findItems(picked, Qt::MatchExactly);
    if (!picked.isEmpty() && !found.isEmpty())
        list->setCurrentItem(found.first());
}
