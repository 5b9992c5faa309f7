// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// With TAVRIMOLEX_QUIT_WHEN_SHOWN set in the environment, the program ends as
// soon as its main window shows, so that a test can start an installed program
// as a user does and see it come up. A window that asks something on the way
// (the language window of a first start) is closed as a user closes it, and its
// title goes to the error output, so that the test sees what was asked.
#include <functional>

// shown tells whether the main window is up; it is asked in the event loop.
void QuitWhenShownIfAsked(std::function<bool()> shown);
