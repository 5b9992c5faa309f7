// SPDX-License-Identifier: GPL-2.0-or-later
// The slide show: its settings in the settings file, and the window playing
// an album under them.
#include "PhotoWindowFixture.h"

#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_SlideShowWindow.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace {

const QString Section = QStringLiteral("Slide Show");

class SlideShowSettingsTest : public PhotoWindowFixture {
protected:
    void Write(const QString& key, const QString& value) { ini->WriteString(Section, key, value); }
    TSlideShowSettings Loaded()
    {
        TSlideShowSettings settings(ini.get());
        settings.LoadFromIni();
        return settings;
    }
};

TEST_F(SlideShowSettingsTest, DefaultsWhenNothingIsStored)
{
    TSlideShowSettings created(ini.get());
    EXPECT_TRUE(created.ChangesOnSpaceBar());
    EXPECT_FALSE(created.ChangesOnLeftMouse());
    EXPECT_EQ(created.GetSeconds(), 3);
    EXPECT_EQ(created.Rotation, 0);

    const TSlideShowSettings loaded = Loaded();
    // An absent "Change on" reads as "110": space bar and mouse, no timer.
    EXPECT_TRUE(loaded.ChangesOnSpaceBar());
    EXPECT_TRUE(loaded.ChangesOnLeftMouse());
    EXPECT_FALSE(loaded.ChangesOnTime());
    EXPECT_TRUE(loaded.ShowsPhotosInAlbum());
    EXPECT_EQ(loaded.GetSeconds(), 3);
    EXPECT_FALSE(loaded.Maximize);
    EXPECT_FALSE(loaded.Rotate);
    EXPECT_EQ(loaded.Rotation, 90);
}

TEST_F(SlideShowSettingsTest, ChangeOnIsReadCharacterByCharacter)
{
    struct Case {
        const char* stored;
        bool space, mouse, time;
    };
    // An empty value keeps the set of a new object: the space bar alone.
    for (const Case& c : { Case { "001", false, false, true }, Case { "1", true, false, false },
             Case { "", true, false, false }, Case { "x1y", false, true, false } }) {
        Write(QStringLiteral("Change on"), QLatin1String(c.stored));
        const TSlideShowSettings s = Loaded();
        EXPECT_EQ(s.ChangesOnSpaceBar(), c.space) << c.stored;
        EXPECT_EQ(s.ChangesOnLeftMouse(), c.mouse) << c.stored;
        EXPECT_EQ(s.ChangesOnTime(), c.time) << c.stored;
    }
}

TEST_F(SlideShowSettingsTest, SavedValuesComeBackAndThumbnailsAreStoredAsPhotosInAlbum)
{
    TSlideShowSettings s(ini.get());
    s.SetShowThumbnails();
    EXPECT_FALSE(s.ShowsThumbnails());
    EXPECT_TRUE(s.ShowsPhotosInAlbum());
    s.ClearChangeOn();
    EXPECT_FALSE(s.HasAnyChangeOn());
    s.SetChangeOnLeftMouse();
    s.SetChangeOnTime();
    s.SetSeconds(12);
    s.Maximize = true;
    s.Rotate = true;
    s.Rotation = 270;
    s.SaveToIni();

    const QStringList expected { QStringLiteral("Show what=0"), QStringLiteral("Change on=011"),
        QStringLiteral("Time seconds=12"), QStringLiteral("Maximize=1"), QStringLiteral("Rotate=1"),
        QStringLiteral("Rotation=270") };
    EXPECT_EQ(ini->ReadSectionValues(Section), expected);

    Write(QStringLiteral("Show what"), QStringLiteral("1"));
    const TSlideShowSettings back = Loaded();
    EXPECT_TRUE(back.ShowsThumbnails());
    EXPECT_FALSE(back.ChangesOnSpaceBar());
    EXPECT_TRUE(back.ChangesOnLeftMouse());
    EXPECT_TRUE(back.ChangesOnTime());
    EXPECT_EQ(back.GetSeconds(), 12);
    EXPECT_TRUE(back.Maximize);
    EXPECT_TRUE(back.Rotate);
    EXPECT_EQ(back.Rotation, 270);
}

class SlideShowWindowTest : public PhotoWindowFixture {
protected:
    void SetUp() override
    {
        PhotoWindowFixture::SetUp();
        album = std::make_unique<TAlbum>(dir.filePath(QStringLiteral("show.tvx")));
        window = std::make_unique<Tfm_SlideShowWindow>(ini.get());
        window->SetAlbum(album.get());
        settings = std::make_unique<TSlideShowSettings>(ini.get());
    }

    // A photo of the album; missing ones have no file.
    void AddPhoto(const QString& name, int width = 40, bool missing = false)
    {
        const QString path = missing ? dir.filePath(name) : WriteBmp(name, width, 30);
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(album->GetPhotos().TakeNextId());
        photo->SetName(path);
        album->GetPhotos().Add(std::move(photo));
    }

    void Start(std::initializer_list<TSlideShowSettings::TChangeOn> changeOn)
    {
        settings->ClearChangeOn();
        for (auto member : changeOn)
            settings->AddChangeOn(member);
        window->Start(settings.get(), QLatin1Char('C'));
    }

