// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// script/timer.js of the photo-by-photo web site: the slide show that runs
// in the browser.
#include <QString>

namespace Simple {

// The script as one text; it is written line by line.
QString TimerScript();

} // namespace Simple
