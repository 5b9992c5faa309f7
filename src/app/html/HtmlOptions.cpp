// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/HtmlOptions.h"

#include "app/shared/Captions.h"
#include "language/LanguageSelector.h"
#include "ui_TabHTML.h"

#include <QKeyEvent>
#include <QScopeGuard>

namespace {

QString DigitsOnly(const QString& text)
{
    QString digits;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9')
            digits += c;
    return digits;
}

// The digits a text starts with ("5.5" -> "5").
QString LeadingDigits(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text.at(n) >= u'0' && text.at(n) <= u'9')
        ++n;
    return text.left(n);
}

// The whole number of a text of digits; fallback when it holds none.
int WholeNumber(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : fallback;
}

} // namespace

THtmlOptions::THtmlOptions(Ui::TabHTML& form, QObject* parent)
    : QObject(parent)
    , ui(form)
{
    // The two viewer types sit in panels of their own, so each clears the
    // other here instead of through a shared parent.
    ui.rdbNavigateByImage->setAutoExclusive(false);
    ui.rdbNavigateByImageAndThumbnails->setAutoExclusive(false);
    connect(ui.rdbNavigateByImage, &QRadioButton::clicked, this, &THtmlOptions::rdbNavigateByImageClick);
    connect(ui.rdbNavigateByImageAndThumbnails, &QRadioButton::clicked, this,
        &THtmlOptions::rdbNavigateByImageAndThumbnailsClick);
    for (QRadioButton* button : { ui.rb_ResizePhotos, ui.rb_DontResizePhotosUseScrollBars })
        connect(button, &QRadioButton::clicked, this, [this] { UpdateSizeCaption(*Language()); });

    ui.eb_Quality->installEventFilter(this);
    connect(ui.eb_Quality, &QLineEdit::textEdited, this, &THtmlOptions::eb_QualityEdited);
    connect(ui.tb_Quality, &QSlider::valueChanged, this, &THtmlOptions::tb_QualityChange);
    connect(ui.ud_Quality, &QSpinBox::valueChanged, this, &THtmlOptions::ud_QualityClick);
}

int THtmlOptions::ViewerKind() const
{
    return ui.rdbNavigateByImage->isChecked() ? 0 : 1;
}

void THtmlOptions::SetViewerKind(int kind)
{
    ui.rdbNavigateByImage->setChecked(kind == 0);
    ui.rdbNavigateByImageAndThumbnails->setChecked(kind != 0);
    EnableScrollbarOption(kind == 0);
}

void THtmlOptions::rdbNavigateByImageClick()
{
    SetViewerKind(0);
}

void THtmlOptions::rdbNavigateByImageAndThumbnailsClick()
{
    SetViewerKind(1);
}

void THtmlOptions::EnableScrollbarOption(bool allowed)
{
    if (!allowed)
        ui.rb_ResizePhotos->setChecked(true);
    ui.rb_ResizePhotos->setEnabled(true);
    ui.rb_DontResizePhotosUseScrollBars->setEnabled(allowed);
    UpdateSizeCaption(*Language());
}

void THtmlOptions::UpdateSizeCaption(const TLanguageSelector& t)
{
    ui.gb_Size->setTitle(Padded(ui.rb_ResizePhotos->isChecked() ? t.MF[414] : t.MF[415]));
}

void THtmlOptions::SetQuality(int quality)
{
    m_qualitySyncing = true;
    const auto done = qScopeGuard([this] { m_qualitySyncing = false; });
    ui.tb_Quality->setValue(quality);
    ui.ud_Quality->setValue(ui.tb_Quality->value());
    ui.eb_Quality->setText(QString::number(ui.tb_Quality->value()));
}

void THtmlOptions::SetQualityText(const QString& text)
{
    SetQuality(qMin(WholeNumber(LeadingDigits(text), 50), 100));
}

bool THtmlOptions::eventFilter(QObject* watched, QEvent* event)
{
    // Only digits reach the quality edit: a quality of "5.5" or "x" would
    // fail as a whole number when the export starts. The event's type comes
    // first: while the page is torn down its form is gone before the edits.
    if (event->type() == QEvent::KeyPress && watched == ui.eb_Quality && !m_qualitySyncing) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const bool character = text.size() == 1 && text.at(0).isPrint();
        if (character) {
            const QChar c = text.at(0);
            const qsizetype kept = ui.eb_Quality->text().size() - ui.eb_Quality->selectedText().size();
            if (c < u'0' || c > u'9' || kept > 2)
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void THtmlOptions::eb_QualityEdited()
{
    if (m_qualitySyncing)
        return;
    m_qualitySyncing = true;
    const auto done = qScopeGuard([this] { m_qualitySyncing = false; });
    QString text = ui.eb_Quality->text();
    // A pasted text keeps its digits only.
    if (DigitsOnly(text) != text) {
        text = DigitsOnly(text);
        ui.eb_Quality->setText(text);
    }
    if (text.isEmpty())
        return;
    if (WholeNumber(text, 0) > 100)
        ui.eb_Quality->setText(QStringLiteral("100"));
    ui.tb_Quality->setValue(WholeNumber(ui.eb_Quality->text(), 50));
    ui.ud_Quality->setValue(ui.tb_Quality->value());
}

void THtmlOptions::tb_QualityChange(int position)
{
    if (m_qualitySyncing)
        return;
    m_qualitySyncing = true;
    const auto done = qScopeGuard([this] { m_qualitySyncing = false; });
    ui.eb_Quality->setText(QString::number(position));
    ui.ud_Quality->setValue(position);
}

void THtmlOptions::ud_QualityClick(int position)
{
    if (m_qualitySyncing)
        return;
    m_qualitySyncing = true;
    const auto done = qScopeGuard([this] { m_qualitySyncing = false; });
    ui.eb_Quality->setText(QString::number(position));
    ui.tb_Quality->setValue(position);
}

TExportOptions THtmlOptions::Read() const
{
    TExportOptions options;
    for (int i = 0; i < ui.lb_HTMLSelectedAlbums->count(); ++i)
        options.AlbumFiles << ui.lb_HTMLSelectedAlbums->item(i)->text();
    options.OutputDir = ui.eb_HTMLDirectory->text();
    options.ResizePhotos = ui.rb_ResizePhotos->isChecked();
    options.DontResize = ui.rb_DontResizePhotosUseScrollBars->isChecked();
    options.PhotoWidth = WholeNumber(ui.cb_HTMLPhotoWidth->currentText(), 0);
    options.PhotoHeight = WholeNumber(ui.cb_HTMLPhotoHeight->currentText(), 0);
    options.ThumbWidth = WholeNumber(ui.cb_HTMLThumbnailsWidth->currentText(), 0);
    options.ThumbHeight = WholeNumber(ui.cb_HTMLThumbnailsHeight->currentText(), 0);
    options.ThumbColumns = WholeNumber(ui.cb_HTMLThumbnailHorizontal->currentText(), 0);
    options.ThumbRows = WholeNumber(ui.cb_HTMLThumbnailVertical->currentText(), 0);
    options.Title = ui.eb_title->text();
    options.JpegQuality = WholeNumber(ui.eb_Quality->text(), ui.tb_Quality->value());
    options.CreateOnlyHTML = ui.chbCreateOnlyHTML->isChecked();
    options.LinkToOriginals = ui.chbLinkingToOriginalPhotos->isChecked();
    options.WebPath = ui.eb_CommonWebPath->text();
    options.LocalPath = ui.eb_CommonLocalPath->text();
    return options;
}
