// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/FramedPhotoPages.h"

#include "export/ExportText.h"
#include "export/FramedPage.h"
#include "export/HtmlEscape.h"
#include "language/LanguageSelector.h"

namespace Framed {

namespace {

    const QString W1 = QStringLiteral("<tr height=1><td width=198 bgcolor=#FFFFFF></td></tr>");
    const QString K1 = QStringLiteral("<tr height=1><td width=198 bgcolor=#000000></td></tr>");
    const QString H = QStringLiteral("<td width=198 class=phtext_black bgcolor=#FFFFAA>");
    const QString B = QStringLiteral("<td width=198 class=phtext_white>");
    const QString C = QStringLiteral("<td width=192 class=phtext_white>");
    const QString S = QStringLiteral("<td width=3></td>");

    // A blue box of the given height: its table opens, the text goes in
    // column C, and the box closes.
    QString BoxTable(int height)
    {
        return QStringLiteral(
            "<table cellpadding=0 cellspacing=0 border=0 width=198 bgcolor=#0040AA height=%1>")
            .arg(height);
    }

    void OpenBox(TFramedPage& page, int height)
    {
        page.Add(26, BoxTable(height));
        page.Add(28, QStringLiteral("<tr valign=top>"));
        page.Add(30, S);
        page.Add(30, C);
    }

    void CloseBox(TFramedPage& page)
    {
        page.Add(30, QStringLiteral("</td>"));
        page.Add(30, S);
        page.Add(28, QStringLiteral("</tr>"));
        page.Add(26, QStringLiteral("</table>"));
    }

    void AddObjectLines(TFramedPage& page, const QStringList& names)
    {
        if (names.size() <= MaxObjectLines) {
            for (const QString& name : names)
                page.Add(
                    30, QStringLiteral("- ") + Html::Text(ShortenText(name, 38)) + QStringLiteral("<br>"));
            return;
        }
        page.Add(0,
            QStringLiteral("<select size=") + QStringLiteral("7")
                + QStringLiteral(" name=photoobjects class=phtext_white "
                                 "style=\"width:192;height=98;background-color:#0040AA;border=0\"")
                + QStringLiteral(">"));
        for (const QString& name : names)
            page.Add(34,
                QStringLiteral("<option>") + Html::Text(ShortenText(name, 38)) + QStringLiteral("</option>"));
        page.Add(33, QStringLiteral("</select>"));
    }

    // A fact row of the panel's foot: the cell opens, the label follows and
    // the value ends the cell. Each row has its own row and cell tags.
    void AddFact(
        TFramedPage& page, QStringView row, QStringView cell, const QString& label, const QString& value)
    {
        page.Add(22, row);
        page.Add(24, cell);
        page.Add(21, QStringLiteral("&nbsp;") + Html::Text(label) + u' ');
        page.Add(0, Html::Text(value) + QString(24, u' ') + QStringLiteral("</td>"));
        page.Add(22, QStringLiteral("</tr>"));
    }

    // A heading row, then a row with a blue box of the given height. The
    // template's indents differ from section to section, and the pages keep
    // them: the rows stand at indent, the heading text at headingIndent.
    void OpenSection(TFramedPage& page, int indent, int headingIndent, const QString& heading, int height)
    {
        page.Add(indent, QStringLiteral("<tr height=19 valign=center>"));
        page.Add(indent + 2, H);
        page.Add(headingIndent, QStringLiteral("&nbsp;") + Html::Text(heading));
        page.Add(indent + 2, QStringLiteral("</td>"));
        page.Add(indent, QStringLiteral("</tr>"));
        page.Add(indent, W1);
        page.Add(indent, QStringLiteral("<tr height=%1 valign=top>").arg(height));
        page.Add(24, B);
        OpenBox(page, height);
    }

    // Closes the box and its row; the cell's end stands at indent.
    void CloseSection(TFramedPage& page, int indent)
    {
        CloseBox(page);
        page.Add(indent, QStringLiteral("</td>"));
        page.Add(indent - 2, QStringLiteral("</tr>"));
        page.Add(indent - 2, W1);
    }

