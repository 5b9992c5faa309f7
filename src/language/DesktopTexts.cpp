// SPDX-License-Identifier: GPL-2.0-or-later
#include "language/DesktopTexts.h"

TDesktopTexts DesktopTexts(TLangType type)
{
    const std::unique_ptr<TLanguageSelector> record = CreateLanguage(type);
    // The welcome line reads "Welcome to Tavrimolex %s - find your favourite
    // photos fast and easy."; its second half says what the program is for.
    QString comment = record->HG[0];
    const qsizetype dash = comment.indexOf(QLatin1String(" - "));
    if (dash >= 0)
        comment = comment.mid(dash + 3);
    if (comment.endsWith(u'.'))
        comment.chop(1);
    if (!comment.isEmpty())
        comment[0] = comment[0].toUpper();

    QString generic;
    QString keywords;
    switch (type) {
    case LT_Dutch:
        generic = QStringLiteral("Fotoalbumbeheer");
        keywords = QStringLiteral("foto;album;fotoalbum;diavoorstelling;miniatuur;website;");
        break;
    case LT_Spanish:
        generic = QStringLiteral("Organizador de álbumes de fotos");
        keywords = QStringLiteral("foto;álbum;álbum de fotos;presentación;miniatura;sitio web;");
        break;
    default:
        generic = QStringLiteral("Photo album organiser");
        keywords = QStringLiteral("photo;album;photo album;slide show;thumbnail;web site;");
        break;
    }
    return { record->Title, generic, comment, keywords };
}
