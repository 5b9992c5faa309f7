// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A page control whose tabs the main window draws itself: the top tabs as
// buttons with a picture, the inner page controls in a colour of their own.
#include <QHash>
#include <QPixmap>
#include <QTabBar>
#include <QTabWidget>

#include <vector>

class TTabBar : public QTabBar {
    Q_OBJECT
public:
    enum class Look { Plain, Buttons, Coloured };

    explicit TTabBar(QWidget* parent = nullptr);

    void SetButtonLook(std::vector<QPixmap> images);
    void SetColouredLook(const QColor& active);
    Look CurrentLook() const { return m_look; }
    QColor ActiveColour() const { return m_active; }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;

private:
    // The caption as a button tab writes it: four blanks after the text.
    QString ButtonText(int index) const;
    // The width of a caption in the bar's font, bold or not. The bar asks for
    // every tab's size whenever one changes: the captions are measured once.
    int TextWidth(const QString& text, bool bold) const;
    void PaintButtonTab(QPainter& painter, int index, const QRect& rect, bool active) const;
    void PaintColouredTab(QPainter& painter, int index, const QRect& rect, bool active) const;

    Look m_look = Look::Plain;
    std::vector<QPixmap> m_images;
    QColor m_active;
    mutable QHash<QString, int> m_widths[2];
};

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
    TTabBar* Tabs() const { return m_tabs; }

    // Pages added from now on scroll where the control is smaller than they
    // can shrink, so that a small or scaled screen reaches every control; on
    // a screen with room they look as they would without.
    void SetScrollingPages(bool scrolling) { m_scrollingPages = scrolling; }
    // The size the control needs to show its pages without scrolling.
    QSize UnscrolledMinimumSize() const;
    // The toolkit lays every tab out again for any caption set, even one set
    // again as it stands, as each language pass does: those are skipped.
    void setTabText(int index, const QString& text);

    // A scrolling page is held by a scroller of its own; these speak of the
    // page as it was added, so callers never see the scroller.
    int addTab(QWidget* page, const QString& label);
    int indexOf(const QWidget* page) const;
    QWidget* widget(int index) const;
    QWidget* currentWidget() const;
    void setCurrentWidget(QWidget* page);

private:
    // What holds the page in the control: its scroller, or the page itself.
    const QWidget* Holder(const QWidget* page) const;

    TTabBar* m_tabs;
    bool m_scrollingPages = false;
};

// The pictures of the top tabs (25 by 27), one per page of the main window.
std::vector<QPixmap> MainTabImages();
