// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The "HTML" menu of the page of the album's photos: lets every photo of the
// album into web albums, keeps every one out, or turns each one's choice
// round, after the user confirms.
#include <QObject>

namespace Ui {
class TabPhotos;
}
class QAction;
class QMenu;
class QWidget;
class TAlbumSession;
class TLanguageSelector;
class TPhotoInfoPanel;

class TUseInHtmlMenu : public QObject {
    Q_OBJECT
public:
    TUseInHtmlMenu(Ui::TabPhotos& form, TAlbumSession& session, TPhotoInfoPanel& panel, QWidget* page);
    ~TUseInHtmlMenu() override;

    void ApplyLanguage(const TLanguageSelector& texts);

    // Handlers.
    void pb_HTMLClick();
    void pmiAllPhotosInHTMLAlbumsClick();
    void pmiDisallowPhotosInHTMLAlbumsClick();
    void pmiInvertSelectionClick();

    QMenu* Menu() const { return ppmHTML; }

private:
    bool Confirm(const QString& text);
    void SetAll(bool value);
    void InvertAll();
    // The panel shows the changed flag of its photo; the album must be saved.
    void Finish();

    Ui::TabPhotos& ui;
    TAlbumSession& m_session;
    TPhotoInfoPanel& m_panel;
    QMenu* ppmHTML;
    QAction* pmiAllPhotosInHTMLAlbums;
    QAction* pmiDisallowPhotosInHTMLAlbums;
    QAction* pmiInvertSelection;
};
