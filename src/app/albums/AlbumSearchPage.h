// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The page of the Albums tab that searches a folder and all its sub-folders
// for album files. A found album can be opened, added to the albums to
// import, or handed to the web-site export. The search runs on the
// user-interface thread and can be stopped between folders.
#include <QObject>
#include <QString>

namespace Ui {
class TabAlbums;
}
class QAction;
class QMenu;
class TLanguageSelector;

class TAlbumSearchPage : public QObject {
    Q_OBJECT
public:
    TAlbumSearchPage(Ui::TabAlbums& form, QObject* parent);
    ~TAlbumSearchPage() override;

    void ApplyLanguage(const TLanguageSelector& texts);
    QMenu* UseAlbumMenu() const { return ppmAlbumSearch; }
    // The folder's own album files, as full paths.
    void ListFolderAlbums(const QString& folder);

    // Handlers.
    void bt_SearchForAlbumsClick();
    void pb_StopClick();
    void lb_FoundAlbumsClick();
    void lb_FoundAlbumsDblClick();
    void pb_OpenFoundAlbumClick();
    void pb_UseAlbumClick();
    void ppmAlbumSearchPopup();
    void pmiUseForHtmlGenerationClick();
    void pmiUseForImportingClick();

signals:
    void AlbumChosenForOpening(const QString& fileName);
    void AlbumChosenForHTML(const QString& fileName);
    void AlbumChosenForImporting(const QString& fileName);

private:
    // The path of the current found row; empty when there is none.
    QString CurrentAlbum() const;
    bool ImportPageShown() const;

    Ui::TabAlbums& ui;
    QMenu* ppmAlbumSearch;
    QAction* pmiUseForHtmlGeneration;
    QAction* pmiUseForImporting;
};
