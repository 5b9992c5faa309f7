#pragma once
// The Objects tab: the album's object labels, their editing and merging.
#include <QWidget>

#include <memory>

namespace Ui {
class TabObjects;
}
class QAction;
class TAlbum;
class TAlbumSession;
class TLabelTab;
class TLabelTabHost;
class TLanguageSelector;

class TObjectsPage : public QWidget {
    Q_OBJECT
public:
    TObjectsPage(TAlbumSession& session, TLabelTabHost& host, QWidget* parent = nullptr);
    ~TObjectsPage() override;

    Ui::TabObjects& Form() const { return *ui; }
    TLabelTab& Labels() const { return *m_labels; }
    void ApplyLanguage(const TLanguageSelector& texts);

    // No album: name, list and merge boxes emptied.
    void ClearObjectsTab();
    // All objects shown, the show menu ticked on "all".
    void RefreshObjects();
    // 0 all, 1 used by a photo, 2 used by none.
    void ShowObjects(int usage);
    // nullptr ticks "all".
    void CheckObjectShowMenu(QAction* item);
    void DeleteObjects(int usage);

private:
    void AlbumOpened(TAlbum& album);

    TAlbumSession& m_session;
    std::unique_ptr<Ui::TabObjects> ui;
    TLabelTab* m_labels = nullptr;
};
