// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/BusyGuard.h"

namespace {

bool g_busy = false;

} // namespace

TBusyGuard::TBusyGuard()
    : m_acquired(!g_busy)
{
    if (m_acquired)
        g_busy = true;
}

TBusyGuard::~TBusyGuard()
{
    if (m_acquired)
        g_busy = false;
}

bool TBusyGuard::IsBusy()
{
    return g_busy;
}
