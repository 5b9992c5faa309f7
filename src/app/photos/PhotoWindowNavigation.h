// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What the photo windows opened from the Photos tab call for their Previous,
// Next, First and Last commands: a step through the list the shown photo was
// last chosen from, the available photos or the album's photos, shown in the
// window that asked. The list is read as it stands at each step, so a window
// left open walks the album that is open by then.
#include <QObject>

namespace Ui {
class TabPhotos;
}
class TPhotoInfoPanel;
class TPageHost;
class Tfm_PhotoWindow;

class TPhotoWindowNavigation : public QObject {
    Q_OBJECT

public:
    // Which list the steps walk through.
    enum TActiveList { NoList = 0, AvailablePhotos = 1, AlbumPhotos = 2 };

    TPhotoWindowNavigation(Ui::TabPhotos& form, TPageHost& host, TPhotoInfoPanel& panel);

    // The window to show a photo in: while a window's own command runs, that
    // window; null when there are no photo windows.
    Tfm_PhotoWindow* GetPhotoWindow();

    // A photo of that list was shown: the steps walk it from now on.
    void SetActiveList(TActiveList list) { m_activeList = list; }
    bool Navigating() const { return m_navigating; }

    // Previous and next wrap round.
    void SelectPreviousPhoto(QObject* sender);
    void SelectNextPhoto(QObject* sender);
    void SelectFirstPhoto(QObject* sender);
    void SelectLastPhoto(QObject* sender);

private:
    template <class Select> void Navigate(Select select);

    Ui::TabPhotos& ui;
    TPageHost& m_host;
    TPhotoInfoPanel& m_panel;
    TActiveList m_activeList = NoList;
    bool m_navigating = false;
};
