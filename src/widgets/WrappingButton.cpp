// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/WrappingButton.h"

#include <QEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <type_traits>

namespace {

constexpr int CaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

template <class Button> constexpr bool IsRadio = std::is_same_v<Button, QRadioButton>;

} // namespace

template <class Button>
TWrappingButton<Button>::TWrappingButton(QWidget* parent)
    : Button(parent)
{
    // It may be narrower than its caption on one line, and as tall as the wrapped caption needs.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    this->setSizePolicy(policy);
}

template <class Button> int TWrappingButton<Button>::CaptionLeft() const
{
    QStyleOptionButton option;
    this->initStyleOption(&option);
    const auto indicator = IsRadio<Button> ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
    return this->style()->subElementRect(indicator, &option, this).left();
}

template <class Button> void TWrappingButton<Button>::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange
        || event->type() == QEvent::LayoutDirectionChange) {
        m_measuredText.clear();
        m_captionRects.clear();
        m_minimumSize = QSize();
    }
    Button::changeEvent(event);
}

template <class Button> QRect TWrappingButton<Button>::CaptionRect(int width) const
{
    if (this->text() != m_measuredText || m_measuredText.isNull()) {
        m_measuredText = this->text().isNull() ? QStringLiteral("") : this->text();
        m_captionRects.clear();
        m_minimumSize = QSize();
    }
    if (const auto known = m_captionRects.constFind(width); known != m_captionRects.cend())
        return *known;
    const int left = CaptionLeft();
    const QRect rect = this->fontMetrics().boundingRect(
        QRect(left, 0, qMax(1, width - left), 100000), CaptionFlags, this->text());
    m_captionRects.insert(width, rect);
    return rect;
}

template <class Button> QSize TWrappingButton<Button>::minimumSizeHint() const
{
    if (this->text() == m_measuredText && m_minimumSize.isValid())
        return m_minimumSize;
    // Narrow enough for two lines, never narrower than the longest word. One
    // word a line would make the window taller than a laptop screen.
    int longestWord = 0;
    const QStringList words = this->text().split(u' ', Qt::SkipEmptyParts);
    for (const QString& word : words)
        longestWord = qMax(longestWord, this->fontMetrics().horizontalAdvance(word));
    const int oneLine = this->fontMetrics().horizontalAdvance(this->text());
    const int width = CaptionLeft() + qMax(longestWord, (oneLine + 1) / 2) + 2;
    const QSize size(width, heightForWidth(width));
    m_minimumSize = size;
    return size;
}

template <class Button> int TWrappingButton<Button>::heightForWidth(int width) const
{
    return qMax(Button::sizeHint().height(), CaptionRect(width).height() + 2);
}

template <class Button> void TWrappingButton<Button>::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    this->initStyleOption(&option);
    // The indicator as the style draws it, without the caption.
    option.text.clear();
    painter.drawControl(IsRadio<Button> ? QStyle::CE_RadioButton : QStyle::CE_CheckBox, option);
    painter.setPen(this->palette().color(
        this->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int left = CaptionLeft();
    painter.drawText(QRect(left, 0, this->width() - left, this->height()), CaptionFlags, this->text());
}

template <class Button> bool TWrappingButton<Button>::hitButton(const QPoint& pos) const
{
    return this->rect().contains(pos);
}

template class TWrappingButton<QRadioButton>;
template class TWrappingButton<QCheckBox>;
