// SPDX-License-Identifier: GPL-2.0-or-later
// The pages of the framed web site line for line, as the builders make them.
#include "export/FramedFramePages.h"
#include "export/FramedNavigationScript.h"
#include "export/FramedPhotoPages.h"
#include "export/FramedStyleSheet.h"
#include "export/FramedThumbnailPages.h"

#include "ExportTestSupport.h"
#include "language/LanguageSelector.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QString Blanks(int count, const char* text)
{
    return QString(count, u' ') + S(text);
}

// Lines 1 to 7 of every page.
QStringList Head(const char* lead = "Tavrimolex Photo Viewer - ")
{
    return { S("<html>"), S("  <head>"), S("    <title>") + S(lead) + Language()->Title + S("</title>"),
        S("    <meta http-equiv=\"Pragma\" content=\"no-cache\">"),
        S("    <meta http-equiv=\"Expires\" content=\"Mon, 06 Jan 1990 00:00:01 GMT\">"),
        S("    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"),
        S("    <meta http-equiv=\"Cache-Control\" content=\"no-cache\">") };
}

int CountOf(const QStringList& lines, const QString& part)
{
    int count = 0;
    for (const QString& line : lines)
        count += line.contains(part) ? 1 : 0;
    return count;
}

// Restores the language texts a test changes.
class SavedTexts {
public:
    SavedTexts()
        : m_hg(Language()->HG)
        , m_title(Language()->Title)
    {
    }
    ~SavedTexts()
    {
        Language()->HG = m_hg;
        Language()->Title = m_title;
    }

private:
    std::array<QString, 67> m_hg;
    QString m_title;
};

} // namespace

TEST(FramedPages, StyleSheetRulesInOrderWithTheirClosings)
{
    const QStringList css = Framed::StyleSheet();
    ASSERT_EQ(css.size(), 69);
    const QStringList rules = { S(".phtext_photolink {"), S(".phtext_white {"), S(".phtext_black {"),
        S(".phtext_topheading {"), S("body {"), S(".thumbnailbody {"), S(".white_link {"),
        S(".white_link_hover:A:hover {"), S(".small_white_link {"), S(".small_blue_link {") };
    QStringList found;
    QStringList closings;
    for (const QString& line : css) {
        if (line.endsWith(u'{'))
            found << line;
        else if (line.trimmed() == u"}")
            closings << line;
        else
            EXPECT_TRUE(line.startsWith(S("   ")) && line.at(3) != u' ') << line.toStdString();
    }
    EXPECT_EQ(found, rules);
    EXPECT_EQ(closings,
        QStringList({ S(" }"), S(" }"), S(" }"), S(" }"), S(" }"), S(" }"), S(" }"), S(" }"), S("   }"),
            S("   }") }));
    EXPECT_EQ(css.mid(0, 7),
        QStringList({ S(".phtext_photolink {"), S("   font-family: Arial, Verdana, Helvetica, sans-serif;"),
            S("   font-size: 10px;"), S("   color: #FFFFFF;"), S("   text-decoration: underline;"),
            S("   font-weight: normal;"), S(" }") }));
    // The white links keep their trailing blanks, twice.
    EXPECT_EQ(CountOf(css, S("   color:white; ")), 2);
    EXPECT_EQ(CountOf(css, S("   text-decoration:underline ")), 2);
    EXPECT_TRUE(css.contains(S("   background-color:#22007B;")));
    EXPECT_EQ(css.mid(css.size() - 6),
        QStringList({ S(".small_blue_link {"), S("   FONT-SIZE: 10px;"), S("   FONT-FAMILY: arial;"),
            S("   color:#0040AA;"), S("   text-decoration:underline"), S("   }") }));
}

