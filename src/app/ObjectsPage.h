#pragma once
// The Objects tab: the album's object labels, their editing and merging.
#include <QWidget>

#include <memory>

namespace Ui {
class TabObjects;
}
class TAlbumSession;
class TLanguageSelector;

class TObjectsPage : public QWidget {
    Q_OBJECT
public:
    explicit TObjectsPage(TAlbumSession& session, QWidget* parent = nullptr);
    ~TObjectsPage() override;

    Ui::TabObjects& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

private:
    TAlbumSession& m_session;
    std::unique_ptr<Ui::TabObjects> ui;
};
