#include "app/FittingRow.h"

#include <QBoxLayout>
#include <QEvent>
#include <QWidget>

TFittingRow::TFittingRow(QWidget* panel)
    : QObject(panel)
    , m_panel(panel)
{
    // The controls do not set the panel's least width; the direction sees to
    // it that they get what they need.
    if (QLayout* layout = panel->layout()) {
        for (int i = 0; i < layout->count(); ++i) {
            if (QWidget* control = layout->itemAt(i)->widget()) {
                QSizePolicy policy = control->sizePolicy();
                policy.setHorizontalPolicy(QSizePolicy::Ignored);
                control->setSizePolicy(policy);
            }
        }
    }
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
    const auto direction
        = sideBySide <= m_panel->width() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (layout->direction() != direction)
        layout->setDirection(direction);
}

bool TFittingRow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == m_panel)
        Arrange();
    return QObject::eventFilter(watched, event);
}
