// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The adding page of the Photos tab: lists the image files of the folder
// chosen in the tree, adds the selected ones, a whole folder or a folder tree
// to the album, and converts them into new JPEG files in a folder the user
// picks. Runs over many files show the progress window and can be cancelled.
#include "common/FormBasis.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>

namespace Ui {
class TabPhotos;
}
class QAction;
class QMenu;
class QWidget;
class TAlbumPhotoList;
class TLanguageSelector;

class TPhotosFromFolders : public QObject, public TFormBasis {
    Q_OBJECT

public:
    // What the entries of the folder menu do; set by the button that opened it.
    enum TFolderAction { NoFolderAction = 0, AddFolderAction = 1, ConvertFolderAction = 2 };

    // Above this many files a run shows the progress window.
    static constexpr int ProgressWindowThreshold = 50;

    TPhotosFromFolders(Ui::TabPhotos& form, TAlbumPhotoList& albumPhotos, QWidget* page);
    ~TPhotosFromFolders() override;

    void ApplyLanguage(const TLanguageSelector& texts);

    // Lists the files of the chosen folder that the file-type filter lets through.
    void ListPhotoFiles();
    void AddPhotosInFolder();
    void AddPhotosRecursive();
    void ConvertPhotosInFolder();
    void ConvertPhotosRecursive();
    void ClampJPGQuality();
    // The quality conversions use now.
    int JPGQuality() const;

    // Handlers.
    void filter_PhotosChange();
    void pb_RefreshClick();
    void pb_AddPhotoClick();
    void pb_AddAllPhotosClick();
    void pb_ConvertPhotoClick();
    void pb_ConvertAllPhotosClick();
    void pmiUsePhotosInThisFolderClick();
    void pmiUsePhotosRecursiveInThisFolderClick();
    void pb_StopPhotoSearchingClick();

    QMenu* ProcessAllMenu() const { return ppmProcessAllPhotos; }
    TFolderAction FolderAction() const { return m_folderAction; }
    const QString& ConvertFolder() const { return m_convertFolder; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TRecursiveRun;

    // The full paths of the listed files; only the selected ones when asked.
    QStringList ListedPaths(bool selectedOnly) const;
    // Runs work over paths: above the threshold (or always, when asked) with
    // the progress window and its Cancel, otherwise under the busy cursor.
    template <class Work>
    void RunOver(const QStringList& paths, const QString& subject, bool alwaysWindow, Work work);
    QStringList ScanFolderTree();
    template <class Work>
    std::pair<int, qsizetype> RunOverFolderTree(const QString& subject, bool alwaysWindow, Work work);
    bool ChooseConvertFolder(bool explain);
    bool Convert(const QString& path);
    void ui_JPGQualityChanged(int value);

    Ui::TabPhotos& ui;
    TAlbumPhotoList& m_albumPhotos;
    QWidget* m_page;
    QMenu* ppmProcessAllPhotos;
    QAction* pmiUsePhotosInThisFolder;
    QAction* pmiUsePhotosRecursiveInThisFolder;

    TFolderAction m_folderAction = NoFolderAction;
    QString m_convertFolder;
};
