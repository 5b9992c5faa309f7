// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The lines of the pages of the photo-by-photo web site: the style sheet,
// the start page and the four pages of every photo (a frameset of a top bar,
// the photo and a bar of buttons). Text the user typed (titles, album names,
// descriptions) and the language texts are escaped for where they stand;
// everything else is written as it is. Building the lines apart from writing
// them lets every page be checked without a disk.
#include <QString>
#include <QStringList>

class TSimplePages {
public:
    // What every page of one run shares.
    struct TLayout {
        // The pop-up window and every page table.
        int WindowWidth = 600;
        int WindowHeight = 20;
        QString Title;
        // The photos that may be published: the number of the last photo page.
        int PhotoCount = 0;
        // The photos keep their size and the middle frame scrolls.
        bool DontResize = false;
        // The first photo's bar starts the slide show by itself.
        bool StartSlideShow = false;
    };

    explicit TSimplePages(TLayout layout);

    static QStringList StyleSheet();
    // The album's name and description are shown when the site holds one album.
    QStringList IndexPage(const QString& albumName, const QString& albumDescription) const;

    // html/photo<number>.htm and the three pages it frames.
    QStringList PhotoFrameset(int number) const;
    QStringList PhotoTopPage(int number, const QString& albumName) const;
    QStringList PhotoContentsPage(int number, const QString& description) const;
    // The bar of the first photo written (count 0) is the one that may start the show.
    QStringList PhotoBottomPage(int number, int count) const;

private:
    // The first lines of every page: the title and the no-cache headers.
    static QStringList Head();
    // The head of a page shown in a photo's frameset, with the script lines
    // it loads, and the body's opening.
    static QStringList FrameHead(const QStringList& scripts = {});

    TLayout m_layout;
    QString m_widthText;
    QString m_heightText;
};
