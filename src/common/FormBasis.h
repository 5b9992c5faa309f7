// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The busy cursor. The program treats the cursor as one program-wide value
// (hourglass or the default), not as Qt's stack of override cursors, so that
// windows switching it on and off in any order agree on what is shown.

enum class TScreenCursor { Default, HourGlass };

TScreenCursor ScreenCursor();
void SetScreenCursor(TScreenCursor cursor);

// Gives a window a busy-cursor pair; derive from it beside the window's Qt
// class. A pair nested inside another pair leaves the cursor to the outer one,
// also across windows. A third level is not supported: its inner EndWait makes
// the middle EndWait restore the cursor early.
class TFormBasis {
public:
    void BeginWait();
    void EndWait();

protected:
    // This window switched the hourglass on.
    bool OwnsCursor = false;
};

// BeginWait for the lifetime of a scope, so that an early return or an
// exception cannot leave the hourglass on.
class TWaitCursor {
public:
    explicit TWaitCursor(TFormBasis& form);
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    TFormBasis& m_form;
};