    QString Shown() const { return window->CurrentPhotoPath().section(u'/', -1); }
    QString Label(const char* name) const { return window->findChild<QLabel*>(QLatin1String(name))->text(); }
    QPushButton* Button(const char* name) const
    {
        return window->findChild<QPushButton*>(QLatin1String(name));
    }
    void Tick(int times)
    {
        for (int i = 0; i < times; ++i)
            window->ti_WaitTimer();
    }

    std::unique_ptr<TAlbum> album;
    std::unique_ptr<TSlideShowSettings> settings;
    std::unique_ptr<Tfm_SlideShowWindow> window;
};

TEST_F(SlideShowWindowTest, StartShowsTheFirstPhotoWithItsNumbersAndCaption)
{
    AddPhoto(QStringLiteral("a.bmp"), 40);
    AddPhoto(QStringLiteral("b.bmp"), 50);
    EXPECT_FALSE(window->isVisible());
    Start({ TSlideShowSettings::SpaceBar });
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Running());
    EXPECT_EQ(Shown(), QStringLiteral("a.bmp"));
    EXPECT_EQ(Label("lblIdx"), QStringLiteral("1"));
    EXPECT_EQ(Label("lblCnt"), QStringLiteral("2"));
    EXPECT_EQ(Label("lblWidth"), QStringLiteral("40"));
    EXPECT_EQ(Label("lblHeight"), QStringLiteral("30"));
    EXPECT_EQ(
        window->windowTitle(), QStringLiteral("Tavrimolex 2005 - Slide Show - ") + dir.filePath("a.bmp"));
    // Without the timer its controls stay out of sight and it does not run.
    EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("pl_TimerActions"))->isVisible());
    EXPECT_FALSE(window->WaitTimer()->isActive());
}

TEST_F(SlideShowWindowTest, OptionsStayLeftAndThePhotoInformationRightInEverySetting)
{
    AddPhoto(QStringLiteral("a.bmp"));
    using C = TSlideShowSettings::TChangeOn;
    const std::vector<std::vector<C>> advances { { C::SpaceBar }, { C::LeftMouse },
        { C::SpaceBar, C::LeftMouse }, { C::Time }, { C::SpaceBar, C::Time }, {} };
    auto* bar = window->findChild<QWidget*>(QStringLiteral("pl_SlideShowActions"));
    auto* options = window->findChild<QWidget*>(QStringLiteral("pl_GeneralActions"));
    auto* timer = window->findChild<QWidget*>(QStringLiteral("pl_TimerActions"));
    auto* information = window->findChild<QWidget*>(QStringLiteral("pnlPhotoInfo"));
    auto* seconds = window->findChild<QLabel*>(QStringLiteral("lb_TimeInSeconds"));
    for (const bool maximize : { false, true }) {
        for (const int width : { 868, 520 }) {
            for (const auto& advance : advances) {
                settings->Maximize = maximize;
                settings->ClearChangeOn();
                for (const C member : advance)
                    settings->AddChangeOn(member);
                window->resize(width, 300);
                window->Start(settings.get(), QLatin1Char('C'));
                QCoreApplication::processEvents();
                const std::string setting = "maximize " + std::to_string(maximize) + ", width "
                    + std::to_string(width) + ", advances " + std::to_string(settings->ChangeOn);
                EXPECT_EQ(bar->width(), window->width()) << setting;
                EXPECT_EQ(options->geometry().left(), 0) << setting;
                EXPECT_EQ(information->geometry().right(), bar->width() - 1) << setting;
                EXPECT_EQ(timer->isVisible(), settings->ChangesOnTime()) << setting;
                if (timer->isVisible()) {
                    // The timer's controls fill the gap, the countdown at its right end.
                    EXPECT_EQ(timer->geometry().left(), options->geometry().right() + 1) << setting;
                    EXPECT_EQ(timer->geometry().right() + 1, information->geometry().left()) << setting;
                    EXPECT_EQ(seconds->geometry().right(), timer->width() - 6) << setting;
                }
                window->Stop();
            }
        }
    }
}

TEST_F(SlideShowWindowTest, SpaceMouseAndTimerAdvanceOnlyWhenChosenAndOtherKeysStop)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp" })
        AddPhoto(QLatin1String(name));

    Start({ TSlideShowSettings::SpaceBar });
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(Shown(), QStringLiteral("b.bmp"));
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(Shown(), QStringLiteral("b.bmp"));

    Start({ TSlideShowSettings::LeftMouse });
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(Shown(), QStringLiteral("b.bmp"));
    QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(20, 20));
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(Shown(), QStringLiteral("b.bmp"));
    EXPECT_TRUE(window->Running());

    // The timer alone: three seconds count down, then the next photo; after
    // the last one the show begins again.
    settings->SetSeconds(3);
    Start({ TSlideShowSettings::Time });
    EXPECT_TRUE(window->WaitTimer()->isActive());
    EXPECT_EQ(Label("lb_TimeInSeconds"), QStringLiteral("3"));
    Tick(2);
    EXPECT_EQ(Label("lb_TimeInSeconds"), QStringLiteral("1"));
    EXPECT_EQ(Shown(), QStringLiteral("a.bmp"));
    Tick(1);
    EXPECT_EQ(Shown(), QStringLiteral("b.bmp"));
    Tick(6);
    EXPECT_EQ(Shown(), QStringLiteral("a.bmp"));

    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->Running());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->WaitTimer()->isActive());
}

