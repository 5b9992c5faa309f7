// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Folder scans started from a window, showing their progress in the window's
// controls. The scan pumps events so that Stop can be pressed; meanwhile a
// second long operation is refused (busy guard) and controls destroyed under
// the scan are simply no longer updated.
#include "common/EventPump.h"
#include "platform/FileRoutines.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QListWidget;

class TFolderScanControls : public TFolderScanDisplay {
public:
    // Any control may be nullptr. The counters may be labels or edits.
    TFolderScanControls(
        QListWidget* listBox, QLineEdit* currentFolder, QWidget* checkedCount, QWidget* foundCount);

    void ClearCounts() override;
    void ShowFolder(const QString& folder) override;
    void AddFound(const QString& path) override;
    void ShowCounts(int checked, int found) override;

private:
    QPointer<QListWidget> m_listBox;
    QPointer<QLineEdit> m_currentFolder;
    QPointer<QWidget> m_checkedCount;
    QPointer<QWidget> m_foundCount;
    bool m_hasCounters;
    TEventPump m_pump;
};

// StartFolderScan with a window's controls; found may be nullptr. False,
// without scanning, when another long operation is running.
bool StartFolderScan(const QString& folder, const QStringList& extensions, QStringList* found,
    QListWidget* listBox, QLineEdit* currentFolder, QWidget* checkedCount, QWidget* foundCount,
    bool recursive);
