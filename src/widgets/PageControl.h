#pragma once
// A page control whose tabs the main window draws itself: the top tabs as
// buttons with a picture, the inner page controls in a colour of their own.
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
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;

private:
    // The caption as a button tab writes it: four blanks after the text.
    QString ButtonText(int index) const;
    void PaintButtonTab(QPainter& painter, int index, const QRect& rect, bool active) const;
    void PaintColouredTab(QPainter& painter, int index, const QRect& rect, bool active) const;

    Look m_look = Look::Plain;
    std::vector<QPixmap> m_images;
    QColor m_active;
};

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
    TTabBar* Tabs() const { return m_tabs; }

private:
    TTabBar* m_tabs;
};

// The pictures of the top tabs (25 by 27), one per page of the main window.
std::vector<QPixmap> MainTabImages();
