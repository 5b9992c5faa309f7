// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/EventPump.h"

#include <QCoreApplication>

TEventPump::TEventPump(int intervalMs)
    : m_intervalMs(intervalMs)
{
}

bool TEventPump::Due() const
{
    return !m_last.isValid() || m_last.elapsed() >= m_intervalMs;
}

void TEventPump::Pump()
{
    if (!Due())
        return;
    QCoreApplication::processEvents();
    m_last.start();
}
