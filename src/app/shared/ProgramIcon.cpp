// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/shared/ProgramIcon.h"

#include <QFile>
#include <QIconEngine>

namespace {

constexpr int IconSizes[] = { 16, 24, 32, 48, 64, 128, 256 };

QString IconFile(int size)
{
    return QStringLiteral(":/icons/hicolor/%1x%1/apps/tavrimolex.png").arg(size);
}

} // namespace

QImage ProgramIconImage(int size)
{
    const QString exact = IconFile(size);
    const QImage image(QFile::exists(exact) ? exact : IconFile(256));
    return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

namespace {

// Reads the pictures when a size is first asked for, not when a window takes
// the icon: the window system asks, if at all, once the window shows.
class TProgramIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Pictures().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        return pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Pictures().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Pictures().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Pictures().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new TProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("TProgramIconEngine"); }

private:
    const QIcon& Pictures()
    {
        if (m_pictures.isNull()) {
            for (const int size : IconSizes)
                m_pictures.addFile(IconFile(size), QSize(size, size));
        }
        return m_pictures;
    }

    QIcon m_pictures;
};

} // namespace

QIcon ProgramIcon()
{
    return QIcon(new TProgramIconEngine);
}