TEST(FramedPages, IndexPageIsTheFramesetWithTheFirstAlbumOnTheRight)
{
    QStringList expected = Head();
    expected << S("    <meta name=description content=\"") + Language()->Title
            + S(" - The Photo Organizer\">")
             << S("    <meta name=keywords content=\"tavrimolex, photo viewer, albums, album, photos, photo, "
                  "organize, collection, internet, label, labeling, information, store, generate, upload, "
                  "download\">")
             << S("  </head>") << S("  <frameset rows=\"40,*\" border=0 framespacing=0 frameborder=0>")
             << S("    <frame name=\"webview_top\"      target=\"webview_top\" scrolling=\"no\" noresize "
                  "src=\"html/top.htm\">")
             << S("    <frameset cols=\"250,*\" border=0 framespacing=0 frameborder=0>")
             << S("      <frame name=\"webview_left\"  target=\"webview_left\" src=\"html/list.htm\">")
             << S("      <frame name=\"webview_right\" target=\"webview_right\" "
                  "src=\"html/albums/album1/ThumbnailFrame.htm\">")
             << S("    </frameset>") << S("    <noframes>") << S("      <body>")
             << S("        <p>This page uses frames, but your browser doesn't support them.</p>")
             << S("      </body>") << S("    </noframes>") << S("  </frameset>") << S("</html>");
    EXPECT_EQ(
        Framed::IndexPage(S("html/top.htm"), S("html/list.htm"), S("html/albums/album1/ThumbnailFrame.htm")),
        expected);
}

TEST(FramedPages, TopPageShowsTheTitleAsText)
{
    const QStringList top = Framed::TopPage(S("Our <b>trip</b> & more"));
    ASSERT_EQ(top.size(), 39);
    EXPECT_EQ(top.mid(0, 7), Head());
    EXPECT_EQ(top.at(7), S("    <LINK href=\"../css/tavrimolex.css\" type=text/css rel=stylesheet>"));
    EXPECT_EQ(top.at(8), S("    <script>if (window == top) top.location.replace(\"../index.htm\")</script>"));
    EXPECT_EQ(top.at(21), S("                <td width=700 bgcolor=#0040AA class=phtext_topheading>"));
    // Markup typed into the title stays text in the title bar.
    EXPECT_EQ(top.at(22), S("          &nbsp;Our &lt;b&gt;trip&lt;/b&gt; &amp; more"));
    EXPECT_TRUE(top.at(25).startsWith(S("                <a href=\"http://")));
    EXPECT_TRUE(top.at(25).endsWith(
        S("\" class=\"small_white_link\" target=\"_blank\">www.tavrimolex.com</a>&nbsp;")));
    EXPECT_EQ(top.last(), S("</html>"));
    EXPECT_EQ(Framed::TopPage(S("Plain title")).at(22), S("          &nbsp;Plain title"));
}

