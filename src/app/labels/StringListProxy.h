#pragma once
// The label-list editor: binds one of the album's label lists (objects or
// events) to a tab's list box, its name edit and its three merge boxes, and
// keeps the two in step. Labels keep their ids through a rename, so photos
// keep their labels.
#include <QString>

class QLineEdit;
class QListWidget;
class TEntityList;
class TMergeObject;

class TStringListProxy {
public:
    // The list and the controls are borrowed; the merge boxes start empty.
    TStringListProxy(TEntityList& entityList, QLineEdit* nameEdit, QLineEdit* merge1Edit,
        QLineEdit* merge2Edit, QLineEdit* resultEdit, QListWidget* listBox);

    TEntityList& EntityList() const { return m_entityList; }
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
    void RemoveByName(const QString& name);
    int IndexOfName(const QString& name) const;

private:
    void FocusNameEdit();

    TEntityList& m_entityList;
    QLineEdit* m_nameEdit;
    QLineEdit* m_merge1Edit;
    QLineEdit* m_merge2Edit;
    QLineEdit* m_resultEdit;
    QListWidget* m_listBox;
    bool m_lastActionOK = true;
};
