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
    EXPECT_EQ(again.ReadSection(QStringLiteral("SLIDE SHOW")), QStringList({ QStringLiteral("Zeta"), QStringLiteral("Alpha") }));
    EXPECT_EQ(again.ReadString(QStringLiteral("html"), QStringLiteral("path"), QString()), QStringLiteral("/tmp/Ünïcode"));
    again.WriteString(QStringLiteral("Html"), QStringLiteral("Raw"), QStringLiteral(" a, b = c "));
    EXPECT_EQ(IniFile(path).ReadString(QStringLiteral("Html"), QStringLiteral("Raw"), QString()), QStringLiteral(" a, b = c "));
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
