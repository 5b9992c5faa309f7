// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/PageControl.h"

#include "widgets/ListDrawing.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionTabWidgetFrame>

TTabBar::TTabBar(QWidget* parent)
    : QTabBar(parent)
{
    setDrawBase(false);
}

void TTabBar::SetButtonLook(std::vector<QPixmap> images)
{
    m_look = Look::Buttons;
    m_images = std::move(images);
    updateGeometry();
    update();
}

void TTabBar::SetColouredLook(const QColor& active)
{
    m_look = Look::Coloured;
    m_active = active;
    update();
}

void TTabBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange
        || event->type() == QEvent::LayoutDirectionChange) {
        m_widths[0].clear();
        m_widths[1].clear();
    }
    QTabBar::changeEvent(event);
}

int TTabBar::TextWidth(const QString& text, bool bold) const
{
    QHash<QString, int>& widths = m_widths[bold ? 1 : 0];
    if (const auto known = widths.constFind(text); known != widths.cend())
        return *known;
    QFont f = font();
    f.setBold(bold);
    const int width = QFontMetrics(f).horizontalAdvance(text);
    widths.insert(text, width);
    return width;
}

QSize TTabBar::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    if (m_look == Look::Buttons) {
        size.setWidth(25 + 3 + TextWidth(ButtonText(index), true) + 8);
        size.setHeight(qMax(size.height(), 27 + 3));
    } else if (m_look == Look::Coloured) {
        // A plain margin beside the caption: the style's wider one would
        // need a window wider than the screen for the export's five steps.
        size.setWidth(TextWidth(tabText(index), false) + 12);
    }
    return size;
}

QString TTabBar::ButtonText(int index) const
{
    QString text = tabText(index);
    text.remove(u'&');
    return text + QStringLiteral("    ");
}

void TTabBar::PaintButtonTab(QPainter& painter, int index, const QRect& tabRect, bool active) const
{
    painter.fillRect(tabRect, ListColours::TabBackground());
    QStyleOptionButton button;
    button.initFrom(this);
    // The caption is black: the button stays light under a dark desktop palette.
    button.palette.setColor(QPalette::Button, ListColours::TabBackground());
    button.rect = tabRect.adjusted(1, 1, -1, 0);
    button.state = QStyle::State_Enabled | (active ? QStyle::State_Sunken : QStyle::State_Raised);
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, this);

    const QRect rect = tabRect.translated(0, 1);
    int imageWidth = 0;
    if (size_t(index) < m_images.size() && !m_images[index].isNull()) {
        painter.drawPixmap(rect.topLeft(), m_images[index]);
        imageWidth = m_images[index].width();
    }
    QFont f = font();
    f.setBold(active);
    painter.setFont(f);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(rect.left() + imageWidth + 3, rect.top() + 8 + painter.fontMetrics().ascent()),
        ButtonText(index));
}

void TTabBar::PaintColouredTab(QPainter& painter, int index, const QRect& tabRect, bool active) const
{
    painter.fillRect(tabRect, active ? m_active : ListColours::TabBackground());
    painter.setPen(active ? Qt::white : Qt::black);
    painter.setFont(font());
    // A tab made narrower than its text, to keep every tab in view, shows the text shortened.
    const QString text = painter.fontMetrics().elidedText(
        tabText(index), elideMode(), tabRect.width() - 4, Qt::TextShowMnemonic);
    painter.drawText(
        tabRect.translated(0, 1), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextHideMnemonic, text);
}

void TTabBar::paintEvent(QPaintEvent* event)
{
    if (m_look == Look::Plain) {
        QTabBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QRect rect = tabRect(i);
        if (m_look == Look::Buttons)
            PaintButtonTab(painter, i, rect, i == currentIndex());
        else
            PaintColouredTab(painter, i, rect, i == currentIndex());
    }
}

namespace {

// Holds one page of a page control; shows scroll bars only while the page
// cannot shrink to the room there is.
class TPageScroller : public QScrollArea {
public:
    explicit TPageScroller(QWidget* page)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        // The page's controls are the stops of the tab key, not the scroller;
        // a control reached by the keyboard is scrolled into view all the same.
        setFocusPolicy(Qt::NoFocus);
        setWidget(page);
        // The page control's own background shows through, as it does
        // behind a page without a scroller.
        page->setAutoFillBackground(false);
        viewport()->setAutoFillBackground(false);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        // A hidden page lets a changed caption's size go by; its layouts
        // would keep the sizes they had, so they are asked again.
        for (QLayout* layout : widget()->findChildren<QLayout*>())
            layout->invalidate();
        QScrollArea::showEvent(event);
    }
};

