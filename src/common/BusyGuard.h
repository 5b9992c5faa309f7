// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Marks a long operation as running. Long operations pump events so that Stop
// and Cancel can be pressed, which also lets the user start a second one or
// close the window under the first; a guard that cannot be had means: refuse.
class TBusyGuard {
public:
    TBusyGuard();
    ~TBusyGuard();
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

    // False when another long operation was already running: do not start.
    bool Acquired() const { return m_acquired; }
    explicit operator bool() const { return m_acquired; }

    // A long operation runs (the main window refuses to close meanwhile).
    static bool IsBusy();

private:
    bool m_acquired;
};
