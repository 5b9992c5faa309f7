// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

namespace {

// The character format at the first occurrence of a text.
QTextCharFormat FormatOf(const QTextDocument& doc, const QString& text)
{
    const QTextCursor found = doc.find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor at(found);
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

QStringList Paragraphs(const QTextDocument& doc)
{
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lines << b.text();
    return lines;
}

} // namespace

TEST(RtfReader, ParagraphsAndCharacterStyles)
{
    QTextDocument doc;
    ASSERT_TRUE(Rtf::Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 plain \\b bold\\b0  "
                          "{\\i italic} \\ul under\\ulnone  {\\fs40 big}\\par second\\tab tab\\par}",
        &doc));
    EXPECT_EQ(Paragraphs(doc), (QStringList { "plain bold italic under big", "second\ttab", "" }));
    EXPECT_EQ(FormatOf(doc, "bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOf(doc, "plain").fontWeight(), QFont::Normal);
    EXPECT_TRUE(FormatOf(doc, "italic").fontItalic());
    EXPECT_FALSE(FormatOf(doc, "under").fontItalic());
    EXPECT_TRUE(FormatOf(doc, "under").fontUnderline());
    EXPECT_DOUBLE_EQ(FormatOf(doc, "big").fontPointSize(), 20.0);
    EXPECT_DOUBLE_EQ(FormatOf(doc, "plain").fontPointSize(), 10.0);
    // Arial from the font table is no text.
    EXPECT_TRUE(doc.find("Arial").isNull());
}

TEST(RtfReader, ColourTableAndAutoColour)
{
    QTextDocument doc;
    ASSERT_TRUE(Rtf::Load("{\\rtf1{\\colortbl;\\red0\\green128\\blue255;\\red200\\green0\\blue0;}"
                          "{\\cf1 blue} {\\cf2 red} {\\cf0 auto} {\\cf9 beyond}}",
        &doc));
    EXPECT_EQ(FormatOf(doc, "blue").foreground().color(), QColor(0, 128, 255));
    EXPECT_EQ(FormatOf(doc, "red").foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(FormatOf(doc, "auto").foreground().style(), Qt::NoBrush);
    EXPECT_EQ(FormatOf(doc, "beyond").foreground().style(), Qt::NoBrush);
}

TEST(RtfReader, CodePageBytesUnicodeAndSymbols)
{
    QTextDocument doc;
    ASSERT_TRUE(Rtf::Load("{\\rtf1\\ansi caf\\'e9 \\'80 \\u8364?  \\uc2\\u-3913xx! \\{x\\} a\\\\b "
                          "{\\*\\generator Hidden;}\\ldblquote q\\rdblquote}",
        &doc));
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("café € €  \uf0b7! {x} a\\b “q”"));
}

TEST(RtfReader, GroupsRestoreTheirState)
{
    QTextDocument doc;
    ASSERT_TRUE(Rtf::Load("{\\rtf1 {\\b {\\i both} bold} none}", &doc));
    EXPECT_TRUE(FormatOf(doc, "both").fontItalic());
    EXPECT_EQ(FormatOf(doc, "both").fontWeight(), QFont::Bold);
    EXPECT_FALSE(FormatOf(doc, "bold").fontItalic());
    EXPECT_EQ(FormatOf(doc, "none").fontWeight(), QFont::Normal);
}

TEST(RtfReader, AlignmentOfParagraphs)
{
    QTextDocument doc;
    ASSERT_TRUE(Rtf::Load("{\\rtf1\\pard\\qc centred\\par\\pard left\\par}", &doc));
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST(RtfReader, RefusesTextThatIsNoRtfAndSurvivesTruncation)
{
    QTextDocument doc;
    EXPECT_FALSE(Rtf::Load("plain text", &doc));
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_TRUE(Rtf::Load("{\\rtf1 cut \\'e", &doc));
    EXPECT_TRUE(Rtf::Load("{\\rtf1 cut \\u", &doc));
    EXPECT_TRUE(Rtf::Load("{\\rtf1 }}}} after", &doc));
    EXPECT_FALSE(Rtf::LoadFile(QStringLiteral("/nonexistent/help.rtf"), &doc));
}

TEST(RtfReader, ShippedHelpFilesRead)
{
    const QString bin = qEnvironmentVariable("TAVRI_BIN_DIR");
    if (bin.isEmpty())
        GTEST_SKIP() << "TAVRI_BIN_DIR not set";
    QTextDocument english;
    ASSERT_TRUE(Rtf::LoadFile(bin + QStringLiteral("/help.rtf"), &english));
    EXPECT_FALSE(english.find("Creating an album").isNull());
    EXPECT_EQ(FormatOf(english, "Creating an album").fontWeight(), QFont::Bold);
    QTextDocument dutch;
    ASSERT_TRUE(Rtf::LoadFile(bin + QStringLiteral("/help_dutch.rtf"), &dutch));
    EXPECT_FALSE(dutch.find(QString::fromUtf8("één")).isNull());
    EXPECT_FALSE(dutch.find(QStringLiteral("Een album aanmaken")).isNull());
}

TEST(RtfReader, ParagraphIndentsInTwips)
{
    QTextDocument doc;
    ASSERT_TRUE(Rtf::Load("{\\rtf1\\pard\\li360\\fi-240\\sb150 item\\par\\pard plain\\par}", &doc));
    const QTextBlockFormat item = doc.begin().blockFormat();
    EXPECT_DOUBLE_EQ(item.leftMargin(), 24.0);
    EXPECT_DOUBLE_EQ(item.textIndent(), -16.0);
    EXPECT_DOUBLE_EQ(item.topMargin(), 10.0);
    EXPECT_DOUBLE_EQ(doc.begin().next().blockFormat().leftMargin(), 0.0);
}
