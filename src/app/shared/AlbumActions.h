// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The album work any page may start: reading an album file, opening it,
// saving and closing the open album, each with the questions and messages
// that go with it, always through the album session. Pages hold it beside the
// session; what a page's own buttons add (creating, renaming, removing
// albums) stays with that page.
#include <QObject>
#include <QString>

#include <memory>

class TAlbum;
class TAlbumSession;
class TFormBasis;

class TAlbumActions : public QObject {
    Q_OBJECT
public:
    explicit TAlbumActions(TAlbumSession& session, QObject* parent = nullptr);
    ~TAlbumActions() override;

    // Reads an album file under a progress window. A file that does not read
    // is reported with its reason, and null returned; waiting, when given,
    // drops its hourglass for the report.
    static std::unique_ptr<TAlbum> ReadAlbum(const QString& fileName, TFormBasis* waiting = nullptr);

    // Opens the album (the open one is closed first, asking to save its
    // changes). True also when the album is open already or the user kept
    // the open one.
    bool OpenAlbum(const QString& fileName);
    // Asks to save unsaved changes, then closes the album; false when the
    // user cancelled or saving failed.
    bool CloseCurrentAlbum();
    // Writes the open album; false, after telling the user why, when it could
    // not be written.
    bool SaveCurrentAlbum();
    // What the Save buttons do: saves the open album and says so.
    void SaveAndConfirm();
    // The album a search made is to be opened; false when it was refused
    // before anything changed (a long operation runs, or the user kept the
    // open album).
    bool OpenFoundAlbum(const QString& fileName);

    // No album is open, after one could not be opened or made or was
    // closed: its name and description are shown empty, with nothing to save.
    void ShowNoAlbumState();

    // The application's error box for a failed album read or write.
    static void ShowError(const QString& message);

signals:
    void NoAlbumShown();

private:
    TAlbumSession& m_session;
};
