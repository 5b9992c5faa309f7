#pragma once
// The main window. It coordinates: it owns the open album and the settings
// file, builds one page per tab, applies the language texts, and carries the
// album operations; each page holds its own controls.
#include "app/html/HtmlExportHost.h"
#include "app/labels/LabelTabHost.h"
#include "app/photos/PhotosHost.h"
#include "app/search/SearchHost.h"
#include "common/FormBasis.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

namespace Ui {
class Tfm_MainForm;
}
class IniFile;
class QListWidget;
class TAlbum;
class TAlbumSession;
class TAlbumsPage;
class TEventsPage;
class TFolderTree;
class THelpPage;
class THtmlPage;
class TObjectsPage;
class TPhotoWindowList;
class TPhotosPage;
class TSearchEngine;
class TSearchPage;
class TPageControl;

class Tfm_MainForm : public QMainWindow,
                     public TFormBasis,
                     public TPhotosHost,
                     public THtmlExportHost,
                     public TSearchHost,
                     public TLabelTabHost {
    Q_OBJECT
public:
    // arguments: the command line without the program name.
    explicit Tfm_MainForm(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~Tfm_MainForm() override;

    // The open album and its changed flag; every page listens to it.
    TAlbumSession& Session() const { return *m_session; }
    bool ContentsChanged() const;
    void SetContentsChanged(bool changed);

    TAlbum* Album() const;
    IniFile* Settings() const override { return m_ini.get(); }

    // What the Photos tab asks of the window.
    TPhotoWindowList* PhotoWindows() const override { return m_photoWindows.get(); }
    bool ChooseConvertFolder(QString& folder) override;
    // What the HTML tab asks of the window.
    bool ChooseExportFolder(QString& folder) override;

    // What the Search tab asks of the window.
    TSearchEngine& SearchEngine() override { return *m_searchEngine; }
    void OpenFoundAlbum(const QString& fileName) override;

    TPageControl* pc_Album() const;
    TAlbumsPage* AlbumsPage() const { return m_albumsPage; }
    TPhotosPage* PhotosPage() const { return m_photosPage; }
    TObjectsPage* ObjectsPage() const { return m_objectsPage; }
    TEventsPage* EventsPage() const { return m_eventsPage; }
    TSearchPage* SearchPage() const { return m_searchPage; }
    THtmlPage* HtmlPage() const { return m_htmlPage; }
    THelpPage* HelpPage() const { return m_helpPage; }

    // The window texts of the language record, in the order the window sets them.
    void ApplyLanguage();
    void SetAlbumCaption(const QString& name);
    void ShowNoAlbumCaption();
    void UpdateAlbumControls();
    void RefreshAlbumLists() override;
    void ShowPhotosInResultWindow(const QStringList& paths) override;
    QChar GetAlbumDriveLetter() const;
    void ClearShowIntroWindow();
    void ChangeLanguage();

    // Album management.
    bool OpenAlbum(const QString& fileName);
    bool CloseCurrentAlbum();
    bool SaveCurrentAlbum() override;
    void AddRecentAlbum(const QString& fileName);
    void GoToAlbumPhotos();

    // Files dropped on the window; the number of photos added.
    int DropFiles(const QStringList& paths);

    // Handlers of the Albums tab.
    void pb_CreateNewAlbumClick();
    void pb_SelectFolderClick();
    void lsbAlbumFilesClick();
    void pb_OpenExistingAlbumClick();
    void lsbRecentlyUsedAlbumsDblClick();
    void pb_SaveAlbumClick();
    void pb_CloseAlbumClick();
    void pb_RenameAlbumClick();
    void pb_RemoveAlbumFromListClick();
    void pb_RemoveAlbumFromDiscClick();
    // The open album, or the chosen recent one, goes to the HTML tab for export.
    void pb_CreateHTMLClick();
    void pb_OpenAlbumForHTMLCreationClick();
    void mm_AlbumDescriptionChange();
    void pc_AlbumChange();
    void pc_AlbumsChange();
    void btnChangeLanguageClick();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void ConstructorBody(const QStringList& arguments);
    void FormActivate();
    void BuildPages();
    void WireFolderBrowsers();
    void WireAlbumHandlers();
    void OpenCommandLineAlbum(const QStringList& arguments);
    void SaveUserPaths();
    void ShowNoAlbumState();
    void AlbumOpened(TAlbum& album);
    void AlbumClosed();
    // The error of a failed album read or write, as the default handler shows it.
    void ShowError(const QString& message);
    // The recent-list row that removal questions refer to; -1 after telling the user none is selected.
    int SelectedRecentRow();
    void SelectRecentRowAfterRemoval(int row);

    std::unique_ptr<Ui::Tfm_MainForm> ui;
    std::unique_ptr<IniFile> m_ini;
    TAlbumSession* m_session = nullptr;
    TAlbumsPage* m_albumsPage = nullptr;
    TPhotosPage* m_photosPage = nullptr;
    TObjectsPage* m_objectsPage = nullptr;
    TEventsPage* m_eventsPage = nullptr;
    TSearchPage* m_searchPage = nullptr;
    THtmlPage* m_htmlPage = nullptr;
    THelpPage* m_helpPage = nullptr;
    std::unique_ptr<TPhotoWindowList> m_photoWindows;
    std::unique_ptr<TSearchEngine> m_searchEngine;
    bool m_firstActivate = true;
    QString m_helpPath;
};
