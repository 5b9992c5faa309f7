// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Albums tab: album name and description, the album actions, and the
// inner pages for album files in a folder, recently used albums, album search
// and import. Its list shows the recent albums the page keeps; the album
// manager does the work behind the album buttons.
#include "app/albums/RecentAlbums.h"

#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class TabAlbums;
}
class IniFile;
class QListWidget;
class TAlbum;
class TAlbumActions;
class TAlbumImportPage;
class TAlbumManager;
class TAlbumSearchPage;
class TAlbumSession;
class TLanguageSelector;

class TAlbumsPage : public QWidget {
    Q_OBJECT
public:
    TAlbumsPage(TAlbumSession& session, TAlbumActions& actions, QWidget* parent = nullptr);
    ~TAlbumsPage() override;

    Ui::TabAlbums& Form() const { return *ui; }
    // The inner page that searches for albums.
    TAlbumSearchPage* SearchPage() const { return m_searchPage; }
    TAlbumManager& Manager() const { return *m_manager; }
    void ApplyLanguage(const TLanguageSelector& texts);

    // Name and description emptied after the album was closed.
    void ShowNoAlbum();
    // At a start without an album to open, the recent albums are offered when there are any.
    void ShowRecentAlbumsWhenListed();

    // The folder trees list the album files of their folder; the album tree
    // starts at the folder used last.
    void WireFolderBrowsers(const IniFile& settings);
    void SaveUserPaths(IniFile& settings) const;

    // Recent albums: full paths, newest first, kept in the settings file,
    // which the page writes to from now on.
    void LoadRecentAlbums(IniFile& settings);
    void SaveRecentAlbums();
    const QStringList& RecentAlbums() const { return m_recent.Names(); }
    // Moves or adds the album to the top of the list, which shows it current.
    void AddRecentAlbum(const QString& fileName);
    // Removes a row; the row now there, or else the last, becomes current.
    void RemoveRecentAlbum(int row);
    void RenameRecentAlbum(const QString& oldName, const QString& newName);

signals:
    // What another tab is to do next, which the main window passes on.
    // The user opened an album to work on: its photos come to the front.
    void AlbumPhotosWanted();
    // A new album was made in folder: photos are added to it next.
    void NewAlbumCreated(const QString& folder);
    // The open album, saved, is to be exported as a web site.
    void ExportWanted(const QString& fileName);
    // The album just opened is to be exported together with others.
    void HTMLAlbumWanted(const QString& fileName);
    // A found album is to join the albums to export.
    void AlbumChosenForHTML(const QString& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AlbumOpened(TAlbum& album);
    // The album buttons and the import page are there exactly while an album is open.
    void UpdateAlbumControls();
    void pb_SelectFolderClick();
    // The list shows the recent albums as they stand now, the current row
    // left where it is when only names changed.
    void ShowRecentAlbums();
    // The recent list and its buttons are usable exactly when it has rows.
    void EnableRecentControls(bool withOpenButton);

    std::unique_ptr<Ui::TabAlbums> ui;
    TAlbumSession& m_session;
    TRecentAlbums m_recent;
    TAlbumManager* m_manager = nullptr;
    TAlbumImportPage* m_importPage = nullptr;
    TAlbumSearchPage* m_searchPage = nullptr;
};
