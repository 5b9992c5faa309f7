// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Runs a test's picture work on a chosen number of worker threads and
// restores the machine's number afterwards.
#include "platform/OrderedWork.h"

class ScopedWorkerThreads {
public:
    explicit ScopedWorkerThreads(int count) { SetWorkerThreadCount(count); }
    ~ScopedWorkerThreads()
    {
        // Jobs a stopped run left behind end before the next test starts.
        WaitForWorkers();
        SetWorkerThreadCount(0);
    }
    ScopedWorkerThreads(const ScopedWorkerThreads&) = delete;
    ScopedWorkerThreads& operator=(const ScopedWorkerThreads&) = delete;
};
