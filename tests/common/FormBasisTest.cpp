// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/FormBasis.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class FormBasisTest : public ::testing::Test {
protected:
    void TearDown() override { SetScreenCursor(TScreenCursor::Default); }
};

} // namespace

TEST_F(FormBasisTest, PairShowsHourglassUntilItsEnd)
{
    TFormBasis form;
    form.BeginWait();
    EXPECT_EQ(ScreenCursor(), TScreenCursor::HourGlass);
    form.EndWait();
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FormBasisTest, NestedPairLeavesTheCursorToTheOuterPair)
{
    TFormBasis form;
    form.BeginWait();
    form.BeginWait();
    form.EndWait();
    EXPECT_EQ(ScreenCursor(), TScreenCursor::HourGlass);
    form.EndWait();
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
}

TEST_F(FormBasisTest, PairsOfTwoWindowsNest)
{
    TFormBasis outer;
    TFormBasis inner;
    outer.BeginWait();
    inner.BeginWait();
    inner.EndWait();
    EXPECT_EQ(ScreenCursor(), TScreenCursor::HourGlass);
    outer.EndWait();
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
}

TEST_F(FormBasisTest, ThirdLevelRestoresEarly)
{
    // Only one level of nesting is supported; the third pair's end hands the
    // cursor back to the middle pair, whose end then restores it.
    TFormBasis form;
    form.BeginWait();
    form.BeginWait();
    form.BeginWait();
    form.EndWait();
    form.EndWait();
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
}

TEST_F(FormBasisTest, WaitCursorScope)
{
    TFormBasis form;
    {
        TWaitCursor wait(form);
        EXPECT_EQ(ScreenCursor(), TScreenCursor::HourGlass);
    }
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
}
