// SPDX-License-Identifier: GPL-2.0-or-later
// The pages of the photo-by-photo site, compared byte for byte with what a
// browser is given.
#include "export/HTMLGeneratorSimple.h"
#include "export/SimpleTimerScript.h"

#include "ExportTestSupport.h"
#include "FakeExportReporter.h"
#include "language/LanguageSelector.h"
#include "platform/TextUtil.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class SimplePages : public GeneratorTest<THTMLGeneratorSimple> {
protected:
    void SetUp() override
    {
        GeneratorTest::SetUp();
        options.PhotoWidth = 580;
        options.PhotoHeight = 360;
        options.JpegQuality = 80;
        options.Title = QStringLiteral("Our walks");
        options.Background.Image = Filled(8, 8, Qt::white);
        m_savedTitle = Language()->Title;
        Language()->Title = QStringLiteral("Tavrimolex 2005");
    }

    void TearDown() override { Language()->Title = m_savedTitle; }

    // An album file "<name>.tvx" of JPEGs "<name>-<k>.jpg" described as given.
    QString Album(const QString& name, const QStringList& descriptions, const QString& albumDescription = {})
    {
        std::vector<PhotoSpec> photos;
        for (qsizetype k = 0; k < descriptions.size(); ++k) {
            const QString file = QStringLiteral("%1-%2.jpg").arg(name).arg(k + 1);
            WriteJpeg(Photos() + file, 32, 24);
            photos.push_back({ file, descriptions[k] });
        }
        return GeneratorTest::Album(name, photos, albumDescription);
    }

    void Generate(const QStringList& albums)
    {
        ASSERT_TRUE(Run(albums).Generate());
        ASSERT_TRUE(reporter.prompts.empty());
    }

    // The file with its CR LF line ends made "\n"; fails the test on a bare LF.
    QString Page(const QString& relative) const
    {
        QFile file(Out() + relative);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.endsWith("\r\n")) << relative.toStdString();
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << relative.toStdString();
        return QString::fromLatin1(QByteArray(bytes).replace("\r\n", "\n"));
    }

private:
    QString m_savedTitle;
};

const QString Head = QStringLiteral(R"page(<html>
  <head>
    <title>Tavrimolex Photo Viewer - Tavrimolex 2005</title>
    <meta http-equiv="Pragma" content="no-cache">
    <meta http-equiv="Expires" content="Mon, 06 Jan 1990 00:00:01 GMT">
    <meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
    <meta http-equiv="Cache-Control" content="no-cache">
)page");

} // namespace

