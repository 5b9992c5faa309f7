// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/HtmlBackground.h"

#include "app/html/HtmlPictures.h"
#include "common/DialogService.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/TextUtil.h"
#include "ui_TabHTML.h"

#include <QPixmap>

#include <array>

namespace {

// A background picture larger than this is no page background.
constexpr qint64 MaxPictureBytes = 64 * 1024 * 1024;

struct TNamedColour {
    const char* name;
    unsigned value; // $00BBGGRR
};

// The standard colours the colour dialog's basic palette shares with the
// settings files of earlier versions.
constexpr std::array<TNamedColour, 20> NamedColours { {
    { "clBlack", 0x000000 },
    { "clMaroon", 0x000080 },
    { "clGreen", 0x008000 },
    { "clOlive", 0x008080 },
    { "clNavy", 0x800000 },
    { "clPurple", 0x800080 },
    { "clTeal", 0x808000 },
    { "clGray", 0x808080 },
    { "clSilver", 0xC0C0C0 },
    { "clRed", 0x0000FF },
    { "clLime", 0x00FF00 },
    { "clYellow", 0x00FFFF },
    { "clBlue", 0xFF0000 },
    { "clFuchsia", 0xFF00FF },
    { "clAqua", 0xFFFF00 },
    { "clWhite", 0xFFFFFF },
    { "clMoneyGreen", 0xC0DCC0 },
    { "clSkyBlue", 0xF0CAA6 },
    { "clCream", 0xF0FBFF },
    { "clMedGray", 0xA4A0A0 },
} };

unsigned BgrValue(const QColor& colour)
{
    return unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16;
}

QColor FromBgr(unsigned value)
{
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

} // namespace

THtmlBackground::THtmlBackground(Ui::TabHTML& form, QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_swatch(BackgroundColourSwatch())
{
    ui.im_DefaultBackground->setPixmap(QPixmap::fromImage(DefaultBackgroundPicture()));
    ui.im_BackGroundColor->setPixmap(QPixmap::fromImage(m_swatch));
    connect(ui.bt_SelectBackGroundImage, &QPushButton::clicked, this,
        &THtmlBackground::bt_SelectBackGroundImageClick);
    connect(ui.bt_DefaultBackGroundImage, &QPushButton::clicked, this,
        &THtmlBackground::bt_DefaultBackGroundImageClick);
    connect(ui.bt_SelectBackGroundColor, &QPushButton::clicked, this,
        &THtmlBackground::bt_SelectBackGroundColorClick);
}

void THtmlBackground::Show(TChoice choice)
{
    m_choice = choice;
    ui.im_BackGround->setVisible(choice == TChoice::Image);
    ui.im_DefaultBackground->setVisible(choice == TChoice::Default);
    ui.im_BackGroundColor->setVisible(choice == TChoice::Colour);
}

void THtmlBackground::PaintColour(const QColor& colour)
{
    m_swatch.fill(colour);
    ui.im_BackGroundColor->setPixmap(QPixmap::fromImage(m_swatch));
}

bool THtmlBackground::LoadPicture(const QString& fileName, QImage& image, QByteArray& jpegData)
{
    jpegData.clear();
    QByteArray bytes;
    if (!ReadRegularFile(fileName, MaxPictureBytes, bytes))
        return false;
    if (DecodeJpegData(bytes, image)) {
        jpegData = bytes;
        return true;
    }
    return LoadImageFile(fileName, image) && !image.isNull();
}

void THtmlBackground::bt_SelectBackGroundImageClick()
{
    TFileDialogOptions options;
    options.Filter = QStringLiteral("Pictures|*.jpg;*.jpeg;*.bmp;*.gif;*.png;*.tif;*.tiff|All files|*");
    const QString current = ui.eb_BackGroundImagePath->text();
    options.InitialDir = Paths::ExtractFilePath(current);
    options.FileName = Paths::ExtractFileName(current);
    options.FileMustExist = true;
    const QStringList files = Dialogs().OpenFileDialog(options);
    if (files.isEmpty())
        return;
    // A file that does not read as a picture leaves the choice as it was.
    QImage image;
    QByteArray jpegData;
    if (!LoadPicture(files.first(), image, jpegData))
        return;
    m_image = image;
    m_jpegData = jpegData;
    ui.eb_BackGroundImagePath->setText(files.first());
    ui.im_BackGround->setPixmap(QPixmap::fromImage(m_image));
    Show(TChoice::Image);
    ui.eb_BackGroundColor->clear();
}

void THtmlBackground::bt_DefaultBackGroundImageClick()
{
    Show(TChoice::Default);
    ui.eb_BackGroundImagePath->clear();
    ui.eb_BackGroundColor->clear();
}

void THtmlBackground::bt_SelectBackGroundColorClick()
{
    QColor initial = m_swatch.pixelColor(0, 0);
    if (const std::optional<QColor> named = TextToColour(ui.eb_BackGroundColor->text()))
        initial = *named;
    const std::optional<QColor> chosen = Dialogs().SelectColor(initial);
    if (!chosen)
        return;
    Show(TChoice::Colour);
    ui.eb_BackGroundImagePath->clear();
    PaintColour(*chosen);
    ui.eb_BackGroundColor->setText(ColourToText(*chosen));
}

bool THtmlBackground::ShowFromEdits(QString& error)
{
    const QString colourText = ui.eb_BackGroundColor->text();
    const QString imagePath = ui.eb_BackGroundImagePath->text();
    if (!colourText.isEmpty()) {
        const std::optional<QColor> colour = TextToColour(colourText);
        if (!colour) {
            error = Text::Format(QStringLiteral("'%s' is not a valid color value"), { colourText });
            Show(TChoice::Default);
            return false;
        }
        PaintColour(*colour);
        Show(TChoice::Colour);
        return true;
    }
    if (!imagePath.isEmpty()) {
        if (!LoadPicture(imagePath, m_image, m_jpegData)) {
            error = Text::Format(QStringLiteral("Cannot open file \"%s\"."), { imagePath });
            Show(TChoice::Default);
            return false;
        }
        ui.im_BackGround->setPixmap(QPixmap::fromImage(m_image));
        Show(TChoice::Image);
        return true;
    }
    bt_DefaultBackGroundImageClick();
    return true;
}

TExportBackground THtmlBackground::Current() const
{
    TExportBackground background;
    switch (m_choice) {
    case TChoice::Image:
        background.Image = m_image;
        background.JpegData = m_jpegData;
        break;
    case TChoice::Default:
        background.Image = DefaultBackgroundPicture();
        break;
    case TChoice::Colour:
        background.Image = m_swatch;
        break;
    }
    return background;
}

QString THtmlBackground::ColourToText(const QColor& colour)
{
    const unsigned value = BgrValue(colour);
    for (const TNamedColour& named : NamedColours)
        if (named.value == value)
            return QString::fromLatin1(named.name);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<QColor> THtmlBackground::TextToColour(const QString& text)
{
    const QString trimmed = Text::Trim(text);
    for (const TNamedColour& named : NamedColours)
        if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return FromBgr(named.value);
    bool ok = false;
    qint64 value = -1;
    if (trimmed.startsWith(u'$'))
        value = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = trimmed.mid(2).toLongLong(&ok, 16);
    else
        value = trimmed.toLongLong(&ok, 10);
    // System colours (negative, or above $00FFFFFF) have no fixed value to paint.
    if (!ok || value < 0 || value > 0xFFFFFF)
        return std::nullopt;
    return FromBgr(unsigned(value));
}
