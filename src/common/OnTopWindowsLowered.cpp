// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/OnTopWindowsLowered.h"

#include <QGuiApplication>

TOnTopWindowsLowered::TOnTopWindowsLowered()
{
    // The flag is changed on the shown window itself: changing it through the
    // widget would hide the window and show it again.
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || !window->flags().testFlag(Qt::WindowStaysOnTopHint)
            || window->type() == Qt::Popup || window->type() == Qt::ToolTip)
            continue;
        window->setFlag(Qt::WindowStaysOnTopHint, false);
        m_lowered.emplace_back(window);
    }
}

TOnTopWindowsLowered::~TOnTopWindowsLowered()
{
    for (const QPointer<QWindow>& window : m_lowered)
        if (window)
            window->setFlag(Qt::WindowStaysOnTopHint, true);
}
