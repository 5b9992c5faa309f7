// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/main/ApplicationNames.h"

#include "common/FileTypeRegistration.h"

#include <QGuiApplication>

void SetApplicationNames()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopFileName));
}
