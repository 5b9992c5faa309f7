// SPDX-License-Identifier: GPL-2.0-or-later
#include "ModelTestUtil.h"

#include "model/PhotoList.h"
#include "model/Reader.h"
#include "model/Writer.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TPhoto> MakePhoto(
    const QString& path, std::initializer_list<int> objectIds = {}, int eventId = -1)
{
    auto p = std::make_unique<TPhoto>();
    p->SetName(path);
    for (int id : objectIds)
        p->GetObjectIds().Add(id);
    p->SetEventId(eventId);
    return p;
}

} // namespace

TEST(Photo, DescriptionIsSavedTrimmed)
{
    TPhoto p;
    p.SetDescription(QStringLiteral("  two  words \t"));
    EXPECT_EQ(p.GetDescription(), QStringLiteral("two  words"));
    EXPECT_TRUE(p.HasDescription());
    TWriter w;
    p.SaveToWriter(w);
    TReader r(w.Data());
    TPhoto back;
    back.LoadFromReader(r, 2);
    EXPECT_EQ(back.GetDescription(), QStringLiteral("two  words"));

    p.SetDescription(QStringLiteral("   "));
    EXPECT_FALSE(p.HasDescription());
    p.SetYear(QStringLiteral(" "));
    EXPECT_FALSE(p.HasYear());
    p.SetYear(QStringLiteral("2004"));
    EXPECT_TRUE(p.HasYear());
}

TEST(Photo, DriveLetterAndFileName)
{
    TPhoto p;
    EXPECT_EQ(p.GetDriveLetter(), QChar(u' '));
    p.SetName(QStringLiteral("D:\\x\\a.jpg"));
    EXPECT_EQ(p.GetDriveLetter(), QChar(u'D'));
    EXPECT_EQ(p.GetFileNameOnly(), QStringLiteral("a.jpg"));
    p.SetName(QStringLiteral("/home/u/b.png"));
    EXPECT_EQ(p.GetFileNameOnly(), QStringLiteral("b.png"));
    EXPECT_FALSE(p.FileExists());
}

TEST(Photo, VersionOneFilesHaveNoPublishFlag)
{
    // One photo, then the photo list's NextId: the byte after the thumbnail
    // record is already the NextId.
    const QByteArray data = Bytes({ 0x02, 0x01, 0x02, 0x00, 0x06, 0x01, 'p', 0x08, 0x06, 0x00, 0x06, 0x00,
        0x02, 0xFF, 0x02, 0x00, 0x02, 0xFF, 0x06, 0x00, 0x08, 0x02, 0xFF, 0x06, 0x00, 0x02, 0x01 });
    TReader r(data);
    TPhotoList list;
    list.LoadFromReader(r, 1);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.PhotoAt(0)->GetUseInHtml());
    EXPECT_EQ(list.GetNextId(), 1);
    EXPECT_EQ(r.Remaining(), 0);
}

TEST(Photo, CloneCopiesLabelsButNotTheThumbnail)
{
    TPhoto p;
    p.SetId(4);
    p.SetName(QStringLiteral("/a/b.jpg"));
    p.SetDescription(QStringLiteral(" d "));
    p.SetYear(QStringLiteral("1999"));
    p.SetEventId(2);
    p.SetUseInHtml(false);
    p.SetFound(true);
    p.SetHtmlNumber(8);
    p.GetObjectIds().Add(1);
    p.GetObjectIds().Add(3);
    p.GetThumbNail().SetFileSize(1234);
    p.GetThumbNail().SetFileDate(QStringLiteral("07/15/2004/13/45"));

    const std::unique_ptr<TPhoto> c = p.Clone();
    EXPECT_EQ(c->GetId(), 4);
    EXPECT_EQ(c->GetName(), p.GetName());
    EXPECT_EQ(c->GetDescription(), QStringLiteral("d"));
    EXPECT_EQ(c->GetYear(), QStringLiteral("1999"));
    EXPECT_EQ(c->GetEventId(), 2);
    EXPECT_FALSE(c->GetUseInHtml());
    EXPECT_FALSE(c->GetFound());
    EXPECT_EQ(c->GetHtmlNumber(), -1);
    EXPECT_EQ(c->GetObjectIds().Values(), QList<int>({ 1, 3 }));
    EXPECT_EQ(c->GetThumbNail().GetFileSize(), -1);
    EXPECT_EQ(c->GetThumbNail().GetFileDate(), QString());

    // Assigned onto a photo with ids of its own: the old ones first.
    TPhoto q;
    q.GetObjectIds().Add(9);
    p.AssignTo(q);
    EXPECT_EQ(q.GetObjectIds().Values(), QList<int>({ 9, 1, 3 }));
}

TEST(PhotoList, LabelUsage)
{
    TPhotoList list;
    list.Add(MakePhoto(QStringLiteral("/a"), { 1, 2, 1 }, 5));
    list.Add(MakePhoto(QStringLiteral("/b"), { 2 }, -1));
    list.PhotoAt(1)->SetUseInHtml(false);

    EXPECT_EQ(list.GetPhotoCount(false), 2);
    EXPECT_EQ(list.GetPhotoCount(true), 1);
    EXPECT_TRUE(list.UsesEvent(-1));
    EXPECT_TRUE(list.UsesEvent(5));
    EXPECT_FALSE(list.UsesEvent(6));
    list.RemoveObjectId(1);
    EXPECT_EQ(list.PhotoAt(0)->GetObjectIds().Values(), QList<int>({ 2 }));
    EXPECT_FALSE(list.UsesObject(1));
    EXPECT_TRUE(list.UsesObject(2));
    list.ClearEventId(5);
    EXPECT_FALSE(list.PhotoAt(0)->HasEvent());
}

TEST(PhotoList, AddNameMakesPhotosAndItemsMoveBetweenLists)
{
    TPhotoList a;
    a.AddName(QStringLiteral("/x/1.jpg"));
    a.AddName(QStringLiteral("/x/2.jpg"));
    ASSERT_NE(a.PhotoAt(1), nullptr);
    a.PhotoAt(1)->SetYear(QStringLiteral("2001"));

    TPhotoList b;
    b.Add(a.Take(0));
    for (auto& p : a.DetachAll())
        b.Add(std::move(p));
    EXPECT_EQ(a.Count(), 0);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(b.PhotoAt(1)->GetYear(), QStringLiteral("2001"));
}
