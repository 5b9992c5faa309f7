// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The light backgrounds the viewer windows paint behind their controls.
class QColor;
class QWidget;

// Fills widget and the controls on it with background, and gives them the dark
// texts and the white check boxes that go with it: the desktop's own text
// colours may be light ones meant for a dark background.
void PaintLightBackground(QWidget* widget, const QColor& background);
