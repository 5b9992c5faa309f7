// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The Objects tab and the Events tab: one of the album's label lists with add,
// rename and delete, show and remove by usage, and merging by dropping labels
// into two boxes. Both tabs are this class; the kind chooses the form, the
// album's list, the photos' field and the texts.
#include <QStringList>
#include <QWidget>

#include <memory>

#include "app/labels/StringListProxy.h"
#include "model/MergeObject.h"

class QAction;
class QLineEdit;
class QMenu;
class TAlbum;
class TAlbumSession;
class TEntityList;
class TPageHost;
class TLanguageSelector;
struct TLabelTexts;

enum class TLabelKind { Objects, Events };

class TLabelPage : public QWidget {
    Q_OBJECT
public:
    // Usage classes of the show and remove menus, as the album's filters take them.
    enum TUsage { AllLabels = 0, LabelsInUse = 1, LabelsNotInUse = 2 };

    TLabelPage(TLabelKind kind, TAlbumSession& session, TPageHost& host, QWidget* parent = nullptr);
    ~TLabelPage() override;

    void ApplyLanguage(const TLanguageSelector& texts);

    // Lists the photos (full paths, album order; their search-hit flags are
    // set) in the search-result window, modally.
    void ShowPhotosInResultWindow(const QStringList& paths);
    // A label row dragged from source and dropped on one of the merge boxes;
    // false when the drop is not taken.
    bool DropOnMergeEdit(QLineEdit* box, const QObject* source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AlbumOpened(TAlbum& album);
    // The list shows the labels the current filter lets through.
    void RefreshList();
    // No album: the editor goes, the name, list and merge boxes are emptied.
    void ClearTab();
    // All labels shown again, the show menu ticked on "all".
    void RefreshLabels();
    void ShowLabels(int usage);
    // Ticks item of the show menu; nullptr ticks "all".
    void CheckShowMenu(QAction* item);
    // Asks, then deletes the labels of the usage class and takes them off the photos.
    void DeleteLabels(int usage);

    void lb_AvailableClick();
    void pb_AddClick();
    void pb_ReplaceClick();
    void pb_DeleteClick();
    void btnShowClick();
    void btnRemoveClick();
    void pb_MergeClick();

    const TLabelTexts& Texts() const;
    TEntityList& Labels(TAlbum& album) const;
    // A label was added, renamed or deleted: marked as a change, the list
    // shows all labels again and the other pages follow.
    void LabelsEdited();
    bool AcceptsDrag(const QObject* source) const;

    TLabelKind m_kind;
    TLabelControls m_controls;
    TAlbumSession& m_session;
    TPageHost& m_host;
    std::unique_ptr<TStringListProxy> m_proxy;
    TMergeObject m_merger;
    QMenu* m_showMenu = nullptr;
    QMenu* m_removeMenu = nullptr;
    QAction* m_showItems[3] = {};
    QAction* m_removeItems[3] = {};
};
