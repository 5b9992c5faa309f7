// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A labelled record: the album's objects and events, and the base of photos.
#include "model/StreamObject.h"

#include <QString>

class TEntityList;

class TEntity : public TStreamObject {
public:
    TEntity() = default;

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    // Copies Id, Name and Selected; Visible stays.
    virtual void AssignTo(TEntity& dest) const;
    virtual void Select() { m_selected = true; }
    virtual void Deselect() { m_selected = false; }

    int GetId() const { return m_id; }
    void SetId(int id) { m_id = id; }
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name);
    bool IsSelected() const { return m_selected; }
    // Not saved: set by the usage filters and read by the label-list editor.
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }

private:
    friend class TEntityList;

    int m_id = -1;
    QString m_name;
    bool m_selected = false;
    bool m_visible = true;
    // The list that holds the record and its place there: the list finds its
    // records by name and tells their places without a search.
    TEntityList* m_list = nullptr;
    int m_place = -1;
};