    void AddRightPanel(TFramedPage& page, const TPhotoPageData& data)
    {
        const TLanguageSelector& lang = *Language();

        page.Add(22, W1);
        OpenSection(page, 22, 27, lang.HG[26], 94);
        AddObjectLines(page, data.ObjectNames);
        CloseSection(page, 23);

        OpenSection(page, 21, 21, lang.HG[27], 69);
        page.Add(27, Html::Text(ShortenText(data.EventName, 150)));
        CloseSection(page, 24);

        OpenSection(page, 22, 21, lang.HG[45], 94);
        page.Add(27, Html::Text(ShortenText(data.Description, 250)));
        CloseSection(page, 24);

        OpenSection(page, 22, 21, lang.HG[46], 49);
        page.Add(27, Html::Text(ShortenText(data.AlbumDescription, 150)));
        CloseSection(page, 24);

        AddFact(page, u"<tr height=19 bgcolor=#0040AA valign=center>",
            u"<td width=198 class=phtext_black bgcolor=#FFFFAA>&nbsp;", lang.HG[47],
            ShortenText(data.FileName, 25));
        page.Add(22, K1);
        AddFact(page, u"<tr height=19 bgcolor=#0040AA>",
            u"<td width=198  class=phtext_black valign=center bgcolor=#FFFFAA>&nbsp;", lang.HG[48],
            data.Year);
        page.Add(22, K1);
        AddFact(page, u"<tr height=18 bgcolor=#0040AA valign=center>",
            u"<td width=198  class=phtext_black bgcolor=#FFFFAA>&nbsp;", lang.HG[49],
            ShortenText(data.AlbumName, 25));
        page.Add(22, W1);
    }

} // namespace

QStringList PhotoPage(const TPhotoPageData& data)
{
    const TLanguageSelector& lang = *Language();
    const QString number = QString::number(data.Number);
    const bool original = !data.OriginalAddress.isEmpty();
    const QString originalHref = Html::AttrDq(data.OriginalAddress);

    TFramedPage page;
    page.AddHead();
    page.Add({
        { 4, u"<link href=\"../../css/tavrimolex.css\" type=text/css rel=stylesheet>" },
        { 4, u"<script language=\"JavaScript\" SRC=\"../../script/navigation.js\"></script>" },
        { 2, u"</head>" },
        { 2, u"<body class=thumbnailbody>" },
        { 4, u"<form> " },
    });
    for (const TNavigationValues& values : data.Navigation) {
        const auto input = [&page, &values](QStringView suffix, int value) {
            page.Add(4,
                QStringLiteral("<input type=hidden name=") + values.Key + suffix.toString()
                    + QStringLiteral(" value='") + QString::number(value) + QStringLiteral("'>"));
        };
        input(u"Prev", values.Prev);
        input(u"Next", values.Next);
        input(u"Quantity", values.Quantity);
        input(u"Index", values.Index);
    }
    page.Add({
        { 6, u"<table class=phtext_white cellpadding=0 cellspacing=0 border=1 width=750>" },
        { 8, u"<tr height=450>" },
        { 10, u"<td width=550 valign=top align=center>" },
        { 12, u"<table height=450 cellpadding=0 cellspacing=0 border=0 width=550>" },
        { 14, u"<tr height=20>" },
        { 16, u"<td width=100 bgcolor=#0040AA class=phtext_white valign=center>" },
        { 18, u"<script>" },
        { 20, u"writeindex();" },
        { 18, u"</script>" },
        { 16, u"</td>" },
        { 16, u"<td width=350 bgcolor=#0040AA class=phtext_white align=center valign=center>" },
    });
    page.Add(0,
        QStringLiteral("<a href=\"javascript:goto_prevphoto()\" class=small_white_link>&lt;&lt;&nbsp;")
            + Html::Text(lang.HG[42]) + QStringLiteral("</a>&nbsp;&nbsp;"));
    page.Add(0,
        QStringLiteral("<a href=\"javascript:goto_thumbnails()\" class=small_white_link>")
            + Html::Text(lang.HG[41]) + QStringLiteral("</a>&nbsp;&nbsp;"));
    page.Add(0,
        QStringLiteral("<a href=\"javascript:goto_nextphoto()\" class=small_white_link>")
            + Html::Text(lang.HG[43]) + QStringLiteral("&nbsp;&gt;&gt;</a>"));
    if (original)
        page.Add(0,
            QStringLiteral("<a href=\"") + originalHref + QStringLiteral("\" ")
                + QStringLiteral("class=small_white_link ") + QStringLiteral("target=\"_blank\">")
                + Html::Text(lang.HG[44]) + QStringLiteral("</a>&nbsp;&nbsp;"));
    page.Add({
        { 16, u"</td>" },
        { 16, u"<td width=100 bgcolor=#0040AA class=phtext_white valign=center>" },
        { 16, u"</td>" },
        { 14, u"</tr> " },
        { 14, u"<tr height=430>" },
        { 16,
            u"<td colspan=3 class=phtext_white align=center valign=center "
            u"background=\"../../images/background.jpg\">" },
    });
    if (original)
        page.Add(18,
            QStringLiteral("<a href=\"") + originalHref + QStringLiteral("\" ")
                + QStringLiteral("target=\"_blank\">"));
    page.Add(19,
        QStringLiteral("<img src='../../images/photos/Photo") + number + QStringLiteral(".jpg' border=0>"));
    if (original)
        page.Add(18, QStringLiteral("</a>"));
    page.Add({
        { 16, u"</td>" },
        { 14, u"</tr>" },
        { 14, u"</table>" },
        { 12, u"</td>" },
        { 12, u"<td width=200 valign=top>" },
        { 14, u"<table height=450 cellpadding=0 cellspacing=0 border=0 width=200>" },
        { 16, u"<tr height=450>" },
        { 18, u"<td width=1 bgcolor=#FFFFFF></td>" },
        { 18, u"<td width=198>" },
        { 20, u"<table height=450 cellpadding=0 cellspacing=0 border=0 width=198>" },
    });
    AddRightPanel(page, data);
    page.Add({
        { 20, u"</table>" },
        { 18, u"</td>" },
        { 18, u"<td width=1 bgcolor=#FFFFFF></td>" },
        { 16, u"</tr>" },
        { 14, u"</table>" },
        { 12, u"</td>" },
        { 10, u"</tr>" },
        { 8, u"</table>" },
        { 4, u"</form>" },
        { 2, u"</body>" },
        { 0, u"</html>" },
    });
    return page.Lines;
}

bool OriginalPhotoAddress(
    const QString& path, const QString& localPath, const QString& webPath, QString& address)
{
    address.clear();
    // Albums made on Windows keep "\" in their paths; either separator
    // matches the other, everything else must match exactly.
    QString local = localPath;
    local.replace(u'\\', u'/');
    QString photo = path;
    photo.replace(u'\\', u'/');
    if (local.isEmpty() || !photo.startsWith(local, Qt::CaseSensitive) || photo.size() == local.size())
        return false;
    address = webPath + Html::Url(photo.mid(local.size()));
    return true;
}

} // namespace Framed
