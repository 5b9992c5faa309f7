// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A radio button or check box whose caption wraps onto more lines when the
// row is narrow. Some Dutch and Spanish captions are whole sentences: on one
// line they would widen the main window beyond the screen.
#include <QCheckBox>
#include <QHash>
#include <QRadioButton>

template <class Button> class TWrappingButton : public Button {
public:
    explicit TWrappingButton(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    // The room the indicator and its gap take before the caption.
    int CaptionLeft() const;
    QRect CaptionRect(int width) const;

    // Layouts ask for the height at a width many times while a window is
    // laid out: the wrapped caption is measured once for each caption, font
    // and width.
    mutable QString m_measuredText;
    mutable QHash<int, QRect> m_captionRects;
    mutable QSize m_minimumSize;
};

using TWrappingRadioButton = TWrappingButton<QRadioButton>;
using TWrappingCheckBox = TWrappingButton<QCheckBox>;
