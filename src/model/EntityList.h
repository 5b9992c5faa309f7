// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// An owning list of labelled records with the counter that hands out their ids.
// Names compare exactly (case-sensitive, whole string). Look-ups by name go
// through an index kept beside the records, built at the first look-up and
// kept up with every change after it; an album's photo list is looked up by
// path at every step through it. Not for use from two threads at once.
#include "model/Entity.h"
#include "model/StreamList.h"

#include <QHash>
#include <QString>

class TEntityList : public TStreamList {
public:
    TEntityList() = default;

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    // Returns NextId, then counts it up.
    virtual int TakeNextId();
    int GetNextId() const { return m_nextId; }
    void SetNextId(int nextId) { m_nextId = nextId; }

    // Appends a new label with the next id; no duplicate check.
    void AddName(const QString& name);
    QString NameAt(int index) const;
    // Empty for -1 and for an id no item has.
    QString NameById(int id) const;
    int IdByName(const QString& name) const;
    // The first record of that name; -1 when there is none.
    int IndexOfName(const QString& name) const;
    void RemoveByName(const QString& name);
    void MoveUp(const QString& name);
    void MoveDown(const QString& name);
    TEntity* FindById(int id) const;
    // Null when index is out of range.
    TEntity* ItemAt(int index) const;
    int IndexOf(const TEntity* item) const;

    void Add(std::unique_ptr<TEntity> item) { AddObject(std::move(item)); }
    void Insert(int index, std::unique_ptr<TEntity> item) { InsertObject(index, std::move(item)); }
    // Takes the item out of the list; the caller owns it.
    std::unique_ptr<TEntity> Take(int index) { return StaticUniqueCast<TEntity>(TakeObject(index)); }
    // Gives up every item without destroying it, handing them to the caller.
    std::vector<std::unique_ptr<TEntity>> DetachAll();

protected:
    std::unique_ptr<TStreamObject> CreateItem() const override;
    void ItemJoined(TStreamObject& item) override;
    void ItemLeaving(TStreamObject& item) override;
    void ItemsPlaced(int first, int last) override;

private:
    friend class TEntity;
    void ItemRenamed(TEntity& item, const QString& oldName);
    void BuildNameIndex() const;
    void AddToNameIndex(TEntity& item);

    int m_nextId = 0;
    // Each name's record. Names that occur twice are rare (imported label
    // lists); while there are any, every change rebuilds the index at the
    // next look-up rather than work out which record comes first now.
    mutable QHash<QString, TEntity*> m_byName;
    mutable bool m_indexed = false;
    mutable bool m_sharedNames = false;
};
