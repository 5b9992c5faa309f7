// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/FramedFramePages.h"

#include "export/FramedPage.h"
#include "export/HtmlEscape.h"
#include "language/LanguageSelector.h"

namespace Framed {

namespace {

    const QString StyleLink
        = QStringLiteral("<LINK href=\"../css/tavrimolex.css\" type=text/css rel=stylesheet>");
    const QString IndexFromHtml = QStringLiteral("../index.htm");

    // The heading above a category's list.
    void WriteListHeading(TFramedPage& page, const QString& text)
    {
        page.Add(0, QStringLiteral("<tr height=10><td></td></tr>"));
        page.Add(0, QStringLiteral("<tr><td class=phtext_black bgcolor=#FFFFDF>"));
        page.Add(2, QStringLiteral("&nbsp;") + Html::Text(text));
        page.Add(0, QStringLiteral("</td></tr>"));
    }

    void WriteCategoryList(TFramedPage& page, const TPhotoMapping& mapping)
    {
        const TLanguageSelector& lang = *Language();
        const QString& prefix = mapping.Prefix;
        page.Add(0, QString());
        page.Add(0, QStringLiteral("<tr><td>"));
        page.Add(2,
            QStringLiteral("<select name=") + prefix + QStringLiteral(" class=phtext_white")
                + QStringLiteral(" style=\"width:240;background-color:#0040AA\"")
                + QStringLiteral(" onchange=\"javascript:selectindex(this)\">"));
        page.Add(2, QStringLiteral("<option value=''>"));
        if (mapping.Count() == 0) {
            // The option stays open: the list's end closes it.
            page.Add(0, Html::Text(lang.HG[52]));
        } else {
            page.Add(0, Html::Text(lang.HG[51]));
            page.Add(2, QStringLiteral("</option>"));
            for (int k = 1; k <= mapping.Count(); ++k) {
                page.Add(2,
                    QStringLiteral("<option value='") + prefix + QStringLiteral("s/") + prefix
                        + QString::number(k) + QStringLiteral("/ThumbnailFrame.htm") + QStringLiteral("'>"));
                page.Add(4, Html::Text(mapping.Item(k - 1)->Name));
                page.Add(2, QStringLiteral("</option>"));
            }
        }
        page.Add(2, QStringLiteral("</select>"));
        page.Add(0, QStringLiteral("</td></tr>"));
        page.Add(0, QStringLiteral("<tr height=20><td></td></tr>"));
        page.Add(0, QString());
    }

} // namespace

QString ProductWebSite()
{
    return QStringLiteral("http://www.tavrimolex.com/");
}

QString ProductHostName()
{
    return QStringLiteral("www.tavrimolex.com");
}

QStringList IndexPage(const QString& topSource, const QString& listSource, const QString& firstGroupSource)
{
    TFramedPage page;
    page.AddHead();
    page.Add(4,
        QStringLiteral("<meta name=description content=\"") + Html::AttrDq(Language()->Title)
            + QStringLiteral(" - The Photo Organizer\">"));
    page.Add({
        { 4,
            u"<meta name=keywords content=\"tavrimolex, photo viewer, albums, album, photos, photo, "
            u"organize, "
            u"collection, internet, label, labeling, information, store, generate, upload, download\">" },
        { 2, u"</head>" },
        { 2, u"<frameset rows=\"40,*\" border=0 framespacing=0 frameborder=0>" },
    });
    page.Add(4,
        QStringLiteral(
            "<frame name=\"webview_top\"      target=\"webview_top\" scrolling=\"no\" noresize src=\"")
            + Html::AttrDq(Html::Url(topSource)) + QStringLiteral("\">"));
    page.Add(4, QStringLiteral("<frameset cols=\"250,*\" border=0 framespacing=0 frameborder=0>"));
    page.Add(6,
        QStringLiteral("<frame name=\"webview_left\"  target=\"webview_left\" src=\"")
            + Html::AttrDq(Html::Url(listSource)) + QStringLiteral("\">"));
    page.Add(6,
        QStringLiteral("<frame name=\"webview_right\" target=\"webview_right\" src=\"")
            + Html::AttrDq(Html::Url(firstGroupSource)) + QStringLiteral("\">"));
    page.Add(4, QStringLiteral("</frameset>"));
    page.AddNoFrames();
    page.Add(0, QStringLiteral("</html>"));
    return page.Lines;
}

QStringList TopPage(const QString& title)
{
    TFramedPage page;
    page.AddFrameHead(StyleLink, IndexFromHtml);
    page.Add({
        { 2, u"</head>" },
        { 2, u"<body bgcolor=#0040AA>" },
        { 5, u"<table cellpadding=0 cellspacing=0 border=0 width=1000>" },
        { 7, u"<tr height=1>" },
        { 9, u"<td width=1000 bgcolor=#FFFFFF>" },
        { 9, u"</td>" },
        { 7, u"</tr>" },
        { 7, u"<tr height=30>" },
        { 9, u"<td width=1000>" },
        { 12, u"<table cellpadding=0 cellspacing=0 border=0 width=1000>" },
        { 14, u"<tr height=30>" },
        { 16, u"<td width=1 bgcolor=#FFFFFF></td>" },
        { 16, u"<td width=700 bgcolor=#0040AA class=phtext_topheading>" },
    });
    page.Add(10, QStringLiteral("&nbsp;") + Html::Text(title));
    page.Add({
        { 16, u"</td>" },
        { 16, u"<td align=right width=298 bgcolor=#0040AA class=phtext_topheading>" },
    });
    page.Add(16,
        QStringLiteral("<a href=\"") + ProductWebSite()
            + QStringLiteral("\" class=\"small_white_link\" target=\"_blank\">") + ProductHostName()
            + QStringLiteral("</a>&nbsp;"));
    page.Add({
        { 16, u"</td>" },
        { 16, u"<td width=1 bgcolor=#FFFFFF></td>" },
        { 14, u"</tr>" },
        { 12, u"</table>" },
        { 9, u"</td>" },
        { 7, u"</tr>" },
        { 7, u"<tr height=1 valign=top>" },
        { 9, u"<td width=1000 bgcolor=#FFFFFF>" },
        { 9, u"</td>" },
        { 7, u"</tr>" },
        { 5, u"</table>" },
        { 2, u"</body>" },
        { 0, u"</html>" },
    });
    return page.Lines;
}

QStringList ListPage(const std::array<TPhotoMapping, PhotoCategoryCount>& mappings)
{
    const TLanguageSelector& lang = *Language();
    TFramedPage page;
    page.AddFrameHead(StyleLink, IndexFromHtml, true);
    page.Add({
        { 4, u"<script>" },
        { 6, u"function resetlist(list)" },
        { 6, u"{" },
        { 8, u"list.size=1;" },
        { 8, u"list.selectedIndex = 0;" },
        { 6, u"}" },
        { 0, u"" },
        { 6, u"function selectindex(element)" },
        { 6, u"{" },
    });
    for (const TPhotoMapping& mapping : mappings) {
        page.Add(8, QStringLiteral("if (element != document.forms[0].") + mapping.Prefix + u')');
        page.Add(10, QStringLiteral("resetlist(document.forms[0].") + mapping.Prefix + QStringLiteral(");"));
    }
    page.Add({
        { 8, u"if (element.length < 10)" },
        { 10, u"element.size=element.length;" },
        { 8, u"else" },
        { 10, u"element.size=10;" },
        { 8, u"if (element.value != '')" },
        { 11, u"parent.webview_right.location.href=element.value;" },
        { 6, u"}" },
        { 6, u"function init()" },
        { 6, u"{" },
        { 8, u"document.forms[0].album.selectedIndex = 1;" },
        { 8, u"selectindex(document.forms[0].album);" },
        { 6, u"}" },
        { 4, u"</script>" },
        { 2, u"</head>" },
        { 2, u"<body bgcolor=#22007B>" },
        { 4, u"<form>" },
        { 6, u"<table cellpadding=0 cellspacing=0 border=0 width=240>" },
        { 9, u"<tr height=30><td></td></tr>" },
    });
    for (int category = 0; category < PhotoCategoryCount; ++category) {
        WriteListHeading(page, lang.HG[size_t(25 + category)]);
        WriteCategoryList(page, mappings[size_t(category)]);
    }
    page.Add({
        { 6, u"</table>" },
        { 6, u"<script>" },
        { 8, u"init();" },
        { 6, u"</script>" },
        { 4, u"</form>" },
        { 2, u"</body>" },
        { 0, u"</html>" },
    });
    return page.Lines;
}

} // namespace Framed
