// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The small modal window that asks how the selected album photos are renamed:
// the new name (or the text to add), the first running number and the action.
#include "common/FormBasis.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TFormRenameSettings;
}
class TLanguageSelector;

class TFormRenameSettings : public QDialog, public TFormBasis {
    Q_OBJECT
public:
    explicit TFormRenameSettings(QWidget* parent = nullptr);
    ~TFormRenameSettings() override;

    void ApplyLanguage(const TLanguageSelector& texts);

    // What the fields start with when the window opens, and what OK took from them.
    const QString& NewName() const { return m_newName; }
    void SetNewName(const QString& value) { m_newName = value; }
    const QString& StartNr() const { return m_startNr; }
    void SetStartNr(const QString& value) { m_startNr = value; }
    // 0 replace the name, 1 add at the end, 2 insert at the beginning; read
    // from and written to the radio buttons.
    unsigned char Action() const;
    void SetAction(unsigned char value);

    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();

    std::unique_ptr<Ui::TFormRenameSettings> ui;
    QString m_newName;
    QString m_startNr;
    bool m_activated = false;
};
