// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The export options of the HTML tab: the viewer type and the resize rule that
// goes with it, the caption of the size group, the three quality controls that
// always show one number, and all options read as a generator takes them.
#include "export/WebSiteGenerator.h"

#include <QObject>

namespace Ui {
class TabHTML;
}
class TLanguageSelector;

class THtmlOptions : public QObject {
    Q_OBJECT
public:
    THtmlOptions(Ui::TabHTML& form, QObject* parent);

    // 0: the photo-by-photo site, 1: the framed site with thumbnails.
    int ViewerKind() const;
    // Ticks the radio button of the kind, clears the other and applies the
    // resize rule of that kind.
    void SetViewerKind(int kind);

    // The framed site shows its photos in a frame of fixed size, so it allows
    // no scroll bars: without them resizing is forced on.
    void EnableScrollbarOption(bool allowed);
    void UpdateSizeCaption(const TLanguageSelector& texts);

    // The track bar, the up-down and the edit show quality.
    void SetQuality(int quality);
    // Applies a quality text from elsewhere (a saved preset): the whole number
    // it starts with, at most 100, 50 when it starts with none; all three
    // controls follow.
    void SetQualityText(const QString& text);

    // Every option as the controls hold them, except the background and the
    // slide-show pictures, which the caller adds.
    TExportOptions Read() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rdbNavigateByImageClick();
    void rdbNavigateByImageAndThumbnailsClick();
    void eb_QualityEdited();
    void tb_QualityChange(int position);
    void ud_QualityClick(int position);

    Ui::TabHTML& ui;
    // The three quality controls update each other; this keeps them from
    // answering one another's changes.
    bool m_qualitySyncing = false;
};
