// SPDX-License-Identifier: GPL-2.0-or-later
// The import and search pages of the Albums tab, in the real main window.
#include "MainWindowFixture.h"

#include "common/FormBasis.h"

#include <QAction>
#include <QMenu>

namespace {

class AlbumPages : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        ChosenLanguage();
        Start();
        // The note that the help file is missing from the sandbox.
        m_dialogs->Clear();
        m_albums = Path(QStringLiteral("albums"));
        QDir().mkpath(m_albums);
    }

    // An album file with labels and photos: each photo is a path with the
    // names of its objects and its event (empty for none).
    struct PhotoEntry {
        QString path;
        QStringList objects;
        QString event;
    };
    QString MakeAlbumWith(const QString& name, const QStringList& objects, const QStringList& events,
        const std::vector<PhotoEntry>& photos)
    {
        TAlbum album(m_albums + u'/' + name);
        for (const QString& object : objects)
            album.GetObjects().AddName(object);
        for (const QString& event : events)
            album.GetEvents().AddName(event);
        for (const PhotoEntry& entry : photos) {
            auto photo = std::make_unique<TPhoto>();
            // Every album starts counting its photos at 0, so the ids of two albums collide.
            photo->SetId(album.GetPhotos().TakeNextId());
            photo->SetName(entry.path);
            for (const QString& object : entry.objects)
                photo->GetObjectIds().Add(album.ObjectIdByName(object));
            photo->SetEventId(entry.event.isEmpty() ? -1 : album.EventIdByName(entry.event));
            album.GetPhotos().Add(std::move(photo));
        }
        album.SaveToFile();
        return album.GetFileName();
    }

    // Picks an album file of the import page's folder list and adds it.
    void AddForImport(const QString& name)
    {
        auto* available = Find<QListWidget>("lsbImportalbums");
        const QList<QListWidgetItem*> rows = available->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1) << name.toStdString();
        available->setCurrentItem(rows.first());
        QTest::mouseClick(Find<QPushButton>("pb_AddToImportAlbums"), Qt::LeftButton);
    }

    void ShowImportPage()
    {
        Find<QTabWidget>("pc_Albums")->setCurrentWidget(Find<QWidget>("ts_ImportAlbums"));
        ASSERT_TRUE(Find<TFolderTree>("stvImportAlbums")->SetFolder(m_albums));
    }

    QStringList Names(const TEntityList& list) const
    {
        QStringList names;
        for (int i = 0; i < list.Count(); ++i)
            names.append(list.NameAt(i));
        return names;
    }

    QString m_albums;
};

TEST_F(AlbumPages, ImportMergesLabelsByNameTakesNewPhotosOnlyAndSkipsTheOpenAlbum)
{
    const QString open = MakeAlbumWith(QStringLiteral("open.tvx"), { QStringLiteral("Beach") }, {},
        { { QStringLiteral("/p/a.jpg"), { QStringLiteral("Beach") }, {} } });
    MakeAlbumWith(QStringLiteral("one.tvx"), { QStringLiteral("Sea"), QStringLiteral("Beach") },
        { QStringLiteral("Party") },
        { { QStringLiteral("/p/a.jpg"), {}, {} },
            { QStringLiteral("/p/b.jpg"), { QStringLiteral("Sea") }, QStringLiteral("Party") } });
    MakeAlbumWith(QStringLiteral("two.tvx"), { QStringLiteral("Beach") }, {},
        { { QStringLiteral("/p/b.jpg"), {}, {} },
            { QStringLiteral("/p/c.jpg"), { QStringLiteral("Beach") }, {} } });
    ASSERT_TRUE(m_form->OpenAlbum(open));
    ShowImportPage();
    AddForImport(QStringLiteral("one.tvx"));
    AddForImport(QStringLiteral("open.tvx"));
    AddForImport(QStringLiteral("two.tvx"));
    AddForImport(QStringLiteral("one.tvx"));
    const TLanguageSelector& t = *Language();
    ASSERT_EQ(m_dialogs->Calls().size(), 1u);
    EXPECT_EQ(m_dialogs->Calls()[0].text, t.MF[29]);
    ASSERT_EQ(Find<QListWidget>("lsbSelectedImportAlbums")->count(), 3);

    m_dialogs->Clear();
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("pb_ImportSelectedAlbums"), Qt::LeftButton);

    const std::vector<TDialogCall>& calls = m_dialogs->Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, t.MF[33]);
    EXPECT_EQ(calls[1].text, Text::Format(t.MF[35], { open }));
    EXPECT_EQ(calls[2].text, QStringLiteral("Number of imported albums: 2."));
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);

    TAlbum& album = *m_form->Album();
    EXPECT_EQ(Names(album.GetObjects()), QStringList({ QStringLiteral("Beach"), QStringLiteral("Sea") }));
    EXPECT_EQ(Names(album.GetEvents()), QStringList { QStringLiteral("Party") });
    const TPhotoList& photos = album.GetPhotos();
    ASSERT_EQ(Names(photos),
        QStringList({ QStringLiteral("/p/a.jpg"), QStringLiteral("/p/b.jpg"), QStringLiteral("/p/c.jpg") }));
    const TPhoto* b = photos.PhotoAt(1);
    EXPECT_EQ(b->GetObjectIds().Values(), QList<int> { album.ObjectIdByName(QStringLiteral("Sea")) });
    EXPECT_EQ(b->GetEventId(), album.EventIdByName(QStringLiteral("Party")));
    EXPECT_EQ(photos.PhotoAt(2)->GetObjectIds().Values(),
        QList<int> { album.ObjectIdByName(QStringLiteral("Beach")) });
    EXPECT_NE(photos.PhotoAt(0)->GetId(), b->GetId());
    EXPECT_NE(photos.PhotoAt(0)->GetId(), photos.PhotoAt(2)->GetId());
    EXPECT_NE(b->GetId(), photos.PhotoAt(2)->GetId());
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 3);
    EXPECT_TRUE(m_form->ContentsChanged());
}