TEST(FramedPages, ListPageHasAListPerCategoryAndNoItemsForAnEmptyOne)
{
    SavedTexts saved;
    std::array<TPhotoMapping, PhotoCategoryCount> mappings { TPhotoMapping(S("album")),
        TPhotoMapping(S("object")), TPhotoMapping(S("event")), TPhotoMapping(S("year")),
        TPhotoMapping(S("description")) };
    mappings[pcAlbums].Add(std::make_unique<TPhotoItem>(S("Holiday")));
    mappings[pcAlbums].Add(std::make_unique<TPhotoItem>(S("Paris & <Rome>")));
    mappings[pcYears].Add(std::make_unique<TPhotoItem>(S("2003")));
    mappings[pcYears].Add(std::make_unique<TPhotoItem>(S("2004")));
    mappings[pcYears].Add(std::make_unique<TPhotoItem>(S("2005")));
    const QStringList list = Framed::ListPage(mappings);

    EXPECT_EQ(list.mid(0, 7), Head("Photo Viewer - "));
    EXPECT_EQ(list.at(18), S("        if (element != document.forms[0].album)"));
    EXPECT_EQ(list.at(19), S("          resetlist(document.forms[0].album);"));
    EXPECT_EQ(list.at(26), S("        if (element != document.forms[0].description)"));
    EXPECT_EQ(list.at(33), S("           parent.webview_right.location.href=element.value;"));
    EXPECT_EQ(list.at(37), S("        document.forms[0].album.selectedIndex = 1;"));
    EXPECT_EQ(list.at(45), S("         <tr height=30><td></td></tr>"));

    // Albums: heading, then the list with its groups.
    const QStringList albums
        = { S("<tr height=10><td></td></tr>"), S("<tr><td class=phtext_black bgcolor=#FFFFDF>"),
              S("  &nbsp;Albums:"), S("</td></tr>"), S(""), S("<tr><td>"),
              S("  <select name=album class=phtext_white style=\"width:240;background-color:#0040AA\" "
                "onchange=\"javascript:selectindex(this)\">"),
              S("  <option value=''>"), S("Select...."), S("  </option>"),
              S("  <option value='albums/album1/ThumbnailFrame.htm'>"), S("    Holiday"), S("  </option>"),
              S("  <option value='albums/album2/ThumbnailFrame.htm'>"), S("    Paris &amp; &lt;Rome&gt;"),
              S("  </option>"), S("  </select>"), S("</td></tr>"), S("<tr height=20><td></td></tr>"), S("") };
    EXPECT_EQ(list.mid(46, albums.size()), albums);

    // Objects: no group, one option showing "no items!" that is never closed.
    const QStringList objects
        = { S("<tr height=10><td></td></tr>"), S("<tr><td class=phtext_black bgcolor=#FFFFDF>"),
              S("  &nbsp;Objects:"), S("</td></tr>"), S(""), S("<tr><td>"),
              S("  <select name=object class=phtext_white style=\"width:240;background-color:#0040AA\" "
                "onchange=\"javascript:selectindex(this)\">"),
              S("  <option value=''>"), S("no items!"), S("  </select>"), S("</td></tr>"),
              S("<tr height=20><td></td></tr>"), S("") };
    EXPECT_EQ(list.mid(46 + albums.size(), objects.size()), objects);

    EXPECT_TRUE(list.contains(S("  <option value='years/year3/ThumbnailFrame.htm'>")));
    EXPECT_EQ(CountOf(list, S("no items!")), 3);
    EXPECT_EQ(list.mid(list.size() - 7),
        QStringList({ S("      </table>"), S("      <script>"), S("        init();"), S("      </script>"),
            S("    </form>"), S("  </body>"), S("</html>") }));

    // Headings come from the language record in category order.
    Language()->HG[27] = S("Gebeurtenissen:");
    Language()->HG[52] = S("geen items!");
    const QStringList dutch = Framed::ListPage(mappings);
    EXPECT_TRUE(dutch.contains(S("  &nbsp;Gebeurtenissen:")));
    EXPECT_EQ(CountOf(dutch, S("geen items!")), 3);
}

TEST(FramedPages, GridValues)
{
    Framed::TThumbnailGrid grid { 5, 4, 100, 75 };
    EXPECT_EQ(grid.Gap(), 39);
    EXPECT_EQ(grid.PerPage(), 20);
    EXPECT_EQ(grid.PageCount(0), 1);
    EXPECT_EQ(grid.PageCount(20), 1);
    EXPECT_EQ(grid.PageCount(21), 2);
    EXPECT_EQ(grid.PageCount(41), 3);
    // Thumbnails wider than the page: the gap goes below zero and is written so.
    EXPECT_EQ((Framed::TThumbnailGrid { 8, 1, 100, 75 }.Gap()), (746 - 816) / 9);
    // A grid without columns or rows would divide by zero; it pages one by one.
    const Framed::TThumbnailGrid empty { 0, 0, 100, 75 };
    EXPECT_EQ(empty.PerPage(), 1);
    EXPECT_EQ(empty.PageCount(3), 3);
}

TEST(FramedPages, ThumbnailFrameNamesItsThreeFrames)
{
    const QStringList frame = Framed::ThumbnailFrame();
    ASSERT_EQ(frame.size(), 20);
    EXPECT_EQ(frame.at(7),
        S("    <script>if (window == top) top.location.replace(\"../../../index.htm\")</script>"));
    EXPECT_EQ(frame.at(9), S("  <frameset rows=\"45,450,*\" border=0 framespacing=0 frameborder=0>"));
    EXPECT_EQ(frame.at(10),
        S("    <frame name=\"thumnail_top\"  target=\"thumbnail_top\" scrolling=\"no\" noresize "
          "src=\"ThumbnailFrameTop.htm\">"));
    EXPECT_EQ(frame.at(11),
        S("    <frame name=\"thumbnail_contents\" target=\"thumbnail_contents\" scrolling=\"no\" "
          "src=\"ThumbnailFrameContents1.htm\">"));
    EXPECT_EQ(frame.at(12),
        S("    <frame name=\"thumbnail_bottom\" target=\"thumbnail_bottom\" scrolling=\"no\" "
          "src=\"ThumbnailFrameBottom.htm\">"));
    EXPECT_EQ(frame.at(18), S("  </frameset>"));
}

