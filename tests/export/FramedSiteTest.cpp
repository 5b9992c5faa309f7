// SPDX-License-Identifier: GPL-2.0-or-later
// A framed web site written by a whole run: which pages there are, the
// navigation values of the photo pages and the links to original photos.
#include "export/ExportError.h"
#include "export/HTMLGenerator.h"

#include "ExportTestSupport.h"
#include "FakeExportReporter.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using Kind = TExportStepKind;

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

class FramedPagesRun : public GeneratorTest<THTMLGenerator> {
protected:
    void SetUp() override
    {
        GeneratorTest::SetUp();
        options.ThumbWidth = 100;
        options.ThumbHeight = 75;
        options.ThumbColumns = 5;
        options.ThumbRows = 4;
        options.CreateOnlyHTML = true;
        options.Background.Image = Filled(4, 4, Qt::darkBlue);
    }

    // An album whose photos exist (tiny files: only the pages are written).
    QString Album(const QString& name, std::vector<PhotoSpec> photos, const QString& description = {})
    {
        for (const PhotoSpec& spec : photos) {
            QFile file(spec.file.startsWith(u'/') ? spec.file : Photos() + spec.file);
            if (!file.exists()) {
                EXPECT_TRUE(file.open(QIODevice::WriteOnly));
                file.write("x");
            }
        }
        return GeneratorTest::Album(name, std::move(photos), description);
    }

    QString Numbered(const QString& name, int count)
    {
        std::vector<PhotoSpec> photos;
        for (int k = 1; k <= count; ++k)
            photos.push_back({ S("%1-%2.jpg").arg(name).arg(k) });
        return Album(name, photos);
    }

    // The lines of a written page; every line, the last one too, ends in CR LF.
    QStringList Page(const QString& relative) const
    {
        QFile file(Out() + relative);
        if (!file.open(QIODevice::ReadOnly))
            return { S("<missing ") + relative + u'>' };
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.endsWith("\r\n")) << relative.toStdString();
        QStringList lines = QString::fromLatin1(bytes).split(S("\r\n"));
        lines.removeLast();
        for (const QString& line : lines)
            EXPECT_FALSE(line.contains(u'\n') || line.contains(u'\r')) << relative.toStdString();
        return lines;
    }

    static QStringList Inputs(const QStringList& page)
    {
        QStringList inputs;
        for (const QString& line : page)
            if (line.startsWith(S("    <input type=hidden name=")))
                inputs << line.mid(28);
        return inputs;
    }
};

} // namespace

