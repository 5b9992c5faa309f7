// SPDX-License-Identifier: GPL-2.0-or-later
#include "QuitWhenShown.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

void QuitWhenShownIfAsked(std::function<bool()> shown)
{
    if (!qEnvironmentVariableIsSet("TAVRIMOLEX_QUIT_WHEN_SHOWN"))
        return;
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, qApp, [shown = std::move(shown)] {
        if (QWidget* asking = QApplication::activeModalWidget()) {
            std::fprintf(stderr, "closed: %s\n", qUtf8Printable(asking->windowTitle()));
            asking->close();
        } else if (shown()) {
            QApplication::quit();
        }
    });
    timer->start(100);
}
