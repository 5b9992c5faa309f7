// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/Album.h"
#include "model/MergeObject.h"

#include <gtest/gtest.h>

namespace {

TPhoto* AddPhoto(TAlbum& album, const QString& path, std::initializer_list<int> objects, int event = -1)
{
    auto photo = std::make_unique<TPhoto>();
    photo->SetId(album.GetPhotos().TakeNextId());
    photo->SetName(path);
    for (const int id : objects)
        photo->GetObjectIds().Add(id);
    photo->SetEventId(event);
    TPhoto* raw = photo.get();
    album.GetPhotos().Add(std::move(photo));
    return raw;
}

// Gives a label a chosen id, as a loaded album would have it.
void AddLabel(TEntityList& list, const QString& name, int id)
{
    list.AddName(name);
    list.ItemAt(list.Count() - 1)->SetId(id);
    list.SetNextId(std::max(list.GetNextId(), id + 1));
}

QList<int> Ids(const TPhoto* photo)
{
    return photo->GetObjectIds().Values();
}

} // namespace

TEST(AlbumImport, LabelsAreMatchedByNameAndPhotosRenumbered)
{
    TAlbum target(QStringLiteral("/albums/target.tvx"));
    AddLabel(target.GetObjects(), QStringLiteral("Beach"), 2);
    AddLabel(target.GetEvents(), QStringLiteral("Trip"), 0);
    const int nextBefore = target.GetObjects().GetNextId();

    TAlbum other(QStringLiteral("/albums/other.tvx"));
    AddLabel(other.GetObjects(), QStringLiteral("Beach"), 5);
    AddLabel(other.GetObjects(), QStringLiteral("Sea"), 6);
    AddLabel(other.GetEvents(), QStringLiteral("Party"), 3);
    TPhoto* a = AddPhoto(other, QStringLiteral("/p/a.jpg"), { 5, 6, 99 }, 3);
    TPhoto* b = AddPhoto(other, QStringLiteral("/p/b.jpg"), { 99 }, 42);

    target.MergeObjects(&other.GetObjects(), &other.GetPhotos());
    target.MergeEvents(&other.GetEvents(), &other.GetPhotos());

    EXPECT_EQ(target.GetObjects().Count(), 2);
    EXPECT_EQ(target.ObjectIdByName(QStringLiteral("Beach")), 2);
    EXPECT_EQ(target.ObjectIdByName(QStringLiteral("Sea")), nextBefore);
    EXPECT_EQ(target.GetObjects().GetNextId(), nextBefore + 1);
    // 5 -> 2, 6 -> Sea's new id; the id the other album did not know is dropped.
    EXPECT_EQ(Ids(a), QList<int>({ 2, nextBefore }));
    EXPECT_FALSE(b->HasObjects());
    EXPECT_EQ(a->GetEventId(), target.EventIdByName(QStringLiteral("Party")));
    EXPECT_EQ(b->GetEventId(), -1);

    target.MergeObjects(nullptr, &other.GetPhotos());
    EXPECT_EQ(Ids(a), QList<int>({ 2, nextBefore }));
}

TEST(AlbumImport, AddPhotosTakesNewPathsOnlyAndLosesNothing)
{
    TAlbum target(QStringLiteral("/albums/target.tvx"));
    AddPhoto(target, QStringLiteral("/p/a.jpg"), {});
    const int nextId = target.GetPhotos().GetNextId();

    TAlbum other(QStringLiteral("/albums/other.tvx"));
    AddPhoto(other, QStringLiteral("/p/a.jpg"), {});
    TPhoto* upper = AddPhoto(other, QStringLiteral("/p/A.jpg"), {});
    AddPhoto(other, QStringLiteral("/p/A.jpg"), {});
    upper->SetId(0); // may equal an id of the target

    target.AddPhotos(&other.GetPhotos());

    ASSERT_EQ(target.GetPhotos().Count(), 2);
    EXPECT_EQ(target.GetPhotos().PhotoAt(1), upper);
    EXPECT_EQ(upper->GetId(), 0);
    EXPECT_EQ(target.GetPhotos().GetNextId(), nextId);
    // What was not taken stays with the other album, which frees it (no leak).
    ASSERT_EQ(other.GetPhotos().Count(), 2);
    EXPECT_EQ(other.GetPhotos().PhotoAt(0)->GetName(), QStringLiteral("/p/a.jpg"));
    target.AddPhotos(nullptr);
    EXPECT_EQ(target.GetPhotos().Count(), 2);
}

