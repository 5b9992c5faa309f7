// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/AlbumPhotoRenamer.h"

#include "app/photos/FormRenameSettings.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotoRenamePlanner.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/PageHost.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/ListSelection.h"
#include "common/OnTopWindowsLowered.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/PendingRenames.h"
#include "model/StreamError.h"
#include "platform/IniFile.h"
#include "platform/RenameNoReplace.h"
#include "platform/SafeFile.h"
#include "ui_TabPhotos.h"

#include <QListWidget>
#include <QPushButton>
#include <QSet>

TAlbumPhotoRenamer::TAlbumPhotoRenamer(Ui::TabPhotos& form, TAlbumSession& session, TAlbumActions& actions,
    TPageHost& host, TPhotoInfoPanel& panel, QWidget* page)
    : QObject()
    , ui(form)
    , m_session(session)
    , m_actions(actions)
    , m_host(host)
    , m_panel(panel)
    , m_page(page)
{
    connect(ui.btnRenameSelectedPhotos, &QPushButton::clicked, this,
        &TAlbumPhotoRenamer::btnRenameSelectedPhotosClick);
}

TAlbumPhotoRenamer::~TAlbumPhotoRenamer() = default;

void TAlbumPhotoRenamer::btnRenameSelectedPhotosClick()
{
    // The run pumps events; a second long operation must not start under it.
    if (TBusyGuard::IsBusy())
        return;
    IniFile* ini = m_host.Settings();
    const QString nameKey = QStringLiteral("NewName");
    const QString startKey = QStringLiteral("StartNr");
    const QString actionKey = QStringLiteral("Action");
    TFormRenameSettings settings(m_page->window());
    const QString offered = ini ? ini->ReadString(SettingsSection, nameKey, QString()) : QString();
    if (ini) {
        settings.SetNewName(offered);
        settings.SetStartNr(ini->ReadString(SettingsSection, startKey, QString()));
        const int action = ini->ReadInteger(SettingsSection, actionKey, RA_Replace);
        settings.SetAction(action == RA_AddAtTheEnd || action == RA_InsertAtTheBeginning
                ? static_cast<unsigned char>(action)
                : static_cast<unsigned char>(RA_Replace));
    }
    bool accepted = false;
    {
        // Above the photo windows, which stay on top otherwise.
        const TOnTopWindowsLowered lowered;
        accepted = settings.exec() == QDialog::Accepted;
    }
    if (!accepted) {
        m_panel.UpdatePhotoControls();
        return;
    }
    const QString newName = TPhotoRenamePlanner::NameToUse(settings.NewName(), offered);
    if (ini) {
        ini->BeginUpdate();
        ini->WriteString(SettingsSection, nameKey, newName);
        ini->WriteString(SettingsSection, startKey, settings.StartNr());
        ini->WriteInteger(SettingsSection, actionKey, settings.Action());
        ini->EndUpdate();
    }
    RenameSelected(newName, settings.StartNr(), settings.Action());
    m_panel.UpdatePhotoControls();
}

