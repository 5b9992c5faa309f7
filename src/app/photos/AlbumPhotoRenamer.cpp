#include "app/photos/AlbumPhotoRenamer.h"

#include "app/main/AlbumSession.h"
#include "app/photos/FormRenameSettings.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotoRenamePlanner.h"
#include "app/photos/PhotosHost.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/ListSelection.h"
#include "common/OnTopWindowsLowered.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "platform/RenameNoReplace.h"
#include "platform/SafeFile.h"
#include "ui_TabPhotos.h"

#include <QListWidget>
#include <QPushButton>

TAlbumPhotoRenamer::TAlbumPhotoRenamer(
    Ui::TabPhotos& form, TAlbumSession& session, TPhotosHost& host, TPhotoInfoPanel& panel, QWidget* page)
    : QObject()
    , ui(form)
    , m_session(session)
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
    TPhotoRenamePlanner planner(newName, startNr, action, [this](const QString& path) {
        // A path another album photo already has would put one file in the
        // album twice, even while that photo's file is missing.
        const TAlbum* album = m_session.Album();
        return TPhotoRenamePlanner::FileNameTaken(path)
            || (album && album->GetPhotos().IndexOfName(path) >= 0);
    });
    if (!TPhotoRenamePlanner::IsUsableName(planner.NewName(), planner.Action(), t.RS[8]))
        return renamed;
    const TBusyGuard busy;
    if (!busy)
        return renamed;

    // Photos whose file would not take its new name, with the system's reason
    // (a name too long for the file system, a read-only folder).
    QStringList failed;
    {
        Tfm_StatusWindow status;
        status.SetRange(0, int(selected.size()));
        status.SetSubject(t.MF[192]);
        status.ShowCentered();
        for (const auto& [row, oldPath] : selected) {
            // Cancel stops the run after the file it was pressed during.
            if (status.IsCancelled() || !m_session.Album())
                break;
            status.SetObject(oldPath);
            status.StepIt();
            status.ProcessEvents();
            const QString target = planner.TargetFor(oldPath);
            // Photos are found by path: ids may repeat in imported albums.
            if (target.isEmpty() || !m_session.Album()
                || m_session.Album()->GetPhotos().IndexOfName(oldPath) < 0)
                continue;
            int error = 0;
            if (!RenameNoReplace(oldPath, target, &error)) {
                failed.append(oldPath + QStringLiteral(": ") + SystemErrorText(error));
                continue;
            }
            SetPhotoPath(row, oldPath, target);
            renamed.push_back({ oldPath, target, row });
        }
    }
    if (!failed.isEmpty())
        ShowMessageBox(t.MF[192] + u'\r' + failed.join(u'\r'), t.Title, MessageBoxFlags::IconWarning);
    if (renamed.empty())
        return renamed;

    if (!m_host.SaveCurrentAlbum())
        RenameBack(renamed);
    for (const TRenamed& each : renamed) {
        emit PhotoRecordReplaced(each.NewPath);
        m_panel.PhotoFileRenamed(each.OldPath, each.NewPath);
    }
    return renamed;
}

void TAlbumPhotoRenamer::RenameBack(std::vector<TRenamed>& renamed)
{
    // Backwards: a later photo may have taken a name an earlier one gave up.
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
