// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/FormBasis.h"

#include <QCursor>
#include <QGuiApplication>

TScreenCursor ScreenCursor()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor ? TScreenCursor::HourGlass : TScreenCursor::Default;
}

void SetScreenCursor(TScreenCursor cursor)
{
    if (cursor == TScreenCursor::HourGlass) {
        if (QGuiApplication::overrideCursor())
            QGuiApplication::changeOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void TFormBasis::BeginWait()
{
    if (ScreenCursor() == TScreenCursor::HourGlass) {
        OwnsCursor = false;
    } else {
        SetScreenCursor(TScreenCursor::HourGlass);
        OwnsCursor = true;
    }
}

void TFormBasis::EndWait()
{
    if (OwnsCursor)
        SetScreenCursor(TScreenCursor::Default);
    else
        OwnsCursor = true;
}

TWaitCursor::TWaitCursor(TFormBasis& form)
    : m_form(form)
{
    m_form.BeginWait();
}

TWaitCursor::~TWaitCursor()
{
    m_form.EndWait();
}
