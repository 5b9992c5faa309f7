// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The new names of a batch rename of album photos. No windows: the rename run
// asks it, photo by photo and in list order, for the name to rename to, and
// tests drive it the same way.
#include <QString>

#include <functional>

// What the typed text does to each name.
enum TRenameAction : int {
    RA_Replace = 0,
    RA_AddAtTheEnd = 1,
    RA_InsertAtTheBeginning = 2,
};

class TPhotoRenamePlanner {
public:
    // Whether something already has a path; a taken path is never a target.
    using TTaken = std::function<bool(const QString& path)>;

    // newName as the run uses it (see NameToUse), startNr as typed; an
    // action other than 1 or 2 replaces.
    TPhotoRenamePlanner(const QString& newName, const QString& startNr, int action, TTaken taken);

    // The typed name without its extension: the text from its last dot on is cut.
    static QString CutExtension(const QString& typed);
    // The name a run uses: the typed name without its extension. The name the
    // window offered from the last run lost its extension then; left as it
    // was, it is used whole, or "Mr. Smith" would come back as "Mr".
    static QString NameToUse(const QString& typed, const QString& offered);
    // The first running number: the typed whole number, at least 1.
    static qint64 StartNumber(const QString& typed);
    // A name (its extension already cut) that can become part of a file name:
    // not blank, no folder separator or control character, not "." or "..",
    // and not the prompt the settings window puts into an empty field. Where
    // the name begins the file name, it may not begin with a dot: the files
    // would be hidden.
    static bool IsUsableName(const QString& name, int action, const QString& prompt);
    // True when a file, folder or link (a dangling one too) has the path.
    static bool FileNameTaken(const QString& path);

    const QString& NewName() const { return m_newName; }
    TRenameAction Action() const { return m_action; }

    // The path the photo at oldPath gets; empty when it keeps its name (the
    // name to add gives a taken path). Replacing names counts on from the
    // number the previous photo got, skipping every taken number.
    QString TargetFor(const QString& oldPath);

private:
    QString m_newName;
    TRenameAction m_action;
    qint64 m_counter;
    TTaken m_taken;
};
