// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/FolderScanControls.h"

#include "common/BusyGuard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

void SetControlText(QWidget* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
}

} // namespace

TFolderScanControls::TFolderScanControls(
    QListWidget* listBox, QLineEdit* currentFolder, QWidget* checkedCount, QWidget* foundCount)
    : m_listBox(listBox)
    , m_currentFolder(currentFolder)
    , m_checkedCount(checkedCount)
    , m_foundCount(foundCount)
    , m_hasCounters(checkedCount || foundCount)
{
}

void TFolderScanControls::ClearCounts()
{
    SetControlText(m_checkedCount, QString());
    SetControlText(m_foundCount, QString());
}

void TFolderScanControls::ShowFolder(const QString& folder)
{
    if (!m_currentFolder)
        return;
    m_currentFolder->setText(folder);
    m_pump.Pump();
}

void TFolderScanControls::AddFound(const QString& path)
{
    if (m_listBox)
        m_listBox->addItem(path);
}

void TFolderScanControls::ShowCounts(int checked, int found)
{
    SetControlText(m_checkedCount, QString::number(checked));
    SetControlText(m_foundCount, QString::number(found));
    if (m_hasCounters)
        m_pump.Pump();
}

bool StartFolderScan(const QString& folder, const QStringList& extensions, QStringList* found,
    QListWidget* listBox, QLineEdit* currentFolder, QWidget* checkedCount, QWidget* foundCount,
    bool recursive)
{
    const TBusyGuard busy;
    if (!busy)
        return false;
    TFolderScanControls controls(listBox, currentFolder, checkedCount, foundCount);
    StartFolderScan(folder, extensions, found, &controls, recursive);
    return true;
}