TEST_F(SlideShowWindowTest, PauseSurvivesAnAdvanceAndStartEndsIt)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp" })
        AddPhoto(QLatin1String(name));
    Start({ TSlideShowSettings::Time, TSlideShowSettings::SpaceBar });
    Button("pb_Pause")->click();
    EXPECT_FALSE(window->WaitTimer()->isActive());
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(Shown(), QStringLiteral("b.bmp"));
    EXPECT_FALSE(window->WaitTimer()->isActive());
    EXPECT_TRUE(Button("pb_Continue")->isEnabled());
    EXPECT_FALSE(Button("pb_Pause")->isEnabled());

    Button("pb_Continue")->click();
    EXPECT_TRUE(window->WaitTimer()->isActive());

    Button("pb_Pause")->click();
    Start({ TSlideShowSettings::Time });
    EXPECT_TRUE(window->WaitTimer()->isActive());
    EXPECT_TRUE(Button("pb_Pause")->isEnabled());
    EXPECT_FALSE(Button("pb_Continue")->isEnabled());
}

TEST_F(SlideShowWindowTest, MissingPhotosAreSkippedAndRemovedPhotosWrapToTheStart)
{
    AddPhoto(QStringLiteral("gone1.bmp"), 40, true);
    AddPhoto(QStringLiteral("a.bmp"));
    AddPhoto(QStringLiteral("gone2.bmp"), 40, true);
    AddPhoto(QStringLiteral("b.bmp"));
    Start({ TSlideShowSettings::SpaceBar });
    EXPECT_EQ(Shown(), QStringLiteral("a.bmp"));
    EXPECT_EQ(Label("lblIdx"), QStringLiteral("2"));
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(Shown(), QStringLiteral("b.bmp"));

    // Photos leave the album while the show runs: the next one is the first again.
    album->GetPhotos().Take(3);
    album->GetPhotos().Take(2);
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_TRUE(window->Running());
    EXPECT_EQ(Shown(), QStringLiteral("a.bmp"));
    // After the last photo that can be shown the one after it is missing and
    // ends the album: the show stops.
    album->GetPhotos().Take(1);
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_FALSE(window->Running());
}

TEST_F(SlideShowWindowTest, AnAlbumOfOnlyMissingPhotosOrNoneStopsAtOnce)
{
    Start({ TSlideShowSettings::SpaceBar });
    EXPECT_FALSE(window->Running());
    EXPECT_FALSE(window->isVisible());

    // Far more photos than a recursion per photo could take.
    for (int i = 0; i < 100000; ++i) {
        auto photo = std::make_unique<TPhoto>();
        photo->SetName(dir.filePath(QStringLiteral("missing%1.bmp").arg(i)));
        album->GetPhotos().Add(std::move(photo));
    }
    Start({ TSlideShowSettings::Time });
    EXPECT_FALSE(window->Running());
    EXPECT_EQ(window->NextIndex(), 100000);
}

TEST_F(SlideShowWindowTest, RotationAndTheDefaultViewerUseThePhotoShown)
{
    AddPhoto(QStringLiteral("wide.bmp"), 40);
    settings->Rotate = true;
    settings->Rotation = 90;
    Start({ TSlideShowSettings::SpaceBar });
    EXPECT_EQ(window->Picture().size(), QSize(30, 40));
    EXPECT_EQ(Label("lblWidth"), QStringLiteral("30"));

    window->PopupMenu()->findChild<QAction*>(QStringLiteral("pmiViewPhotoWithDefaultViewer"))->trigger();
    window->PopupMenu()->findChild<QAction*>(QStringLiteral("pmiOpenPhotoFolderInExplorer"))->trigger();
    EXPECT_EQ(dialogs.ShellOpened(), QStringList({ dir.filePath("wide.bmp"), dir.path() + u'/' }));
    // Looking at the photo elsewhere pauses the show.
    EXPECT_TRUE(window->Paused());
}

TEST_F(SlideShowWindowTest, KeysTypedInTheOptionsMenuChooseItsItemsAndKeepTheShowRunning)
{
    AddPhoto(QStringLiteral("a.bmp"));
    AddPhoto(QStringLiteral("b.bmp"));
    Start({ TSlideShowSettings::SpaceBar });
    QTest::mouseClick(Button("pb_MoreOptions"), Qt::LeftButton);
    QMenu* menu = window->PopupMenu();
    ASSERT_TRUE(menu->isVisible());

    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(dialogs.ShellOpened(), QStringList { dir.filePath("a.bmp") });
    EXPECT_TRUE(window->Running());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(menu->isVisible());
}

} // namespace
