// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(IniFile, NamesIgnoreCaseAndKeepOrderValuesStayRaw)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.Ini"));
    {
        IniFile ini(path);
        ini.WriteString(QStringLiteral("Slide Show"), QStringLiteral("Zeta"), QStringLiteral(" a, b = c "));
        ini.WriteInteger(QStringLiteral("Slide Show"), QStringLiteral("Alpha"), 7);
        ini.WriteBool(QStringLiteral("slide show"), QStringLiteral("ZETA"), true);
        ini.WriteString(QStringLiteral("Html"), QStringLiteral("Path"), QStringLiteral("/tmp/Ünïcode"));
    }
    EXPECT_EQ(ReadAll(path),
        QByteArray("[Slide Show]\r\nZeta=1\r\nAlpha=7\r\n\r\n[Html]\r\nPath=/tmp/\xC3\x9Cn\xC3\xAF"
                   "code\r\n\r\n"));

    IniFile again(path);
    EXPECT_EQ(again.ReadSection(QStringLiteral("SLIDE SHOW")),
        QStringList({ QStringLiteral("Zeta"), QStringLiteral("Alpha") }));
    EXPECT_EQ(again.ReadString(QStringLiteral("html"), QStringLiteral("path"), QString()),
        QStringLiteral("/tmp/Ünïcode"));
    again.WriteString(QStringLiteral("Html"), QStringLiteral("Raw"), QStringLiteral(" a, b = c "));
    EXPECT_EQ(IniFile(path).ReadString(QStringLiteral("Html"), QStringLiteral("Raw"), QString()),
        QStringLiteral(" a, b = c "));
    // Case beyond ASCII: the Kelvin sign is a capital k, and letters outside
    // the basic plane have cases too.
    again.WriteString(QStringLiteral("\u212Aeys"), QStringLiteral("\U00010400"), QStringLiteral("deseret"));
    EXPECT_EQ(again.ReadString(QStringLiteral("keys"), QStringLiteral("\U00010428"), QString()),
        QStringLiteral("deseret"));
    EXPECT_EQ(again.ReadSectionValues(QStringLiteral("Html")),
        QStringList({ QStringLiteral("Path=/tmp/Ünïcode"), QStringLiteral("Raw= a, b = c ") }));
}

TEST(IniFile, NumbersAndBooleansFallBackOnBadText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.Ini"));
    WriteAll(path, "; comment\n[S]\nBad=12x\nEmpty=\nHex=$1F\nNeg= -3\nTwo=2\nZero=0\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("Bad"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("Empty"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("Missing"), -1), -1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("Hex"), 0), 31);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("Neg"), 0), -3);
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("Two"), false));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("Zero"), true));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("S"), QStringLiteral("Bad"), true));
}

TEST(IniFile, EraseSectionAndDeleteKey)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.Ini"));
    IniFile ini(path);
    ini.BeginUpdate();
    ini.WriteString(QStringLiteral("HtmlSettings-1"), QStringLiteral("a"), QStringLiteral("1"));
    ini.WriteString(QStringLiteral("HtmlSettings-2"), QStringLiteral("a"), QStringLiteral("2"));
    ini.WriteString(QStringLiteral("HtmlSettings-2"), QStringLiteral("b"), QStringLiteral("3"));
    EXPECT_FALSE(QFile::exists(path)); // batched until EndUpdate
    ini.EndUpdate();
    ini.EraseSection(QStringLiteral("htmlsettings-1"));
    ini.DeleteKey(QStringLiteral("HtmlSettings-2"), QStringLiteral("A"));
    IniFile back(path);
    EXPECT_EQ(back.ReadSections(), QStringList({ QStringLiteral("HtmlSettings-2") }));
    EXPECT_FALSE(back.ValueExists(QStringLiteral("HtmlSettings-2"), QStringLiteral("a")));
    EXPECT_TRUE(back.ValueExists(QStringLiteral("HtmlSettings-2"), QStringLiteral("b")));
}

TEST(IniFile, FailedWriteIsReportedNotThrown)
{
    QTemporaryDir dir;
    const QString sub = dir.filePath(QStringLiteral("gone"));
    QDir().mkpath(sub);
    IniFile ini(sub + QStringLiteral("/t.Ini"));
    ini.WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_TRUE(ini.LastError().isEmpty());
    QDir(sub).removeRecursively();
    ini.WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("w"));
    EXPECT_FALSE(ini.LastError().isEmpty());
    EXPECT_EQ(ini.ReadString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("w"));
}

