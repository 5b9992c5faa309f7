#pragma once
// The Events tab: the album's event labels, their editing and merging.
#include <QWidget>

#include <memory>

namespace Ui {
class TabEvents;
}
class TAlbumSession;
class TLanguageSelector;

class TEventsPage : public QWidget {
    Q_OBJECT
public:
    explicit TEventsPage(TAlbumSession& session, QWidget* parent = nullptr);
    ~TEventsPage() override;

    Ui::TabEvents& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

private:
    TAlbumSession& m_session;
    std::unique_ptr<Ui::TabEvents> ui;
};
