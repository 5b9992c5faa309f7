// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Every open photo window. The main window keeps one list for the program's
// lifetime; every opener asks it for the window to show the next photo in.
// The list owns its windows: removing one frees it.
#include "viewers/PhotoNavigation.h"

#include <QObject>

#include <memory>
#include <vector>

class IniFile;
class Tfm_PhotoWindow;

class TPhotoWindowList : public QObject {
    Q_OBJECT

public:
    TPhotoWindowList();
    ~TPhotoWindowList() override;

    // Appends a window; the list owns it from now on.
    void RegisterForm(Tfm_PhotoWindow* window);
    // Removes the window and frees it once the current event has been handled
    // (it may be the window whose own button or close request got us here).
    // Nothing happens for a window that is not in the list.
    void DeregisterForm(Tfm_PhotoWindow* window);
    // Every window takes the given window's "open new window" state.
    void PropagateShowNewWindow(Tfm_PhotoWindow* window);
    void CloseAll();
    // The first window that is the application's active window; else the
    // last one; null when none is open.
    Tfm_PhotoWindow* GetActivePhotoWindow() const;

    // The window to show the next photo in. reuse is set while the opener
    // navigates for one of its photo windows, so that navigation stays in that
    // window. A reused window keeps the navigation it was created with. Null
    // when no window could be had.
    Tfm_PhotoWindow* GetPhotoWindow(bool reuse, IniFile* ini, const TPhotoNavigation& navigation);

    // A photo file got a new name: every window showing it follows.
    void FileRenamed(const QString& oldPath, const QString& newPath);

    int Count() const { return int(m_windows.size()); }
    Tfm_PhotoWindow* Window(int index) const;
    int IndexOf(const Tfm_PhotoWindow* window) const;

    // Called by a window being destroyed by someone else than the list.
    void Forget(Tfm_PhotoWindow* window);

    // Where GetPhotoWindow places a second window: left in [0, 500), top in
    // [0, 200). Tests replace the source of chance.
    using TRandom = int (*)(int bound);
    static void SetRandomSource(TRandom random);

private:
    std::vector<std::unique_ptr<Tfm_PhotoWindow>> m_windows;
};
