#pragma once
// The Events tab: the album's event labels, their editing and merging.
#include <QWidget>

#include <memory>

namespace Ui {
class TabEvents;
}
class QAction;
class TAlbum;
class TAlbumSession;
class TLabelTab;
class TLabelTabHost;
class TLanguageSelector;

class TEventsPage : public QWidget {
    Q_OBJECT
public:
    TEventsPage(TAlbumSession& session, TLabelTabHost& host, QWidget* parent = nullptr);
    ~TEventsPage() override;

    Ui::TabEvents& Form() const { return *ui; }
    TLabelTab& Labels() const { return *m_labels; }
    void ApplyLanguage(const TLanguageSelector& texts);

    // No album: name, list and merge boxes emptied.
    void ClearEventsTab();
    // All events shown, the show menu ticked on "all".
    void RefreshEvents();
    // 0 all, 1 used by a photo, 2 used by none.
    void ShowEvents(int usage);
    // nullptr ticks "all".
    void CheckEventShowMenu(QAction* item);
    void DeleteEvents(int usage);

private:
    void AlbumOpened(TAlbum& album);

    TAlbumSession& m_session;
    std::unique_ptr<Ui::TabEvents> ui;
    TLabelTab* m_labels = nullptr;
};
