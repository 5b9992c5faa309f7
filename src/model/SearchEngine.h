// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Finds the photos of an album that match labels, a year, description words
// and a word of the path. Objects and events combine with AND or OR; the year,
// description and path criteria always join the labels with OR.
#include <QString>
#include <QStringList>

class TAlbum;
class TPhoto;
class TStreamIntList;

class TSearchEngine {
public:
    // Bits of Options.
    enum : unsigned char {
        OptAnd = 1,
        OptOr = 2,
        OptYear = 4,
        OptDescription = 8,
        OptPath = 16,
    };

    TSearchEngine() = default;
    virtual ~TSearchEngine() = default;

    // Sets every photo's Found flag and appends the paths of the hits whose files
    // exist (after repair) to results, which is not cleared. True when something
    // was appended. allObjects: 0 any of the objects, 1 all of them, other: none.
    // A large album is searched on several processors; the call returns when
    // all are done.
    bool Search(TAlbum& album, const QStringList& objectNames, const QStringList& eventNames,
        const QString& year, const QString& descriptionWords, const QString& pathWord,
        unsigned char allObjects, unsigned char options, QStringList& results);

    // One photo against prepared criteria (words lower case, path word lowered A..Z).
    bool MatchPhoto(const TPhoto& photo, const TStreamIntList& objectIds, const TStreamIntList& eventIds,
        const QString& year, const QStringList& words, const QString& pathWord, unsigned char allObjects,
        unsigned char options) const;
};
