// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The web-site export run from the HTML tab: checks the options, lets the
// user save a changed album that is exported, runs one of the two generators
// on the user-interface thread with the tab's step rows, reports the outcome
// and records the new site. While it runs the program holds its busy guard,
// so the main window neither closes nor opens or closes an album under it.
#include <QImage>
#include <QObject>

#include <array>

namespace Ui {
class TabHTML;
}
class TAlbumActions;
class TAlbumSession;
class TGeneratedSites;
class THtmlBackground;
class THtmlOptions;
class THtmlStepReporter;
class TWebSiteGenerator;

class THtmlExportDriver : public QObject {
    Q_OBJECT
public:
    THtmlExportDriver(Ui::TabHTML& form, TAlbumSession& session, TAlbumActions& actions,
        THtmlOptions& options, THtmlBackground& background, THtmlStepReporter& progress,
        TGeneratedSites& sites, QObject* parent);

    void GenerateHTML();
    void bt_StopHTMLGenerationClick();
    void bt_ResultsClick();

    bool Running() const { return m_generator != nullptr; }

private:
    // The output folder as typed, checked before anything is asked or made;
    // empty after telling the user why it cannot be used.
    QString CheckedOutputFolder();
    // The open album is among those exported and has changes: offer to save them first.
    void OfferToSaveOpenAlbum();
    // Runs the generator of the viewer kind; the index page, the stop flag and
    // the number of exported photos come back through the arguments.
    bool RunGenerator(QString& indexFile, bool& stopped, int& photoCount);
    void ShowResultsPage();

    Ui::TabHTML& ui;
    TAlbumSession& m_session;
    TAlbumActions& m_actions;
    THtmlOptions& m_options;
    THtmlBackground& m_background;
    THtmlStepReporter& m_progress;
    TGeneratedSites& m_sites;

    // 0 for the photo-by-photo site, 1 for the framed site; taken at the start of each run.
    int ViewerKind = 0;
    bool StartSlideShowPages = false;
    // The progress dots handed to the photo-by-photo site.
    std::array<QImage, 2> imlSlideShow;
    // Only while a run goes on: the generator the Stop button reaches.
    TWebSiteGenerator* m_generator = nullptr;
};
