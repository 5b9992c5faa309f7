// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The picture area of a photo window. Fitting centres the picture and shrinks
// a larger one to the visible area, keeping its proportions, but never
// enlarges a smaller one; otherwise the picture is drawn at its own size from
// the top-left corner, so that a scroll area around it can scroll.
#include <QImage>
#include <QWidget>

class TPhotoImage : public QWidget {
    Q_OBJECT

public:
    explicit TPhotoImage(QWidget* parent = nullptr);

    const QImage& Picture() const { return m_picture; }
    QImage& Picture() { return m_picture; }
    // Call after changing the picture in place.
    void PictureChanged();

    bool Fit() const { return m_fit; }
    void SetFit(bool fit);

    // Where the picture is drawn inside the widget.
    QRect PictureRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    bool m_fit = true;
};
