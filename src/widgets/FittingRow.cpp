// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/FittingRow.h"

#include <QBoxLayout>
#include <QEvent>
#include <QWidget>

TFittingRow::TFittingRow(QWidget* panel)
    : QObject(panel)
    , m_panel(panel)
{
    // The panel does not ask its parent for the width its controls need side
    // by side, else it would widen the window; the direction sees to it that
    // each control still gets its whole caption.
    QSizePolicy policy = panel->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    panel->setSizePolicy(policy);
    panel->installEventFilter(this);
}

void TFittingRow::Arrange()
{
    auto* layout = qobject_cast<QBoxLayout*>(m_panel->layout());
    if (!layout)
        return;
    const QMargins margins = layout->contentsMargins();
    int sideBySide = margins.left() + margins.right();
    int controls = 0;
    for (int i = 0; i < layout->count(); ++i) {
        if (const QWidget* control = layout->itemAt(i)->widget(); control && !control->isHidden()) {
            sideBySide += control->sizeHint().width();
            ++controls;
        }
    }
    sideBySide += layout->spacing() * qMax(0, controls - 1);
    const auto direction = sideBySide <= m_panel->width() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (layout->direction() != direction)
        layout->setDirection(direction);
}

bool TFittingRow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == m_panel)
        Arrange();
    return QObject::eventFilter(watched, event);
}