TEST(FramedPages, TopBarLinksToTheOtherGroupsRoundTheCategory)
{
    const QString previous = S("[&nbsp;<a href='../event%1/ThumbnailFrame.htm' target='webview_right' "
                               "class=small_white_link>&lt;&lt;</a>&nbsp;");
    const QString next = S("<a href='../event%1/ThumbnailFrame.htm' target='webview_right' "
                           "class=small_white_link>&gt;&gt;</a>&nbsp;]&nbsp;");
    const struct {
        int position;
        int previous;
        int next;
    } cases[] = { { 0, 3, 2 }, { 1, 1, 3 }, { 2, 2, 1 } };
    for (const auto& c : cases) {
        const QStringList top
            = Framed::ThumbnailFrameTop(S("event"), S("Event"), S("Trip"), 4, c.position, 3);
        ASSERT_EQ(top.size(), 26) << c.position;
        EXPECT_EQ(top.at(15), previous.arg(c.previous));
        EXPECT_EQ(top.at(16), next.arg(c.next));
        EXPECT_EQ(top.at(17), S("           [&nbsp;Event: Trip&nbsp;]"));
        EXPECT_EQ(top.at(20), S("           Number of photos: 4"));
    }
    // The only group of its category has no links; a long name is cut to 60.
    const QStringList alone
        = Framed::ThumbnailFrameTop(S("year"), S("Year"), QString(70, u'x') + S("<"), 1, 0, 1);
    ASSERT_EQ(alone.size(), 24);
    EXPECT_EQ(CountOf(alone, S("&lt;&lt;")), 0);
    EXPECT_EQ(alone.at(15), S("           [&nbsp;Year: ") + QString(55, u'x') + S("....&nbsp;]"));
}

TEST(FramedPages, ContentsPagesOfTwentyOnePhotos)
{
    Framed::TThumbnailGroup group;
    for (int n = 1; n <= 21; ++n)
        group.Numbers << n + 100;
    group.Key = S("Summer_2004_");
    group.Path = S("events_event2");
    const Framed::TThumbnailGrid grid { 5, 4, 100, 75 };
    const bool stopped = false;

    const QStringList first = Framed::ThumbnailFrameContents(group, grid, 1, 0, stopped);
    EXPECT_EQ(CountOf(first, S("<img src=")), 20);
    EXPECT_EQ(CountOf(first, S(" border=1 bordercolor=#0040AA width=746>")), 4);
    EXPECT_TRUE(first.contains(
        S("                            <a "
          "href='../../photos/PhotoContents101.htm?key=Summer_2004_&path=events_event2"
          "&thumbnails=ThumbnailFrameContents1.htm'><img src='../../../images/thumbnails/Thumbnail101.jpg' "
          "border=0></a><br>")));
    EXPECT_TRUE(first.contains(
        S("<center><a href='../../photos/PhotoContents120.htm?key=Summer_2004_"
          "&path=events_event2&thumbnails=ThumbnailFrameContents1.htm' class=phtext_photolink>")));
    EXPECT_TRUE(first.contains(S("20</a></center>")));

    const QStringList second = Framed::ThumbnailFrameContents(group, grid, 2, 20, stopped);
    // Head, opening, four rows of 11 lines, 4 gaps and their cells, closing.
    EXPECT_EQ(second.size(), 7 + 14 + 4 * (11 + 4) + 5 + 19 * 2 + 11);
    EXPECT_EQ(CountOf(second, S("<img src=")), 1);
    EXPECT_EQ(CountOf(second, S("<td width=100>")), 19);
    // Position 21 is the first cell and keeps the page it was found on.
    const int cell = int(second.indexOf(S("                        <td bgcolor=#0040AA width=100>")));
    ASSERT_GT(cell, 0);
    EXPECT_EQ(second.at(cell - 1), S("                        <td width=39></td>"));
    EXPECT_TRUE(second.at(cell + 1).contains(S("PhotoContents121.htm?key=Summer_2004_&path=events_event2"
                                               "&thumbnails=ThumbnailFrameContents2.htm'")));
    EXPECT_EQ(second.at(cell + 3), S("21</a></center>"));
    // Its first row has a border; rows 2 to 4 have none.
    QStringList tables;
    for (const QString& line : second)
        if (line.contains(S(" width=746>")))
            tables << line;
    EXPECT_EQ(tables,
        QStringList({ S("                    <table cellpadding=0 cellspacing=0  border=1 "
                        "bordercolor=#0040AA width=746>"),
            S("                    <table cellpadding=0 cellspacing=0  border=0  width=746>"),
            S("                    <table cellpadding=0 cellspacing=0  border=0  width=746>"),
            S("                    <table cellpadding=0 cellspacing=0  border=0  width=746>") }));
    EXPECT_EQ(CountOf(second, S("<tr height=93 align=center><td>")), 4);
    EXPECT_EQ(CountOf(second, S("<td width=*></td>")), 4);
}