TEST_F(AlbumPages, AlbumsWhoseNamesDifferOnlyInLetterCaseAreBothImported)
{
    const QString open = MakeAlbumWith(QStringLiteral("open.tvx"), {}, {}, {});
    MakeAlbumWith(QStringLiteral("Trip.tvx"), {}, {}, { { QStringLiteral("/p/a.jpg"), {}, {} } });
    MakeAlbumWith(QStringLiteral("trip.tvx"), {}, {}, { { QStringLiteral("/p/b.jpg"), {}, {} } });
    ASSERT_TRUE(m_form->OpenAlbum(open));
    ShowImportPage();
    AddForImport(QStringLiteral("Trip.tvx"));
    AddForImport(QStringLiteral("trip.tvx"));
    EXPECT_EQ(m_dialogs->CallCount(Kind::MessageBox), 0);
    AddForImport(QStringLiteral("trip.tvx"));
    ASSERT_EQ(m_dialogs->CallCount(Kind::MessageBox), 1);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Language()->MF[29]);
    ASSERT_EQ(Find<QListWidget>("lsbSelectedImportAlbums")->count(), 2);

    m_dialogs->QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("pb_ImportSelectedAlbums"), Qt::LeftButton);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, Text::Format(Language()->MF[39], { 2 }));
    EXPECT_EQ(Names(m_form->Album()->GetPhotos()),
        QStringList({ QStringLiteral("/p/a.jpg"), QStringLiteral("/p/b.jpg") }));
}

TEST_F(AlbumPages, ADamagedAlbumEndsTheImportNamedWithTheCursorRestored)
{
    const QString open = MakeAlbumWith(QStringLiteral("open.tvx"), {}, {}, {});
    MakeAlbumWith(QStringLiteral("one.tvx"), {}, {}, { { QStringLiteral("/p/a.jpg"), {}, {} } });
    MakeAlbumWith(QStringLiteral("two.tvx"), {}, {}, { { QStringLiteral("/p/b.jpg"), {}, {} } });
    const QString damaged = m_albums + QStringLiteral("/damaged.tvx");
    // The version number, and then the file breaks off.
    WriteFile(damaged, QByteArray("\x02\x00\x00\x00", 4));
    ASSERT_TRUE(m_form->OpenAlbum(open));
    ShowImportPage();
    AddForImport(QStringLiteral("one.tvx"));
    AddForImport(QStringLiteral("damaged.tvx"));
    AddForImport(QStringLiteral("two.tvx"));

    m_dialogs->QueueMessageResult(MessageResult::Yes);
    QTest::mouseClick(Find<QPushButton>("pb_ImportSelectedAlbums"), Qt::LeftButton);

    const std::vector<TDialogCall>& calls = m_dialogs->Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_TRUE(calls[1].text.startsWith(Text::Format(Language()->HG[13], { damaged })));
    EXPECT_EQ(calls[2].text, Text::Format(Language()->MF[39], { 1 }));
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
    EXPECT_EQ(m_form->Album()->GetPhotos().Count(), 1);
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 1);
}