TEST_F(FramedPagesRun, EveryPageIsWrittenAndReported)
{
    const QString album = Album(S("Holiday"),
        { { S("a.jpg"), S("Beach"), S("2004"), { S("Anna") }, S("Trip") }, { S("b.jpg"), {}, S("2004") } });
    ASSERT_TRUE(Run({ album }).Generate());

    EXPECT_EQ(generator.CssFile, Out() + S("css/tavrimolex.css"));
    EXPECT_EQ(generator.IndexFile, Out() + S("index.htm"));
    EXPECT_EQ(generator.TopFile, Out() + S("html/top.htm"));
    EXPECT_EQ(generator.ListFile, Out() + S("html/list.htm"));
    EXPECT_EQ(generator.FirstGroupFrame, Out() + S("html/albums/album1/ThumbnailFrame.htm"));
    const TLanguageSelector& lang = *Language();
    for (const auto& [text, file] :
        { std::pair { lang.HG[22], generator.CssFile }, { lang.HG[23], generator.IndexFile },
            { lang.HG[24], generator.TopFile }, { lang.HG[30], generator.ListFile } })
        EXPECT_TRUE(reporter.remarks.contains(Text::Format(text, { file }))) << file.toStdString();

    for (const char* page : { "css/tavrimolex.css", "index.htm", "html/top.htm", "html/list.htm",
             "script/navigation.js", "html/photos/PhotoContents1.htm", "html/photos/PhotoContents2.htm" })
        EXPECT_TRUE(Exists(Out() + S(page))) << page;
    for (const char* group :
        { "albums/album1", "objects/object1", "events/event1", "years/year1", "descriptions/description1" })
        for (const char* page : { "ThumbnailFrame.htm", "ThumbnailFrameTop.htm",
                 "ThumbnailFrameContents1.htm", "ThumbnailFrameBottom.htm" })
            EXPECT_TRUE(Exists(Out() + S("html/") + S(group) + u'/' + S(page))) << group << " " << page;
    EXPECT_FALSE(Exists(Out() + S("html/years/year1/ThumbnailFrameContents2.htm")));
    EXPECT_FALSE(Exists(Out() + S("html/years/year2")));

    const TPhotoItem& year = *generator.Mappings[pcYears].Item(0);
    EXPECT_EQ(year.Folder, Out() + S("html/years/year1/"));
    EXPECT_EQ(year.FramePage, Out() + S("html/years/year1/ThumbnailFrame.htm"));
    EXPECT_EQ(year.TopPage, Out() + S("html/years/year1/ThumbnailFrameTop.htm"));
    EXPECT_EQ(year.BottomPage, Out() + S("html/years/year1/ThumbnailFrameBottom.htm"));

    // One bar step per category, one per photo page.
    const FakeStepView& thumbnails = reporter.View(Kind::ThumbnailPages);
    EXPECT_EQ(thumbnails.maximum, 5);
    EXPECT_EQ(thumbnails.position, 5);
    EXPECT_EQ(thumbnails.toGo, S("0"));
    EXPECT_EQ(thumbnails.currentFile, Out() + S("html/descriptions/description1/ThumbnailFrameBottom.htm"));
    const FakeStepView& photos = reporter.View(Kind::PhotoPages);
    EXPECT_EQ(photos.maximum, 2);
    EXPECT_EQ(photos.position, 2);
    EXPECT_EQ(photos.toGo, S("0"));
    EXPECT_EQ(photos.currentFile, Out() + S("html/photos/PhotoContents2.htm"));

    // The thumbnails of the year group lead to the photo pages with the group's values.
    const QStringList contents = Page(S("html/years/year1/ThumbnailFrameContents1.htm"));
    EXPECT_TRUE(
        contents.contains(S("                            <a href='../../photos/PhotoContents2.htm?key=2004"
                            "&path=years_year1&thumbnails=ThumbnailFrameContents1.htm'><img "
                            "src='../../../images/thumbnails/Thumbnail2.jpg' border=0></a><br>")));
    const QStringList top = Page(S("html/years/year1/ThumbnailFrameTop.htm"));
    EXPECT_TRUE(top.contains(S("           [&nbsp;") + lang.HG[34] + S(": 2004&nbsp;]")));
    EXPECT_TRUE(top.contains(S("           ") + lang.HG[36] + S(" 2")));
}

TEST_F(FramedPagesRun, TwentyOnePhotosMakeTwoSeriesOfTwenty)
{
    ASSERT_TRUE(Run({ Numbered(S("Many"), 21), Numbered(S("Twenty"), 20) }).Generate());
    const QString many = S("html/albums/album1/");
    EXPECT_TRUE(Exists(Out() + many + S("ThumbnailFrameContents2.htm")));
    EXPECT_FALSE(Exists(Out() + many + S("ThumbnailFrameContents3.htm")));
    EXPECT_TRUE(Page(many + S("ThumbnailFrameBottom.htm")).contains(S("       nrofpages=2;")));
    const QStringList second = Page(many + S("ThumbnailFrameContents2.htm"));
    EXPECT_TRUE(second.contains(S("21</a></center>")));
    EXPECT_TRUE(
        second.contains(S("                            <a href='../../photos/PhotoContents21.htm?key=Many"
                          "&path=albums_album1&thumbnails=ThumbnailFrameContents2.htm'><img "
                          "src='../../../images/thumbnails/Thumbnail21.jpg' border=0></a><br>")));

    // Exactly one page: no series script and no series links.
    const QString twenty = S("html/albums/album2/");
    EXPECT_FALSE(Exists(Out() + twenty + S("ThumbnailFrameContents2.htm")));
    const QStringList bottom = Page(twenty + S("ThumbnailFrameBottom.htm"));
    EXPECT_EQ(bottom.filter(S("javascript:")).size(), 0);
    EXPECT_EQ(bottom.filter(S("nrofpages")).size(), 0);
    EXPECT_TRUE(bottom.contains(Language()->HG[37]));
    // The first photo page of the second album is number 22.
    EXPECT_TRUE(Page(S("html/photos/PhotoContents22.htm"))
                    .contains(S("    <input type=hidden name=TwentyIndex value='1'>")));
}

