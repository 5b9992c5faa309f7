// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The in-memory picture of one thumbnail: a bitmap with a 5-pixel frame band
// that is blue while the thumbnail is selected and cream otherwise. The
// thumbnail window shows it; the model only draws into it.
#include <QColor>
#include <QImage>
#include <QString>

class TThumbNailImage {
public:
    static QColor CreamColor() { return QColor(255, 251, 240); }
    static QColor SelectedColor() { return QColor(0, 0, 255); }

    TThumbNailImage() = default;
    virtual ~TThumbNailImage();
    TThumbNailImage(const TThumbNailImage&) = delete;
    TThumbNailImage& operator=(const TThumbNailImage&) = delete;

    QImage& Picture() { return m_picture; }
    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture) { m_picture = picture; }

    // The photo path, also the hint shown over the picture.
    virtual void SetFileName(const QString& value) { m_fileName = value; }
    const QString& GetFileName() const { return m_fileName; }
    const QString& Hint() const { return m_fileName; }

    virtual void Deselect();
    virtual void Select();
    virtual bool IsSelected() const { return m_selected; }
    virtual void DrawSelectedFrame();
    virtual void DrawUnselectedFrame();
    // Fills a 5-pixel band along each edge with the brush colour.
    virtual void DrawFrame();

private:
    QImage m_picture;
    QString m_fileName;
    QColor m_brush = CreamColor();
    bool m_selected = false;
};
