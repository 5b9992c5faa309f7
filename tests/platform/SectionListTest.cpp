// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/SectionList.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList Decode(const QString& value)
{
    QStringList items;
    TSectionList::DecodeStrings(value, items);
    return items;
}

class SectionListTest : public ::testing::Test {
protected:
    QString IniPath() const { return dir.filePath(QStringLiteral("tavrimolex.Ini")); }

    QTemporaryDir dir;
    IniFile ini { IniPath() };
    TSectionList list { ini, QStringLiteral("HtmlSettings") };
};

} // namespace

TEST(SectionListEncoding, ListsAsOneValue)
{
    EXPECT_EQ(TSectionList::EncodeStrings({ QStringLiteral("ab"), QStringLiteral("c") }),
        QStringLiteral("#2#2#ab#1#c"));
    EXPECT_EQ(TSectionList::EncodeStrings({}), QStringLiteral("#0"));
    EXPECT_EQ(TSectionList::EncodeStrings({ QString() }), QStringLiteral("#1#0#"));
    EXPECT_EQ(TSectionList::EncodeStrings({ QStringLiteral("a#b"), QStringLiteral("#") }),
        QStringLiteral("#2#3#a#b#1##"));
}

TEST(SectionListEncoding, Decoding)
{
    struct Case {
        const char* value;
        QStringList items;
    };
    const Case cases[] = {
        { "#2#2#ab#1#c", { QStringLiteral("ab"), QStringLiteral("c") } },
        { "#0", {} },
        { "", {} },
        { "2#2#ab", {} },
        { "#3#1#a", { QStringLiteral("a") } }, // the count is not enforced
        { "#x#1#a", {} },
        { "#1#5#ab", {} }, // the length exceeds the rest
        { "#1#0#", { QString() } },
        { "#2#3#a#b#1##", { QStringLiteral("a#b"), QStringLiteral("#") } },
        { "#2#1#a#y#b", { QStringLiteral("a") } }, // a bad length stops, keeping what was read
        { "#1#-1#a", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decode(QString::fromUtf8(c.value)), c.items) << c.value;
}

TEST(SectionListEncoding, DecodingAppends)
{
    QStringList items { QStringLiteral("kept") };
    TSectionList::DecodeStrings(QStringLiteral("#1#3#new"), items);
    EXPECT_EQ(items, (QStringList { QStringLiteral("kept"), QStringLiteral("new") }));
}

TEST_F(SectionListTest, NoHeaderMeansNoRecords)
{
    EXPECT_EQ(list.GetCount(), 0);
    ini.WriteString(QStringLiteral("HtmlSettings-1"), QStringLiteral("Name"), QStringLiteral("orphan"));
    EXPECT_EQ(list.Find(QStringLiteral("Name"), QStringLiteral("orphan")), -1);
}

TEST_F(SectionListTest, FindIgnoresAsciiCase)
{
    const int first = list.AddSection();
    const int second = list.AddSection();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    list.WriteValue(1, QStringLiteral("Name"), QStringLiteral("Summer"));
    list.WriteValue(2, QStringLiteral("Name"), QStringLiteral("HOLIDAY"));
    EXPECT_EQ(list.Find(QStringLiteral("Name"), QStringLiteral("Holiday")), 2);
    EXPECT_EQ(list.Find(QStringLiteral("Name"), QStringLiteral("Winter")), -1);
}

TEST_F(SectionListTest, LayoutInTheSettingsFile)
{
    const int n = list.AddSection();
    list.WriteValue(n, QStringLiteral("eb_HTMLTitle"), QStringLiteral("Trip"));
    list.WriteStrings(n, QStringLiteral("lb_Albums"), { QStringLiteral("ab"), QStringLiteral("c") });

    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[HtmlSettings]\r\nNrOfHtmlSettings=1\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("[HtmlSettings-1]\r\neb_HTMLTitle=Trip\r\nlb_Albums=#2#2#ab#1#c\r\n"))
        << text.constData();

    IniFile again(IniPath());
    TSectionList reread(again, QStringLiteral("HtmlSettings"));
    QStringList items;
    reread.ReadStrings(1, QStringLiteral("lb_Albums"), items);
    EXPECT_EQ(items, (QStringList { QStringLiteral("ab"), QStringLiteral("c") }));
    EXPECT_EQ(reread.ReadValue(1, QStringLiteral("missing"), QStringLiteral("def")), QStringLiteral("def"));
}

TEST_F(SectionListTest, EmptyItemRoundTrips)
{
    const int n = list.AddSection();
    list.WriteStrings(n, QStringLiteral("Items"), { QString() });
    EXPECT_EQ(list.ReadValue(n, QStringLiteral("Items"), QString()), QStringLiteral("#1#0#"));
    QStringList items;
    list.ReadStrings(n, QStringLiteral("Items"), items);
    EXPECT_EQ(items, QStringList { QString() });
}

TEST_F(SectionListTest, LongListsAreNotCut)
{
    const int n = list.AddSection();
    QStringList long_items;
    for (int i = 0; i < 100; ++i)
        long_items.append(QString(50, QChar(u'a' + i % 26)));
    list.WriteStrings(n, QStringLiteral("Items"), long_items);

    IniFile again(IniPath());
    QStringList items;
    TSectionList(again, QStringLiteral("HtmlSettings")).ReadStrings(n, QStringLiteral("Items"), items);
    EXPECT_EQ(items, long_items);
}

TEST_F(SectionListTest, DeleteMovesLaterRecordsDown)
{
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(list.AddSection(), n);
        list.WriteValue(n, QStringLiteral("Name"), QStringLiteral("record %1").arg(n));
        list.WriteValue(n, QStringLiteral("Extra%1").arg(n), QStringLiteral("x"));
    }
    list.DeleteSection(2);

    IniFile again(IniPath());
    TSectionList reread(again, QStringLiteral("HtmlSettings"));
    EXPECT_EQ(reread.GetCount(), 3);
    EXPECT_EQ(reread.ReadValue(1, QStringLiteral("Name"), QString()), QStringLiteral("record 1"));
    EXPECT_EQ(reread.ReadValue(2, QStringLiteral("Name"), QString()), QStringLiteral("record 3"));
    EXPECT_EQ(reread.ReadValue(3, QStringLiteral("Name"), QString()), QStringLiteral("record 4"));
    EXPECT_EQ(again.ReadSection(QStringLiteral("HtmlSettings-2")),
        (QStringList { QStringLiteral("Name"), QStringLiteral("Extra3") }));
    EXPECT_FALSE(again.SectionExists(QStringLiteral("HtmlSettings-4")));
}

TEST_F(SectionListTest, DeleteOutsideTheRecordsChangesNothing)
{
    for (int n = 1; n <= 2; ++n) {
        list.AddSection();
        list.WriteValue(n, QStringLiteral("Name"), QStringLiteral("record %1").arg(n));
    }
    list.DeleteSection(3);
    list.DeleteSection(0);
    list.DeleteSection(-1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.ReadValue(2, QStringLiteral("Name"), QString()), QStringLiteral("record 2"));
}
