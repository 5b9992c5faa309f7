// SPDX-License-Identifier: GPL-2.0-or-later
#include "ModelTestUtil.h"

#include "model/EntityList.h"
#include "model/Reader.h"
#include "model/StreamIntList.h"
#include "model/ThumbNailInfo.h"
#include "model/Writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

QStringList Names(const TEntityList& list)
{
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names << list.NameAt(i);
    return names;
}

TEntityList& Fill(TEntityList& list, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        list.AddName(QString::fromUtf8(n));
    return list;
}

} // namespace

TEST(Entity, SavedLayout)
{
    TEntity e;
    e.SetId(3);
    e.SetName(QStringLiteral("Beach"));
    TWriter w;
    e.SaveToWriter(w);
    EXPECT_EQ(w.Data(), Bytes({ 0x02, 0x03, 0x06, 0x05, 0x42, 0x65, 0x61, 0x63, 0x68, 0x08 }));

    TReader r(w.Data());
    TEntity back;
    back.LoadFromReader(r, 2);
    EXPECT_EQ(back.GetId(), 3);
    EXPECT_EQ(back.GetName(), QStringLiteral("Beach"));
    EXPECT_FALSE(back.IsSelected());
}

TEST(Entity, AssignToCopiesAllButVisible)
{
    TEntity a;
    a.SetId(7);
    a.SetName(QStringLiteral("x"));
    a.Select();
    a.SetVisible(false);
    TEntity b;
    a.AssignTo(b);
    EXPECT_EQ(b.GetId(), 7);
    EXPECT_EQ(b.GetName(), QStringLiteral("x"));
    EXPECT_TRUE(b.IsSelected());
    EXPECT_TRUE(b.IsVisible());
}

TEST(EntityList, EmptyListLayoutAndRoundTrip)
{
    TEntityList empty;
    TWriter w;
    empty.SaveToWriter(w);
    EXPECT_EQ(w.Data(), Bytes({ 0x02, 0x00, 0x02, 0x00 }));

    TEntityList list;
    Fill(list, { "Anna", "Beach", "Zoë" });
    list.ItemAt(1)->Select();
    TWriter w2;
    list.SaveToWriter(w2);
    TReader r(w2.Data());
    TEntityList back;
    back.LoadFromReader(r, 2);
    EXPECT_EQ(Names(back), Names(list));
    EXPECT_EQ(back.GetNextId(), 3);
    EXPECT_TRUE(back.ItemAt(1)->IsSelected());
    EXPECT_EQ(back.IdByName(QStringLiteral("Zoë")), 2);
}

TEST(EntityList, IdsAreHandedOutOnce)
{
    TEntityList list;
    Fill(list, { "a", "b" });
    EXPECT_EQ(list.ItemAt(0)->GetId(), 0);
    EXPECT_EQ(list.ItemAt(1)->GetId(), 1);
    EXPECT_EQ(list.TakeNextId(), 2);
    EXPECT_EQ(list.GetNextId(), 3);
    list.RemoveByName(QStringLiteral("b"));
    list.AddName(QStringLiteral("c"));
    EXPECT_EQ(list.IdByName(QStringLiteral("c")), 3);
}

TEST(EntityList, LoadedCounterNeverBelowTheLoadedIds)
{
    // Two labels with ids 5 and 9, but a stored NextId of 2.
    const QByteArray data = Bytes(
        { 0x02, 0x02, 0x02, 0x05, 0x06, 0x01, 'a', 0x08, 0x02, 0x09, 0x06, 0x01, 'b', 0x08, 0x02, 0x02 });
    TReader r(data);
    TEntityList list;
    list.LoadFromReader(r, 2);
    EXPECT_EQ(list.GetNextId(), 10);
    list.AddName(QStringLiteral("c"));
    EXPECT_EQ(list.IdByName(QStringLiteral("c")), 10);
}

TEST(EntityList, LookupsCompareExactly)
{
    TEntityList list;
    Fill(list, { "Beach", "beach" });
    EXPECT_EQ(list.IndexOfName(QStringLiteral("beach")), 1);
    EXPECT_EQ(list.IdByName(QStringLiteral("BEACH")), -1);
    EXPECT_EQ(list.NameById(1), QStringLiteral("beach"));
    EXPECT_EQ(list.NameById(42), QString());
    EXPECT_EQ(list.FindById(42), nullptr);
    EXPECT_EQ(list.ItemAt(-1), nullptr);
    EXPECT_EQ(list.ItemAt(2), nullptr);
    EXPECT_EQ(list.NameAt(5), QString());

    // NameById(-1) is empty even when an item carries the id -1.
    list.ItemAt(0)->SetId(-1);
    EXPECT_EQ(list.NameById(-1), QString());
}

TEST(EntityList, MovesAtTheEndsChangeNothing)
{
    TEntityList list;
    Fill(list, { "a", "b", "c" });
    list.MoveUp(QStringLiteral("a"));
    list.MoveDown(QStringLiteral("c"));
    list.MoveUp(QStringLiteral("zz"));
    list.MoveDown(QStringLiteral("zz"));
    EXPECT_EQ(Names(list), QStringList({ "a", "b", "c" }));
    list.MoveUp(QStringLiteral("c"));
    EXPECT_EQ(Names(list), QStringList({ "a", "c", "b" }));
    list.MoveDown(QStringLiteral("a"));
    EXPECT_EQ(Names(list), QStringList({ "c", "a", "b" }));
}

