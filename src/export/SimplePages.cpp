// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/SimplePages.h"

#include "export/HtmlEscape.h"
#include "language/LanguageSelector.h"
#include "platform/TextUtil.h"

#include <utility>

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

TSimplePages::TSimplePages(TLayout layout)
    : m_layout(std::move(layout))
    , m_widthText(Num(m_layout.WindowWidth))
    , m_heightText(Num(m_layout.WindowHeight))
{
}

QStringList TSimplePages::Head()
{
    return {
        QStringLiteral("<html>"),
        QStringLiteral("  <head>"),
        QStringLiteral("    <title>Tavrimolex Photo Viewer - ") + Html::Text(Language()->Title)
            + QStringLiteral("</title>"),
        QStringLiteral("    <meta http-equiv=\"Pragma\" content=\"no-cache\">"),
        QStringLiteral("    <meta http-equiv=\"Expires\" content=\"Mon, 06 Jan 1990 00:00:01 GMT\">"),
        QStringLiteral("    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"),
        QStringLiteral("    <meta http-equiv=\"Cache-Control\" content=\"no-cache\">"),
    };
}

QStringList TSimplePages::FrameHead(const QStringList& scripts)
{
    QStringList lines = Head();
    lines << QStringLiteral("    <link href=\"../css/tavrimolex.css\" type=text/css rel=stylesheet>");
    lines << scripts;
    lines << QStringLiteral("  </head>");
    lines << QStringLiteral("  <body background=\"../photos/background.jpg\">");
    return lines;
}

QStringList TSimplePages::StyleSheet()
{
    const QString fontFamily = QStringLiteral("   font-family: Arial, Verdana, Helvetica, sans-serif;");
    return {
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
    };
}