TEST(FramedPages, ContentsPageEndsItsGridWhenStopped)
{
    Framed::TThumbnailGroup group;
    group.Numbers = { 1, 2, 3, 4, 5, 6, 7 };
    const bool stopped = true;
    const QStringList page = Framed::ThumbnailFrameContents(group, { 5, 4, 100, 75 }, 1, 0, stopped);
    EXPECT_EQ(CountOf(page, S("<img src=")), 1);
    EXPECT_EQ(CountOf(page, S("<tr height=93 align=center><td>")), 1);
    EXPECT_EQ(page.last(), S("</html>"));
}

TEST(FramedPages, BottomBarSwitchesSeriesOnlyWhenThereAreSeveral)
{
    const QStringList one = Framed::ThumbnailFrameBottom(1);
    ASSERT_EQ(one.size(), 26);
    EXPECT_EQ(CountOf(one, S("<script>")), 1); // the frame-buster only
    EXPECT_EQ(CountOf(one, S("javascript:")), 0);
    EXPECT_EQ(one.at(14), S("        <td  width=100 align=left>&nbsp;"));
    EXPECT_EQ(one.at(15), S("Series:"));
    EXPECT_EQ(one.at(16),
        S("&nbsp;&nbsp;<input type=text class=phtext_white "
          "style=\"width:40;border=0;background-color:#22007B\""
          "name=lblCurrent value=1>&nbsp;&nbsp;"));
    EXPECT_EQ(one.at(20), S("         &nbsp;</td>"));

    const QStringList three = Framed::ThumbnailFrameBottom(3);
    ASSERT_EQ(three.size(), 26 + 26 + 10);
    EXPECT_EQ(three.at(9), S("    <script>"));
    EXPECT_EQ(three.at(10), S("       nrofpages=3;"));
    EXPECT_EQ(three.at(12), S("       {"));
    EXPECT_EQ(three.at(13), S("         current  = document.forms[0].lblCurrent.value;"));
    EXPECT_EQ(three.at(15), S("           current = nrofpages;"));
    EXPECT_EQ(three.at(32),
        S("         parent.thumbnail_contents.location.href='ThumbnailFrameContents'+current+'.htm';"));
    const int start = int(three.indexOf(S("         <td width=648 align=right>")));
    ASSERT_GT(start, 0);
    EXPECT_EQ(three.mid(start + 1, 12),
        QStringList({ S("           "),
            S("           <a href='javascript:previous()' class=small_white_link>previous series</a>"),
            S("           &nbsp;"),
            S("         <a href='javascript:display(1)' class=small_white_link>1</a>"),
            S("           &nbsp;"),
            S("         <a href='javascript:display(2)' class=small_white_link>2</a>"),
            S("           &nbsp;"),
            S("         <a href='javascript:display(3)' class=small_white_link>3</a>"),
            S("           &nbsp;"),
            S("           <a href='javascript:next()' class=small_white_link>next series</a>"),
            S("         &nbsp;</td>"), S("       </tr>") }));
}

