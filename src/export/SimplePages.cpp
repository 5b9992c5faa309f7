// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HTMLGeneratorSimple.h"

#include "export/HtmlEscape.h"
#include "export/PageWriter.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"

// The style sheet, the start page and the four pages of every photo. Text
// the user typed (titles, album names, descriptions) and the language texts
// are escaped for where they stand; everything else is written as it is.

namespace {

// The address behind the product name in every photo's top bar.
const QString ProductWebSite = QStringLiteral("http://www.tavrimolex.com/");

QString Num(int value)
{
    return QString::number(value);
}

// One navigation button of the bottom bar.
QString Button(const QString& name, const QString& caption, const QString& onClick, const QString& extra = {})
{
    return QStringLiteral("              <input class=\"button\" name=") + name
        + QStringLiteral(" type=button value=\"") + Html::AttrDq(caption) + QStringLiteral("\" onclick=\"")
        + onClick + u'"' + extra + QStringLiteral(">&nbsp;");
}

QString GoTo(int number)
{
    return QStringLiteral("top.parent.location.href='photo%1.htm'").arg(number);
}

} // namespace

void THTMLGeneratorSimple::WriteHead(TPageWriter& page) const
{
    page.Line(QStringLiteral("<html>"));
    page.Line(QStringLiteral("  <head>"));
    page.Line(QStringLiteral("    <title>Tavrimolex Photo Viewer - ") + Html::Text(Language()->Title)
        + QStringLiteral("</title>"));
    page.Line(QStringLiteral("    <meta http-equiv=\"Pragma\" content=\"no-cache\">"));
    page.Line(QStringLiteral("    <meta http-equiv=\"Expires\" content=\"Mon, 06 Jan 1990 00:00:01 GMT\">"));
    page.Line(
        QStringLiteral("    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"));
    page.Line(QStringLiteral("    <meta http-equiv=\"Cache-Control\" content=\"no-cache\">"));
}

void THTMLGeneratorSimple::WriteFrameHead(TPageWriter& page, const QStringList& scripts) const
{
    WriteHead(page);
    page.Line(QStringLiteral("    <link href=\"../css/tavrimolex.css\" type=text/css rel=stylesheet>"));
    page.Lines(scripts);
    page.Line(QStringLiteral("  </head>"));
    page.Line(QStringLiteral("  <body background=\"../photos/background.jpg\">"));
}

bool THTMLGeneratorSimple::WriteStyleSheet()
{
    CssFile = CssFolder + QStringLiteral("tavrimolex.css");
    TPageWriter css(CssFile);
    const QString fontFamily = QStringLiteral("   font-family: Arial, Verdana, Helvetica, sans-serif;");
    css.Lines({
        QStringLiteral(".description  {"),
        fontFamily,
        QStringLiteral("   font-size: 10px;"),
        QStringLiteral("   color: black;"),
        QStringLiteral("   text-decoration: none;"),
        QStringLiteral("   font-weight: normal;"),
        QStringLiteral("}"),
        QStringLiteral(".title  {"),
        fontFamily,
        QStringLiteral("   font-size: 10px;"),
        QStringLiteral("   color: black;"),
        QStringLiteral("   text-decoration: bold;"),
        QStringLiteral("   font-weight: normal;"),
        QStringLiteral("}"),
        QStringLiteral(".link {"),
        QStringLiteral("   font-family: arial;"),
        QStringLiteral("   font-size: 10px;"),
        QStringLiteral("   color: black;"),
        QStringLiteral("   text-decoration: underline;"),
        QStringLiteral("   font-weight: normal;"),
        QStringLiteral("}"),
        QStringLiteral(".button  {"),
        QStringLiteral("font-family: Arial, Verdana, Helvetica, sans-serif;"),
        QStringLiteral("font-size: 9px;"),
        QStringLiteral("color: black;"),
        QStringLiteral("text-decoration: none;"),
        QStringLiteral("font-weight: normal;"),
        QStringLiteral("}"),
        QStringLiteral("body {"),
        QStringLiteral("   margin-top:0;"),
        QStringLiteral("   margin-left:0;"),
        QStringLiteral("   margin-right:0;"),
        QStringLiteral("   margin-bottom:0;"),
        QStringLiteral("   background-color:white;"),
        QStringLiteral("   link:#000080;"),
        QStringLiteral("   vlink:#000080;"),
        QStringLiteral("   alink:#000080;"),
        QStringLiteral("}"),
    });
    css.Close();
    AddRemark(Text::Format(Language()->HG[22], { CssFile }));
    return true;
}

