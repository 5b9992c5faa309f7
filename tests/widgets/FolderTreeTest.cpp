// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/FolderTree.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// Another program makes a folder while the user aims at one further down.
TEST(FolderTree, AFolderMadeAboveTheRowsInViewLeavesThemUnderThePointer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir folder(dir.path());
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(folder.mkdir(QStringLiteral("f%1").arg(i, 2, 10, QLatin1Char('0'))));
    TFolderTree tree;
    tree.resize(240, 160);
    ASSERT_TRUE(tree.SetFolder(folder.filePath(QStringLiteral("f00"))));
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    // Other programs make and remove folders beside this one while the test
    // runs: rows are held by what they show, not by their place.
    const QPersistentModelIndex parent(tree.currentIndex().parent());
    ASSERT_EQ(tree.model()->rowCount(parent), 40);
    const QPersistentModelIndex aimed(tree.model()->index(20, 0, parent));
    ASSERT_EQ(aimed.data().toString(), QStringLiteral("f20"));
    tree.scrollTo(aimed, QAbstractItemView::PositionAtTop);
    const QPoint pointer = tree.visualRect(aimed).center();
    ASSERT_EQ(tree.indexAt(QPoint(1, 1)), aimed);

    // Sorts above every other folder.
    ASSERT_TRUE(folder.mkdir(QStringLiteral("a new one")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree.model()->rowCount(parent) == 41; }));
    EXPECT_EQ(tree.indexAt(QPoint(1, 1)).data().toString().toStdString(), "f20");
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, pointer);
    EXPECT_EQ(tree.Folder().toStdString(), folder.filePath(QStringLiteral("f20")).toStdString());
}

// The main window makes five trees; most sit on pages never opened.
TEST(FolderTree, ReadsTheDiskWhenFirstShownAndStandsOnTheHomeFolderUntilThen)
{
    TFolderTree tree;
    EXPECT_EQ(tree.model()->rowCount(), 0);
    EXPECT_EQ(tree.Folder().toStdString(), QDir::homePath().toStdString());

    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    ASSERT_EQ(tree.model()->rowCount(), 1);
    EXPECT_EQ(tree.model()->index(0, 0).data().toString(), QDir::rootPath());
    EXPECT_EQ(tree.Folder().toStdString(), QDir::homePath().toStdString());
    EXPECT_TRUE(tree.currentIndex().isValid());
}