TEST_F(SimplePages, ASinglePhotoSiteLinksToPhotoOneEverywhere)
{
    Generate(
        { Album(QStringLiteral("Walk"), { QStringLiteral("The bridge") }, QStringLiteral("Sunday walk")) });

    EXPECT_EQ(Page(QStringLiteral("index.htm")),
        Head + QStringLiteral(R"page(    <link href="css/tavrimolex.css" type=text/css rel=stylesheet>
    <script>
       function showphotos()
       {
          nheight = 490;
          nwidth = 600;
          ntop  = (screen.height - nheight)/2-20;
          nleft = (screen.width - nwidth)/2;
          window.open("html/photo1.htm", "", "height="+nheight+",width="+nwidth+",top="+ntop+",left="+nleft);
       }
    </script>
  </head>
  <body>
    <center>
      <br><br><br><br><br><br><br>
      <span class="title">Walk</span>
      <br><br>
      <span class="description">Sunday walk</span>
      <br><br>
      <a class="link" href="javascript:showphotos()">
        Click here.
      </a>
    </center>
  </body>
</html>
)page"));

    EXPECT_EQ(Page(QStringLiteral("html/photo1.htm")), Head + QStringLiteral(R"page(  </head>
  <frameset rows="41,*,40" border=0 framespacing=0 frameborder=0>
    <frame name=top    scrolling="no" noresize target="_parent"  src="photo1_top.htm">
    <frame name=middle scrolling="no" noresize target="_parent"  src="photo1_contents.htm">
    <frame name=bottom scrolling="no" noresize target="_parent"  src="photo1_bottom.htm">
  </frameset>
</html>
)page"));

    const QString bodyOpening
        = QStringLiteral(R"page(    <link href="../css/tavrimolex.css" type=text/css rel=stylesheet>
  </head>
  <body background="../photos/background.jpg">
)page");
    EXPECT_EQ(Page(QStringLiteral("html/photo1_top.htm")),
        Head + bodyOpening + QStringLiteral(R"page(   <form name=photo_top>
      <table width=600 height=20 border=0 cellspacing=0 cellpadding=0 class=description bgcolor=white>
        <tr height=20>
          <td>&nbsp;Our walks
          </td>
          <td align=right>
            <a class=link target="_blank" href="http://www.tavrimolex.com/">tavrimolex 2005</a>&nbsp;
          </td>
        </tr>
      </table>
      <table width=600 height=20 border=0 cellspacing=0 cellpadding=0 class=description bgcolor=white>
        <tr height=19>
          <td width=50>
            &nbsp;Photo1.jpg
          </td>
          <td align=center width=500>
            &nbsp;Album: Walk
          </td>
          <td width=50 align=right>
            &nbsp;1/1&nbsp;
          </td>
        </tr>
        <tr height=1>
          <td colspan=3 width=600 bgcolor=black></td>
        </tr>
      </table>
   </form>
  </body>
</html>
)page"));

    EXPECT_EQ(Page(QStringLiteral("html/photo1_contents.htm")),
        Head + bodyOpening + QStringLiteral(R"page(   <form name=photo>
      <table width=600 height=380 border=0 cellspacing=0 cellpadding=0>
        <tr valign=top height=340>
          <td align=center colspan=3><br>
            <img src="../photos/photo1.jpg" border=0>
          </td>
        </tr>
      </table>
      <table width=600 height=30 border=0 cellspacing=0 cellpadding=0 class=description>
        <tr valign=center height=20>
          <td align=center>
            <center>
              The bridge
            </center>
          </td>
        </tr>
      </table>
   </form>
  </body>
</html>
)page"));

    EXPECT_EQ(Page(QStringLiteral("html/photo1_bottom.htm")),
        Head + QStringLiteral(R"page(    <link href="../css/tavrimolex.css" type=text/css rel=stylesheet>
    <script language="JavaScript" src="../script/timer.js"></script>
  </head>
  <body background="../photos/background.jpg">
   <form name=photo>
      <table width=600 height=40 border=0 cellspacing=0 cellpadding=0 bgcolor=white>
        <tr height=1>
          <td width=600 bgcolor=black></td>
        </tr>
        <tr height=39 valign=center>
           <td align=center>
              <input class="button" name=first type=button value="first" onclick="top.parent.location.href='photo1.htm'">&nbsp;
              <input class="button" name=last type=button value="last" onclick="top.parent.location.href='photo1.htm'">&nbsp;
              <input class="button" name=previous type=button value="&lt;&lt; previous" onclick="top.parent.location.href='photo1.htm'">&nbsp;
              <input class="button" name=next type=button value="next &gt;&gt;" onclick="top.parent.location.href='photo1.htm'">&nbsp;
              <input class="button" name=start type=button value="Start slide show" onclick="javascript:Start(1,1)">&nbsp;
              <input class="button" name=stop type=button value="Stop" onclick="javascript:Stop()" disabled=true>&nbsp;
              <input class="button" name=random type=button value="Random" onclick="javascript:Random(1,1)">&nbsp;
              <img name=progress1 src="../images/phslideslow_unselected.jpg" hidden=true>&nbsp;<img name=progress2 src="../images/phslideslow_unselected.jpg">&nbsp;<img name=progress3 src="../images/phslideslow_unselected.jpg">&nbsp;<img name=progress4 src="../images/phslideslow_unselected.jpg">
           </td>
        </tr>
      </table>
   </form>
   <script>
      autostart_slideshow();
  </script>
  </body>
</html>
)page"));
}

TEST_F(SimplePages, TheStyleSheetHasItsFiveRuleBlocks)
{
    Generate({ Album(QStringLiteral("Walk"), { QString() }) });
    EXPECT_EQ(Page(QStringLiteral("css/tavrimolex.css")), QStringLiteral(R"page(.description  {
   font-family: Arial, Verdana, Helvetica, sans-serif;
   font-size: 10px;
   color: black;
   text-decoration: none;
   font-weight: normal;
}
.title  {
   font-family: Arial, Verdana, Helvetica, sans-serif;
   font-size: 10px;
   color: black;
   text-decoration: bold;
   font-weight: normal;
}
.link {
   font-family: arial;
   font-size: 10px;
   color: black;
   text-decoration: underline;
   font-weight: normal;
}
.button  {
font-family: Arial, Verdana, Helvetica, sans-serif;
font-size: 9px;
color: black;
text-decoration: none;
font-weight: normal;
}
body {
   margin-top:0;
   margin-left:0;
   margin-right:0;
   margin-bottom:0;
   background-color:white;
   link:#000080;
   vlink:#000080;
   alink:#000080;
}
)page"));
    EXPECT_TRUE(reporter.remarks.contains(Text::Format(Language()->HG[22], { generator.CssFile })));
    EXPECT_TRUE(reporter.remarks.contains(Text::Format(Language()->HG[23], { generator.IndexFile })));
}

TEST_F(SimplePages, SeveralAlbumsNumberOnAndWrapRound)
{
    const QString first = Album(QStringLiteral("Spring"), { QStringLiteral("a"), QStringLiteral("b") });
    const QString second = Album(QStringLiteral("Autumn"), { QStringLiteral("c"), QStringLiteral("d") });
    Generate({ first, second });

    // No album name on the start page when there are several albums.
    const QString index = Page(QStringLiteral("index.htm"));
    EXPECT_TRUE(
        index.contains(QStringLiteral("    <center>\n      <br><br><br><br><br><br><br><br><br><br><br><br>\n"
                                      "      <a class=\"link\" href=\"javascript:showphotos()\">\n")));
    EXPECT_FALSE(index.contains(QStringLiteral("class=\"title\"")));

    struct Expected {
        int number;
        QString album;
        int previous;
        int next;
    };
    const Expected cases[] = {
        { 1, QStringLiteral("Spring"), 4, 2 },
        { 2, QStringLiteral("Spring"), 1, 3 },
        { 3, QStringLiteral("Autumn"), 2, 4 },
        { 4, QStringLiteral("Autumn"), 3, 1 },
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.number);
        const QString n = QString::number(e.number);
        const QString top = Page(QStringLiteral("html/photo%1_top.htm").arg(n));
        EXPECT_TRUE(top.contains(QStringLiteral("            &nbsp;Album: ") + e.album + u'\n'));
        EXPECT_TRUE(top.contains(QStringLiteral("            &nbsp;Photo") + n + QStringLiteral(".jpg\n")));
        EXPECT_TRUE(top.contains(QStringLiteral("            &nbsp;") + n + QStringLiteral("/4&nbsp;\n")));

        const QString bottom = Page(QStringLiteral("html/photo%1_bottom.htm").arg(n));
        const auto goesTo = [&bottom](const QString& button, const QString& caption, int target) {
            return bottom.contains(
                QStringLiteral("              <input class=\"button\" name=%1 type=button "
                               "value=\"%2\" onclick=\"top.parent.location.href='photo%3.htm'\">"
                               "&nbsp;\n")
                    .arg(button, caption)
                    .arg(target));
        };
        EXPECT_TRUE(goesTo(QStringLiteral("first"), QStringLiteral("first"), 1));
        EXPECT_TRUE(goesTo(QStringLiteral("last"), QStringLiteral("last"), 4));
        EXPECT_TRUE(goesTo(QStringLiteral("previous"), QStringLiteral("&lt;&lt; previous"), e.previous));
        EXPECT_TRUE(goesTo(QStringLiteral("next"), QStringLiteral("next &gt;&gt;"), e.next));
        EXPECT_TRUE(bottom.contains(QStringLiteral("javascript:Start(%1,4)").arg(n)));
        EXPECT_TRUE(bottom.contains(QStringLiteral("javascript:Random(%1,4)").arg(n)));

        const QString contents = Page(QStringLiteral("html/photo%1_contents.htm").arg(n));
        EXPECT_TRUE(
            contents.contains(QStringLiteral("<img src=\"../photos/photo") + n + QStringLiteral(".jpg\"")));
    }
}

TEST_F(SimplePages, OnlyTheFirstBottomPageStartsTheShowByItself)
{
    options.StartSlideShow = true;
    Generate(
        { Album(QStringLiteral("Walk"), { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") }) });
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        const QString bottom = Page(QStringLiteral("html/photo%1_bottom.htm").arg(n));
        EXPECT_TRUE(bottom.contains(QStringLiteral("   <script>\n      autostart_slideshow();\n")));
        EXPECT_EQ(bottom.contains(QStringLiteral("\n   Start(1, 3);\n  </script>\n")), n == 1);
        EXPECT_EQ(bottom.count(QStringLiteral("Start(1, ")), n == 1 ? 1 : 0);
    }
}

TEST_F(SimplePages, PhotosKeptAtTheirSizeScrollInTheMiddleFrame)
{
    options.DontResize = true;
    options.PhotoWidth = 700;
    options.PhotoHeight = 500;
    Generate({ Album(QStringLiteral("Walk"), { QStringLiteral("a") }) });
    EXPECT_TRUE(
        Page(QStringLiteral("html/photo1.htm"))
            .contains(QStringLiteral("    <frame name=middle scrolling=\"yes\" noresize target=\"_parent\"  "
                                     "src=\"photo1_contents.htm\">\n")));
    EXPECT_TRUE(Page(QStringLiteral("index.htm"))
                    .contains(QStringLiteral("nheight = 630;\n          nwidth = 720;\n")));
    const QString contents = Page(QStringLiteral("html/photo1_contents.htm"));
    EXPECT_TRUE(contents.contains(QStringLiteral("<table width=720 height=520 border=0")));
    EXPECT_TRUE(contents.contains(QStringLiteral("<tr valign=top height=480>")));
    EXPECT_TRUE(
        Page(QStringLiteral("html/photo1_top.htm")).contains(QStringLiteral("<td align=center width=620>")));
}

TEST_F(SimplePages, TypedTextCannotBreakThePage)
{
    options.Title = QStringLiteral("Tom & Jerry <script>alert(1)</script>");
    const QString album = Album(
        QStringLiteral("A&B <i>"), { QStringLiteral("x < y & \"z\"") }, QStringLiteral("<b>bold</b> & more"));
    Generate({ album });

    const QString index = Page(QStringLiteral("index.htm"));
    EXPECT_TRUE(index.contains(QStringLiteral("      <span class=\"title\">A&amp;B &lt;i&gt;</span>\n")));
    EXPECT_TRUE(index.contains(
        QStringLiteral("      <span class=\"description\">&lt;b&gt;bold&lt;/b&gt; &amp; more</span>\n")));

    const QString top = Page(QStringLiteral("html/photo1_top.htm"));
    EXPECT_TRUE(top.contains(
        QStringLiteral("          <td>&nbsp;Tom &amp; Jerry &lt;script&gt;alert(1)&lt;/script&gt;\n")));
    EXPECT_TRUE(top.contains(QStringLiteral("            &nbsp;Album: A&amp;B &lt;i&gt;\n")));
    EXPECT_FALSE(top.contains(QStringLiteral("<script>")));

    EXPECT_TRUE(Page(QStringLiteral("html/photo1_contents.htm"))
                    .contains(QStringLiteral("              x &lt; y &amp; \"z\"\n")));
}

TEST_F(SimplePages, LanguageTextsAreEscapedWhereTheyStand)
{
    // Translator files can hold any text.
    auto& lang = *Language();
    const QString savedNext = lang.HG[60];
    const QString savedClick = lang.HG[56];
    lang.HG[60] = QStringLiteral("go\" onclick=\"alert(1)");
    lang.HG[56] = QStringLiteral("<b>here</b>");
    lang.Title = QStringLiteral("T&T");
    Generate({ Album(QStringLiteral("Walk"), { QStringLiteral("a") }) });
    lang.HG[60] = savedNext;
    lang.HG[56] = savedClick;

    const QString bottom = Page(QStringLiteral("html/photo1_bottom.htm"));
    EXPECT_TRUE(bottom.contains(QStringLiteral("value=\"go&quot; onclick=&quot;alert(1)\" onclick=\"top.")));
    EXPECT_TRUE(bottom.contains(QStringLiteral("<title>Tavrimolex Photo Viewer - T&amp;T</title>")));
    EXPECT_TRUE(
        Page(QStringLiteral("index.htm")).contains(QStringLiteral("        &lt;b&gt;here&lt;/b&gt;\n")));
}

TEST_F(SimplePages, TheSlideShowScriptIsWrittenWithCrLfLines)
{
    Generate({ Album(QStringLiteral("Walk"), { QStringLiteral("a") }) });
    const QString script = Page(QStringLiteral("script/timer.js"));
    EXPECT_EQ(script, Simple::TimerScript());
    EXPECT_TRUE(script.startsWith(QStringLiteral("//")));
    EXPECT_TRUE(script.split(u'\n').at(1).isEmpty());
    EXPECT_TRUE(script.contains(QStringLiteral("var timerperiod = 4500;\n")));
    EXPECT_TRUE(script.contains(QStringLiteral("\"photo\" + newphotonr + \".htm?\" + query")));
    EXPECT_TRUE(
        script.contains(QStringLiteral("\"slideshow=1&slideshowtype=\" + tslideshowtype + \"&newphotonr=\" + "
                                       "newphotonr + \"&maxphotonr=\" + tmaxphotonr")));
}