const TPageScroller* ScrollerOf(const QWidget* page)
{
    const QWidget* viewport = page ? page->parentWidget() : nullptr;
    const auto* scroller = dynamic_cast<const TPageScroller*>(viewport ? viewport->parentWidget() : nullptr);
    return scroller && scroller->widget() == page ? scroller : nullptr;
}

QWidget* PageIn(QWidget* holder)
{
    if (auto* scroller = dynamic_cast<TPageScroller*>(holder))
        return scroller->widget();
    return holder;
}

} // namespace

TPageControl::TPageControl(QWidget* parent)
    : QTabWidget(parent)
    , m_tabs(new TTabBar(this))
{
    setTabBar(m_tabs);
}

int TPageControl::addTab(QWidget* page, const QString& label)
{
    // A control's first page shows the moment it is added, long before the
    // window has its size: laid out then, it would be laid out for nothing.
    // It is laid out when the window shows, as every other page.
    QLayout* layout = page->layout();
    const bool layoutEnabled = layout && layout->isEnabled();
    if (layoutEnabled)
        layout->setEnabled(false);
    const int index = QTabWidget::addTab(m_scrollingPages ? new TPageScroller(page) : page, label);
    if (layoutEnabled)
        layout->setEnabled(true);
    return index;
}

const QWidget* TPageControl::Holder(const QWidget* page) const
{
    if (const TPageScroller* scroller = ScrollerOf(page); scroller && QTabWidget::indexOf(scroller) >= 0)
        return scroller;
    return page;
}

int TPageControl::indexOf(const QWidget* page) const
{
    return QTabWidget::indexOf(Holder(page));
}

QWidget* TPageControl::widget(int index) const
{
    return PageIn(QTabWidget::widget(index));
}

QWidget* TPageControl::currentWidget() const
{
    return PageIn(QTabWidget::currentWidget());
}

void TPageControl::setCurrentWidget(QWidget* page)
{
    QTabWidget::setCurrentWidget(const_cast<QWidget*>(Holder(page)));
}

void TPageControl::setTabText(int index, const QString& text)
{
    if (tabText(index) != text)
        QTabWidget::setTabText(index, text);
}

QSize TPageControl::UnscrolledMinimumSize() const
{
    // As the control measures its minimum, with each page at its own minimum
    // in place of its scroller's.
    QSize pages(0, 0);
    for (int index = 0; index < count(); ++index) {
        const QWidget* page = widget(index);
        pages = pages.expandedTo(page->minimumSizeHint().expandedTo(page->minimumSize()));
    }
    QSize tabs = tabBar()->minimumSizeHint();
    if (usesScrollButtons())
        tabs = tabs.boundedTo(QSize(200, 200));
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    option.state = QStyle::State_None;
    return style()->sizeFromContents(QStyle::CT_TabWidget, &option,
        QSize(qMax(pages.width(), tabs.width()), pages.height() + tabs.height()), this);
}

std::vector<QPixmap> MainTabImages()
{
    static const QStyle::StandardPixmap icons[] = {
        QStyle::SP_DirOpenIcon, // albums
        QStyle::SP_FileDialogContentsView, // photos
        QStyle::SP_FileDialogListView, // objects
        QStyle::SP_FileDialogInfoView, // events
        QStyle::SP_FileDialogDetailedView, // search
        QStyle::SP_DriveNetIcon, // web albums
        QStyle::SP_DialogHelpButton, // help
    };
    // Without a desktop icon theme an icon of the style decodes its own
    // pictures in every size at once; its small picture alone is the same.
    const QStyle* style = QApplication::style();
    const bool ownSmallPictures = QIcon::themeName().isEmpty() && qApp->devicePixelRatio() == 1.0;
    std::vector<QPixmap> images;
    for (QStyle::StandardPixmap icon : icons) {
        QPixmap image(25, 27);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.drawPixmap(
            4, 5, ownSmallPictures ? style->standardPixmap(icon) : style->standardIcon(icon).pixmap(16, 16));
        p.end();
        images.push_back(image);
    }
    return images;
}
