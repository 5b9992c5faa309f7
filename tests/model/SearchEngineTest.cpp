// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/SearchEngine.h"
#include "ModelTestUtil.h"
#include "model/Album.h"
#include "model/FileProbe.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SearchEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_album = std::make_unique<TAlbum>(m_dir.filePath(QStringLiteral("a.tvx")));
        for (const char* name : { "A", "B", "C" })
            m_album->GetObjects().AddName(QString::fromLatin1(name));
        m_album->GetEvents().AddName(QStringLiteral("Party"));
    }

    // A photo on disk (or not) with objects by name, an event and a year.
    TPhoto* Add(const QString& file, const QStringList& objects, const QString& event = QString(),
        const QString& year = QString(), const QString& description = QString(), bool onDisk = true)
    {
        auto photo = std::make_unique<TPhoto>();
        const QString path = m_dir.filePath(file);
        if (onDisk) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            Touch(path);
        }
        photo->SetName(path);
        for (const QString& o : objects)
            photo->GetObjectIds().Add(m_album->ObjectIdByName(o));
        photo->SetEventId(m_album->EventIdByName(event));
        photo->SetYear(year);
        photo->SetDescription(description);
        TPhoto* raw = photo.get();
        m_album->GetPhotos().Add(std::move(photo));
        return raw;
    }

    QStringList Find(const QStringList& objects, const QStringList& events, unsigned char all,
        unsigned char options, const QString& year = QString(), const QString& words = QString(),
        const QString& path = QString())
    {
        QStringList results;
        m_engine.Search(*m_album, objects, events, year, words, path, all, options, results);
        return results;
    }

    QString P(const QString& file) const { return m_dir.filePath(file); }

    QTemporaryDir m_dir;
    std::unique_ptr<TAlbum> m_album;
    TSearchEngine m_engine;
};

} // namespace

