#include "app/main/ProgramIcon.h"

#include <QFile>

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

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : IconSizes)
        icon.addFile(IconFile(size), QSize(size, size));
    return icon;
}
