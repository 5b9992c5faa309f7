// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The page of the album's photos on the Photos tab: the list in album order
// with its filters, reordering by buttons and Ctrl-drag, and removal.
// Selecting a row shows the photo in the information panel, which then edits it.
#include "app/photos/PhotoFilter.h"

#include <QObject>
#include <QStringList>

namespace Ui {
class TabPhotos;
}
class QAction;
class QEvent;
class QMenu;
class QPushButton;
class QWidget;
class TAlbumSession;
class TLanguageSelector;
class TNumberedFileItemDelegate;
class TPhoto;
class TPhotoInfoPanel;
class TPageHost;

class TAlbumPhotoList : public QObject {
    Q_OBJECT

public:
    TAlbumPhotoList(
        Ui::TabPhotos& form, TAlbumSession& session, TPageHost& host, TPhotoInfoPanel& panel, QWidget* page);
    ~TAlbumPhotoList() override;

    void ApplyLanguage(const TLanguageSelector& texts);

    void ListAlbumPhotos(int filter);
    // Adds a photo built from the information panel at index (-1 appends) of
    // the album and the list; false, changing nothing, when no album is open
    // or it already has the path.
    bool AddPhotoToAlbum(const QString& path, int index);
    // Photos were added in a run: the names are measured again and repainted.
    void PhotosAdded();
    // The only writer of the photo count beside the list.
    void ShowNumberOfPhotos();
    // No rows and no count: no album.
    void Clear();
    void ClearSelection();
    // Makes the row of that path (letter case ignored) the current and only selected one.
    void SelectPhoto(const QString& path);
    void UpdateFilterMenu();
    int Filter() const { return m_filter; }
    // Enables the buttons and menu entries for the rows and selection there are.
    void UpdateListControls();
    void SaveSelectedPhotos();
    void RestoreSelectedPhotos();
    void RemoveSelectedPhotos();

    // Moves the selected photos as far as the drop row is from the first
    // selected one; what a Ctrl-drag onto a row does. False when nothing moved.
    bool DropSelectedAt(int targetRow);

    // Handlers.
    void btnMovePhotoUpwardsClick();
    void btnMovePhotoDownwardsClick();
    // step -1 is the upper arrow (the row before), +1 the lower one.
    void pb_UpDownClick(int step);
    void pmiOnlyFromAlbumClick();
    void pmiFromAlbumAndDiskClick();
    void pmiAllFromAlbumClick();
    void pb_ShowClick();
    void pb_removeClick();
    void lb_PhotosInAlbumMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void lb_PhotosInAlbumKeyUp(int key, Qt::KeyboardModifiers modifiers);

    QMenu* ShowMenu() const { return ppmShow; }
    QMenu* RemoveMenu() const { return ppmRemove; }
    bool Dragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddMenuItem(QMenu* menu, const char* name);
    void PopUpBeside(QMenu* menu, QPushButton* button);
    void StartDrag();
    void ExchangeRows(int upper);
    // Removes the photo of a row from the album and the row from the list.
    void RemoveRow(int row);

    Ui::TabPhotos& ui;
    TAlbumSession& m_session;
    TPageHost& m_host;
    TPhotoInfoPanel& m_panel;
    QObject* m_viewport = nullptr;
    TNumberedFileItemDelegate* m_delegate = nullptr;
    QMenu* ppmShow;
    QMenu* ppmRemove;
    QList<QAction*> m_filterItems;
    QAction* pmiOnlyFromAlbum;
    QAction* pmiFromAlbumAndDisk;
    QAction* pmiAllFromAlbum;

    int m_filter = PF_AllPhotos;
    QStringList m_savedSelection;
    bool m_dragging = false;
    bool m_forwardingRelease = false;
};