TEST_F(FramedPagesRun, HiddenValuesOfEveryGroupInCategoryOrder)
{
    const QString holiday = Album(S("Holiday"),
        { { S("1.jpg"), {}, S("2004"), { S("Anna"), S("Tree") }, S("Trip") },
            { S("2.jpg"), {}, S("2003"), { S("Tree") }, S("Trip") }, { S("3.jpg"), {}, {}, { S("Tree") } } });
    ASSERT_TRUE(Run({ holiday }).Generate());
    EXPECT_EQ(Inputs(Page(S("html/photos/PhotoContents1.htm"))),
        QStringList({ S("HolidayPrev value='3'>"), S("HolidayNext value='2'>"),
            S("HolidayQuantity value='3'>"), S("HolidayIndex value='1'>"), S("AnnaPrev value='1'>"),
            S("AnnaNext value='1'>"), S("AnnaQuantity value='1'>"), S("AnnaIndex value='1'>"),
            S("TreePrev value='3'>"), S("TreeNext value='2'>"), S("TreeQuantity value='3'>"),
            S("TreeIndex value='1'>"), S("TripPrev value='2'>"), S("TripNext value='2'>"),
            S("TripQuantity value='2'>"), S("TripIndex value='1'>"), S("2004Prev value='1'>"),
            S("2004Next value='1'>"), S("2004Quantity value='1'>"), S("2004Index value='1'>") }));
    EXPECT_EQ(Inputs(Page(S("html/photos/PhotoContents3.htm"))),
        QStringList({ S("HolidayPrev value='2'>"), S("HolidayNext value='1'>"),
            S("HolidayQuantity value='3'>"), S("HolidayIndex value='3'>"), S("TreePrev value='2'>"),
            S("TreeNext value='1'>"), S("TreeQuantity value='3'>"), S("TreeIndex value='3'>") }));
}

TEST_F(FramedPagesRun, GroupsOfOneNameKeepTheirOwnNavigation)
{
    const QString paris = Album(S("Paris"),
        { { S("1.jpg"), {}, {}, {}, S("Paris") }, { S("2.jpg") }, { S("3.jpg"), {}, {}, {}, S("Paris") } });
    ASSERT_TRUE(Run({ paris }).Generate());
    const QStringList inputs = Inputs(Page(S("html/photos/PhotoContents3.htm")));
    EXPECT_EQ(inputs,
        QStringList({ S("ParisPrev value='2'>"), S("ParisNext value='1'>"), S("ParisQuantity value='3'>"),
            S("ParisIndex value='3'>"), S("Paris-2Prev value='1'>"), S("Paris-2Next value='1'>"),
            S("Paris-2Quantity value='2'>"), S("Paris-2Index value='2'>") }));
    // Coming from the event's thumbnails, the visitor moves through the event.
    EXPECT_EQ(Page(S("html/events/event1/ThumbnailFrameContents1.htm"))
                  .filter(S("PhotoContents3.htm?key=Paris-2&path=events_event1&thumbnails="))
                  .size(),
        2);
}

TEST_F(FramedPagesRun, PanelOfAPhotoWithoutEventAndDescription)
{
    const QString album = Album(S("Walk"), { { S("plain.jpg") } }, S("Along the <river>"));
    ASSERT_TRUE(Run({ album }).Generate());
    const QStringList page = Page(S("html/photos/PhotoContents1.htm"));
    EXPECT_TRUE(Inputs(page).size() == 4);
    // The event and description boxes hold a line of blanks only.
    EXPECT_EQ(page.filter(QRegularExpression(S("^ {27}$"))).size(), 2);
    EXPECT_TRUE(page.contains(S("                           Along the &lt;river&gt;")));
    EXPECT_TRUE(page.contains(S("plain.jpg") + QString(24, u' ') + S("</td>")));
    EXPECT_TRUE(page.contains(S("Walk") + QString(24, u' ') + S("</td>")));
    EXPECT_EQ(page.filter(S("<a href=")).size(), 3);
}

TEST_F(FramedPagesRun, OriginalsAreLinkedOnlyUnderTheLocalFolder)
{
    ASSERT_TRUE(QDir().mkpath(Photos() + S("2004")));
    const QString outside = Sandbox(S("elsewhere.jpg"));
    const QString album = Album(S("Walk"), { { S("2004/img 1.jpg") }, { S("100%#.jpg") }, { outside } });
    options.LinkToOriginals = true;
    options.WebPath = S("http://example.org/originals");
    options.LocalPath = Photos();
    ASSERT_TRUE(Run({ album }).Generate());

    const QString first = S("http://example.org/originals/2004/img 1.jpg");
    const QStringList page = Page(S("html/photos/PhotoContents1.htm"));
    EXPECT_TRUE(page.contains(S("<a href=\"") + first + S("\" class=small_white_link target=\"_blank\">")
        + Language()->HG[44] + S("</a>&nbsp;&nbsp;")));
    EXPECT_TRUE(page.contains(S("                  <a href=\"") + first + S("\" target=\"_blank\">")));
    EXPECT_TRUE(Page(S("html/photos/PhotoContents2.htm"))
                    .contains(S("                  <a href=\"http://example.org/originals/100%25%23.jpg\" "
                                "target=\"_blank\">")));

    // A photo outside the local folder gets no address cut from its path.
    const QStringList third = Page(S("html/photos/PhotoContents3.htm"));
    EXPECT_EQ(third.filter(S("<a href=")).size(), 3);
    EXPECT_EQ(third.filter(S("example.org")).size(), 0);
    EXPECT_EQ(reporter.remarks.filter(outside).size(), 1);
    EXPECT_TRUE(reporter.remarks.filter(outside).first().contains(Language()->HG[44]));
}

