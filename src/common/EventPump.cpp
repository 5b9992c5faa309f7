#include "common/EventPump.h"

#include <QCoreApplication>

TEventPump::TEventPump(int intervalMs)
    : m_intervalMs(intervalMs)
{
}

void TEventPump::Pump()
{
    if (m_last.isValid() && m_last.elapsed() < m_intervalMs)
        return;
    QCoreApplication::processEvents();
    m_last.start();
}