TEST_F(SearchEngineTest, AnyOrAllObjectsCombinedWithEvents)
{
    Add(QStringLiteral("a.jpg"), { QStringLiteral("A") });
    Add(QStringLiteral("abc.jpg"), { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") });
    Add(QStringLiteral("party.jpg"), {}, QStringLiteral("Party"));
    Add(QStringLiteral("aparty.jpg"), { QStringLiteral("A") }, QStringLiteral("Party"));
    const QStringList ab { QStringLiteral("A"), QStringLiteral("B") };
    const QStringList party { QStringLiteral("Party") };

    EXPECT_EQ(Find(ab, {}, 1, TSearchEngine::OptOr), QStringList({ P(QStringLiteral("abc.jpg")) }));
    EXPECT_EQ(Find(ab, {}, 0, TSearchEngine::OptOr),
        QStringList(
            { P(QStringLiteral("a.jpg")), P(QStringLiteral("abc.jpg")), P(QStringLiteral("aparty.jpg")) }));
    EXPECT_EQ(Find({ QStringLiteral("A") }, party, 0, TSearchEngine::OptAnd),
        QStringList({ P(QStringLiteral("aparty.jpg")) }));
    EXPECT_EQ(Find({ QStringLiteral("A") }, party, 0, TSearchEngine::OptOr).size(), 4);
    // AND with only events searched takes the event alone; AND wins over OR.
    EXPECT_EQ(Find({}, party, 0, TSearchEngine::OptAnd | TSearchEngine::OptOr),
        QStringList({ P(QStringLiteral("party.jpg")), P(QStringLiteral("aparty.jpg")) }));
    EXPECT_TRUE(Find({}, {}, 0, TSearchEngine::OptAnd).isEmpty());
    // Unknown names are ignored: nothing left to match with "all".
    EXPECT_TRUE(Find({ QStringLiteral("Nope") }, {}, 1, TSearchEngine::OptOr).isEmpty());
    EXPECT_TRUE(Find(ab, {}, 2, TSearchEngine::OptOr).isEmpty());
    EXPECT_TRUE(Find(ab, {}, 0, 0).isEmpty());
}

TEST_F(SearchEngineTest, YearDescriptionAndPathJoinWithOr)
{
    Add(QStringLiteral("y1.jpg"), {}, QString(), QStringLiteral("2004"));
    Add(QStringLiteral("y2.jpg"), {}, QString(), QStringLiteral("2004 "));
    Add(QStringLiteral("sunset.jpg"), {}, QString(), QString(), QStringLiteral("  a sunset "));
    Add(QStringLiteral("sun.jpg"), {}, QString(), QString(), QStringLiteral("The Sun, again"));
    Add(QStringLiteral("Photos/Holiday2003/a.jpg"), {});

    EXPECT_EQ(Find({}, {}, 0, TSearchEngine::OptOr | TSearchEngine::OptYear, QStringLiteral("2004")),
        QStringList({ P(QStringLiteral("y1.jpg")) }));
    // Without its bit a criterion is off.
    EXPECT_TRUE(Find({}, {}, 0, TSearchEngine::OptOr, QStringLiteral("2004")).isEmpty());
    EXPECT_EQ(Find({}, {}, 0, TSearchEngine::OptOr | TSearchEngine::OptDescription, QString(),
                  QStringLiteral("SUN")),
        QStringList({ P(QStringLiteral("sun.jpg")) }));
    EXPECT_EQ(Find({}, {}, 0, TSearchEngine::OptOr | TSearchEngine::OptPath, QString(), QString(),
                  QStringLiteral("HOLIDAY")),
        QStringList({ P(QStringLiteral("Photos/Holiday2003/a.jpg")) }));
    EXPECT_TRUE(Find({}, {}, 0, TSearchEngine::OptOr | TSearchEngine::OptPath).isEmpty());
    // Year, description and path add to the label hits even under AND.
    Add(QStringLiteral("b.jpg"), { QStringLiteral("B") });
    EXPECT_EQ(Find({ QStringLiteral("B") }, {}, 0, TSearchEngine::OptAnd | TSearchEngine::OptYear,
                  QStringLiteral("2004")),
        QStringList({ P(QStringLiteral("y1.jpg")), P(QStringLiteral("b.jpg")) }));
}

TEST_F(SearchEngineTest, DescriptionWordsAreThoseOfTheDescriptionNow)
{
    TPhoto* photo = Add(QStringLiteral("p.jpg"), {}, QString(), QString(), QStringLiteral("sunset"));
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("word%1").arg(i);
    Add(QStringLiteral("long.jpg"), {}, QString(), QString(), many.join(u' '));
    const auto find = [this](const char* words) {
        return Find({}, {}, 0, TSearchEngine::OptOr | TSearchEngine::OptDescription, QString(),
            QString::fromLatin1(words));
    };
    EXPECT_TRUE(find("sun").isEmpty());
    // Searched once, then edited: the next search reads the new words.
    photo->SetDescription(QStringLiteral("Sun at last"));
    EXPECT_EQ(find("sun"), QStringList({ P(QStringLiteral("p.jpg")) }));
    photo->SetDescription(QString());
    EXPECT_TRUE(find("sun").isEmpty());
    // A description of many words still holds only its own.
    EXPECT_EQ(find("word299 nothing"), QStringList({ P(QStringLiteral("long.jpg")) }));
    EXPECT_TRUE(find("word300 word2999 words").isEmpty());
}

TEST_F(SearchEngineTest, MissingFilesAreMarkedButNotListed)
{
    TPhoto* gone
        = Add(QStringLiteral("gone.jpg"), { QStringLiteral("C") }, QString(), QString(), QString(), false);
    QStringList results { QStringLiteral("kept") };
    EXPECT_FALSE(m_engine.Search(*m_album, { QStringLiteral("C") }, {}, QString(), QString(), QString(), 0,
        TSearchEngine::OptOr, results));
    EXPECT_TRUE(gone->GetFound());
    EXPECT_EQ(results, QStringList({ QStringLiteral("kept") }));

    TPhoto* here = Add(QStringLiteral("here.jpg"), { QStringLiteral("C") });
    EXPECT_TRUE(m_engine.Search(*m_album, { QStringLiteral("C") }, {}, QString(), QString(), QString(), 0,
        TSearchEngine::OptOr, results));
    EXPECT_TRUE(m_engine.Search(*m_album, { QStringLiteral("C") }, {}, QString(), QString(), QString(), 0,
        TSearchEngine::OptOr, results));
    EXPECT_EQ(results, QStringList({ QStringLiteral("kept"), here->GetName(), here->GetName() }));
    EXPECT_EQ(here->GetName(), P(QStringLiteral("here.jpg")));
}

TEST(FileProbe, AnswersAsTheFileCheckForAFolderReadWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList asked;
    // Enough look-ups in one folder for it to be read whole.
    for (int i = 0; i < 80; ++i) {
        const QString path = dir.filePath(QStringLiteral("p%1.jpg").arg(i));
        if (i % 3)
            Touch(path);
        asked << path;
    }
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("p1.jpg")), dir.filePath(QStringLiteral("link.jpg"))));
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("gone.jpg")), dir.filePath(QStringLiteral("dangling.jpg"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.jpg")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.jpg"))).constData(), 0600), 0);
    // Names beyond ASCII, and one on disk whose bytes are no UTF-8: it reads
    // back with a replacement character, which another name may hold.
    Touch(dir.filePath(QStringLiteral("A\u00f1o nuevo.jpg")));
    const QByteArray notUtf8 = QFile::encodeName(dir.path()) + "/bad\xff.jpg";
    ASSERT_EQ(::close(::open(notUtf8.constData(), O_CREAT | O_WRONLY, 0600)), 0);
    Touch(dir.filePath(QStringLiteral("other\ufffd.jpg")));
    for (const char* name : { "link.jpg", "dangling.jpg", "folder.jpg", "fifo.jpg", "never.jpg" })
        asked << dir.filePath(QString::fromLatin1(name));
    for (const QString& name : { QStringLiteral("A\u00f1o nuevo.jpg"), QStringLiteral("A\u00d1o nuevo.jpg"),
             QStringLiteral("bad\ufffd.jpg"), QStringLiteral("other\ufffd.jpg"),
             QStringLiteral("lone") + QChar(0xD800) + QStringLiteral(".jpg") })
        asked << dir.filePath(name);
    asked << dir.filePath(QStringLiteral("folder.jpg/")) << QStringLiteral("relative.jpg");

    TFileProbe probe;
    for (const QString& path : asked)
        probe.Expect(path);
    for (const QString& path : asked)
        EXPECT_EQ(probe.Exists(path), PhotoFileExists(path)) << qPrintable(path);
    EXPECT_TRUE(probe.Exists(dir.filePath(QStringLiteral("link.jpg"))));
    EXPECT_FALSE(probe.Exists(dir.filePath(QStringLiteral("p0.jpg"))));
    EXPECT_TRUE(probe.Exists(dir.filePath(QStringLiteral("A\u00f1o nuevo.jpg"))));
    EXPECT_FALSE(probe.Exists(dir.filePath(QStringLiteral("bad\ufffd.jpg"))));
    // The sandbox cannot name it to remove it.
    ::unlink(notUtf8.constData());
}

TEST_F(SearchEngineTest, ALargeAlbumGivesTheHitsInAlbumOrder)
{
    // Large enough to be matched and looked up in parallel parts.
    QStringList expected;
    for (int i = 0; i < 40000; ++i) {
        const QString file = QStringLiteral("f%1/p%2.jpg").arg(i % 4).arg(i);
        const bool hit = i % 7 == 0;
        const bool onDisk = hit ? i % 3 != 0 : i < 50;
        Add(file, {}, QString(), hit ? QStringLiteral("2004") : QStringLiteral("2005"), QString(), onDisk);
        if (hit && onDisk)
            expected << P(file);
    }
    EXPECT_EQ(
        Find({}, {}, 0, TSearchEngine::OptOr | TSearchEngine::OptYear, QStringLiteral("2004")), expected);
    const TPhotoList& photos = m_album->GetPhotos();
    for (int i = 0; i < photos.Count(); ++i)
        ASSERT_EQ(photos.PhotoAt(i)->GetFound(), i % 7 == 0) << i;
}
