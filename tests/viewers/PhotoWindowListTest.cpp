// SPDX-License-Identifier: GPL-2.0-or-later
#include "PhotoWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace {

int HighestDraw(int bound)
{
    return bound - 1;
}

class PhotoWindowListTest : public PhotoWindowFixture { };

TEST_F(PhotoWindowListTest, FirstWindowStandsInTheMiddleOfTheDesktop)
{
    EXPECT_EQ(list->GetActivePhotoWindow(), nullptr);
    Tfm_PhotoWindow* window = OpenWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_TRUE(window->isVisible());
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    // Window frames may shift it by a few pixels.
    const QPoint centre = window->frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - desktop.center().x()), 4);
    EXPECT_LE(std::abs(centre.y() - desktop.center().y()), 4);
}

TEST_F(PhotoWindowListTest, OneWindowServesEveryPhotoUnlessItAsksForNewOnes)
{
    Tfm_PhotoWindow* first = OpenWindow();
    EXPECT_EQ(OpenWindow(), first);
    EXPECT_EQ(OpenWindow(true), first);
    EXPECT_EQ(list->Count(), 1);

    // A click in the opener's list opens a second window at random...
    TPhotoWindowList::SetRandomSource(HighestDraw);
    first->SetOpenNewWindowForEachPhoto(true);
    TNavigationCounter otherOpener;
    Tfm_PhotoWindow* second = list->GetPhotoWindow(false, ini.get(), otherOpener.Navigation());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(second->pos(), QPoint(499, 199));

    // ...while navigating for a window reuses the one asked for.
    second->SetOpenNewWindowForEachPhoto(true);
    EXPECT_EQ(list->GetPhotoWindow(true, ini.get(), counter.Navigation()), second);
    EXPECT_EQ(list->Count(), 2);

    // A reused window keeps the navigation it was made with.
    second->btnNextClick();
    EXPECT_EQ(otherOpener.next, 1);
    EXPECT_EQ(counter.next, 0);
}

TEST_F(PhotoWindowListTest, RandomPlacesStayWithinTheTopLeftArea)
{
    Tfm_PhotoWindow* first = OpenWindow();
    first->SetOpenNewWindowForEachPhoto(true);
    for (int i = 0; i < 20; ++i) {
        Tfm_PhotoWindow* window = OpenWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_GE(window->x(), 0);
        EXPECT_LT(window->x(), 500);
        EXPECT_GE(window->y(), 0);
        EXPECT_LT(window->y(), 200);
        window->SetOpenNewWindowForEachPhoto(true);
    }
    EXPECT_EQ(list->Count(), 21);
}

TEST_F(PhotoWindowListTest, TheActiveWindowIsPreferredElseTheLast)
{
    Tfm_PhotoWindow* first = OpenWindow();
    first->SetOpenNewWindowForEachPhoto(true);
    Tfm_PhotoWindow* second = OpenWindow();
    QApplication::setActiveWindow(first);
    if (QApplication::activeWindow() == first) {
        EXPECT_EQ(list->GetActivePhotoWindow(), first);
    }
    QApplication::setActiveWindow(nullptr);
    if (QApplication::activeWindow() == nullptr) {
        EXPECT_EQ(list->GetActivePhotoWindow(), second);
    }
}

TEST_F(PhotoWindowListTest, OneClickOnTheNewWindowBoxReachesEveryWindowAndTheSettings)
{
    Tfm_PhotoWindow* first = OpenWindow();
    first->SetOpenNewWindowForEachPhoto(true);
    Tfm_PhotoWindow* second = OpenWindow();
    second->SetOpenNewWindowForEachPhoto(true);
    Tfm_PhotoWindow* third = OpenWindow();
    ASSERT_EQ(list->Count(), 3);
    first->SetOpenNewWindowForEachPhoto(false);
    second->SetOpenNewWindowForEachPhoto(false);

    third->findChild<QCheckBox*>(QStringLiteral("chbOpenNewWindowForEachPhoto"))->click();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(list->Window(i)->GetOpenNewWindowForEachPhoto()) << i;
    EXPECT_EQ(
        ini->ReadString(QStringLiteral("Photo Window"), QStringLiteral("OpenNewWindowForEachPhoto"), {}),
        QStringLiteral("1"));

    second->findChild<QCheckBox*>(QStringLiteral("chbOpenNewWindowForEachPhoto"))->click();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(list->Window(i)->GetOpenNewWindowForEachPhoto()) << i;
    EXPECT_EQ(
        ini->ReadInteger(QStringLiteral("Photo Window"), QStringLiteral("OpenNewWindowForEachPhoto"), -1), 0);
}

