// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/FormBasis.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class StatusWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Tfm_StatusWindow::SetHideDelay(150); }
    void TearDown() override
    {
        Tfm_StatusWindow::SetClock({}, {});
        Tfm_StatusWindow::SetHideDelay(Tfm_StatusWindow::DefaultHideDelayMs);
        SetScreenCursor(TScreenCursor::Default);
    }
};

bool ProgressOnScreen()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<const Tfm_StatusWindow*>(window) && window->isVisible())
            return true;
    return false;
}

} // namespace

TEST_F(StatusWindowTest, NumberToGoFollowsRangeAndSteps)
{
    Tfm_StatusWindow window;
    window.SetRange(0, 10);
    EXPECT_EQ(window.LabelNumberToGo()->text(), QStringLiteral("10"));
    window.Step();
    window.Step();
    window.Step();
    EXPECT_EQ(window.LabelNumberToGo()->text(), QStringLiteral("7"));
    EXPECT_EQ(window.StatusProgressBar()->value(), 3);
    EXPECT_EQ(window.Position(), 3);
    EXPECT_EQ(window.Maximum(), 10);
}

TEST_F(StatusWindowTest, ReportsThroughTheStatusInterface)
{
    Tfm_StatusWindow window;
    TStatusReporter& status = window;
    status.SetRange(0, 4);
    status.StepIt();
    EXPECT_EQ(window.LabelNumberToGo()->text(), QStringLiteral("3"));
    status.SetNumberToGo(QStringLiteral("x"));
    EXPECT_EQ(window.LabelNumberToGo()->text(), QStringLiteral("x"));
    status.SetSubject(QStringLiteral("Deleting:"));
    status.SetObject(QStringLiteral("/photos/a.jpg"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblSubject"))->text(), QStringLiteral("Deleting:"));
    EXPECT_EQ(
        window.findChild<QLabel*>(QStringLiteral("lblObject"))->text(), QStringLiteral("/photos/a.jpg"));
    status.SetPosition(99);
    EXPECT_EQ(status.Position(), 4);
}

TEST_F(StatusWindowTest, NarrowerRangeKeepsThePositionInside)
{
    Tfm_StatusWindow window;
    window.SetRange(0, 10);
    for (int i = 0; i < 5; ++i)
        window.Step();
    window.SetRange(0, 2);
    EXPECT_EQ(window.Position(), 2);
    EXPECT_EQ(window.LabelNumberToGo()->text(), QStringLiteral("0"));
}

TEST_F(StatusWindowTest, CancelButtonIsNoticedAtTheNextPoll)
{
    Tfm_StatusWindow window;
    window.show();
    EXPECT_FALSE(window.IsCancelled());
    QTest::mouseClick(window.ButtonCancel(), Qt::LeftButton);
    EXPECT_TRUE(window.IsCancelled());
    window.hide();
    window.show();
    EXPECT_FALSE(window.IsCancelled()) << "each show starts afresh";
}

TEST_F(StatusWindowTest, HiddenWindowReportsCancelled)
{
    Tfm_StatusWindow window;
    window.show();
    window.hide();
    EXPECT_TRUE(window.IsCancelled());
}

TEST_F(StatusWindowTest, QuickHideWaitsTheDelay)
{
    Tfm_StatusWindow window;
    window.show();
    QElapsedTimer timer;
    timer.start();
    window.hide();
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(StatusWindowTest, LateHideIsImmediate)
{
    Tfm_StatusWindow window;
    window.show();
    QTest::qWait(250);
    QElapsedTimer timer;
    timer.start();
    window.hide();
    EXPECT_LT(timer.elapsed(), 100);
}

// Most operations end by freeing their window while it still shows.
TEST_F(StatusWindowTest, WindowFreedSoonAfterShowingStaysUpTheWholeDelay)
{
    Tfm_StatusWindow::SetHideDelay(Tfm_StatusWindow::DefaultHideDelayMs);
    // A clock that moves only when the test or a wait moves it.
    qint64 now = 0;
    qint64 lastSeenAt = -1;
    Tfm_StatusWindow::SetClock([&now] { return now; },
        [&](int milliseconds) {
            // Nothing runs during a wait: a window on screen at its start
            // stays there to its end.
            if (ProgressOnScreen())
                lastSeenAt = now + milliseconds;
            now += milliseconds;
        });

    auto window = std::make_unique<Tfm_StatusWindow>();
    window->ShowCentered();
    now = 100;
    window.reset();
    EXPECT_GE(lastSeenAt, 1500) << "on screen until 1.5 s after it showed";
    EXPECT_EQ(now, 100 + Tfm_StatusWindow::DefaultHideDelayMs) << "the whole delay, not what is left of it";
    EXPECT_FALSE(ProgressOnScreen());

    // One that was read for long enough goes at once.
    window = std::make_unique<Tfm_StatusWindow>();
    window->ShowCentered();
    now += 2000;
    const qint64 freedAt = now;
    window.reset();
    EXPECT_EQ(now, freedAt);
    EXPECT_FALSE(ProgressOnScreen());
}

TEST_F(StatusWindowTest, ShowPlacesAndCentres)
{
    Tfm_StatusWindow window;
    window.show();
    EXPECT_EQ(window.pos(), QPoint(100, 50));
    window.hide();

    window.ShowCentered();
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(window.frameGeometry().left(), (screenWidth - window.frameGeometry().width()) / 2);
    EXPECT_EQ(window.frameGeometry().top(), 100);
}

TEST_F(StatusWindowTest, LayoutAndLanguage)
{
    Tfm_StatusWindow window;
    EXPECT_EQ(window.size(), QSize(559, 136));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_TRUE(window.ButtonCancel()->font().bold());
    EXPECT_FALSE(window.StatusProgressBar()->isTextVisible());
    window.show();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("LabelNrToGo"))->text(), Language()->SW[0]);
    EXPECT_EQ(window.ButtonCancel()->text(), Language()->SW[1]);
    EXPECT_EQ(window.windowTitle(), Language()->SW[2]);
}

TEST_F(StatusWindowTest, CursorOverCancelIsUsableAndFreedAtTheEnd)
{
    {
        Tfm_StatusWindow window;
        window.show();
        QEvent enterWindow(QEvent::Enter);
        QCoreApplication::sendEvent(&window, &enterWindow);
        EXPECT_EQ(ScreenCursor(), TScreenCursor::HourGlass);
        QEvent enterButton(QEvent::Enter);
        QCoreApplication::sendEvent(window.ButtonCancel(), &enterButton);
        EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
        QEvent leaveButton(QEvent::Leave);
        QCoreApplication::sendEvent(window.ButtonCancel(), &leaveButton);
        EXPECT_EQ(ScreenCursor(), TScreenCursor::HourGlass);
    }
    EXPECT_EQ(ScreenCursor(), TScreenCursor::Default);
}
