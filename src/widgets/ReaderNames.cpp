// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/ReaderNames.h"

#include <QAbstractItemView>
#include <QLabel>

QString PlainCaption(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" shows one ampersand; a single one marks the next letter.
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        plain += caption[i];
    }
    return plain;
}

void SetReaderName(QWidget* control, const QString& caption)
{
    // Each change is announced to a running reader; the windows set their
    // texts at every activation.
    const QString name = PlainCaption(caption).trimmed();
    if (control->accessibleName() != name)
        control->setAccessibleName(name);
}

void NameViewsAfterTheirLabels(const QWidget* root)
{
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        if (auto* view = qobject_cast<QAbstractItemView*>(label->buddy()))
            SetReaderName(view, label->text());
    }
}
