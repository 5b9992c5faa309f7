// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The page background of a web site: a picture file, the stored default
// picture, or a plain colour. Three pictures share one place on the HTML tab
// and exactly one of them shows; the export takes the one that shows.
#include "export/WebSiteGenerator.h"

#include <QColor>
#include <QObject>

#include <optional>

namespace Ui {
class TabHTML;
}

class THtmlBackground : public QObject {
    Q_OBJECT
public:
    enum class TChoice { Image, Default, Colour };

    THtmlBackground(Ui::TabHTML& form, QObject* parent);

    void bt_SelectBackGroundImageClick();
    void bt_DefaultBackGroundImageClick();
    void bt_SelectBackGroundColorClick();

    // Shows what the two edits name, as a saved preset left them: the colour
    // when there is one, else the picture file, else the default. False, with
    // the reason in error, when the colour or the picture cannot be read; the
    // default then shows.
    bool ShowFromEdits(QString& error);

    TChoice Choice() const { return m_choice; }
    // The background the export writes.
    TExportBackground Current() const;

    // Colours as the settings file keeps them: one of the standard names
    // ("clRed") or "$00BBGGRR" in hexadecimal.
    static QString ColourToText(const QColor& colour);
    // Also reads plain decimal numbers and "0x" hexadecimal; nothing for
    // anything else.
    static std::optional<QColor> TextToColour(const QString& text);

private:
    void Show(TChoice choice);
    void PaintColour(const QColor& colour);
    // Reads a picture file; a JPEG keeps its bytes so that it is written unchanged.
    static bool LoadPicture(const QString& fileName, QImage& image, QByteArray& jpegData);

    Ui::TabHTML& ui;
    TChoice m_choice = TChoice::Colour;
    QImage m_image;
    QByteArray m_jpegData;
    QImage m_swatch;
};