// Whatever a damaged or hand-edited file holds, reading it and writing it
// back gives the bytes it always gave: which duplicate wins, where a merged
// section goes, what becomes of comments, blank lines, stray carriage
// returns and lines without "=".
TEST(IniFile, OddContentReadsAndWritesBackAsItAlwaysDid)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.Ini"));
    WriteAll(path,
        "\xEF\xBB\xBF; comment first\r\n"
        "\r\n"
        "before=any section\r\n"
        "[Html]\r\n"
        "Amount=3\n"
        "amount=second, lower case\r\n"
        "  LastGeneratedFile1 =  /a b/index.htm  \r\n"
        "LASTGENERATEDFILE1=duplicate\r\n"
        "a line without equals\r\n"
        "=empty key\r\n"
        "=another empty key\r\n"
        "; comment inside\r\n"
        "\t\r\n"
        "key with\rcarriage return=inner\r\n"
        "value=has\ttab = and = more\r\r\n"
        "[a]b=bracket key\r\n"
        "[ Spaced ]\r\n"
        "x=1\r\n"
        "[html]\r\n"
        "Extra=merged into the first\r\n"
        "AMOUNT=ignored\r\n"
        "[\xC3\x9C"
        "ber]\r\n"
        "Schl\xC3\xBC"
        "ssel=Wert\r\n"
        "SCHL\xC3\x9C"
        "SSEL=duplicate\r\n"
        "bad=\xFF\xFE bytes\r\n"
        "[Empty]\r\n"
        "[]\r\n"
        "k=v\r\n"
        "[unterminated\r\n"
        "tail=no line end");

    IniFile ini(path);
    EXPECT_EQ(
        ini.ReadString(QStringLiteral("HTML"), QStringLiteral("AMOUNT"), QString()), QStringLiteral("3"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("html"), QStringLiteral("lastgeneratedfile1"), QString()),
        QStringLiteral("  /a b/index.htm  "));
    EXPECT_EQ(ini.ReadString(QStringLiteral("html"), QStringLiteral("Extra"), QString()),
        QStringLiteral("merged into the first"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("\u00FCBER"), QStringLiteral("schl\u00DCssel"), QString()),
        QStringLiteral("Wert"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Html"), QString(), QStringLiteral("none")),
        QStringLiteral("empty key"));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("Html"), QStringLiteral("A LINE WITHOUT EQUALS")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Spaced")));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("HTML")).size(), 8);
    ini.UpdateFile();
    const QByteArray asRead = ReadAll(path);
    EXPECT_EQ(asRead,
        QByteArray("[Html]\r\n"
                   "Amount=3\r\n"
                   "LastGeneratedFile1=  /a b/index.htm  \r\n"
                   "a line without equals=\r\n"
                   "=empty key\r\n"
                   "key with\rcarriage return=inner\r\n"
                   "value=has\ttab = and = more\r\n"
                   "[a]b=bracket key\r\n"
                   "Extra=merged into the first\r\n"
                   "\r\n"
                   "[ Spaced ]\r\n"
                   "x=1\r\n"
                   "\r\n"
                   "[\xC3\x9C"
                   "ber]\r\n"
                   "Schl\xC3\xBCssel=Wert\r\n"
                   "bad=\xEF\xBF\xBD\xEF\xBF\xBD bytes\r\n"
                   "\r\n"
                   "[Empty]\r\n"
                   "\r\n"
                   "[]\r\n"
                   "k=v\r\n"
                   "[unterminated=\r\n"
                   "tail=no line end\r\n"
                   "\r\n"));

    // Changes find the first of the duplicates and keep every place.
    ini.BeginUpdate();
    ini.WriteString(QStringLiteral("HTML"), QStringLiteral("amount"), QStringLiteral("4"));
    ini.WriteString(QStringLiteral("\u00DCber"), QStringLiteral("New"), QStringLiteral("appended"));
    ini.DeleteKey(QStringLiteral("Html"), QStringLiteral("EXTRA"));
    ini.EraseSection(QStringLiteral("EMPTY"));
    ini.WriteString(QStringLiteral("Empty"), QStringLiteral("again"), QStringLiteral("at the end"));
    ini.WriteString(QStringLiteral("html"), QStringLiteral("extra"), QStringLiteral("back, last"));
    ini.EndUpdate();
    EXPECT_EQ(ReadAll(path),
        QByteArray("[Html]\r\n"
                   "Amount=4\r\n"
                   "LastGeneratedFile1=  /a b/index.htm  \r\n"
                   "a line without equals=\r\n"
                   "=empty key\r\n"
                   "key with\rcarriage return=inner\r\n"
                   "value=has\ttab = and = more\r\n"
                   "[a]b=bracket key\r\n"
                   "extra=back, last\r\n"
                   "\r\n"
                   "[ Spaced ]\r\n"
                   "x=1\r\n"
                   "\r\n"
                   "[\xC3\x9C"
                   "ber]\r\n"
                   "Schl\xC3\xBCssel=Wert\r\n"
                   "bad=\xEF\xBF\xBD\xEF\xBF\xBD bytes\r\n"
                   "New=appended\r\n"
                   "\r\n"
                   "[]\r\n"
                   "k=v\r\n"
                   "[unterminated=\r\n"
                   "tail=no line end\r\n"
                   "\r\n"
                   "[Empty]\r\n"
                   "again=at the end\r\n"
                   "\r\n"));
    EXPECT_EQ(IniFile(path).ReadSectionValues(QStringLiteral("Html")).first(), QStringLiteral("Amount=4"));
}
