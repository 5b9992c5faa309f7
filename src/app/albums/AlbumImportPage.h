// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The page of the Albums tab that merges other album files into the open
// album: their object and event labels (matched by name) and their photos
// (those whose path the album lacks). The user collects album files in a list
// and starts the import; the result is reported as a count.
#include "common/FormBasis.h"

#include <QObject>
#include <QString>

namespace Ui {
class TabAlbums;
}
class TAlbum;
class TAlbumSession;

class TAlbumImportPage : public QObject, public TFormBasis {
    Q_OBJECT
public:
    TAlbumImportPage(Ui::TabAlbums& form, TAlbumSession& session, QObject* parent);
    ~TAlbumImportPage() override;

    // Appends the album file of the current row of the folder's album list
    // to the albums to import; an album already listed is refused with a message.
    void AddImportAlbum();
    // Appends a full path unless a listed one names the same file; true when
    // it was appended. No message.
    bool AddAlbumToImport(const QString& fileName);
    // Takes the labels and the new photos of source into the open album.
    void ImportAlbum(TAlbum& source);

    // Handlers.
    void pb_AddToImportAlbumsClick();
    void pb_ImportSelectedAlbumsClick();
    void pb_RemoveImportAlbumClick();

private:
    // One row of the run; false when the run is to stop after it.
    bool ImportRow(const QString& fileName, int& imported);

    Ui::TabAlbums& ui;
    TAlbumSession& m_session;
};