TEST_F(AlbumPages, SearchFindsAlbumFilesInEveryCaseBelowTheFolderAndHandsThemOn)
{
    const QString root = Path(QStringLiteral("search"));
    const QString upper = MakeAlbum(root + QStringLiteral("/A.TVX"));
    const QString lower = MakeAlbum(root + QStringLiteral("/sub/deeper/b.tvx"));
    WriteFile(root + QStringLiteral("/sub/c.tvx.bak"), "not an album");
    Find<QTabWidget>("pc_Albums")->setCurrentWidget(Find<QWidget>("ts_SearchAlbums"));
    ASSERT_TRUE(Find<TFolderTree>("stvSearchAlbums")->SetFolder(root));
    auto* found = Find<QListWidget>("lb_FoundAlbums");
    auto* open = Find<QPushButton>("pb_OpenFoundAlbum");
    auto* use = Find<QPushButton>("pb_UseAlbum");
    EXPECT_FALSE(Find<QPushButton>("pb_Stop")->isEnabled());
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(use->isEnabled());

    QTest::mouseClick(Find<QPushButton>("bt_SearchForAlbums"), Qt::LeftButton);

    ASSERT_EQ(m_dialogs->CallCount(Kind::MessageBox), 1);
    EXPECT_EQ(m_dialogs->LastCall(Kind::MessageBox)->text, QStringLiteral("Number of albums found: 2."));
    ASSERT_EQ(found->count(), 2);
    EXPECT_EQ(found->item(0)->text(), upper);
    EXPECT_EQ(found->item(1)->text(), lower);
    EXPECT_FALSE(Find<QPushButton>("pb_Stop")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("bt_SearchForAlbums")->isEnabled());

    QTest::mouseClick(
        found->viewport(), Qt::LeftButton, Qt::NoModifier, found->visualItemRect(found->item(1)).center());
    ASSERT_TRUE(use->isEnabled());
    EXPECT_TRUE(open->isEnabled());
    auto* menu = Find<QMenu>("ppmAlbumSearch");
    auto* forImporting = Find<QAction>("pmiUseForImporting");
    QTest::mouseClick(use, Qt::LeftButton);
    EXPECT_FALSE(forImporting->isEnabled());
    menu->hide();

    QTest::mouseClick(open, Qt::LeftButton);
    ASSERT_NE(m_form->Album(), nullptr);
    EXPECT_EQ(m_form->Album()->GetFileName(), lower);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Photos"));

    m_form->pc_Album()->setCurrentIndex(0);
    QTest::mouseClick(use, Qt::LeftButton);
    ASSERT_TRUE(forImporting->isEnabled());
    forImporting->trigger();
    menu->hide();
    auto* selected = Find<QListWidget>("lsbSelectedImportAlbums");
    ASSERT_EQ(selected->count(), 1);
    EXPECT_EQ(selected->item(0)->text(), lower);
    EXPECT_EQ(CurrentInner("pc_Albums"), QStringLiteral("ts_ImportAlbums"));

    // The web export takes a found album once, and shows where it went only then.
    Find<QTabWidget>("pc_Albums")->setCurrentWidget(Find<QWidget>("ts_SearchAlbums"));
    for (int time = 0; time < 2; ++time) {
        m_form->pc_Album()->setCurrentIndex(0);
        Find<QAction>("pmiUseForHtmlGeneration")->trigger();
    }
    auto* forHtml = Find<QListWidget>("lb_HTMLSelectedAlbums");
    ASSERT_EQ(forHtml->count(), 1);
    EXPECT_EQ(forHtml->item(0)->text(), lower);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_Albums"));
    m_form->pc_Album()->setCurrentIndex(0);
    found->setCurrentRow(0);
    Find<QAction>("pmiUseForHtmlGeneration")->trigger();
    EXPECT_EQ(forHtml->count(), 2);
    EXPECT_EQ(CurrentPage(), QStringLiteral("ts_HTML"));
    EXPECT_EQ(CurrentInner("pc_HTMLSTEPS"), QStringLiteral("ts_HTMLSTEP1"));
}