TEST_F(FramedPagesRun, AFramePageThatCannotBeCreatedIsNamedAndEndsTheRun)
{
    const QString album = Numbered(S("Walk"), 2);
    // A file where the first album's folder belongs.
    ASSERT_TRUE(QDir().mkpath(Out() + S("html/albums")));
    QFile blocker(Out() + S("html/albums/album1"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(Run({ album }).Generate(), EExportError);
    EXPECT_EQ(reporter.messages, QStringList({ Out() + S("html/albums/album1/ThumbnailFrame.htm") }));
    EXPECT_FALSE(reporter.View(Kind::ThumbnailPages).done);
    EXPECT_FALSE(Exists(Out() + S("html/photos/PhotoContents1.htm")));
}

TEST_F(FramedPagesRun, StopEndsThePagesButTheScriptIsStillWritten)
{
    const QString album
        = Album(S("Walk"), { { S("1.jpg"), {}, S("2004"), { S("Anna"), S("Bob") } }, { S("2.jpg") } });
    // Stop is pressed once the albums' pages are written.
    reporter.onPump = [this](int) {
        if (reporter.View(Kind::ThumbnailPages).position == 1)
            generator.Stopped = true;
    };
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_TRUE(Exists(Out() + S("html/albums/album1/ThumbnailFrameBottom.htm")));
    // The group under way when the stop is seen is finished; no other is begun.
    EXPECT_TRUE(Exists(Out() + S("html/objects/object1/ThumbnailFrameBottom.htm")));
    EXPECT_FALSE(Exists(Out() + S("html/objects/object2/ThumbnailFrame.htm")));
    EXPECT_FALSE(Exists(Out() + S("html/years/year1/ThumbnailFrame.htm")));
    EXPECT_FALSE(Exists(Out() + S("html/photos/PhotoContents1.htm")));
    EXPECT_TRUE(Exists(Out() + S("script/navigation.js")));
    EXPECT_EQ(reporter.View(Kind::ThumbnailPages).toGo, S("4"));
    EXPECT_TRUE(reporter.View(Kind::PhotoPages).done);
}

// Thousands of descriptions make as many groups in one category, and a large
// album as many grid pages in one group: Stop must not wait for the end.
TEST_F(FramedPagesRun, StopIsHeardBetweenTheGroupsOfOneCategory)
{
    const QString album = Album(S("Walk"),
        { { S("1.jpg"), {}, {}, { S("Anna"), S("Bob"), S("Carl") } },
            { S("2.jpg"), {}, {}, { S("Anna") } } });
    reporter.onPump = [this](int) {
        if (reporter.View(Kind::ThumbnailPages).currentFile.endsWith(S("object2/ThumbnailFrameBottom.htm")))
            generator.Stopped = true;
    };
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_TRUE(Exists(Out() + S("html/objects/object2/ThumbnailFrameBottom.htm")));
    EXPECT_FALSE(Exists(Out() + S("html/objects/object3/ThumbnailFrame.htm")));
}

TEST_F(FramedPagesRun, StopIsHeardBetweenTheGridPagesOfOneGroup)
{
    const QString album = Numbered(S("Many"), 45);
    reporter.onPump = [this](int) {
        if (reporter.View(Kind::ThumbnailPages).currentFile.endsWith(S("album1/ThumbnailFrameContents1.htm")))
            generator.Stopped = true;
    };
    EXPECT_TRUE(Run({ album }).Generate());
    EXPECT_TRUE(Exists(Out() + S("html/albums/album1/ThumbnailFrameContents1.htm")));
    EXPECT_FALSE(Exists(Out() + S("html/albums/album1/ThumbnailFrameContents2.htm")));
    // The group's bottom bar is still written, for the pages there are.
    EXPECT_TRUE(Exists(Out() + S("html/albums/album1/ThumbnailFrameBottom.htm")));
}