TEST(EntityList, DetachAllHandsTheItemsOver)
{
    TEntityList from;
    Fill(from, { "a", "b" });
    TEntityList to;
    for (auto& item : from.DetachAll())
        to.Add(std::move(item));
    EXPECT_EQ(from.Count(), 0);
    EXPECT_EQ(Names(to), QStringList({ "a", "b" }));
}

// The list answers look-ups from an index it keeps beside the records: after
// every kind of change, in any order, it answers as a search from the front
// would, also while two records share a name and for records renamed in it.
TEST(EntityList, LookupsFollowEveryChange)
{
    TEntityList list;
    TEntityList other;
    std::mt19937 random(7);
    const auto pick = [&](int bound) { return int(random() % unsigned(std::max(bound, 1))); };
    const auto name = [&] { return QStringLiteral("p%1").arg(pick(40)); };
    for (int step = 0; step < 3000; ++step) {
        const int n = list.Count();
        switch (pick(9)) {
        case 0:
            list.AddName(name());
            break;
        case 1: {
            auto item = std::make_unique<TEntity>();
            item->SetName(name());
            list.Insert(pick(n + 1), std::move(item));
            break;
        }
        case 2:
            if (n)
                other.Add(list.Take(pick(n)));
            break;
        case 3:
            if (n)
                list.Delete(pick(n));
            break;
        case 4:
            list.MoveUp(name());
            list.MoveDown(name());
            break;
        case 5:
            if (n)
                list.Move(pick(n), pick(n));
            break;
        case 6:
            if (n)
                list.Exchange(pick(n), pick(n));
            break;
        case 7:
            if (n)
                list.ItemAt(pick(n))->SetName(name());
            // A record taken out is no longer the list's to find.
            if (other.Count())
                other.ItemAt(pick(other.Count()))->SetName(name());
            break;
        default:
            list.RemoveByName(name());
            if (step % 500 == 0)
                list.Clear();
            break;
        }
        for (int k = 0; k < 40; ++k) {
            const QString wanted = QStringLiteral("p%1").arg(k);
            const int expected = int(Names(list).indexOf(wanted));
            ASSERT_EQ(list.IndexOfName(wanted), expected)
                << "step " << step << " name " << qPrintable(wanted);
        }
        for (int i = 0; i < list.Count(); ++i)
            ASSERT_EQ(list.IndexOf(list.ItemAt(i)), i) << "step " << step;
        ASSERT_EQ(list.IndexOf(other.ItemAt(0)), -1);
    }
}

TEST(StreamIntList, Operations)
{
    TStreamIntList list;
    list.Add(4);
    list.Add(7);
    list.Add(4);
    EXPECT_EQ(list.IndexOf(7), 1);
    EXPECT_EQ(list.IndexOf(8), -1);
    list.RemoveValue(4);
    EXPECT_EQ(list.Values(), QList<int>({ 7 }));
    TStreamIntList other;
    other.Add(1);
    other.Add(7);
    list.AddAll(other);
    EXPECT_EQ(list.Values(), QList<int>({ 7, 1, 7 }));
    list.AddAll(list);
    EXPECT_EQ(list.Count(), 6);

    TWriter w;
    other.SaveToWriter(w);
    EXPECT_EQ(w.Data(), Bytes({ 0x02, 0x02, 0x02, 0x01, 0x02, 0x07 }));
    TReader r(w.Data());
    TStreamIntList back;
    back.LoadFromReader(r, 2);
    EXPECT_EQ(back.Values(), QList<int>({ 1, 7 }));
    EXPECT_TRUE(back.Contains(7));
}

TEST(ThumbNailInfo, DefaultsAndLayout)
{
    TThumbNailInfo info;
    EXPECT_EQ(info.GetWidth(), 40);
    EXPECT_EQ(info.GetHeight(), 40);
    info.SetWidth(160);
    TWriter w;
    info.SaveToWriter(w);
    EXPECT_EQ(w.Data(), Bytes({ 0x03, 0xA0, 0x00, 0x02, 0x28 }));
}

TEST(EntityList, DamagedCountersNeverHandOutNoneOrRunOver)
{
    // An empty list whose stored NextId is -2: counting up from there would
    // give a label the id -1, which photos read as "no label".
    TReader negative(Bytes({ 0x02, 0x00, 0x02, 0xFE }));
    TEntityList list;
    list.LoadFromReader(negative, 2);
    list.AddName(QStringLiteral("a"));
    list.AddName(QStringLiteral("b"));
    EXPECT_EQ(list.IdByName(QStringLiteral("a")), 0);
    EXPECT_EQ(list.IdByName(QStringLiteral("b")), 1);

    // A label with the largest id: new labels still get ids of their own.
    TReader top(Bytes({ 0x02, 0x01, 0x04, 0xFF, 0xFF, 0xFF, 0x7F, 0x06, 0x01, 'z', 0x08, 0x02, 0x00 }));
    TEntityList full;
    full.LoadFromReader(top, 2);
    full.AddName(QStringLiteral("a"));
    full.AddName(QStringLiteral("b"));
    EXPECT_EQ(full.IdByName(QStringLiteral("a")), 0);
    EXPECT_EQ(full.IdByName(QStringLiteral("b")), 1);
    EXPECT_EQ(full.IdByName(QStringLiteral("z")), INT_MAX);
}
