// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/FormRenameSettings.h"

#include "app/photos/PhotoRenamePlanner.h"
#include "app/shared/ProgramIcon.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "platform/TextUtil.h"
#include "ui_TFormRenameSettings.h"
#include "widgets/ReaderNames.h"

#include <QSignalBlocker>

TFormRenameSettings::TFormRenameSettings(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TFormRenameSettings>())
{
    ui->setupUi(this);
    FormCreate();
}

TFormRenameSettings::~TFormRenameSettings() = default;

void TFormRenameSettings::FormCreate()
{
    setWindowIcon(ProgramIcon());
    ApplyLanguage(*Language());
    connect(ui->btnOk, &QPushButton::clicked, this, &TFormRenameSettings::btnOkClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // The arrows step the number in the field; a typed number moves them along.
    connect(ui->updSequenceNumber, &QSpinBox::valueChanged, this,
        [this](int value) { ui->edtStartSequenceNumber->setText(QString::number(value)); });
    connect(ui->edtStartSequenceNumber, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int value = Text::Trim(text).toInt(&ok);
        if (ok && value >= ui->updSequenceNumber->minimum() && value <= ui->updSequenceNumber->maximum()) {
            const QSignalBlocker block(ui->updSequenceNumber);
            ui->updSequenceNumber->setValue(value);
        }
    });
}

void TFormRenameSettings::ApplyLanguage(const TLanguageSelector& t)
{
    setWindowTitle(t.RS[0]);
    ui->lblNewName->setText(t.RS[1]);
    ui->lblStartSequenceNumber->setText(t.RS[2]);
    ui->lblAction->setText(t.RS[3]);
    ui->rdbReplace->setText(t.RS[4]);
    ui->rdbAddAtTheEnd->setText(t.RS[5]);
    ui->rdbInsertAtTheBeginning->setText(t.RS[6]);
    ui->btnCancel->setText(t.RS[7]);
    ui->btnOk->setText(t.RS[9]);
    SetReaderName(ui->updSequenceNumber, t.RS[2]);
}

unsigned char TFormRenameSettings::Action() const
{
    if (ui->rdbAddAtTheEnd->isChecked())
        return RA_AddAtTheEnd;
    if (ui->rdbInsertAtTheBeginning->isChecked())
        return RA_InsertAtTheBeginning;
    return RA_Replace;
}

void TFormRenameSettings::SetAction(unsigned char value)
{
    if (value == RA_AddAtTheEnd)
        ui->rdbAddAtTheEnd->setChecked(true);
    else if (value == RA_InsertAtTheBeginning)
        ui->rdbInsertAtTheBeginning->setChecked(true);
    else
        ui->rdbReplace->setChecked(true);
}

void TFormRenameSettings::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only the first activation fills the fields: coming back from a message
    // box must not throw away what the user typed.
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TFormRenameSettings::FormActivate()
{
    ui->edtNewName->setText(m_newName);
    ui->edtStartSequenceNumber->setText(m_startNr);
    if (Text::Trim(m_startNr).isEmpty())
        ui->edtStartSequenceNumber->setText(QStringLiteral("1"));
    bool ok = false;
    const int start = Text::Trim(ui->edtStartSequenceNumber->text()).toInt(&ok);
    if (ok) {
        const QSignalBlocker block(ui->updSequenceNumber);
        ui->updSequenceNumber->setValue(start);
    }
    ui->edtNewName->setFocus();
    if (Text::Trim(m_newName).isEmpty()) {
        ui->edtNewName->setText(Language()->RS[8]);
        ui->edtNewName->selectAll();
    }
}

void TFormRenameSettings::btnOkClick()
{
    const TLanguageSelector& t = *Language();
    const QString typed = ui->edtNewName->text();
    // The name becomes part of file names in the photos' own folders: a
    // separator or ".." would move them elsewhere, a leading dot would hide
    // them, a blank name or the untouched prompt is no name at all.
    if (!TPhotoRenamePlanner::IsUsableName(
            TPhotoRenamePlanner::NameToUse(typed, m_newName), Action(), t.RS[8])) {
        ShowMessageBox(t.MF[8], t.RS[0], MessageBoxFlags::IconWarning);
        ui->edtNewName->setFocus();
        ui->edtNewName->selectAll();
        return;
    }
    m_newName = typed;
    m_startNr = ui->edtStartSequenceNumber->text();
    accept();
}
