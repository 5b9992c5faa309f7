// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoInfoControls.h"

#include "app/photos/PhotoInfoSlot.h"
#include "common/LabelOrder.h"
#include "platform/TextUtil.h"
#include "ui_TabPhotos.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>

namespace {

using TField = TPhotoInfoControls::Field;

// One field of a photo in the panel.
struct TFieldRow {
    TField Field;
    void (*Read)(const Ui::TabPhotos& ui, TPhotoInfoSlot& info);
    void (*Write)(Ui::TabPhotos& ui, const TPhotoInfoSlot& info);
    void (*Clear)(Ui::TabPhotos& ui);
    // Null for a field that may be changed on every page.
    void (*SetEditable)(Ui::TabPhotos& ui, bool editable, const QColor& background);
};

void SetBackground(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    control->setPalette(palette);
}

void SelectEvent(QComboBox* events, const QString& name)
{
    events->setCurrentIndex(name.isEmpty() ? -1 : events->findText(name, Qt::MatchExactly));
}

void UncheckObjects(QListWidget* objects)
{
    for (int i = 0; i < objects->count(); ++i)
        objects->item(i)->setCheckState(Qt::Unchecked);
}

void ShowObjects(Ui::TabPhotos& ui, const QStringList& names)
{
    ui.lb_SelectedObjects->clear();
    UncheckObjects(ui.lb_PhotoObjects);
    for (const QString& name : names) {
        const QList<QListWidgetItem*> found = ui.lb_PhotoObjects->findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            continue;
        found.front()->setCheckState(Qt::Checked);
        InsertLabelRow(ui.lb_SelectedObjects, name);
    }
}

QStringList CheckedObjects(const QListWidget* objects)
{
    QStringList names;
    for (int i = 0; i < objects->count(); ++i)
        if (objects->item(i)->checkState() == Qt::Checked)
            names.append(objects->item(i)->text());
    return names;
}

const TFieldRow FieldRows[] = {
    {
        TPhotoInfoControls::Description,
        [](const Ui::TabPhotos& ui, TPhotoInfoSlot& info) {
            info.Description = Text::SplitLines(ui.mm_PhotoDescription->toPlainText());
        },
        [](Ui::TabPhotos& ui, const TPhotoInfoSlot& info) {
            ui.mm_PhotoDescription->setPlainText(info.Description.join(u'\n'));
        },
        [](Ui::TabPhotos& ui) { ui.mm_PhotoDescription->clear(); },
        [](Ui::TabPhotos& ui, bool editable, const QColor& background) {
            ui.mm_PhotoDescription->setReadOnly(!editable);
            SetBackground(ui.mm_PhotoDescription, background);
        },
    },
    {
        TPhotoInfoControls::Year,
        [](const Ui::TabPhotos& ui, TPhotoInfoSlot& info) { info.Year = ui.eb_Year->text(); },
        [](Ui::TabPhotos& ui, const TPhotoInfoSlot& info) { ui.eb_Year->setText(info.Year); },
        [](Ui::TabPhotos& ui) { ui.eb_Year->clear(); },
        [](Ui::TabPhotos& ui, bool editable, const QColor& background) {
            ui.eb_Year->setReadOnly(!editable);
            SetBackground(ui.eb_Year, background);
        },
    },
    {
        TPhotoInfoControls::Event,
        // The first entry, " ", stands for no event.
        [](const Ui::TabPhotos& ui, TPhotoInfoSlot& info) {
            info.Event = ui.cb_Event->currentIndex() > 0 ? ui.cb_Event->currentText() : QString();
        },
        [](Ui::TabPhotos& ui, const TPhotoInfoSlot& info) { SelectEvent(ui.cb_Event, info.Event); },
        [](Ui::TabPhotos& ui) { ui.cb_Event->setCurrentIndex(-1); },
        [](Ui::TabPhotos& ui, bool editable, const QColor& background) {
            ui.cb_Event->setEnabled(editable);
            SetBackground(ui.cb_Event, background);
        },
    },
    {
        TPhotoInfoControls::Publish,
        [](const Ui::TabPhotos& ui, TPhotoInfoSlot& info) {
            info.Publish = !ui.chb_DontPublishForTheInternet->isChecked();
        },
        [](Ui::TabPhotos& ui, const TPhotoInfoSlot& info) {
            ui.chb_DontPublishForTheInternet->setChecked(!info.Publish);
        },
        [](Ui::TabPhotos& ui) { ui.chb_DontPublishForTheInternet->setChecked(false); },
        nullptr,
    },
    {
        TPhotoInfoControls::Objects,
        [](const Ui::TabPhotos& ui, TPhotoInfoSlot& info) {
            info.Objects = CheckedObjects(ui.lb_PhotoObjects);
        },
        [](Ui::TabPhotos& ui, const TPhotoInfoSlot& info) { ShowObjects(ui, info.Objects); },
        [](Ui::TabPhotos& ui) {
            UncheckObjects(ui.lb_PhotoObjects);
            ui.lb_SelectedObjects->clear();
        },
        [](Ui::TabPhotos& ui, bool editable, const QColor&) {
            ui.lb_PhotoObjects->setEnabled(editable);
            ui.lb_SelectedObjects->setEnabled(editable);
        },
    },
};

} // namespace

TPhotoInfoControls::TPhotoInfoControls(Ui::TabPhotos& form)
    : ui(form)
{
}

TPhotoInfoSlot TPhotoInfoControls::Read() const
{
    TPhotoInfoSlot info;
    for (const TFieldRow& row : FieldRows)
        row.Read(ui, info);
    return info;
}

void TPhotoInfoControls::Write(const TPhotoInfoSlot& info, Fields fields)
{
    for (const TFieldRow& row : FieldRows)
        if (fields.testFlag(row.Field))
            row.Write(ui, info);
}

void TPhotoInfoControls::Clear(Fields fields)
{
    for (const TFieldRow& row : FieldRows)
        if (fields.testFlag(row.Field))
            row.Clear(ui);
}

void TPhotoInfoControls::SetEditable(bool editable, const QColor& background)
{
    for (const TFieldRow& row : FieldRows)
        if (row.SetEditable)
            row.SetEditable(ui, editable, background);
}