TEST(FramedPages, PhotoPageShowsItsInformationAsText)
{
    Framed::TPhotoPageData data;
    data.Number = 12;
    data.Navigation = { { S("Holiday"), 11, 13, 30, 4 } };
    data.ObjectNames = { S("Anna"), S("<Tree>") };
    data.EventName = S("Trip");
    data.Description = S("</select><script>alert(1)</script>");
    data.AlbumDescription = QString(160, u'd');
    data.FileName = S("a-rather-long-file-name-of-a-photo.jpg");
    data.Year = S("2004");
    data.AlbumName = S("Holiday");
    const QStringList page = Framed::PhotoPage(data);

    EXPECT_EQ(page.mid(0, 7), Head());
    EXPECT_EQ(page.at(11), S("    <form> "));
    EXPECT_EQ(page.mid(12, 4),
        QStringList({ S("    <input type=hidden name=HolidayPrev value='11'>"),
            S("    <input type=hidden name=HolidayNext value='13'>"),
            S("    <input type=hidden name=HolidayQuantity value='30'>"),
            S("    <input type=hidden name=HolidayIndex value='4'>") }));
    EXPECT_TRUE(page.contains(S("                   <img src='../../images/photos/Photo12.jpg' border=0>")));
    EXPECT_TRUE(page.contains(S("              </tr> ")));
    EXPECT_TRUE(page.contains(S("                              - Anna<br>")));
    EXPECT_TRUE(page.contains(S("                              - &lt;Tree&gt;<br>")));
    EXPECT_TRUE(page.contains(S("                           Trip")));
    EXPECT_TRUE(
        page.contains(S("                           &lt;/select&gt;&lt;script&gt;alert(1)&lt;/script&gt;")));
    EXPECT_EQ(CountOf(page, S("<script")), 2); // navigation.js and writeindex, nothing of the description
    EXPECT_TRUE(page.contains(S("                           ") + QString(145, u'd') + S("....")));
    EXPECT_TRUE(page.contains(S("a-rather-long-file-n....") + QString(24, u' ') + S("</td>")));
    EXPECT_TRUE(page.contains(S("2004") + QString(24, u' ') + S("</td>")));
    EXPECT_TRUE(page.contains(S("Holiday") + QString(24, u' ') + S("</td>")));
    EXPECT_TRUE(page.contains(S("                     &nbsp;Photo: ")));
    EXPECT_TRUE(page.contains(S("                        <td width=198  class=phtext_black valign=center "
                                "bgcolor=#FFFFAA>&nbsp;")));
    // Without a link to the original: three links, and the photo is no link.
    EXPECT_EQ(CountOf(page, S("<a href=")), 3);
    EXPECT_EQ(page.last(), S("</html>"));
}

TEST(FramedPages, SevenObjectsAreLinesEightAListBox)
{
    Framed::TPhotoPageData data;
    for (int k = 1; k <= 7; ++k)
        data.ObjectNames << S("Object %1").arg(k);
    const QStringList seven = Framed::PhotoPage(data);
    EXPECT_EQ(CountOf(seven, S("<br>")), 7);
    EXPECT_EQ(CountOf(seven, S("<select")), 0);

    data.ObjectNames << QString(40, u'o');
    const QStringList eight = Framed::PhotoPage(data);
    EXPECT_EQ(CountOf(eight, S("<br>")), 0);
    EXPECT_EQ(eight.size(), seven.size() - 7 + 10);
    EXPECT_TRUE(eight.contains(S("<select size=7 name=photoobjects class=phtext_white "
                                 "style=\"width:192;height=98;background-color:#0040AA;border=0\">")));
    EXPECT_TRUE(eight.contains(Blanks(34, "<option>Object 1</option>")));
    EXPECT_TRUE(eight.contains(Blanks(34, "<option>") + QString(33, u'o') + S("....</option>")));
    EXPECT_TRUE(eight.contains(Blanks(33, "</select>")));
}

