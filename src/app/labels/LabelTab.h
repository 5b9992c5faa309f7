#pragma once
// The behaviour the Objects and Events tabs share: a label list with add,
// rename and delete, show and remove by usage, and merging by dropping labels
// into two boxes. One class serves both tabs; the kind chooses the album's
// list, the photos' field and the texts.
#include <QObject>

#include <memory>

#include "model/MergeObject.h"

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;
class TAlbum;
class TAlbumSession;
class TEntityList;
class TLabelTabHost;
class TLanguageSelector;
class TStringListProxy;
struct TLabelTexts;

enum class TLabelKind { Objects, Events };

// The controls of one tab, from its form.
struct TLabelTabControls {
    QLineEdit* NameEdit = nullptr;
    QListWidget* ListBox = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RenameButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* ShowButton = nullptr;
    QPushButton* RemoveButton = nullptr;
    QLineEdit* Merge1Edit = nullptr;
    QLineEdit* Merge2Edit = nullptr;
    QLineEdit* ResultEdit = nullptr;
    QPushButton* MergeButton = nullptr;
};

class TLabelTab : public QObject {
    Q_OBJECT
public:
    // Usage classes of the show and remove menus, as the album's filters take them.
    enum TUsage { AllLabels = 0, LabelsInUse = 1, LabelsNotInUse = 2 };

    // The menus are made here as children of page, named after the kind.
    TLabelTab(TLabelKind kind, const TLabelTabControls& controls, TAlbumSession& session, TLabelTabHost& host,
        QWidget* page);
    ~TLabelTab() override;

    void ApplyLanguage(const TLanguageSelector& texts);

    // A new editor on the album's list; the merge boxes start empty.
    void CreateListProxy(TAlbum& album);
    // No album: the editor goes, the name, list and merge boxes are emptied.
    void ClearTab();
    // The list shows the labels the current filter lets through.
    void RefreshList();
    // All labels shown again, the show menu ticked on "all".
    void RefreshLabels();
    void ShowLabels(int usage);
    // Ticks item of the show menu; nullptr ticks "all".
    void CheckShowMenu(QAction* item);
    // Asks, then deletes the labels of the usage class and takes them off the photos.
    void DeleteLabels(int usage);
    // A label row dragged from source and dropped on one of the merge boxes;
    // false when the drop is not taken.
    bool DropOnMergeEdit(QLineEdit* box, const QObject* source);

    TStringListProxy* Proxy() const { return m_proxy.get(); }
    QMenu* ShowMenu() const { return m_showMenu; }
    QMenu* RemoveMenu() const { return m_removeMenu; }
    // The show or remove menu entry of a usage class.
    QAction* ShowItem(int usage) const { return m_showItems[usage]; }
    QAction* RemoveItem(int usage) const { return m_removeItems[usage]; }

    // Handlers.
    void lb_AvailableClick();
    void pb_AddClick();
    void pb_ReplaceClick();
    void pb_DeleteClick();
    void btnShowClick();
    void btnRemoveClick();
    void pb_MergeClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TLabelTexts& Texts() const;
    TEntityList& Labels(TAlbum& album) const;
    // A label was added, renamed or deleted: marked as a change, the list
    // shows all labels again and the Photos tab follows.
    void LabelsEdited();
    bool AcceptsDrag(const QObject* source) const;

    TLabelKind m_kind;
    TLabelTabControls m_controls;
    TAlbumSession& m_session;
    TLabelTabHost& m_host;
    std::unique_ptr<TStringListProxy> m_proxy;
    TMergeObject m_merger;
    QMenu* m_showMenu;
    QMenu* m_removeMenu;
    QAction* m_showItems[3] = {};
    QAction* m_removeItems[3] = {};
};
