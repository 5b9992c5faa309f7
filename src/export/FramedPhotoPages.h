// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// html/photos/PhotoContents<N>.htm of the framed web site: the photo with its
// information, and the values the navigation script reads to move through
// the group the visitor came from.
#include <QList>
#include <QString>
#include <QStringList>

namespace Framed {

// The hidden values of one group that holds the photo: the numbers of the
// photo before and after it (wrapping round), the group's size and the
// photo's position in it (from 1).
struct TNavigationValues {
    QString Key;
    int Prev = 0;
    int Next = 0;
    int Quantity = 0;
    int Index = 0;
};

struct TPhotoPageData {
    int Number = 0;
    // One entry per group holding the photo, in category and group order.
    QList<TNavigationValues> Navigation;
    // Empty when the page has no link to the original photo.
    QString OriginalAddress;
    QStringList ObjectNames;
    QString EventName;
    QString Description;
    QString AlbumDescription;
    QString FileName;
    QString Year;
    QString AlbumName;
};

// The most object names listed as lines; more go into a list box.
inline constexpr int MaxObjectLines = 7;

QStringList PhotoPage(const TPhotoPageData& data);

// The web address of the published original of the photo at path: webPath
// followed by what comes after localPath, "\" made "/" and what an address
// cannot carry percent-encoded (blanks stay). False when path does not lie
// under localPath, which has no address then.
bool OriginalPhotoAddress(
    const QString& path, const QString& localPath, const QString& webPath, QString& address);

} // namespace Framed
