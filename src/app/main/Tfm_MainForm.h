// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The main window. It holds the album session and its actions, the settings
// file and the photo windows, builds one page per tab and places them, applies
// the language texts, passes a page's request for another tab on, and handles
// start-up and shut-down. Each page follows the session and holds its own
// controls and the work behind them.
#include "app/shared/PageHost.h"
#include "common/FormBasis.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>
#include <utility>

namespace Ui {
class Tfm_MainForm;
}
class IniFile;
class QListWidget;
class TAlbum;
class TLanguageSelector;
class TAlbumActions;
class TAlbumSession;
class TAlbumsPage;
class TFolderTree;
class THelpPage;
class THtmlPage;
class TLabelPage;
class TPhotoWindowList;
class TPhotosPage;
class TSearchPage;
class TPageControl;

class Tfm_MainForm : public QMainWindow, public TFormBasis, public TPageHost {
    Q_OBJECT
public:
    // arguments: the command line without the program name.
    explicit Tfm_MainForm(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~Tfm_MainForm() override;

    // The open album and its changed flag; every page listens to it.
    TAlbumSession& Session() const { return *m_session; }
    // Opening, saving and closing albums, which every page may ask for.
    TAlbumActions& Actions() const { return *m_actions; }
    bool ContentsChanged() const;
    void SetContentsChanged(bool changed);

    TAlbum* Album() const;

    // What the pages ask of the window.
    IniFile* Settings() const override { return m_ini.get(); }
    TPhotoWindowList* PhotoWindows() const override { return m_photoWindows.get(); }

    TPageControl* pc_Album() const;
    TAlbumsPage* AlbumsPage() const { return m_albumsPage; }
    TPhotosPage* PhotosPage() const { return m_photosPage; }
    TLabelPage* ObjectsPage() const { return m_objectsPage; }
    TLabelPage* EventsPage() const { return m_eventsPage; }
    TSearchPage* SearchPage() const { return m_searchPage; }
    THtmlPage* HtmlPage() const { return m_htmlPage; }
    THelpPage* HelpPage() const { return m_helpPage; }

    // The window texts of the language record, in the order the window sets them.
    void ApplyLanguage();

    // The album actions, for the command line and the tests.
    bool OpenAlbum(const QString& fileName);
    bool CloseCurrentAlbum();
    bool SaveCurrentAlbum();
    // The open album's photos come to the front, ready for editing.
    void GoToAlbumPhotos();

    // Files dropped on the window; the number of photos added.
    int DropFiles(const QStringList& paths);

    void pc_AlbumChange();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FormCreate();
    void ConstructorBody(const QStringList& arguments);
    void FormActivate();
    void BuildPages();
    // Gives the pages the language's captions, then puts them in their tabs.
    void PlacePages();
    void ApplyPageLanguage(const TLanguageSelector& t);
    // The top tab pages in their order, each with its caption's text in the language record.
    std::array<std::pair<QWidget*, int>, 7> TabPages() const;
    static QString TabCaption(const TLanguageSelector& t, int text);
    void WireFolderBrowsers();
    // What a page asks of another tab: the window puts that tab in front and
    // passes the request on.
    void WireAlbumRelays();
    void OpenCommandLineAlbum(const QStringList& arguments);
    void SaveUserPaths();
    void AlbumOpened(TAlbum& album);
    void AlbumClosed();
    void NewAlbumCreated(const QString& folder);
    void ClearShowIntroWindow();
    void SetAlbumCaption(const QString& name);
    void ShowNoAlbumCaption();
    // The album tabs are there exactly while an album is open.
    void UpdateAlbumControls();
    // wanted, grown to show every page whole and kept within the desktop's work area.
    QSize FittingSize(QSize wanted) const;
    // The desktop's frame around the window, as far as it is known yet.
    QMargins FrameMargins() const;

    std::unique_ptr<Ui::Tfm_MainForm> ui;
    std::unique_ptr<IniFile> m_ini;
    TAlbumSession* m_session = nullptr;
    TAlbumActions* m_actions = nullptr;
    TAlbumsPage* m_albumsPage = nullptr;
    TPhotosPage* m_photosPage = nullptr;
    TLabelPage* m_objectsPage = nullptr;
    TLabelPage* m_eventsPage = nullptr;
    TSearchPage* m_searchPage = nullptr;
    THtmlPage* m_htmlPage = nullptr;
    THelpPage* m_helpPage = nullptr;
    std::unique_ptr<TPhotoWindowList> m_photoWindows;
    bool m_firstActivate = true;
    QString m_helpPath;
};
