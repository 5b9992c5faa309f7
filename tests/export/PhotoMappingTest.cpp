// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/PhotoMapping.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Names(const TPhotoMapping& mapping)
{
    QStringList names;
    for (const auto& item : mapping.Items)
        names << item->Name;
    return names;
}

} // namespace

TEST(PhotoItem, KeyKeepsLettersAndDigitsOnly)
{
    const struct {
        const char* name;
        const char* key;
    } cases[] = {
        { "Summer 2004!", "Summer_2004_" },
        { "a b", "a_b" },
        { "a_b", "a_b" },
        { "Paris", "Paris" },
        { "caf\xC3\xA9", "caf_" },
        { "<script>", "_script_" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TPhotoItem(QString::fromUtf8(c.name)).GetKey(), QString::fromUtf8(c.key)) << c.name;
}

TEST(PhotoMapping, FindsAGroupWhateverTheCaseOfItsAsciiLetters)
{
    TPhotoMapping mapping(QStringLiteral("object"));
    TPhotoItem* tree = mapping.Add(std::make_unique<TPhotoItem>(QStringLiteral("Tree")));
    mapping.Add(std::make_unique<TPhotoItem>(QStringLiteral("Anna")));
    EXPECT_EQ(mapping.FindByName(QStringLiteral("tree")), tree);
    EXPECT_EQ(mapping.FindByName(QStringLiteral("TREE")), tree);
    EXPECT_EQ(mapping.FindByName(QStringLiteral("Trees")), nullptr);
    // Only A..Z fold: "É" and "é" are two names.
    mapping.Add(std::make_unique<TPhotoItem>(QStringLiteral("\u00C9t\u00E9")));
    EXPECT_EQ(mapping.FindByName(QStringLiteral("\u00E9T\u00C9")), nullptr);
    mapping.Clear();
    EXPECT_EQ(mapping.Count(), 0);
    EXPECT_EQ(mapping.FindByName(QStringLiteral("Tree")), nullptr);
}

TEST(PhotoMapping, SortsByLoweredNameThenByCharacterCode)
{
    TPhotoMapping mapping(QStringLiteral("event"));
    for (const char* name : { "b", "A", "c", "a b", "Ab", "_x", "10", "9" })
        mapping.Add(std::make_unique<TPhotoItem>(QString::fromUtf8(name)));
    mapping.Sort();
    // Lowered first: "_" (0x5F) sorts before "a" (0x61) although it comes after "A" (0x41).
    EXPECT_EQ(Names(mapping),
        QStringList({ QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("_x"), QStringLiteral("A"),
            QStringLiteral("a b"), QStringLiteral("Ab"), QStringLiteral("b"), QStringLiteral("c") }));
    TPhotoItem a(QStringLiteral("x")), b(QStringLiteral("X"));
    EXPECT_EQ(ComparePhotoItemNames(a, b), 0);
    EXPECT_EQ(ComparePhotoItemNames(TPhotoItem(QStringLiteral("a")), b), -1);
    EXPECT_EQ(ComparePhotoItemNames(b, TPhotoItem(QStringLiteral("a"))), 1);
}

TEST(PhotoMapping, NamesAndCreatesOneFolderPerGroup)
{
    QTemporaryDir dir;
    TPhotoMapping mapping(QStringLiteral("year"));
    mapping.Folder = dir.filePath(QStringLiteral("html/years"));
    for (const char* name : { "2004", "2003", "2005" })
        mapping.Add(std::make_unique<TPhotoItem>(QString::fromUtf8(name)));
    mapping.AssignGroupFolders();
    EXPECT_EQ(mapping.Item(0)->GroupFolder, dir.filePath(QStringLiteral("html/years/year1")));
    EXPECT_EQ(mapping.Item(2)->GroupFolder, dir.filePath(QStringLiteral("html/years/year3")));

    QString failed = QStringLiteral("left over");
    EXPECT_TRUE(mapping.ForceGroupFolders(failed));
    EXPECT_TRUE(failed.isEmpty());
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("html/years/year%1").arg(k))).isDir()) << k;
}
