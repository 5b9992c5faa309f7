// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The controls of the photo information panel that show a photo's fields,
// one row per field in PhotoInfoControls.cpp: how the field is read from its
// controls, shown in them, cleared, and made editable or read-only. Whatever
// the panel does to the fields as a whole goes through those rows.
//
// The caller keeps the panel's change handlers quiet while it writes: the
// program filling a control is no edit of the user's.
#include <QFlags>

namespace Ui {
class TabPhotos;
}
class QColor;
struct TPhotoInfoSlot;

class TPhotoInfoControls {
public:
    enum Field {
        Description = 0x01,
        Year = 0x02,
        Event = 0x04,
        Publish = 0x08,
        Objects = 0x10,
        AllFields = 0x1f,
    };
    Q_DECLARE_FLAGS(Fields, Field)

    explicit TPhotoInfoControls(Ui::TabPhotos& form);

    TPhotoInfoSlot Read() const;
    // Shows those fields of info. The object list checks the names it has and
    // lists them again beside it.
    void Write(const TPhotoInfoSlot& info, Fields fields = AllFields);
    // Empties the fields: no text, no event chosen, no object checked; the
    // photo may be published.
    void Clear(Fields fields = AllFields);
    // Off the page of the album's photos the fields are a view of the photo
    // shown last, on the given background; whether it may be published
    // stays open to change on every page.
    void SetEditable(bool editable, const QColor& background);

private:
    Ui::TabPhotos& ui;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TPhotoInfoControls::Fields)
