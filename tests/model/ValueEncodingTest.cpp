// SPDX-License-Identifier: GPL-2.0-or-later
#include "ModelTestUtil.h"

#include "model/Reader.h"
#include "model/StreamError.h"
#include "model/Writer.h"

#include <gtest/gtest.h>

namespace {

QByteArray IntegerBytes(int v)
{
    TWriter w;
    w.WriteInteger(v);
    return w.Data();
}

QByteArray StringBytes(const QString& s)
{
    TWriter w;
    w.WriteString(s);
    return w.Data();
}

struct IntegerCase {
    int value;
    QByteArray bytes;
};

} // namespace

TEST(ValueEncoding, IntegersTakeTheSmallestForm)
{
    const IntegerCase cases[] = {
        { 0, Bytes({ 0x02, 0x00 }) },
        { 127, Bytes({ 0x02, 0x7F }) },
        { -1, Bytes({ 0x02, 0xFF }) },
        { -128, Bytes({ 0x02, 0x80 }) },
        { 128, Bytes({ 0x03, 0x80, 0x00 }) },
        { -129, Bytes({ 0x03, 0x7F, 0xFF }) },
        { 32767, Bytes({ 0x03, 0xFF, 0x7F }) },
        { 40000, Bytes({ 0x04, 0x40, 0x9C, 0x00, 0x00 }) },
        { -32769, Bytes({ 0x04, 0xFF, 0x7F, 0xFF, 0xFF }) },
        { INT_MIN, Bytes({ 0x04, 0x00, 0x00, 0x00, 0x80 }) },
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(IntegerBytes(c.value).toHex(' '), c.bytes.toHex(' ')) << c.value;
        TReader r(c.bytes);
        EXPECT_EQ(r.ReadInteger(), c.value);
        EXPECT_EQ(r.Remaining(), 0);
    }
}

TEST(ValueEncoding, SevenBitTextsUseTags6And12)
{
    EXPECT_EQ(StringBytes(QString()), Bytes({ 0x06, 0x00 }));
    EXPECT_EQ(StringBytes(QStringLiteral("Beach")), Bytes({ 0x06, 0x05, 0x42, 0x65, 0x61, 0x63, 0x68 }));

    const QString s255(255, u'a');
    EXPECT_EQ(StringBytes(s255).left(2), Bytes({ 0x06, 0xFF }));
    EXPECT_EQ(StringBytes(s255).size(), 257);

    const QString s300(300, u'z');
    const QByteArray long300 = StringBytes(s300);
    EXPECT_EQ(long300.left(5), Bytes({ 0x0C, 0x2C, 0x01, 0x00, 0x00 }));
    EXPECT_EQ(long300.mid(5), QByteArray(300, 'z'));
}

TEST(ValueEncoding, OtherTextsAreUtf8UnderTag20)
{
    EXPECT_EQ(StringBytes(QStringLiteral("\u00E9")), Bytes({ 0x14, 0x02, 0x00, 0x00, 0x00, 0xC3, 0xA9 }));
    const QString mixed = QStringLiteral("Zoë 東京 \U0001F600");
    TReader r(StringBytes(mixed));
    EXPECT_EQ(r.ReadString(), mixed);
}

TEST(ValueEncoding, ReadsWindows1252AndUtf16Texts)
{
    // Another writer's 8-bit text: "café" with the byte E9.
    TReader r1(Bytes({ 0x06, 0x04, 'c', 'a', 'f', 0xE9 }));
    EXPECT_EQ(r1.ReadString(), QStringLiteral("caf\u00E9"));
    // 0x80 is the euro sign in Windows-1252.
    TReader r2(Bytes({ 0x0C, 0x01, 0x00, 0x00, 0x00, 0x80 }));
    EXPECT_EQ(r2.ReadString(), QStringLiteral("\u20AC"));
    TReader r3(Bytes({ 0x12, 0x02, 0x00, 0x00, 0x00, 'O', 0x00, 0x1A, 0x6C }));
    EXPECT_EQ(r3.ReadString(), QStringLiteral("O\u6C1A"));
}

TEST(ValueEncoding, Booleans)
{
    TWriter w;
    w.WriteBoolean(false);
    w.WriteBoolean(true);
    EXPECT_EQ(w.Data(), Bytes({ 0x08, 0x09 }));

    // A Boolean position holding 02 reads as false; the next value starts right after it.
    const QByteArray data = Bytes({ 0x02, 0x02, 0x05 });
    TReader r(data);
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadInteger(), 5);
}

namespace {

QString ReadErrorOf(const QByteArray& data, bool asString)
{
    TReader r(data);
    try {
        if (asString)
            r.ReadString();
        else
            r.ReadInteger();
    } catch (const EStreamError& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

} // namespace

TEST(ValueEncoding, WrongTagsAndShortDataFailWithTheirMessages)
{
    const QString invalid = QStringLiteral("Invalid property value");
    const QString readError = QStringLiteral("Stream read error");
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x06, 0x00 }), false), invalid);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x02, 0x00 }), true), invalid);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x09 }), true), invalid);
    EXPECT_EQ(ReadErrorOf(QByteArray(), false), readError);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x04, 0x01, 0x02 }), false), readError);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x06, 0x05, 'a' }), true), readError);
    // Lengths far beyond the data, or negative.
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x0C, 0xFF, 0xFF, 0xFF, 0x7F }), true), readError);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x14, 0xFF, 0xFF, 0xFF, 0x7F }), true), readError);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x12, 0xFF, 0xFF, 0xFF, 0x7F }), true), readError);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 'a' }), true), invalid);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x14, 0x00, 0x00, 0x00, 0x80 }), true), invalid);
    EXPECT_EQ(ReadErrorOf(Bytes({ 0x12, 0xFE, 0xFF, 0xFF, 0xFF }), true), invalid);
}
