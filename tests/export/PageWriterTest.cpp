// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/PageWriter.h"
#include "export/ExportError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(PageWriter, EveryLineEndsInCrLfTheLastOneToo)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("index.htm"));
    TPageWriter writer(name);
    writer.Line(QStringLiteral("<html>"));
    writer.Line(2, QStringLiteral("<head>"));
    writer.Line(QString());
    writer.Line(0, QStringLiteral("</html>"));
    writer.Close();
    EXPECT_EQ(ReadAll(name), QByteArray("<html>\r\n  <head>\r\n\r\n</html>\r\n"));
}

TEST(PageWriter, WritesWindows1252AndReferencesForOtherCharacters)
{
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        { QStringLiteral("Caf\u00E9"), QByteArray("Caf\xE9") },
        { QStringLiteral("\u20AC 5"), QByteArray("\x80 5") },
        { QStringLiteral("\u0160koda \u2013 \u201Cx\u201D"), QByteArray("\x8Akoda \x96 \x93x\x94") },
        { QStringLiteral("\u4E2D\u6587"), QByteArray("&#20013;&#25991;") },
        { QString::fromUtf8("smile \xF0\x9F\x98\x80!"), QByteArray("smile &#128512;!") },
        { QString(QChar(0xD800)) + QStringLiteral("x"), QByteArray("&#65533;x") },
        { QStringLiteral("a < b & c"), QByteArray("a < b & c") },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TPageWriter::Encode(c.text), c.bytes) << c.text.toStdString();
}

TEST(PageWriter, LinesOfAList)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("timer.js"));
    TPageWriter writer(name);
    writer.Lines({ QStringLiteral("// x"), QString(), QStringLiteral("var a = 1;") });
    writer.Close();
    EXPECT_EQ(ReadAll(name), QByteArray("// x\r\n\r\nvar a = 1;\r\n"));
}

TEST(PageWriter, ReplacesAnOldFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("top.htm"));
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older and much longer page\r\n");
    }
    TPageWriter writer(name);
    writer.Line(QStringLiteral("new"));
    writer.Close();
    EXPECT_EQ(ReadAll(name), QByteArray("new\r\n"));
}

TEST(PageWriter, AWriterNotClosedLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("list.htm"));
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    {
        TPageWriter writer(name);
        writer.Line(QStringLiteral("half a page"));
    }
    EXPECT_EQ(ReadAll(name), QByteArray("old\r\n"));
}

TEST(PageWriter, AFileThatCannotBeCreatedRaisesAtOnce)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("no-such-folder/index.htm"));
    try {
        TPageWriter writer(name);
        FAIL() << "no error";
    } catch (const EExportError& e) {
        EXPECT_TRUE(e.Message().contains(name)) << e.Message().toStdString();
    }
}

TEST(PageWriter, AFolderInThePlaceOfTheFileRaises)
{
    QTemporaryDir dir;
    // A folder stands where the file should go: the file cannot take its place.
    const QString name = dir.filePath(QStringLiteral("index.htm"));
    ASSERT_TRUE(QDir().mkpath(name + QStringLiteral("/inner")));
    bool raised = false;
    try {
        TPageWriter writer(name);
        writer.Line(QStringLiteral("x"));
        writer.Close();
    } catch (const EExportError&) {
        raised = true;
    }
    EXPECT_TRUE(raised);
}