TEST(FramedPages, AnOriginalPhotoIsLinkedTwice)
{
    Framed::TPhotoPageData data;
    data.Number = 3;
    data.OriginalAddress = S("http://example.org/originals/2004/img 1.jpg");
    const QStringList page = Framed::PhotoPage(data);
    EXPECT_TRUE(
        page.contains(S("<a href=\"http://example.org/originals/2004/img 1.jpg\" class=small_white_link "
                        "target=\"_blank\">original photo</a>&nbsp;&nbsp;")));
    const int image
        = int(page.indexOf(S("                   <img src='../../images/photos/Photo3.jpg' border=0>")));
    ASSERT_GT(image, 0);
    EXPECT_EQ(page.at(image - 1),
        S("                  <a href=\"http://example.org/originals/2004/img 1.jpg\" target=\"_blank\">"));
    EXPECT_EQ(page.at(image + 1), S("                  </a>"));
}

TEST(FramedPages, OriginalAddressOnlyForPhotosUnderTheLocalFolder)
{
    const QString web = S("http://example.org/originals/");
    const struct {
        const char* path;
        const char* local;
        const char* address; // null: no address
    } cases[] = {
        { "D:\\Photos\\2004\\img 1.jpg", "D:\\Photos\\", "http://example.org/originals/2004/img 1.jpg" },
        { "/home/me/Photos/2004/img 1.jpg", "/home/me/Photos/",
            "http://example.org/originals/2004/img 1.jpg" },
        { "/home/me/Photos/a#1 100%?.jpg", "/home/me/Photos/",
            "http://example.org/originals/a%231 100%25%3F.jpg" },
        { "/home/me/Photos/caf\u00e9 & co.jpg", "/home/me/Photos/",
            "http://example.org/originals/caf\u00e9 & co.jpg" },
        { "/home/me/Other/a.jpg", "/home/me/Photos/", nullptr },
        { "/home/me/Photos2/a.jpg", "/home/me/Photos/", nullptr },
        { "/home/me/photos/a.jpg", "/home/me/Photos/", nullptr },
        { "/srv/a.jpg", "/", "http://example.org/originals/srv/a.jpg" },
    };
    for (const auto& c : cases) {
        QString address = S("old");
        const bool made = Framed::OriginalPhotoAddress(S(c.path), S(c.local), web, address);
        EXPECT_EQ(made, c.address != nullptr) << c.path;
        EXPECT_EQ(address, c.address ? S(c.address) : QString()) << c.path;
    }
}

TEST(FramedPages, NavigationScriptWithTheWordOfTheLanguage)
{
    SavedTexts saved;
    const QStringList script = Framed::NavigationScript();
    ASSERT_EQ(script.size(), 60);
    EXPECT_EQ(script.at(0), S("if (window == top)"));
    EXPECT_EQ(script.at(1), S("  top.location.replace(\"../../index.htm\")"));
    EXPECT_EQ(script.at(4), S("  urlquery        = location.href.split(\"?\");"));
    EXPECT_EQ(
        script.at(10), S("  totalpath       = totalpath.substr(0,pos) + \"/\" + totalpath.substr(pos+1);"));
    EXPECT_EQ(script.at(29), S("       value = elements[i].value;"));
    EXPECT_EQ(script.at(32), S("   return value;"));
    EXPECT_EQ(script.mid(38, 5),
        QStringList({ S("  nextphoto = \"PhotoContents\""), S("              + number"),
            S("              + \".htm\""), S("              + \"?\""), S("              + urlquery[1];") }));
    EXPECT_EQ(script.at(58), S("  document.write(\"&nbsp;\" + index + \" of \" + quantity);"));
    EXPECT_EQ(script.at(59), S("}"));

    // A translation with quotes or markup stays inside the string.
    Language()->HG[40] = S("d\"e</script>'s & \\");
    EXPECT_EQ(Framed::NavigationScript().at(58),
        S("  document.write(\"&nbsp;\" + index + \" d\\\"e&lt;/script&gt;\\'s &amp; \\\\ \" + quantity);"));
}
