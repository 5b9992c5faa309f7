// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/OrderedWork.h"

#include <QThread>

#include <atomic>

namespace {

std::atomic<int> g_threadCount { 0 };

} // namespace

int WorkerThreadCount()
{
    const int chosen = g_threadCount.load();
    if (chosen > 0)
        return chosen;
    return std::max(1, QThread::idealThreadCount());
}

void SetWorkerThreadCount(int count)
{
    g_threadCount.store(std::max(0, count));
}

void WaitForWorkers()
{
    QThreadPool::globalInstance()->waitForDone();
}