// Another program makes folders and removes an album while the pages show them.
TEST_F(AlbumPages, FolderTreesAndAlbumListsFollowTheDiskWithoutReopeningAFolder)
{
    MakeAlbumWith(QStringLiteral("Kept.tvx"), {}, {}, {});
    const QString gone = MakeAlbumWith(QStringLiteral("Gone.tvx"), {}, {}, {});
    QDir().mkpath(m_albums + QStringLiteral("/old"));
    const auto names = [this](const char* list) {
        QStringList rows;
        for (int i = 0; i < Find<QListWidget>(list)->count(); ++i)
            rows << Find<QListWidget>(list)->item(i)->text();
        return rows;
    };
    // The sub-folders the tree shows below a folder.
    const auto shown = [](TFolderTree* tree, const QModelIndex& folder) {
        QStringList rows;
        for (int r = 0; r < tree->model()->rowCount(folder); ++r)
            rows << tree->model()->index(r, 0, folder).data().toString();
        return rows;
    };
    auto* albums = Find<TFolderTree>("stvAlbumFolders");
    auto* html = Find<TFolderTree>("stvFoldersForHTML");
    auto* import = Find<TFolderTree>("stvImportAlbums");
    ShowImportPage();
    ASSERT_TRUE(albums->SetFolder(m_albums));
    ASSERT_TRUE(html->SetFolder(m_albums));
    // The folder of the albums open, with "old" below it.
    ASSERT_TRUE(import->SetFolder(m_albums + QStringLiteral("/old")));
    const QModelIndex parent = import->currentIndex().parent();
    ASSERT_EQ(shown(import, parent), QStringList { QStringLiteral("old") });
    auto* available = Find<QListWidget>("lsbAlbumsForHTML");
    available->setCurrentRow(1);
    ASSERT_EQ(available->currentItem()->text(), QStringLiteral("Kept.tvx"));

    QDir().mkpath(m_albums + QStringLiteral("/new"));
    QDir().mkpath(m_albums + QStringLiteral("/old/2024"));
    ASSERT_TRUE(QFile::remove(gone));
    // The disk is watched: the window hears of the change a moment later.
    const QStringList kept { QStringLiteral("Kept.tvx") };
    const QStringList both { QStringLiteral("new"), QStringLiteral("old") };
    EXPECT_TRUE(QTest::qWaitFor([&] { return names("lsbAlbumFiles") == kept; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return names("lsbAlbumsForHTML") == kept; }));
    EXPECT_EQ(available->currentItem()->text(), QStringLiteral("Kept.tvx"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(import, parent) == both; }));
    // The selected folder had none below it: now it can be opened, and shows it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return import->model()->hasChildren(import->currentIndex()); }));
    import->expand(import->currentIndex());
    EXPECT_EQ(shown(import, import->currentIndex()), QStringList { QStringLiteral("2024") });

    // A folder removed goes too.
    ASSERT_TRUE(QDir(m_albums + QStringLiteral("/new")).removeRecursively());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return shown(import, parent) == QStringList { QStringLiteral("old") }; }));
}

TEST_F(AlbumPages, FoundAndImportableAlbumsSitInEighteenPixelRowsTheirTextFits)
{
    const QString first = MakeAlbumWith(QStringLiteral("One.tvx"), {}, {}, {});
    MakeAlbumWith(QStringLiteral("Two.tvx"), {}, {}, {});
    m_form->show();
    ASSERT_TRUE(m_form->OpenAlbum(first));
    m_form->pc_Album()->setCurrentIndex(0);
    Find<QTabWidget>("pc_Albums")->setCurrentWidget(Find<QWidget>("ts_SearchAlbums"));
    ASSERT_TRUE(Find<TFolderTree>("stvSearchAlbums")->SetFolder(m_albums));
    QTest::mouseClick(Find<QPushButton>("bt_SearchForAlbums"), Qt::LeftButton);
    ShowImportPage();
    AddForImport(QStringLiteral("Two.tvx"));
    ASSERT_TRUE(Find<TFolderTree>("stvAlbumFolders")->SetFolder(m_albums));

    const auto rowHeight = [this](const char* name) {
        auto* list = Find<QListWidget>(name);
        EXPECT_GT(list->count(), 0) << name;
        // The text starts 3 pixels below the row's top.
        EXPECT_LE(3 + list->fontMetrics().height(), list->visualItemRect(list->item(0)).height()) << name;
        return list->visualItemRect(list->item(0)).height();
    };
    EXPECT_EQ(rowHeight("lb_FoundAlbums"), 18);
    EXPECT_EQ(rowHeight("lsbImportalbums"), 18);
    EXPECT_EQ(rowHeight("lsbSelectedImportAlbums"), 18);
    EXPECT_EQ(rowHeight("lsbAlbumFiles"), 20);
}

} // namespace
