// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The thumbnails of one album in a grid, painted on demand from the files of
// the album's thumbnail index. The user selects thumbnails, reads a photo's
// information below the grid, opens photos in photo windows, plays the
// album's slide show, and, in the Photos tab's window, edits or removes
// photos. The window has no parent and stays hidden until its owner shows it.
#include "common/FormBasis.h"
#include "viewers/ThumbNailGrid.h"

#include <QCache>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class Tfm_ThumbNailWindow;
}
class IniFile;
class QAction;
class QMenu;
class QPainter;
class QTableView;
class TAlbum;
class TPhotoWindowList;
class TSlideShowSettings;
class TThumbNail;
class TThumbNailEntries;
class TThumbNailGridModel;
class TThumbNailHost;
class Tfm_PhotoWindow;
class Tfm_SlideShowWindow;

class Tfm_ThumbNailWindow : public QWidget, public TFormBasis {
    Q_OBJECT

public:
    // host may be null (a search result's window: nothing to edit); the
    // window list and the settings file are borrowed and may be null too.
    // The slide show plays under slideShowSettings, borrowed from the window
    // that made this one, as they are when it starts.
    Tfm_ThumbNailWindow(TThumbNailHost* host, TPhotoWindowList* windowList, IniFile* ini,
        const TSlideShowSettings& slideShowSettings);
    ~Tfm_ThumbNailWindow() override;

    // Asks to remove the selected thumbnails from the thumbnail index and
    // does so on Yes; the button pressed, 0 in a window without editing.
    virtual int DeleteSelected();
    // The album to show (borrowed; null for none); its owner then builds the
    // grid and shows the window. Whoever frees the album rebinds the window first.
    virtual void SetAlbum(TAlbum* album);
    // Reads the thumbnail index and lays the grid out anew, nothing selected.
    virtual void BuildGrid();
    virtual void ShowCurrentPhoto();
    virtual void DeselectAll();
    virtual int CountSelected();
    // The search-result use: no editing or removing of photos.
    virtual void HideEditMenu();
    virtual void ShowPhotoInfo(const QString& photoPath);
    virtual void ClearPhotoInfo();
    void ApplyLanguage();
    // Shows the window above owner and returns when it is hidden again; owner
    // and the windows it is modal to wait meanwhile. The photo windows and the
    // slide show opened from here keep their keys and clicks.
    void ShowModal(QWidget* owner);

    // The photo-window navigation, through the album's photo order.
    void ShowPreviousPhoto(QObject* sender);
    void ShowNextPhoto(QObject* sender);
    void ShowFirstPhoto(QObject* sender);
    void ShowLastPhoto(QObject* sender);
    // Warns when no "change photo on" option is stored.
    void StartSlideShow();

    TAlbum* Album() const { return m_album; }
    const TThumbNailGrid& Grid() const { return m_grid; }
    const QString& CurrentPhotoPath() const { return m_currentPhotoPath; }
    QTableView* GridView() const;
    QMenu* PopupMenu() const { return m_popup; }
    Tfm_SlideShowWindow* SlideShowWindow() const { return m_slideShowWindow.get(); }
    Tfm_PhotoWindow* LastPhotoWindow() const;
    // Thumbnail files decoded since the window was made, and held now.
    int DecodedThumbnails() const { return m_decoded; }
    int CachedThumbnails() const { return int(m_cache.size()); }
    // The photo path of an entry of the index the grid shows; empty when there is none.
    QString PhotoOfEntry(int entry) const;
    // Whether the grid's index has been read to its end.
    bool IndexReadThrough() const;

    // Handlers, public so that tests can drive them.
    void sgdThumbnailsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int column, int row);
    void sgdThumbnailsDblClick();
    // Selection under the point (grid coordinates), then the items' enabling.
    void PopupMenuThumbNailPopup(const QPoint& point);
    void PopupMenuShowPhotoClick();
    void PopupMenuEditPhotoInformationClick();
    void PopupMenuRemovePhotoFromAlbumClick();
    void PopupMenuStartSlideShowClick();
    void PopupMenuToggleInfoClick();
    // True when the key meant something here.
    bool FormKeyPress(QChar key);
    bool FormKeyDown(int key);

    // Paints one cell (the grid's drawing).
    void PaintCell(QPainter& painter, const QRect& rect, int column, int row);

signals:
    void Hidden();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildPopupMenu();
    // The columns follow the grid's width; the selection stays.
    void Relayout();
    void GridChanged();
    int GridClientWidth() const;
    void SetCacheSize();
    void Navigate(int (*target)(int current, int count));
    // Drops the index lines of these thumbnail files from the index file; false when it could not be written.
    bool RemoveIndexEntries(const QStringList& thumbnailFiles);

    std::unique_ptr<Ui::Tfm_ThumbNailWindow> ui;
    TThumbNailGridModel* m_model = nullptr;
    QMenu* m_popup = nullptr;
    QAction* PopupMenuShowPhoto = nullptr;
    QAction* PopupMenuEditPhotoInformation = nullptr;
    QAction* N4 = nullptr;
    QAction* PopumMenuRemovePhotoFromAlbum = nullptr;
    QAction* N1 = nullptr;
    QAction* PopupMenuStartSlideShow = nullptr;
    QAction* N2 = nullptr;
    QAction* PopupMenuToggleInfo = nullptr;

    TThumbNailHost* m_host;
    TAlbum* m_album = nullptr;
    QPointer<Tfm_PhotoWindow> m_lastPhotoWindow;
    // The settings outlive the window that borrows them; the show runs on a copy.
    const TSlideShowSettings& m_slideShowSettings;
    std::unique_ptr<TSlideShowSettings> m_showSettings;
    std::unique_ptr<Tfm_SlideShowWindow> m_slideShowWindow;
    QString m_currentPhotoPath;
    bool m_activatedOnce = false;
    IniFile* m_ini;
    QString m_navigationPath;
    // Decoded thumbnails by thumbnail file, as many as the visible cells.
    QCache<QString, TThumbNail> m_cache;
    QPointer<TPhotoWindowList> m_windowList;
    bool m_doubleClicked = false;
    bool m_navigating = false;
    bool m_editMenuHidden = false;

    // The entries of the index, read anew when it changes on disk and read
    // on as cells need them, and their cells.
    TThumbNailEntries* m_entries;
    TThumbNailGrid m_grid;
    int m_currentColumn = -1;
    int m_currentRow = -1;
    int m_decoded = 0;
};
