#pragma once
// The Albums tab: album name and description, the album actions, and the
// inner pages for album files in a folder, recently used albums, album search
// and import. Also keeps the recent-album list and its settings section.
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class TabAlbums;
}
class IniFile;
class QListWidget;
class TLanguageSelector;

class TAlbumsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxRecentAlbums = 30;

    explicit TAlbumsPage(QWidget* parent = nullptr);
    ~TAlbumsPage() override;

    Ui::TabAlbums& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

    // Recent albums: full paths, newest first, kept in section "AlbumList".
    void LoadRecentAlbums(const IniFile& settings);
    void SaveRecentAlbums(IniFile& settings);
    // Moves or adds the album to the top of the list and saves the list.
    void AddRecentAlbum(const QString& fileName, IniFile& settings);
    QStringList RecentAlbums() const;

    // Fills a list with the album files of a folder, by name without folder,
    // sorted by name ignoring case.
    static void ListAlbumFiles(const QString& folder, QListWidget* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The recent list and its buttons are usable exactly when it has rows.
    void EnableRecentControls(bool withOpenButton);

    std::unique_ptr<Ui::TabAlbums> ui;
};
