// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/FramedThumbnailPages.h"

#include "export/ExportText.h"
#include "export/FramedPage.h"
#include "export/HtmlEscape.h"
#include "language/LanguageSelector.h"

namespace Framed {

namespace {

    const QString StyleLink
        = QStringLiteral("<LINK href=\"../../../css/tavrimolex.css\" type=text/css rel=stylesheet>");
    const QString IndexFromGroup = QStringLiteral("../../../index.htm");

    QString Num(int value)
    {
        return QString::number(value);
    }

    void AddCell(TFramedPage& page, const TThumbnailGroup& group, const TThumbnailGrid& grid, int pageNumber,
        int position)
    {
        if (position >= group.Numbers.size()) {
            page.Add(24, QStringLiteral("<td width=") + Num(grid.ThumbWidth) + u'>');
            page.Add(24, QStringLiteral("</td>"));
            return;
        }
        const int number = group.Numbers.at(position);
        // Keys hold only letters, digits, "_" and "-": the address needs no escaping.
        const QString address = QStringLiteral("../../photos/PhotoContents") + Num(number)
            + QStringLiteral(".htm") + PhotoPageQuery(group.Key, group.Path, pageNumber);
        page.Add(24, QStringLiteral("<td bgcolor=#0040AA width=") + Num(grid.ThumbWidth) + u'>');
        page.Add(28,
            QStringLiteral("<a href='") + address + QStringLiteral("'>")
                + QStringLiteral("<img src='../../../images/thumbnails/Thumbnail") + Num(number)
                + QStringLiteral(".jpg' border=0>") + QStringLiteral("</a>") + QStringLiteral("<br>"));
        page.Add(
            0, QStringLiteral("<center><a href='") + address + QStringLiteral("' class=phtext_photolink>"));
        page.Add(0, Num(position + 1) + QStringLiteral("</a></center>"));
        page.Add(24, QStringLiteral("</td>"));
    }

} // namespace

int TThumbnailGrid::PerPage() const
{
    return qMax(1, Columns) * qMax(1, Rows);
}

int TThumbnailGrid::PageCount(int photos) const
{
    return photos <= 0 ? 1 : (photos - 1) / PerPage() + 1;
}

int TThumbnailGrid::Gap() const
{
    // Truncating division, as the page was always laid out.
    const int columns = qMax(1, Columns);
    return (746 - columns * (ThumbWidth + 2)) / (columns + 1);
}

QString PhotoPageQuery(const QString& key, const QString& path, int page)
{
    return QStringLiteral("?key=") + key + QStringLiteral("&path=") + path + QStringLiteral("&thumbnails=")
        + QStringLiteral("ThumbnailFrameContents") + Num(page) + QStringLiteral(".htm");
}

QStringList ThumbnailFrame()
{
    TFramedPage page;
    page.AddHead();
    page.AddFrameBuster(4, IndexFromGroup);
    page.Add({
        { 2, u"</head>" },
        { 2, u"<frameset rows=\"45,450,*\" border=0 framespacing=0 frameborder=0>" },
        // "thumnail_top" is the name the site always had; nothing addresses it.
        { 4,
            u"<frame name=\"thumnail_top\"  target=\"thumbnail_top\" scrolling=\"no\" noresize "
            u"src=\"ThumbnailFrameTop.htm\">" },
        { 4,
            u"<frame name=\"thumbnail_contents\" target=\"thumbnail_contents\" scrolling=\"no\" "
            u"src=\"ThumbnailFrameContents1.htm\">" },
        { 4,
            u"<frame name=\"thumbnail_bottom\" target=\"thumbnail_bottom\" scrolling=\"no\" "
            u"src=\"ThumbnailFrameBottom.htm\">" },
    });
    page.AddNoFrames();
    page.Add(0, QStringLiteral("</html>"));
    return page.Lines;
}

QStringList ThumbnailFrameTop(const QString& prefix, const QString& categoryWord, const QString& groupName,
    int photoCount, int position, int groupCount)
{
    const TLanguageSelector& lang = *Language();
    TFramedPage page;
    page.AddFrameHead(StyleLink, IndexFromGroup);
    page.Add({
        { 2, u"</head>" },
        { 2, u"<body bgcolor=#0040AA>" },
        { 5, u"<table cellpadding=0 cellspacing=0 border=0 width=750 bgcolor=#22007B>" },
        { 7, u"<tr height=10><td colspan=2></td></tr>" },
        { 7, u"<tr class=phtext_white height=35>" },
        { 9, u"<td>" },
    });
    if (groupCount > 1) {
        const int previous = position > 0 ? position : groupCount;
        const int next = position < groupCount - 1 ? position + 2 : 1;
        page.Add(0,
            QStringLiteral("[&nbsp;<a href='../") + prefix + Num(previous) + u'/'
                + QStringLiteral("ThumbnailFrame.htm' ") + QStringLiteral("target='webview_right' ")
                + QStringLiteral("class=small_white_link>") + QStringLiteral("&lt;&lt;</a>&nbsp;"));
        page.Add(0,
            QStringLiteral("<a href='../") + prefix + Num(next) + u'/'
                + QStringLiteral("ThumbnailFrame.htm' ") + QStringLiteral("target='webview_right' ")
                + QStringLiteral("class=small_white_link>") + QStringLiteral("&gt;&gt;</a>&nbsp;]&nbsp;"));
    }
    page.Add(11,
        QStringLiteral("[&nbsp;") + Html::Text(categoryWord) + QStringLiteral(": ")
            + Html::Text(ShortenText(groupName, 60)) + QStringLiteral("&nbsp;]"));
    page.Add({
        { 9, u"</td>" },
        { 9, u"<td align=right>" },
    });
    page.Add(11, Html::Text(lang.HG[36]) + u' ' + Num(photoCount));
    page.Add({
        { 9, u"</td>" },
        { 7, u"</tr>" },
        { 5, u"</table>" },
        { 2, u"</body>" },
        { 0, u"</html>" },
    });
    return page.Lines;
}

QStringList ThumbnailFrameContents(
    const TThumbnailGroup& group, const TThumbnailGrid& grid, int pageNumber, int first, const bool& stopped)
{
    TFramedPage page;
    page.AddFrameHead(StyleLink, IndexFromGroup);
    page.Add({
        { 2, u"</head>" },
        { 2, u"<body class=thumbnailbody>" },
        { 3, u"<form>" },
        { 5, u"<table cellpadding=0 cellspacing=0 border=0 width=750>" },
        { 7, u"<tr height=450>" },
        { 10, u"<td background='../../../images/background.jpg'>" },
        { 12, u"<table cellpadding=0 cellspacing=0 border=0 width=700>" },
        { 14, u"<tr height=450 valign=top>" },
        { 16, u"<td width=1></td>" },
        { 16, u"<td width=748>" },
        { 18, u"<table cellpadding=0 cellspacing=0 border=0 width=748>" },
        { 20, u"<tr height=10><td></td></tr>" },
    });

    const int columns = qMax(1, grid.Columns);
    const int rows = qMax(1, grid.Rows);
    const QString gapCell = QStringLiteral("<td width=") + Num(grid.Gap()) + QStringLiteral("></td>");
    int position = first;
    for (int row = 0; row < rows; ++row) {
        page.Add(18, QStringLiteral("<tr height=10><td></td></tr>"));
        page.Add(18,
            QStringLiteral("<tr height=") + Num(grid.ThumbHeight + 18)
                + QStringLiteral(" align=center><td>"));
        if (position < group.Numbers.size())
            page.Add(20,
                QStringLiteral("<table cellpadding=0 cellspacing=0 ")
                    + QStringLiteral(" border=1 bordercolor=#0040AA") + QStringLiteral(" width=746>"));
        else
            page.Add(20,
                QStringLiteral("<table cellpadding=0 cellspacing=0 ") + QStringLiteral(" border=0 ")
                    + QStringLiteral(" width=746>"));
        page.Add(22, QStringLiteral("<tr height=3><td></td></tr>"));
        page.Add(22, QStringLiteral("<tr>"));
        page.Add(24, gapCell);
        for (int column = 0; column < columns; ++column) {
            AddCell(page, group, grid, pageNumber, position);
            ++position;
            if (column < columns - 1)
                page.Add(24, gapCell);
            if (stopped)
                break;
        }
        page.Add(24, QStringLiteral("<td width=*></td>"));
        page.Add(22, QStringLiteral("</tr>"));
        page.Add(22, QStringLiteral("<tr height=3><td></td></tr>"));
        page.Add(20, QStringLiteral("</table>"));
        page.Add(18, QStringLiteral("</td></tr>"));
        if (stopped)
            break;
    }

    page.Add({
        { 18, u"</table>" },
        { 16, u"</td>" },
        { 16, u"<td width=1></td>" },
        { 14, u"</tr>" },
        { 12, u"</table>" },
        { 10, u"</td>" },
        { 7, u"</tr>" },
        { 5, u"</table>" },
        { 3, u"</form>" },
        { 2, u"</body>" },
        { 0, u"</html>" },
    });
    return page.Lines;
}

QStringList ThumbnailFrameBottom(int pages)
{
    const TLanguageSelector& lang = *Language();
    TFramedPage page;
    page.AddFrameHead(StyleLink, IndexFromGroup);
    const bool series = pages > 1;
    if (series) {
        page.Add(4, QStringLiteral("<script>"));
        page.Add(7, QStringLiteral("nrofpages=") + Num(pages) + u';');
        page.Add({
            { 7, u"function previous()" },
            { 7, u"{" },
            { 9, u"current  = document.forms[0].lblCurrent.value;" },
            { 9, u"if (current == 1)" },
            { 11, u"current = nrofpages;" },
            { 9, u"else" },
            { 11, u"current--;" },
            { 9, u"display(current);" },
            { 7, u"}" },
            { 7, u"function next()" },
            { 7, u"{" },
            { 9, u"current  = document.forms[0].lblCurrent.value;" },
            { 9, u"if (current == nrofpages)" },
            { 11, u"current = 1;" },
            { 9, u"else" },
            { 11, u"current++;" },
            { 9, u"display(current);" },
            { 7, u"}" },
            { 7, u"function display(current)" },
            { 7, u"{" },
            { 9, u"document.forms[0].lblCurrent.value = current;" },
            { 9, u"parent.thumbnail_contents.location.href='ThumbnailFrameContents'+current+'.htm';" },
            { 7, u"}" },
            { 4, u"</script>" },
        });
    }
    page.Add({
        { 2, u"</head>" },
        { 2, u"<body class=thumbnailbody bgcolor=#0040AA>" },
        { 3, u"<form>" },
        { 5, u"<table cellpadding=0 cellspacing=0 border=0 width=750 bgcolor=#22007B>" },
        { 7, u"<tr class=phtext_white height=30>" },
        { 8, u"<td  width=100 align=left>&nbsp;" },
    });
    page.Add(0, Html::Text(lang.HG[37]));
    page.Add({
        { 0,
            u"&nbsp;&nbsp;<input type=text class=phtext_white "
            u"style=\"width:40;border=0;background-color:#22007B\"name=lblCurrent value=1>&nbsp;&nbsp;" },
        { 8, u"</td>" },
        { 8, u"<td width=2></td>" },
        { 9, u"<td width=648 align=right>" },
    });
    if (series) {
        page.Add(11, QString());
        page.Add(11,
            QStringLiteral("<a href='javascript:previous()' class=small_white_link>")
                + Html::Text(lang.HG[38]) + QStringLiteral("</a>"));
        page.Add(11, QStringLiteral("&nbsp;"));
        for (int i = 1; i <= pages; ++i) {
            page.Add(9,
                QStringLiteral("<a href='javascript:display(") + Num(i)
                    + QStringLiteral(")' class=small_white_link>") + Num(i) + QStringLiteral("</a>"));
            page.Add(11, QStringLiteral("&nbsp;"));
        }
        page.Add(11,
            QStringLiteral("<a href='javascript:next()' class=small_white_link>") + Html::Text(lang.HG[39])
                + QStringLiteral("</a>"));
    }
    page.Add({
        { 9, u"&nbsp;</td>" },
        { 7, u"</tr>" },
        { 5, u"</table>" },
        { 3, u"</form>" },
        { 2, u"</body>" },
        { 0, u"</html>" },
    });
    return page.Lines;
}

} // namespace Framed
