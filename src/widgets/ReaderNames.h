// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Names that screen readers announce for controls. A label that is the buddy
// of its field names that field, but Qt looks no further: an item view is
// named only by its own accessible name, and a field whose caption is no
// label (a check box before an edit, an up-down beside it, a picture) stays
// nameless. The windows name those here, each time they set their texts, so
// the names follow the language.
#include <QString>

class QWidget;

// The caption, as a button or menu shows it, without its mnemonic marks.
QString PlainCaption(const QString& caption);

// Gives control the caption as its accessible name.
void SetReaderName(QWidget* control, const QString& caption);

// Every item view under root whose buddy label names it takes the label's
// text as its accessible name; call after the labels have their texts.
void NameViewsAfterTheirLabels(const QWidget* root);
