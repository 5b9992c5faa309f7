// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/ListDrawing.h"
#include "widgets/PageControl.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

TEST(FormatItemNumber, PadsWithZerosToWidthPlusOne)
{
    EXPECT_EQ(FormatItemNumber(0, 0), QStringLiteral("1"));
    EXPECT_EQ(FormatItemNumber(8, 0), QStringLiteral("9"));
    EXPECT_EQ(FormatItemNumber(0, 1), QStringLiteral("01"));
    EXPECT_EQ(FormatItemNumber(9, 1), QStringLiteral("10"));
    EXPECT_EQ(FormatItemNumber(0, 2), QStringLiteral("001"));
    EXPECT_EQ(FormatItemNumber(122, 1), QStringLiteral("123"));
    EXPECT_EQ(FormatItemNumber(4, -3), QStringLiteral("5"));
}

TEST(NumberedFileItems, NumberWidthFollowsTheRowCount)
{
    const QString path = QStringLiteral("/photos/2004/beach.jpg");
    EXPECT_EQ(TNumberedFileItemDelegate::Label(0, 9, path), QStringLiteral("1  -  beach"));
    EXPECT_EQ(TNumberedFileItemDelegate::Label(8, 9, path), QStringLiteral("9  -  beach"));
    EXPECT_EQ(TNumberedFileItemDelegate::Label(0, 10, path), QStringLiteral("01  -  beach"));
    EXPECT_EQ(TNumberedFileItemDelegate::Label(9, 10, path), QStringLiteral("10  -  beach"));
    EXPECT_EQ(TNumberedFileItemDelegate::Label(0, 12, QStringLiteral("C:\\Photos\\a.b.jpg")),
        QStringLiteral("01  -  a.b"));
}

// The folder parts start where the widest label ends: a row renamed longer
// moves them for every row, as rows added or removed do.
TEST(NumberedFileItems, FolderColumnFollowsTheWidestLabel)
{
    QListWidget list;
    auto* delegate = new TNumberedFileItemDelegate(18, &list);
    list.setItemDelegate(delegate);
    list.addItems({ "/p/a.jpg", "/p/bb.jpg", "/p/c.jpg" });
    list.resize(400, 200);
    list.show();
    const auto widthAfterPaint = [&] {
        list.doItemsLayout();
        (void)list.viewport()->grab();
        return delegate->MaxWidth();
    };
    const QFontMetrics metrics(list.font());
    EXPECT_EQ(widthAfterPaint(), metrics.horizontalAdvance(QStringLiteral("2  -  bb")));
    list.item(2)->setText(QStringLiteral("/p/a much longer name.jpg"));
    EXPECT_EQ(widthAfterPaint(), metrics.horizontalAdvance(QStringLiteral("3  -  a much longer name")));
    delete list.takeItem(2);
    EXPECT_EQ(widthAfterPaint(), metrics.horizontalAdvance(QStringLiteral("2  -  bb")));
    for (int i = 0; i < 8; ++i)
        list.addItem(QStringLiteral("/p/x.jpg"));
    EXPECT_EQ(widthAfterPaint(), metrics.horizontalAdvance(QStringLiteral("02  -  bb")));
}

TEST(AlbumFileItems, NumberHasOneDigitMoreThanTheRowCount)
{
    EXPECT_EQ(TAlbumFileItemDelegate::Label(0, 10, QStringLiteral("Holiday.tvx")),
        QStringLiteral("001  -  Holiday"));
    EXPECT_EQ(TAlbumFileItemDelegate::Label(9, 10, QStringLiteral("Holiday.tvx")),
        QStringLiteral("010  -  Holiday"));
    EXPECT_EQ(TAlbumFileItemDelegate::Label(11, 12, QStringLiteral("x.tvx")), QStringLiteral("012  -  x"));
    EXPECT_EQ(TAlbumFileItemDelegate::Label(0, 9, QStringLiteral("x.tvx")), QStringLiteral("01  -  x"));
}

namespace {

QColor RowColour(QListWidget& list, int row)
{
    const QImage image = list.viewport()->grab().toImage();
    const QRect rect = list.visualItemRect(list.item(row));
    return image.pixelColor(rect.right() - 2, rect.top() + 1);
}

} // namespace

TEST(PlainListItems, SelectedNavyOthersAlternate)
{
    QListWidget list;
    list.setItemDelegate(new TPlainListItemDelegate(&list));
    list.addItems({ "a", "b", "c", "d" });
    list.resize(200, 200);
    list.setCurrentRow(2);
    list.show();
    EXPECT_EQ(RowColour(list, 0), QColor(Qt::white));
    EXPECT_EQ(RowColour(list, 1), QColor(222, 235, 250));
    EXPECT_EQ(RowColour(list, 2), QColor(0, 0, 128));
    EXPECT_EQ(RowColour(list, 3), QColor(222, 235, 250));
}

TEST(AlbumFileItems, SelectedRowLightBlueOthersPale)
{
    QListWidget list;
    list.setItemDelegate(new TAlbumFileItemDelegate(20, &list));
    list.addItems({ "a.tvx", "b.tvx" });
    list.resize(200, 200);
    list.setCurrentRow(1);
    list.show();
    EXPECT_EQ(RowColour(list, 0), QColor(245, 250, 254));
    EXPECT_EQ(RowColour(list, 1), QColor(222, 235, 250));
    EXPECT_EQ(list.visualItemRect(list.item(0)).height(), 20);
}

TEST(HoverSelection, RowUnderThePointerBecomesCurrentWithoutAClick)
{
    QListWidget list;
    list.setItemDelegate(new TAlbumFileItemDelegate(20, &list));
    list.addItems({ "a.tvx", "b.tvx", "c.tvx" });
    list.resize(200, 200);
    InstallHoverSelection(&list);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(0);
    QTest::mouseMove(list.viewport(), list.visualItemRect(list.item(2)).center());
    EXPECT_EQ(list.currentRow(), 2);
    // Below the last row nothing changes.
    QTest::mouseMove(list.viewport(), QPoint(10, 150));
    EXPECT_EQ(list.currentRow(), 2);
}

TEST(PageControl, TabLooksAndHiddenTabs)
{
    TPageControl pc;
    for (const char* name : { "Albums", "Photos", "HTML" })
        pc.addTab(new QWidget, QString::fromLatin1(name));
    pc.Tabs()->SetButtonLook(MainTabImages());
    EXPECT_EQ(MainTabImages().size(), 7u);
    EXPECT_EQ(MainTabImages().front().size(), QSize(25, 27));
    pc.setTabVisible(1, false);
    pc.resize(400, 300);
    pc.show();
    EXPECT_FALSE(pc.isTabVisible(1));
    EXPECT_EQ(pc.Tabs()->CurrentLook(), TTabBar::Look::Buttons);
    TPageControl inner;
    inner.Tabs()->SetColouredLook(ListColours::AlbumsTab());
    EXPECT_EQ(inner.Tabs()->ActiveColour(), QColor(0, 128, 255));
}