TEST(MergeObject, JoinsLabelsWithoutDoublesOrLosses)
{
    TAlbum album(QStringLiteral("/albums/a.tvx"));
    TPhoto* both = AddPhoto(album, QStringLiteral("/p/1.jpg"), { 3, 1, 7 });
    TPhoto* only = AddPhoto(album, QStringLiteral("/p/2.jpg"), { 1, 3, 4 });
    TPhoto* twice = AddPhoto(album, QStringLiteral("/p/3.jpg"), { 3, 5, 3 });
    TPhoto* none = AddPhoto(album, QStringLiteral("/p/4.jpg"), { 4 }, 4);
    TPhoto* event = AddPhoto(album, QStringLiteral("/p/5.jpg"), {}, 9);

    TMergeObject merger;
    merger.SetAlbum(&album);
    merger.SetKind(TMergeObject::KindObjects);
    merger.Merge(3, 7);
    EXPECT_EQ(Ids(both), QList<int>({ 1, 7 }));
    EXPECT_EQ(Ids(only), QList<int>({ 1, 7, 4 }));
    EXPECT_EQ(Ids(twice), QList<int>({ 7, 5 }));
    EXPECT_EQ(Ids(none), QList<int>({ 4 }));

    merger.Merge(7, 7);
    EXPECT_EQ(Ids(both), QList<int>({ 1, 7 }));

    merger.SetKind(TMergeObject::KindEvents);
    merger.Merge(4, 9);
    EXPECT_EQ(none->GetEventId(), 9);
    EXPECT_EQ(event->GetEventId(), 9);
    EXPECT_EQ(Ids(none), QList<int>({ 4 }));

    merger.SetKind(5);
    merger.Merge(9, 1);
    EXPECT_EQ(event->GetEventId(), 9);
}

TEST(UsageFilters, DeleteAndMarkByWhetherPhotosCarryTheLabel)
{
    auto make = [](TAlbum& album) {
        AddLabel(album.GetObjects(), QStringLiteral("Used"), 0);
        AddLabel(album.GetObjects(), QStringLiteral("Unused"), 1);
        AddLabel(album.GetEvents(), QStringLiteral("Used"), 0);
        AddLabel(album.GetEvents(), QStringLiteral("Unused"), 1);
        AddPhoto(album, QStringLiteral("/p/1.jpg"), { 0, 0 }, 0);
    };
    {
        TAlbum album(QStringLiteral("/a.tvx"));
        make(album);
        album.DeleteObjects(2);
        album.DeleteEvents(2);
        EXPECT_EQ(album.GetObjects().Count(), 1);
        EXPECT_EQ(album.GetObjects().NameAt(0), QStringLiteral("Used"));
        EXPECT_EQ(album.GetEvents().NameAt(0), QStringLiteral("Used"));
        album.DeleteObjects(3);
        EXPECT_EQ(album.GetObjects().Count(), 1);
        album.DeleteObjects(0);
        album.DeleteEvents(0);
        EXPECT_EQ(album.GetObjects().Count(), 0);
        EXPECT_FALSE(album.GetPhotos().PhotoAt(0)->HasObjects());
        EXPECT_FALSE(album.GetPhotos().PhotoAt(0)->HasEvent());
    }
    {
        TAlbum album(QStringLiteral("/a.tvx"));
        make(album);
        album.MarkEvents(1);
        EXPECT_TRUE(album.GetEvents().ItemAt(0)->IsVisible());
        EXPECT_FALSE(album.GetEvents().ItemAt(1)->IsVisible());
        album.MarkObjects(2);
        EXPECT_FALSE(album.GetObjects().ItemAt(0)->IsVisible());
        EXPECT_TRUE(album.GetObjects().ItemAt(1)->IsVisible());
        album.MarkObjects(7);
        EXPECT_FALSE(album.GetObjects().ItemAt(1)->IsVisible());
    }
}

TEST(FindByName, MarksAndListsTheCarriers)
{
    TAlbum album(QStringLiteral("/a.tvx"));
    AddLabel(album.GetObjects(), QStringLiteral("Tree"), 0);
    AddLabel(album.GetObjects(), QStringLiteral("tree"), 1);
    AddLabel(album.GetEvents(), QStringLiteral("Trip"), 0);
    AddPhoto(album, QStringLiteral("/p/1.jpg"), { 1, 0, 0 }, 0);
    AddPhoto(album, QStringLiteral("/p/2.jpg"), { 1 });

    QStringList paths;
    EXPECT_TRUE(album.FindByObjectName(QStringLiteral("Tree"), paths));
    EXPECT_EQ(paths, QStringList({ QStringLiteral("/p/1.jpg") }));
    EXPECT_TRUE(album.GetPhotos().PhotoAt(0)->GetFound());
    EXPECT_FALSE(album.GetPhotos().PhotoAt(1)->GetFound());

    paths.clear();
    EXPECT_FALSE(album.FindByObjectName(QStringLiteral("Nothing"), paths));
    EXPECT_TRUE(paths.isEmpty());
    EXPECT_FALSE(album.GetPhotos().PhotoAt(0)->GetFound());

    EXPECT_TRUE(album.FindByEventName(QStringLiteral("Trip"), paths));
    EXPECT_EQ(paths, QStringList({ QStringLiteral("/p/1.jpg") }));
}
