// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// "Rename selected photos" on the page of the album's photos: renames the
// files of the selected photos on disk and in the album at once, then saves
// the album. The new names come from TPhotoRenamePlanner; nothing is ever
// overwritten, a file that will not take its new name is reported with the
// system's reason, and when the album cannot be saved the files get their old
// names back, so that album and disk never disagree. The renames are listed
// beside the album until it is saved (TPendingRenames): a run that is stopped
// half-way loses no photo either.
#include <QObject>
#include <QString>

#include <vector>

namespace Ui {
class TabPhotos;
}
class QWidget;
class TAlbumActions;
class TAlbumSession;
class TPhotoInfoPanel;
class TPageHost;

class TAlbumPhotoRenamer : public QObject {
    Q_OBJECT
public:
    static inline const QString SettingsSection = QStringLiteral("FileRenameSettings");

    TAlbumPhotoRenamer(Ui::TabPhotos& form, TAlbumSession& session, TAlbumActions& actions, TPageHost& host,
        TPhotoInfoPanel& panel, QWidget* page);
    ~TAlbumPhotoRenamer() override;

    // Asks the settings and runs the whole rename.
    void btnRenameSelectedPhotosClick();

    struct TRenamed {
        QString OldPath;
        QString NewPath;
        // The row of the photo's list.
        int Row = -1;
    };
    // Renames the selected rows' photos with these settings (no window; the
    // name as the run uses it); what was renamed and stays renamed.
    std::vector<TRenamed> RenameSelected(const QString& newName, const QString& startNr, int action);

signals:
    // The photo now at path has a new record: its thumbnail must follow.
    void PhotoRecordReplaced(const QString& path);

private:
    // Renames the files back after a failed save; the photos whose file
    // could not get its old name keep the new one.
    void RenameBack(std::vector<TRenamed>& renamed);
    // The photo named from, and its row, take the name to; the row stays selected.
    void SetPhotoPath(int row, const QString& from, const QString& to);

    Ui::TabPhotos& ui;
    TAlbumSession& m_session;
    TAlbumActions& m_actions;
    TPageHost& m_host;
    TPhotoInfoPanel& m_panel;
    QWidget* m_page;
};
