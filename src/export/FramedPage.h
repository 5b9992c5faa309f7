// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The lines of one file of the framed web site (a page, the style sheet or
// the navigation script), each with the leading blanks its template gives.
// Building the lines apart from writing them lets every page be checked
// without a disk, and a page that fails half-way leaves no file behind.
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>

class TFramedPage {
public:
    // One template row: its leading blanks and its fixed text.
    struct TRow {
        int Spaces;
        QStringView Text;
    };

    void Add(int spaces, const QString& text);
    void Add(int spaces, QStringView text) { Add(spaces, text.toString()); }
    void Add(std::initializer_list<TRow> rows);
    void Append(const QStringList& lines) { Lines += lines; }

    // Lines 1 to 7 that every page starts with; the product title is taken
    // from the language record. list.htm has a shorter title lead.
    void AddHead(bool listTitle = false);
    // Sends a page shown outside the frameset to the site's index.htm.
    void AddFrameBuster(int spaces, const QString& indexAddress);
    // The head of a page shown in a frame: the first lines, the link to the
    // style sheet and the frame buster.
    void AddFrameHead(const QString& styleLink, const QString& indexAddress, bool listTitle = false);
    // The noframes block of the framesets and the closing frameset tag.
    void AddNoFrames();

    QStringList Lines;
};