std::vector<TAlbumPhotoRenamer::TRenamed> TAlbumPhotoRenamer::RenameSelected(
    const QString& newName, const QString& startNr, int action)
{
    std::vector<TRenamed> renamed;
    // The rows are kept with their texts: the run changes each row it renames.
    std::vector<std::pair<int, QString>> selected;
    for (const int row : SelectedRows(ui.lb_PhotosInAlbum))
        selected.emplace_back(row, ui.lb_PhotosInAlbum->item(row)->text());
    const TLanguageSelector& t = *Language();
    if (!m_session.Album() || selected.empty())
        return renamed;
    // The names this run gives. All are chosen before the first rename, and no
    // photo gets a name another one of the run gives up: after a stop, an
    // old name that is gone then always means its own photo was renamed.
    QSet<QString> chosen;
    TPhotoRenamePlanner planner(newName, startNr, action, [this, &chosen](const QString& path) {
        // A path another album photo already has would put one file in the
        // album twice, even while that photo's file is missing.
        const TAlbum* album = m_session.Album();
        return chosen.contains(path) || TPhotoRenamePlanner::FileNameTaken(path)
            || (album && album->GetPhotos().IndexOfName(path) >= 0);
    });
    if (!TPhotoRenamePlanner::IsUsableName(planner.NewName(), planner.Action(), t.RS[8]))
        return renamed;
    const TBusyGuard busy;
    if (!busy)
        return renamed;

    // Every new name is chosen, and listed beside the album, before the first
    // file is renamed: a run stopped half-way (a crash, a power cut) leaves
    // the album file with the old names, and opening it takes the renames
    // that happened over from that list.
    const QString albumFile = m_session.Album()->GetFileName();
    std::vector<TRenamed> planned;
    TPendingRenames::TRenames listed;
    for (const auto& [row, oldPath] : selected) {
        const QString target = planner.TargetFor(oldPath);
        // Photos are found by path: ids may repeat in imported albums. A path
        // that is no full path (an old album's "D:\...") would be renamed
        // in whatever folder the program runs in.
        if (target.isEmpty() || m_session.Album()->GetPhotos().IndexOfName(oldPath) < 0
            || !TPendingRenames::Fits({ oldPath, target }))
            continue;
        chosen.insert(target);
        planned.push_back({ oldPath, target, row });
        listed.push_back({ oldPath, target });
    }
    if (planned.empty())
        return renamed;
    try {
        TPendingRenames::Write(albumFile, listed);
    } catch (const std::exception& e) {
        ShowMessageBox(ExceptionMessage(e), t.Title, MessageBoxFlags::IconError);
        return renamed;
    }

    // Photos whose file would not take its new name, with the system's reason
    // (a name too long for the file system, a read-only folder).
    QStringList failed;
    {
        Tfm_StatusWindow status;
        status.SetRange(0, int(planned.size()));
        status.SetSubject(t.MF[192]);
        status.ShowCentered();
        for (const TRenamed& each : planned) {
            // Cancel stops the run after the file it was pressed during.
            if (status.IsCancelled() || !m_session.Album())
                break;
            status.SetObject(each.OldPath);
            status.StepIt();
            status.ProcessEvents();
            // The list may have changed while events ran.
            if (!m_session.Album() || m_session.Album()->GetPhotos().IndexOfName(each.OldPath) < 0)
                continue;
            int error = 0;
            if (!RenameNoReplace(each.OldPath, each.NewPath, &error)) {
                failed.append(each.OldPath + QStringLiteral(": ") + SystemErrorText(error));
                continue;
            }
            SetPhotoPath(each.Row, each.OldPath, each.NewPath);
            renamed.push_back(each);
        }
    }
    if (!failed.isEmpty())
        ShowMessageBox(t.MF[192] + u'\r' + failed.join(u'\r'), t.Title, MessageBoxFlags::IconWarning);

    const bool saved = !renamed.empty() && m_actions.SaveCurrentAlbum();
    if (!saved)
        RenameBack(renamed);
    // Until the album file lists every photo under the name its file has, the
    // list stays for the next opening.
    if (saved || renamed.empty())
        TPendingRenames::Remove(albumFile);
    for (const TRenamed& each : renamed) {
        emit PhotoRecordReplaced(each.NewPath);
        m_panel.PhotoFileRenamed(each.OldPath, each.NewPath);
    }
    return renamed;
}

void TAlbumPhotoRenamer::RenameBack(std::vector<TRenamed>& renamed)
{
    // The run undone in the reverse of its order.
    std::vector<TRenamed> kept;
    QStringList stuck;
    for (auto each = renamed.rbegin(); each != renamed.rend(); ++each) {
        if (RenameNoReplace(each->NewPath, each->OldPath)) {
            SetPhotoPath(each->Row, each->NewPath, each->OldPath);
        } else {
            kept.push_back(*each);
            stuck.append(each->NewPath);
        }
    }
    renamed = std::move(kept);
    if (renamed.empty())
        return;
    // These photos keep their new names in the album too, which now differs
    // from its file until the user saves.
    m_session.SetContentsChanged(true);
    ShowMessageBox(stuck.join(u'\r'), Language()->MF[21], MessageBoxFlags::IconWarning);
}

void TAlbumPhotoRenamer::SetPhotoPath(int row, const QString& from, const QString& to)
{
    if (TAlbum* album = m_session.Album()) {
        const int index = album->GetPhotos().IndexOfName(from);
        if (index >= 0)
            album->GetPhotos().PhotoAt(index)->SetName(to);
    }
    // The row renamed is the one the photo was chosen by, unless the list
    // changed while the run let events through: then it is looked for.
    QListWidgetItem* item = ui.lb_PhotosInAlbum->item(row);
    const QList<QListWidgetItem*> rows = item && item->text() == from
        ? QList<QListWidgetItem*> { item }
        : ui.lb_PhotosInAlbum->findItems(from, Qt::MatchExactly);
    for (QListWidgetItem* each : rows) {
        each->setText(to);
        each->setSelected(true);
    }
}