TEST_F(PhotoWindowListTest, ActivationTakesTheSettingsAnotherWindowWrote)
{
    Tfm_PhotoWindow* window = OpenWindow();
    ini->WriteInteger(QStringLiteral("Photo Window"), QStringLiteral("DontAutoResize"), 1);
    ini->WriteInteger(QStringLiteral("Photo Window"), QStringLiteral("OpenNewWindowForEachPhoto"), 1);
    window->FormActivate();
    EXPECT_TRUE(window->findChild<QCheckBox*>(QStringLiteral("chbDontResize"))->isChecked());
    EXPECT_TRUE(window->GetOpenNewWindowForEachPhoto());

    // Only 1 counts as checked.
    ini->WriteInteger(QStringLiteral("Photo Window"), QStringLiteral("DontAutoResize"), 2);
    window->FormActivate();
    EXPECT_FALSE(window->findChild<QCheckBox*>(QStringLiteral("chbDontResize"))->isChecked());
    EXPECT_EQ(ini->ReadInteger(QStringLiteral("Photo Window"), QStringLiteral("DontAutoResize"), -1), 0);
}

TEST_F(PhotoWindowListTest, ClosingAWindowRemovesItAndFreesItLater)
{
    Tfm_PhotoWindow* first = OpenWindow();
    first->SetOpenNewWindowForEachPhoto(true);
    QPointer<Tfm_PhotoWindow> second = OpenWindow();
    ASSERT_EQ(list->Count(), 2);

    second->close();
    EXPECT_EQ(list->Count(), 1);
    // Still alive while its own close request is being handled.
    EXPECT_FALSE(second.isNull());
    FlushDeletes();
    EXPECT_TRUE(second.isNull());

    // Deregistering a window that is not listed changes nothing.
    list->DeregisterForm(nullptr);
    EXPECT_EQ(list->Count(), 1);
}

TEST_F(PhotoWindowListTest, CloseAllFromAWindowsOwnMenuClosesEveryWindow)
{
    QPointer<Tfm_PhotoWindow> first = OpenWindow();
    first->SetOpenNewWindowForEachPhoto(true);
    QPointer<Tfm_PhotoWindow> second = OpenWindow();
    first->PopupMenu()->findChild<QAction*>(QStringLiteral("mmiCloseAllPhotoWindows"))->trigger();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->GetActivePhotoWindow(), nullptr);
    FlushDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

TEST_F(PhotoWindowListTest, FreeingTheListFreesItsWindows)
{
    QPointer<Tfm_PhotoWindow> window = OpenWindow();
    list.reset();
    EXPECT_TRUE(window.isNull());
}

TEST_F(PhotoWindowListTest, NavigationIntoAFreedOpenerDoesNothing)
{
    class TOpener : public QObject {
    public:
        void Previous(QObject*) { ++calls; }
        void Next(QObject*) { ++calls; }
        void First(QObject*) { ++calls; }
        void Last(QObject*) { ++calls; }
        int calls = 0;
    };
    auto opener = std::make_unique<TOpener>();
    Tfm_PhotoWindow* window = list->GetPhotoWindow(false, ini.get(),
        TPhotoNavigation::Of(
            opener.get(), &TOpener::Previous, &TOpener::Next, &TOpener::First, &TOpener::Last));
    ASSERT_NE(window, nullptr);
    window->findChild<QPushButton*>(QStringLiteral("btnNext"))->click();
    EXPECT_EQ(opener->calls, 1);

    opener.reset();
    window->findChild<QPushButton*>(QStringLiteral("btnNext"))->click();
    window->btnPreviousClick();
    window->FormKeyUp(Qt::Key_End, Qt::NoModifier);
    EXPECT_EQ(list->Count(), 1);
}

} // namespace
