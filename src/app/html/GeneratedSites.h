// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The list of web sites the export made, newest first, by the full path of
// their index.htm: open one in the browser, drop it from the list, or take
// the site off the disk. Kept in the settings section "Html".
#include <QObject>
#include <QStringList>

namespace Ui {
class TabHTML;
}
class TPageHost;

class TGeneratedSites : public QObject {
    Q_OBJECT
public:
    TGeneratedSites(Ui::TabHTML& form, TPageHost& host, QObject* parent);

    void LoadGeneratedViewers();
    void SaveGeneratedViewers();
    void UpdatePhotoViewerButtons();
    // A new site goes to the top (a site made again keeps its place) and is selected.
    void AddSite(const QString& indexFile);
    QStringList Sites() const;

    void bt_ShowLastGeneratedPagesClick();
    void bt_RemovePhotoViewerFromListClick();
    void bt_RemovePhotoViewerFromDiskClick();

    // Opens a page in the desktop's browser; tells the user when none starts.
    static void OpenInBrowser(const QString& file);

private:
    void RemoveSelectedLine();

    Ui::TabHTML& ui;
    TPageHost& m_host;
};
