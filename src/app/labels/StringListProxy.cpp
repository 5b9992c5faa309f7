// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/labels/StringListProxy.h"

#include "common/DialogService.h"
#include "common/LabelOrder.h"
#include "language/LanguageSelector.h"
#include "model/EntityList.h"
#include "model/MergeObject.h"
#include "platform/TextUtil.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

void Warn(const QString& text, const QString& caption)
{
    ShowMessageBox(text, caption, MessageBoxFlags::IconWarning);
}

} // namespace

TStringListProxy::TStringListProxy(TEntityList& entityList, const TLabelControls& controls)
    : m_entityList(entityList)
    , m_nameEdit(controls.NameEdit)
    , m_merge1Edit(controls.Merge1Edit)
    , m_merge2Edit(controls.Merge2Edit)
    , m_resultEdit(controls.ResultEdit)
    , m_listBox(controls.ListBox)
{
    // Names left in the boxes by another album would not be labels of this one.
    ClearMergeEdits();
}

void TStringListProxy::ClearMergeEdits()
{
    m_merge1Edit->clear();
    m_merge2Edit->clear();
    m_resultEdit->clear();
}

void TStringListProxy::Refresh()
{
    QStringList names;
    for (int i = 0; i < m_entityList.Count(); ++i)
        if (m_entityList.ItemAt(i)->IsVisible())
            names.append(m_entityList.NameAt(i));
    SortLabels(names, [](const QString& name) { return name; });
    m_listBox->clear();
    m_listBox->addItems(names);
}

bool TStringListProxy::HasSelection() const
{
    // A list that got the focus has a current row without the user choosing
    // one; only a selected row counts.
    const QListWidgetItem* item = m_listBox->currentItem();
    return item && item->isSelected();
}

QString TStringListProxy::GetSelectedName() const
{
    return HasSelection() ? m_listBox->currentItem()->text() : QString();
}

void TStringListProxy::CopySelectedToEdit()
{
    if (HasSelection())
        m_nameEdit->setText(GetSelectedName());
}

void TStringListProxy::FocusNameEdit()
{
    m_nameEdit->setFocus();
    m_nameEdit->selectAll();
}

void TStringListProxy::AddFromEdit()
{
    const TLanguageSelector& t = *Language();
    m_lastActionOK = false;
    const QString name = m_nameEdit->text();
    if (name.isEmpty()) {
        Warn(t.SP[0], t.SP[1]);
    } else if (m_entityList.IndexOfName(name) >= 0) {
        Warn(Text::Format(t.SP[2], { name }), t.SP[3]);
    } else {
        m_entityList.AddName(name);
        const int row = InsertLabelRow(m_listBox, name);
        m_listBox->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        m_lastActionOK = true;
    }
    FocusNameEdit();
}

void TStringListProxy::RenameSelected()
{
    const TLanguageSelector& t = *Language();
    m_lastActionOK = false;
    if (!HasSelection()) {
        Warn(t.SP[8], t.SP[9]);
        FocusNameEdit();
        return;
    }
    const QString oldName = GetSelectedName();
    const QString newName = m_nameEdit->text();
    if (oldName == newName) {
        Warn(t.SP[4], t.SP[5]);
        FocusNameEdit();
        return;
    }
    const int id = m_entityList.IdByName(oldName);
    AddFromEdit();
    if (m_lastActionOK) {
        RemoveByName(oldName);
        // The id handed out for the new entry is dropped; the counter stays ahead.
        if (TEntity* renamed = m_entityList.ItemAt(m_entityList.IndexOfName(newName)))
            renamed->SetId(id);
        ClearMergeEdits();
    }
    FocusNameEdit();
}

void TStringListProxy::DeleteSelected()
{
    m_lastActionOK = false;
    if (m_listBox->count() == 0 || !HasSelection()) {
        const TLanguageSelector& t = *Language();
        Warn(t.SP[8], t.SP[9]);
        m_listBox->setFocus();
        return;
    }
    const QString name = GetSelectedName();
    delete m_listBox->takeItem(m_listBox->currentRow());
    m_entityList.RemoveByName(name);
    ClearMergeEdits();
    m_lastActionOK = true;
}

void TStringListProxy::RemoveByName(const QString& name)
{
    m_entityList.RemoveByName(name);
    Refresh();
    m_lastActionOK = true;
}

void TStringListProxy::MergeFromEdits(TMergeObject& merger)
{
    const QString first = m_merge1Edit->text();
    const QString second = m_merge2Edit->text();
    const QString result = m_resultEdit->text();
    // A name that is no label any more (deleted since it was dropped) would
    // resolve to -1 and write that into the photos as they are moved.
    const TEntity* a = m_entityList.ItemAt(m_entityList.IndexOfName(first));
    const TEntity* b = m_entityList.ItemAt(m_entityList.IndexOfName(second));
    const TEntity* r = m_entityList.ItemAt(m_entityList.IndexOfName(result));
    if (!a || !b || !r || first == second) {
        m_lastActionOK = false;
        ClearMergeEdits();
        return;
    }
    m_lastActionOK = true;
    if (a->GetId() == r->GetId()) {
        merger.Merge(b->GetId(), r->GetId());
        m_entityList.RemoveByName(second);
    } else {
        merger.Merge(a->GetId(), r->GetId());
        m_entityList.RemoveByName(first);
    }
    Refresh();
    ClearMergeEdits();
}