QStringList TSimplePages::IndexPage(const QString& albumName, const QString& albumDescription) const
{
    QStringList page = Head();
    page << QStringLiteral("    <link href=\"css/tavrimolex.css\" type=text/css rel=stylesheet>");
    page << QStringList {
        QStringLiteral("    <script>"),
        QStringLiteral("       function showphotos()"),
        QStringLiteral("       {"),
        QStringLiteral("          nheight = ") + Num(m_layout.WindowHeight + 110) + u';',
        QStringLiteral("          nwidth = ") + Num(m_layout.WindowWidth) + u';',
        QStringLiteral("          ntop  = (screen.height - nheight)/2-20;"),
        QStringLiteral("          nleft = (screen.width - nwidth)/2;"),
        QStringLiteral("          window.open(\"html/photo1.htm\", \"\", "
                       "\"height=\"+nheight+\",width=\"+nwidth+\",top=\"+ntop+\",left=\"+nleft);"),
        QStringLiteral("       }"),
        QStringLiteral("    </script>"),
        QStringLiteral("  </head>"),
        QStringLiteral("  <body>"),
        QStringLiteral("    <center>"),
    };

    if (!albumName.isEmpty()) {
        page << QStringLiteral("      <br><br><br><br><br><br><br>");
        page << QStringLiteral("      <span class=\"title\">") + Html::Text(albumName)
                + QStringLiteral("</span>");
        page << QStringLiteral("      <br><br>");
        if (!albumDescription.isEmpty()) {
            page << QStringLiteral("      <span class=\"description\">") + Html::Text(albumDescription)
                    + QStringLiteral("</span>");
            page << QStringLiteral("      <br><br>");
        }
    } else {
        page << QStringLiteral("      <br><br><br><br><br><br><br><br><br><br><br><br>");
    }

    page << QStringList {
        QStringLiteral("      <a class=\"link\" href=\"javascript:showphotos()\">"),
        QStringLiteral("        ") + Html::Text(Language()->HG[56]),
        QStringLiteral("      </a>"),
        QStringLiteral("    </center>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    };
    return page;
}

QStringList TSimplePages::PhotoFrameset(int number) const
{
    const QString n = Num(number);
    const QString scrolling = m_layout.DontResize ? QStringLiteral("yes") : QStringLiteral("no");
    QStringList page = Head();
    page << QStringList {
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
    };
    return page;
}

QStringList TSimplePages::PhotoTopPage(int number, const QString& albumName) const
{
    const QString n = Num(number);
    const QString table = QStringLiteral("      <table width=") + m_widthText
        + QStringLiteral(" height=20 border=0 cellspacing=0 cellpadding=0 class=description bgcolor=white>");
    QStringList page = FrameHead();
    page << QStringList {
        QStringLiteral("   <form name=photo_top>"),
        table,
        QStringLiteral("        <tr height=20>"),
        QStringLiteral("          <td>&nbsp;") + Html::Text(m_layout.Title),
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
        QStringLiteral("          <td align=center width=") + Num(m_layout.WindowWidth - 100) + u'>',
        QStringLiteral("            &nbsp;Album: ") + Html::Text(albumName),
        QStringLiteral("          </td>"),
        QStringLiteral("          <td width=50 align=right>"),
        QStringLiteral("            &nbsp;") + n + u'/' + Num(m_layout.PhotoCount) + QStringLiteral("&nbsp;"),
        QStringLiteral("          </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("        <tr height=1>"),
        QStringLiteral("          <td colspan=3 width=") + m_widthText
            + QStringLiteral(" bgcolor=black></td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("   </form>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    };
    return page;
}

QStringList TSimplePages::PhotoContentsPage(int number, const QString& description) const
{
    const QString n = Num(number);
    QStringList page = FrameHead();
    page << QStringList {
        QStringLiteral("   <form name=photo>"),
        QStringLiteral("      <table width=") + m_widthText + QStringLiteral(" height=") + m_heightText
            + QStringLiteral(" border=0 cellspacing=0 cellpadding=0>"),
        QStringLiteral("        <tr valign=top height=") + Num(m_layout.WindowHeight - 40) + u'>',
        QStringLiteral("          <td align=center colspan=3><br>"),
        QStringLiteral("            <img src=\"../photos/photo") + n + QStringLiteral(".jpg\" border=0>"),
        QStringLiteral("          </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("      <table width=") + m_widthText
            + QStringLiteral(" height=30 border=0 cellspacing=0 cellpadding=0 class=description>"),
        QStringLiteral("        <tr valign=center height=20>"),
        QStringLiteral("          <td align=center>"),
        QStringLiteral("            <center>"),
        QStringLiteral("              ") + Html::Text(Text::Trim(description)),
        QStringLiteral("            </center>"),
        QStringLiteral("          </td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("   </form>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    };
    return page;
}

QStringList TSimplePages::PhotoBottomPage(int number, int count) const
{
    const TLanguageSelector& lang = *Language();
    const int total = m_layout.PhotoCount;
    const int previous = number == 1 ? total : number - 1;
    const int next = number < total ? number + 1 : 1;
    const QString show = QStringLiteral("(%1,%2)").arg(number).arg(total);
    const QString dot = QStringLiteral("<img name=progress%1 src=\"../images/phslideslow_unselected.jpg\"");

    QStringList page = FrameHead(
        { QStringLiteral("    <script language=\"JavaScript\" src=\"../script/timer.js\"></script>") });
    page << QStringList {
        QStringLiteral("   <form name=photo>"),
        QStringLiteral("      <table width=") + m_widthText
            + QStringLiteral(" height=40 border=0 cellspacing=0 cellpadding=0 bgcolor=white>"),
        QStringLiteral("        <tr height=1>"),
        QStringLiteral("          <td width=") + m_widthText + QStringLiteral(" bgcolor=black></td>"),
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
    };
    if (count == 0 && m_layout.StartSlideShow)
        page << QStringLiteral("   Start(1, ") + Num(total) + QStringLiteral(");");
    page << QStringList {
        QStringLiteral("  </script>"),
        QStringLiteral("  </body>"),
        QStringLiteral("</html>"),
    };
    return page;
}
