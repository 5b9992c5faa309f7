// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// While one of these lives, the program's windows that stay on top (photo
// windows, slide shows, progress) stand among the ordinary windows, so that a
// dialog shown meanwhile comes above them instead of being hidden, buttons
// and all, underneath. They stay on top again when it ends. Nested ones
// leave the restoring to the outermost.
#include <QPointer>
#include <QWindow>

#include <vector>

class TOnTopWindowsLowered {
public:
    TOnTopWindowsLowered();
    ~TOnTopWindowsLowered();
    TOnTopWindowsLowered(const TOnTopWindowsLowered&) = delete;
    TOnTopWindowsLowered& operator=(const TOnTopWindowsLowered&) = delete;

private:
    std::vector<QPointer<QWindow>> m_lowered;
};