bool THTMLGeneratorSimple::WriteIndexPage()
{
    IndexFile = RootFolder + QStringLiteral("index.htm");
    TPageWriter page(IndexFile);
    WriteHead(page);
    page.Line(QStringLiteral("    <link href=\"css/tavrimolex.css\" type=text/css rel=stylesheet>"));
    page.Lines({
        QStringLiteral("    <script>"),
        QStringLiteral("       function showphotos()"),
        QStringLiteral("       {"),
        QStringLiteral("          nheight = ") + Num(WindowHeight + 110) + u';',
        QStringLiteral("          nwidth = ") + Num(WindowWidth) + u';',
        QStringLiteral("          ntop  = (screen.height - nheight)/2-20;"),
        QStringLiteral("          nleft = (screen.width - nwidth)/2;"),
        QStringLiteral("          window.open(\"html/photo1.htm\", \"\", "
                       "\"height=\"+nheight+\",width=\"+nwidth+\",top=\"+ntop+\",left=\"+nleft);"),
        QStringLiteral("       }"),
        QStringLiteral("    </script>"),
        QStringLiteral("  </head>"),
        QStringLiteral("  <body>"),
        QStringLiteral("    <center>"),
    });

    QString name;
    QString description;
    if (Albums.size() == 1) {
        name = Text::Trim(Albums.front()->GetName());
        description = Text::Trim(Albums.front()->GetDescription());
    }
    if (!name.isEmpty()) {
        page.Line(QStringLiteral("      <br><br><br><br><br><br><br>"));
        page.Line(
            QStringLiteral("      <span class=\"title\">") + Html::Text(name) + QStringLiteral("</span>"));
        page.Line(QStringLiteral("      <br><br>"));
        if (!description.isEmpty()) {
            page.Line(QStringLiteral("      <span class=\"description\">") + Html::Text(description)
                + QStringLiteral("</span>"));
            page.Line(QStringLiteral("      <br><br>"));
        }
    } else {
        page.Line(QStringLiteral("      <br><br><br><br><br><br><br><br><br><br><br><br>"));
    }

    page.Lines({
        QStringLiteral("      <a class=\"link\" href=\"javascript:showphotos()\">"),
        QStringLiteral("        ") + Html::Text(Language()->HG[56]),
        QStringLiteral("      </a>"),
        QStringLiteral("    </center>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    });
    page.Close();
    AddRemark(Text::Format(Language()->HG[23], { IndexFile }));
    return true;
}

bool THTMLGeneratorSimple::WritePhotoFrameset(const TPhoto& photo)
{
    const QString n = Num(photo.GetHtmlNumber());
    const QString scrolling = Options().DontResize ? QStringLiteral("yes") : QStringLiteral("no");
    TPageWriter page(PageName(photo, QString()));
    WriteHead(page);
    page.Lines({
        QStringLiteral("  </head>"),
        QStringLiteral("  <frameset rows=\"41,*,40\" border=0 framespacing=0 frameborder=0>"),
        QStringLiteral("    <frame name=top    scrolling=\"no\" noresize target=\"_parent\"  src=\"photo") + n
            + QStringLiteral("_top.htm\">"),
        QStringLiteral("    <frame name=middle scrolling=\"") + scrolling
            + QStringLiteral("\" noresize target=\"_parent\"  src=\"photo") + n
            + QStringLiteral("_contents.htm\">"),
        QStringLiteral("    <frame name=bottom scrolling=\"no\" noresize target=\"_parent\"  src=\"photo") + n
            + QStringLiteral("_bottom.htm\">"),
        QStringLiteral("  </frameset>"),
        QStringLiteral("</html>"),
    });
    page.Close();
    return true;
}

bool THTMLGeneratorSimple::WritePhotoTopPage(const TAlbum& album, const TPhoto& photo)
{
    const QString n = Num(photo.GetHtmlNumber());
    const QString table = QStringLiteral("      <table width=") + WindowWidthText
        + QStringLiteral(" height=20 border=0 cellspacing=0 cellpadding=0 class=description bgcolor=white>");
    TPageWriter page(PageName(photo, QStringLiteral("_top")));
    WriteFrameHead(page);
    page.Lines({
        QStringLiteral("   <form name=photo_top>"),
        table,
        QStringLiteral("        <tr height=20>"),
        QStringLiteral("          <td>&nbsp;") + Html::Text(Options().Title),
        QStringLiteral("          </td>"),
        QStringLiteral("          <td align=right>"),
        QStringLiteral("            <a class=link target=\"_blank\" href=\"") + Html::AttrDq(ProductWebSite)
            + QStringLiteral("\">tavrimolex 2005</a>&nbsp;"),
        QStringLiteral("          </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        table,
        QStringLiteral("        <tr height=19>"),
        QStringLiteral("          <td width=50>"),
        QStringLiteral("            &nbsp;Photo") + n + QStringLiteral(".jpg"),
        QStringLiteral("          </td>"),
        QStringLiteral("          <td align=center width=") + Num(WindowWidth - 100) + u'>',
        QStringLiteral("            &nbsp;Album: ") + Html::Text(album.GetName()),
        QStringLiteral("          </td>"),
        QStringLiteral("          <td width=50 align=right>"),
        QStringLiteral("            &nbsp;") + n + u'/' + Num(GetFlaggedPhotoCount())
            + QStringLiteral("&nbsp;"),
        QStringLiteral("          </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("        <tr height=1>"),
        QStringLiteral("          <td colspan=3 width=") + WindowWidthText
            + QStringLiteral(" bgcolor=black></td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("   </form>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    });
    page.Close();
    return true;
}

bool THTMLGeneratorSimple::WritePhotoContentsPage(const TPhoto& photo)
{
    const QString n = Num(photo.GetHtmlNumber());
    TPageWriter page(PageName(photo, QStringLiteral("_contents")));
    WriteFrameHead(page);
    page.Lines({
        QStringLiteral("   <form name=photo>"),
        QStringLiteral("      <table width=") + WindowWidthText + QStringLiteral(" height=")
            + WindowHeightText + QStringLiteral(" border=0 cellspacing=0 cellpadding=0>"),
        QStringLiteral("        <tr valign=top height=") + Num(WindowHeight - 40) + u'>',
        QStringLiteral("          <td align=center colspan=3><br>"),
        QStringLiteral("            <img src=\"../photos/photo") + n + QStringLiteral(".jpg\" border=0>"),
        QStringLiteral("          </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("      <table width=") + WindowWidthText
            + QStringLiteral(" height=30 border=0 cellspacing=0 cellpadding=0 class=description>"),
        QStringLiteral("        <tr valign=center height=20>"),
        QStringLiteral("          <td align=center>"),
        QStringLiteral("            <center>"),
        QStringLiteral("              ") + Html::Text(Text::Trim(photo.GetDescription())),
        QStringLiteral("            </center>"),
        QStringLiteral("          </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("   </form>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    });
    page.Close();
    return true;
}

bool THTMLGeneratorSimple::WritePhotoBottomPage(const TPhoto& photo, int count)
{
    const TLanguageSelector& lang = *Language();
    const int number = photo.GetHtmlNumber();
    const int total = GetFlaggedPhotoCount();
    const int previous = number == 1 ? total : number - 1;
    const int next = number < total ? number + 1 : 1;
    const QString show = QStringLiteral("(%1,%2)").arg(number).arg(total);
    const QString dot = QStringLiteral("<img name=progress%1 src=\"../images/phslideslow_unselected.jpg\"");

    TPageWriter page(PageName(photo, QStringLiteral("_bottom")));
    WriteFrameHead(
        page, { QStringLiteral("    <script language=\"JavaScript\" src=\"../script/timer.js\"></script>") });
    page.Lines({
        QStringLiteral("   <form name=photo>"),
        QStringLiteral("      <table width=") + WindowWidthText
            + QStringLiteral(" height=40 border=0 cellspacing=0 cellpadding=0 bgcolor=white>"),
        QStringLiteral("        <tr height=1>"),
        QStringLiteral("          <td width=") + WindowWidthText + QStringLiteral(" bgcolor=black></td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("        <tr height=39 valign=center>"),
        QStringLiteral("           <td align=center>"),
        Button(QStringLiteral("first"), lang.HG[57], GoTo(1)),
        Button(QStringLiteral("last"), lang.HG[58], GoTo(total)),
        Button(QStringLiteral("previous"), lang.HG[59], GoTo(previous)),
        Button(QStringLiteral("next"), lang.HG[60], GoTo(next)),
        Button(QStringLiteral("start"), lang.HG[63], QStringLiteral("javascript:Start") + show),
        Button(QStringLiteral("stop"), lang.HG[64], QStringLiteral("javascript:Stop()"),
            QStringLiteral(" disabled=true")),
        Button(QStringLiteral("random"), lang.HG[66], QStringLiteral("javascript:Random") + show),
        QStringLiteral("              ") + dot.arg(1) + QStringLiteral(" hidden=true>&nbsp;") + dot.arg(2)
            + QStringLiteral(">&nbsp;") + dot.arg(3) + QStringLiteral(">&nbsp;") + dot.arg(4) + u'>',
        QStringLiteral("           </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("   </form>"),
        QStringLiteral("   <script>"),
        QStringLiteral("      autostart_slideshow();"),
    });
    if (count == 0 && Options().StartSlideShow)
        page.Line(QStringLiteral("   Start(1, ") + Num(total) + QStringLiteral(");"));
    page.Lines({
        QStringLiteral("  </script>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    });
    page.Close();
    return true;
}
