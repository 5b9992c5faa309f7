// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The label-list editor: binds one of the album's label lists (objects or
// events) to a tab's list box, its name edit and its three merge boxes, and
// keeps the two in step. Labels keep their ids through a rename, so photos
// keep their labels.
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TEntityList;
class TMergeObject;

// The controls of one tab. The two generated forms differ only in the names
// of their controls, so each fills this in and the page works on it alone.
struct TLabelControls {
    QLabel* NameCaption = nullptr;
    QLineEdit* NameEdit = nullptr;
    QGroupBox* ListFrame = nullptr;
    QListWidget* ListBox = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RenameButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* ShowButton = nullptr;
    QPushButton* RemoveButton = nullptr;
    QLineEdit* Merge1Edit = nullptr;
    QLineEdit* Merge2Edit = nullptr;
    QLineEdit* ResultEdit = nullptr;
    QPushButton* MergeButton = nullptr;
};

class TStringListProxy {
public:
    // The list and the controls are borrowed; the merge boxes start empty.
    TStringListProxy(TEntityList& entityList, const TLabelControls& controls);

    // True after a successful add, rename, delete or merge, and at creation.
    bool LastActionOK() const { return m_lastActionOK; }

    void ClearMergeEdits();
    // The list box shows the visible labels, sorted.
    void Refresh();
    // The selected label gets the name edit's text; it keeps its id and moves
    // to the end of the label list.
    void RenameSelected();
    // Joins the label of one merge box into the other over every photo (the
    // merger knows album and kind). Every box must name a label of the list.
    void MergeFromEdits(TMergeObject& merger);
    void CopySelectedToEdit();
    // The selected row's text; empty when no row is selected.
    QString GetSelectedName() const;
    bool HasSelection() const;

    // Adds the name edit's text as a new label with the list's next id.
    void AddFromEdit();
    void DeleteSelected();

private:
    void RemoveByName(const QString& name);
    void FocusNameEdit();

    TEntityList& m_entityList;
    QLineEdit* m_nameEdit;
    QLineEdit* m_merge1Edit;
    QLineEdit* m_merge2Edit;
    QLineEdit* m_resultEdit;
    QListWidget* m_listBox;
    bool m_lastActionOK = true;
};
