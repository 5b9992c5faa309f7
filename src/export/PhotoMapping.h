// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The groupings of the framed web site: one TPhotoMapping per category
// (albums, objects, events, years, descriptions), one TPhotoItem per group.
// Groups refer to photos that the exported albums own.
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class TPhoto;

class TPhotoItem {
public:
    TPhotoItem() = default;
    explicit TPhotoItem(const QString& name)
        : Name(name)
    {
    }

    void AddPhoto(TPhoto* photo) { Photos.append(photo); }
    void AddPhotos(const QList<TPhoto*>& photos) { Photos.append(photos); }

    // Name with every character other than 0-9, A-Z and a-z made "_".
    QString GetKey() const;

    // The folder to create for the group; only used to create it.
    QString GroupFolder;
    // The group value: album name, object, event, year or description.
    QString Name;
    // In the order they were added; not owned.
    QList<TPhoto*> Photos;
    // The group's frameset, its top and bottom bars, and the folder that holds them.
    QString FramePage;
    QString TopPage;
    QString Folder;
    QString BottomPage;
    // GetKey made unique over the whole site: pages name their navigation
    // values after it. Set once the groups are complete and sorted.
    QString Key;
};

class TPhotoMapping {
public:
    explicit TPhotoMapping(const QString& prefix);
    TPhotoMapping(const TPhotoMapping&) = delete;
    TPhotoMapping& operator=(const TPhotoMapping&) = delete;

    void Clear();
    TPhotoItem* Add(std::unique_ptr<TPhotoItem> item);
    // The first group whose name equals name, ASCII letters compared without
    // regard to case; null when there is none.
    TPhotoItem* FindByName(const QString& name) const;
    // GroupFolder of the group at position i := Folder + Prefix + (i + 1).
    void AssignGroupFolders();
    // Creates every GroupFolder with its missing parents. A folder that
    // cannot be made is passed over; an exception ends it with false and the
    // folder it was making in failedFolder.
    bool ForceGroupFolders(QString& failedFolder) const;
    // By name, ASCII letters lowered, then character by character.
    void Sort();

    int Count() const { return int(Items.size()); }
    TPhotoItem* Item(int index) const { return Items[size_t(index)].get(); }

    std::vector<std::unique_ptr<TPhotoItem>> Items;
    // "album", "object", "event", "year" or "description".
    QString Prefix;
    // The category folder the group folders are named from, and the one the
    // group pages go under (the same folder).
    QString Folder;
    QString PageFolder;

private:
    QHash<QString, TPhotoItem*> m_byName;
};

// -1, 0 or 1 as the first name sorts before, with or after the second.
int ComparePhotoItemNames(const TPhotoItem& a, const TPhotoItem& b);
