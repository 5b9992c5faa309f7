// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/shared/AlbumActions.h"

#include "app/shared/AlbumSession.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/FormBasis.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/PendingRenames.h"
#include "model/StreamError.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"

#include <QFileInfo>

namespace {

// Reading gave the photos of a stopped batch rename the names their files
// have; once the album file lists them so, their list has done its work. When
// saving fails the list stays, and the next opening takes them over again.
void SaveTakenOverRenames(TAlbum& album)
{
    if (album.RenamesTakenOver() > 0) {
        try {
            album.SaveToFile();
        } catch (const std::exception&) {
            return;
        }
    }
    TPendingRenames::Remove(album.GetFileName());
}

} // namespace

TAlbumActions::TAlbumActions(TAlbumSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
}

TAlbumActions::~TAlbumActions() = default;

std::unique_ptr<TAlbum> TAlbumActions::ReadAlbum(const QString& fileName, TFormBasis* waiting)
{
    std::unique_ptr<TAlbum> album;
    QString error;
    {
        // Reading relocates moved photos and lets events run meanwhile.
        TBusyGuard busy;
        Tfm_StatusWindow status;
        status.ShowCentered();
        try {
            album = TAlbum::CreateFromFile(fileName, &status);
        } catch (const std::exception& e) {
            error = ExceptionMessage(e);
        }
    }
    if (album && album->RenamesTakenOver() >= 0)
        SaveTakenOverRenames(*album);
    if (!album) {
        if (waiting)
            waiting->EndWait();
        // "Invalid property value" alone does not say which file is damaged.
        TAlbumActions::ShowError(
            Text::Format(Language()->HG[13], { fileName }) + QStringLiteral("\r\r") + error);
        if (waiting)
            waiting->BeginWait();
    }
    return album;
}

void TAlbumActions::ShowError(const QString& message)
{
    ShowMessageBox(message, Language()->Title, MessageBoxFlags::IconError);
}

void TAlbumActions::ShowNoAlbumState()
{
    emit NoAlbumShown();
    m_session.SetContentsChanged(false);
}

bool TAlbumActions::OpenAlbum(const QString& requested)
{
    // A long operation may be using the album.
    if (TBusyGuard::IsBusy())
        return false;
    const TLanguageSelector& t = *Language();
    if (m_session.Album() && m_session.Album()->GetFileName() == requested)
        return true;

    // The new file is checked before the current album is touched, so a
    // missing file leaves the current album open.
    const QString fileName = Paths::AbsoluteClean(requested);
    if (!QFileInfo(fileName).isFile()) {
        ShowMessageBox(Text::Format(t.MF[11], { fileName }), t.MF[12], MessageBoxFlags::IconWarning);
        return false;
    }
    if (m_session.ContentsChanged() && !CloseCurrentAlbum())
        return true;

    std::unique_ptr<TAlbum> album = ReadAlbum(fileName);
    if (!album) {
        if (!m_session.Album())
            ShowNoAlbumState();
        return false;
    }

    // Every page fills itself from the album it is told of.
    m_session.Open(std::move(album));
    return true;
}

bool TAlbumActions::CloseCurrentAlbum()
{
    if (!m_session.Album())
        return true;
    int answer = MessageResult::No;
    if (m_session.ContentsChanged()) {
        const TLanguageSelector& t = *Language();
        answer
            = ShowMessageBox(t.MF[18], t.MF[19], MessageBoxFlags::YesNoCancel | MessageBoxFlags::IconWarning);
    }
    if (answer == MessageResult::Cancel || (answer == MessageResult::Yes && !SaveCurrentAlbum()))
        return false;
    m_session.Close();
    return true;
}

bool TAlbumActions::SaveCurrentAlbum()
{
    TAlbum* album = m_session.Album();
    if (!album)
        return false;
    try {
        album->SaveToFile();
    } catch (const std::exception& e) {
        ShowError(ExceptionMessage(e));
        return false;
    }
    m_session.SetContentsChanged(false);
    return true;
}

void TAlbumActions::SaveAndConfirm()
{
    if (TBusyGuard::IsBusy())
        return;
    if (m_session.Album() && SaveCurrentAlbum())
        ShowMessage(Language()->MF[13]);
}

bool TAlbumActions::OpenFoundAlbum(const QString& fileName)
{
    if (TBusyGuard::IsBusy() || !CloseCurrentAlbum())
        return false;
    if (!OpenAlbum(fileName) && !m_session.Album())
        ShowNoAlbumState();
    return true;
}
