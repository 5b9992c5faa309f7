// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The names the desktop knows the program by, set once at start-up.

// The application's name, which the X11 window class follows, and the desktop
// entry's name, by which Wayland knows the window. No display name: Qt would
// add it to every window title and message-box caption.
void SetApplicationNames();
