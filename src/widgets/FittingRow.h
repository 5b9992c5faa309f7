// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Lays a panel's controls side by side while they fit its width, else one
// above the other. Dutch and Spanish captions are longer than English ones:
// a row that keeps its full width would widen the whole main window.
#include <QObject>

class QWidget;

class TFittingRow : public QObject {
    Q_OBJECT
public:
    // The panel's layout must be a box layout; the row belongs to the panel.
    explicit TFittingRow(QWidget* panel);

    // Chooses the direction again; call it after the captions changed.
    void Arrange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_panel;
};
