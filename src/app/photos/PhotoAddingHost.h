#pragma once
// What the adding page of the Photos tab needs from the main window that holds
// it. The main window implements it; tests fake it.
#include <QString>

class TPhotoAddingHost {
public:
    virtual ~TPhotoAddingHost() = default;

    // The folder chosen in the tree of the available photos; empty when none.
    virtual QString AvailablePhotoFolder() const = 0;
    // Adds a photo built from the information panel (-1 appends); false when
    // the album already holds it or no album is open.
    virtual bool AddPhotoToAlbum(const QString& path, int index) = 0;
    // Asks for the folder converted photos go to, starting at folder when it
    // is set; true with the chosen folder in folder, false when cancelled.
    virtual bool ChooseConvertFolder(QString& folder) = 0;
    // Photos were added from folders: the album's list measures its names
    // again and repaints.
    virtual void PhotoListGrew() = 0;
};
