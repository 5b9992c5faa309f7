#pragma once
// The Search tab: conditions on objects, events, year, words and path.
#include <QWidget>

#include <memory>

namespace Ui {
class TabSearch;
}
class TAlbumSession;
class TLanguageSelector;

class TSearchPage : public QWidget {
    Q_OBJECT
public:
    explicit TSearchPage(TAlbumSession& session, QWidget* parent = nullptr);
    ~TSearchPage() override;

    Ui::TabSearch& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

private:
    TAlbumSession& m_session;
    std::unique_ptr<Ui::TabSearch> ui;
};
