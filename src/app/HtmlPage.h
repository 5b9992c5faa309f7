#pragma once
// The HTML tab: the three steps of a web-album export, the list of generated
// sites and the saved export settings.
#include <QWidget>

#include <memory>

namespace Ui {
class TabHTML;
}
class IniFile;
class TAlbumSession;
class TLanguageSelector;

class THtmlPage : public QWidget {
    Q_OBJECT
public:
    explicit THtmlPage(TAlbumSession& session, QWidget* parent = nullptr);
    ~THtmlPage() override;

    // The page became the main window's current page.
    void Entered();
    // The folder tree lists the album files of its folder.
    void WireFolderBrowser();
    void SaveUserPaths(IniFile& settings) const;

    Ui::TabHTML& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);
    // The caption of the size group follows the resize choice.
    void UpdateSizeCaption(const TLanguageSelector& texts);
    // The three quality controls show the same number.
    void SetQuality(int quality);

private:
    std::unique_ptr<Ui::TabHTML> ui;
    TAlbumSession& m_session;
    bool m_firstHTMLVisit = true;
};
