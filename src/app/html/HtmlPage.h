// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The HTML tab: the three steps of a web-album export (choose the albums, set
// the options, generate), the list of generated sites and the saved export
// settings. The page owns its controls and the export driver; the main window
// reaches it through the methods below.
#include <QWidget>

#include <memory>
#include <vector>

namespace Ui {
class TabHTML;
}
class IniFile;
class QPushButton;
class TAlbumActions;
class TAlbumSession;
class TGeneratedSites;
class THtmlBackground;
class THtmlExportDriver;
class TPageHost;
class THtmlOptions;
class TFittingRow;
class THtmlSettingsPresets;
class THtmlStepReporter;
class TLanguageSelector;

class THtmlPage : public QWidget {
    Q_OBJECT
public:
    THtmlPage(TAlbumSession& session, TAlbumActions& actions, TPageHost& host, QWidget* parent = nullptr);
    ~THtmlPage() override;

    Ui::TabHTML& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);
    // The caption of the size group follows the resize choice.
    void UpdateSizeCaption(const TLanguageSelector& texts);
    // The three quality controls show the same number.
    void SetQuality(int quality);

    // The page became the main window's current page; the first visit opens
    // on the saved settings when there are any.
    void Entered();
    // The folder tree lists the album files of its folder.
    void WireFolderBrowser();
    void SaveUserPaths(IniFile& settings) const;

    // Settings kept in the settings file: the saved export settings and the
    // list of generated sites.
    void FillHTMLSettingsGrid();
    void LoadGeneratedViewers();
    void SaveGeneratedViewers();
    void UpdatePhotoViewerButtons();
    void bt_DefaultBackGroundImageClick();

    // Adds an album file to the albums to export unless it is there already
    // (under any spelling of its path); true when it was added.
    bool AddHTMLAlbum(const QString& fileName);
    // The same for an album the album search found; false also while an
    // export runs, which reads the list.
    bool AddFoundAlbum(const QString& fileName);
    // The album alone is to be exported: the list holds only it and the
    // details step shows.
    void ExportAlbum(const QString& fileName);
    // The step with the export options, and the step where albums are chosen.
    void ShowDetailsStep();
    void ShowAlbumsStep();

    // Step 1's buttons.
    void bt_AddHTMLAlbumsClick();
    void AddAllHTMLAlbums();
    void bt_RemoveHTMLButtonClick();
    void bt_SelectDirectoryClick();

    // True while a web site is being written.
    bool ExportRunning() const;

private:
    void pc_HTMLSTEPSChange();
    void HighlightDetailsButton(QPushButton* sender);
    int IndexOfAlbum(const QString& fileName) const;

    std::unique_ptr<Ui::TabHTML> ui;
    bool m_firstHTMLVisit = true;
    std::unique_ptr<THtmlStepReporter> m_progress;
    THtmlOptions* m_options = nullptr;
    // The button rows of the site list and the saved settings.
    std::vector<TFittingRow*> m_buttonRows;
    THtmlBackground* m_background = nullptr;
    TGeneratedSites* m_sites = nullptr;
    THtmlSettingsPresets* m_presets = nullptr;
    THtmlExportDriver* m_driver = nullptr;
};
