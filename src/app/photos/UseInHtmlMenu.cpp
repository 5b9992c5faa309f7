// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/UseInHtmlMenu.h"

#include "app/photos/PhotoInfoPanel.h"
#include "app/shared/AlbumSession.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "ui_TabPhotos.h"

#include <QMenu>
#include <QPushButton>

namespace {

QAction* AddMenuItem(QMenu* menu, const char* name)
{
    QAction* item = menu->addAction(QString());
    item->setObjectName(QLatin1String(name));
    return item;
}

} // namespace

TUseInHtmlMenu::TUseInHtmlMenu(
    Ui::TabPhotos& form, TAlbumSession& session, TPhotoInfoPanel& panel, QWidget* page)
    : QObject()
    , ui(form)
    , m_session(session)
    , m_panel(panel)
    , ppmHTML(new QMenu(page))
    , pmiAllPhotosInHTMLAlbums(AddMenuItem(ppmHTML, "pmiAllPhotosInHTMLAlbums"))
    , pmiDisallowPhotosInHTMLAlbums(AddMenuItem(ppmHTML, "pmiDisallowPhotosInHTMLAlbums"))
    , pmiInvertSelection(AddMenuItem(ppmHTML, "pmiInvertSelection"))
{
    ppmHTML->setObjectName(QStringLiteral("ppmHTML"));
    connect(
        pmiAllPhotosInHTMLAlbums, &QAction::triggered, this, &TUseInHtmlMenu::pmiAllPhotosInHTMLAlbumsClick);
    connect(pmiDisallowPhotosInHTMLAlbums, &QAction::triggered, this,
        &TUseInHtmlMenu::pmiDisallowPhotosInHTMLAlbumsClick);
    connect(pmiInvertSelection, &QAction::triggered, this, &TUseInHtmlMenu::pmiInvertSelectionClick);
    connect(ui.pb_HTML, &QPushButton::clicked, this, &TUseInHtmlMenu::pb_HTMLClick);
}

TUseInHtmlMenu::~TUseInHtmlMenu() = default;

void TUseInHtmlMenu::ApplyLanguage(const TLanguageSelector& t)
{
    pmiAllPhotosInHTMLAlbums->setText(t.MF[393]);
    pmiDisallowPhotosInHTMLAlbums->setText(t.MF[394]);
    pmiInvertSelection->setText(t.MF[399]);
}

void TUseInHtmlMenu::pb_HTMLClick()
{
    ppmHTML->popup(ui.pb_HTML->mapToGlobal(QPoint(ui.pb_HTML->width(), 0)));
}

bool TUseInHtmlMenu::Confirm(const QString& text)
{
    return m_session.Album()
        && ShowMessageBox(text, Language()->MF[395], MessageBoxFlags::YesNo | MessageBoxFlags::IconQuestion)
        == MessageResult::Yes;
}

void TUseInHtmlMenu::Finish()
{
    m_panel.ShowSelectedAlbumPhoto(false);
    m_session.SetContentsChanged(true);
}

void TUseInHtmlMenu::SetAll(bool value)
{
    if (TAlbum* album = m_session.Album())
        for (int i = 0; i < album->GetPhotos().Count(); ++i)
            album->GetPhotos().PhotoAt(i)->SetUseInHtml(value);
}

void TUseInHtmlMenu::InvertAll()
{
    if (TAlbum* album = m_session.Album())
        for (int i = 0; i < album->GetPhotos().Count(); ++i) {
            TPhoto* photo = album->GetPhotos().PhotoAt(i);
            photo->SetUseInHtml(!photo->GetUseInHtml());
        }
}

void TUseInHtmlMenu::pmiAllPhotosInHTMLAlbumsClick()
{
    if (!Confirm(Language()->MF[396]))
        return;
    SetAll(true);
    Finish();
}

void TUseInHtmlMenu::pmiDisallowPhotosInHTMLAlbumsClick()
{
    if (!Confirm(Language()->MF[397]))
        return;
    SetAll(false);
    Finish();
}

void TUseInHtmlMenu::pmiInvertSelectionClick()
{
    if (!Confirm(Language()->MF[398]))
        return;
    InvertAll();
    Finish();
}
