// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A stay-on-top window that shows one photo at a time. Any number may be open;
// each belongs to the TPhotoWindowList that handed it out, and walks through
// its opener's photos only through the navigation it was created with.
#include "common/FormBasis.h"
#include "viewers/PhotoNavigation.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class Tfm_PhotoWindow;
}
class IniFile;
class QImage;
class QLabel;
class QMenu;
class QAction;
class QMouseEvent;
class QKeyEvent;
class TPhotoImage;
class TPhotoWindowList;

class Tfm_PhotoWindow : public QWidget, public TFormBasis {
    Q_OBJECT

public:
    static inline const QString SettingsSection = QStringLiteral("Photo Window");
    static inline const QString KeyDontAutoResize = QStringLiteral("DontAutoResize");
    static inline const QString KeyOpenNewWindow = QStringLiteral("OpenNewWindowForEachPhoto");

    // Registers itself with the list. The settings file is borrowed and may be
    // null (nothing is then read or written).
    Tfm_PhotoWindow(TPhotoWindowList* windowList, const TPhotoNavigation& navigation, IniFile* ini);
    ~Tfm_PhotoWindow() override;

    // Shows the photo at index (0-based) of count. A file that cannot be
    // decoded leaves the picture empty but still updates caption and numbers.
    // False only when showing failed outright; callers then hide the window.
    bool ShowPhoto(const QString& fileName, int index, int count);

    void ApplyResizeMode();
    // Hides the picture (the file to show is missing) without forgetting it.
    void HidePicture();
    bool OpensNewWindowForEachPhoto() const;
    bool GetOpenNewWindowForEachPhoto() const;
    void SetOpenNewWindowForEachPhoto(bool value);
    // False (and the clipboard untouched) when no picture of the shown file is loaded.
    bool CopyImageToClipboard();
    void ApplyLanguage();

    bool ShowsPhoto() const { return m_showsPhoto; }
    // The photo shown last, and the path last handed to ShowPhoto.
    const QString& FileName() const { return m_fileName; }
    const QString& LoadingPath() const { return m_loadingPath; }
    // The picture as shown (rotations included); null when none is loaded.
    const QImage& Picture() const;
    TPhotoWindowList* WindowList() const;
    QMenu* PopupMenu() const { return m_popup; }

    // The file shown or being loaded got a new name: caption, menu and saving follow it.
    void FileRenamed(const QString& oldPath, const QString& newPath);

    // Where "Save photo (as jpg)" writes the picture shown for path.
    static QString JpegTargetFor(const QString& path);

    // Handlers, public so that the opener and tests can drive them.
    void btnPreviousClick();
    void btnNextClick();
    void btnFirstClick();
    void btnLastClick();
    void btnRotateRightClick();
    void btnRotateLeftClick();
    void btnMoreOptionsClick();
    void chbDontResizeClick();
    void chbOpenNewWindowForEachPhotoClick();
    void pmiViewPhotoWithDefaultViewerClick();
    void pmiOpenPhotoFolderInExplorerClick();
    // False when nothing was written.
    bool pmiSavefileOnlyAsJpgClick();
    void pmiCopyImageToClipboardClick();
    void mmiCloseAllPhotoWindowsClick();
    void FormActivate();
    // Runs the key table on a released key; true when the key meant something here.
    bool FormKeyUp(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPopupMenu();
    void UpdatePictureLabels();
    void UpdateMenuState();
    void RotateBy(int degrees);
    void ReadSettings();
    void WriteSetting(const QString& key, bool value);
    bool HasShownPicture() const;
    void FocusThis();

    void im_PhotoMouseDown(QMouseEvent* event);
    void im_PhotoMouseMove(QMouseEvent* event);
    void im_PhotoMouseUp(QMouseEvent* event);
    void scbPhotoMouseUp();

    std::unique_ptr<Ui::Tfm_PhotoWindow> ui;
    QMenu* m_popup = nullptr;
    QAction* pmiViewPhotoWithDefaultViewer = nullptr;
    QAction* pmiOpenPhotoFolderInExplorer = nullptr;
    QAction* pmiSavefileOnlyAsJpg = nullptr;
    QAction* pmiCopyImageToClipboard = nullptr;
    QAction* mmiCloseAllPhotoWindows = nullptr;

    QString m_fileName;
    QString m_loadingPath;
    // The file the loaded picture came from; empty while none is loaded.
    QString m_picturePath;
    bool m_loading = false;
    bool m_showsPhoto = false;
    TPhotoNavigation m_navigation;
    IniFile* m_ini;
    int m_dragStartX = -1;
    int m_dragStartY = -1;
    QPointer<TPhotoWindowList> m_windowList;
};
