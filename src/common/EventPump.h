// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
#include <QElapsedTimer>

// Lets pending events run during long work, but at most once per interval:
// repainting and pumping after every one of many items costs far more than the
// items themselves, while Cancel and Stop stay just as responsive.
class TEventPump {
public:
    static constexpr int DefaultIntervalMs = 30;

    explicit TEventPump(int intervalMs = DefaultIntervalMs);

    // Processes pending events when the last time is at least the interval ago
    // (the first call always does).
    void Pump();
    // The next Pump will process events.
    bool Due() const;

private:
    QElapsedTimer m_last;
    int m_intervalMs;
};
