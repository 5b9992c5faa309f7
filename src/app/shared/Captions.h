// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Caption forms of the main window: group boxes carry one blank on each side,
// some labels and panel headers one blank before.
#include <QString>

inline QString Padded(const QString& text)
{
    return u' ' + text + u' ';
}

inline QString Spaced(const QString& text)
{
    return u' ' + text;
}
