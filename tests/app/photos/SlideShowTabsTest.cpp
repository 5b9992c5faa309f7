// SPDX-License-Identifier: GPL-2.0-or-later
// The Photos tab's thumbnail and slide-show pages, through the real main window.
#include "ViewerTabsFixture.h"

#include "app/photos/PhotosPage.h"
#include "app/photos/SlideShowTab.h"
#include "app/photos/ThumbnailsTab.h"
#include "platform/IniFile.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_SlideShowWindow.h"
#include "viewers/Tfm_ThumbNailWindow.h"
#include "viewers/ThumbNailGrid.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

using Kind = TDialogCall::Kind;

class SlideShowTabsTest : public ViewerTabsFixture {
protected:
    Tfm_SlideShowWindow* ShowWindow() const { return form->PhotosPage()->SlideShowTab()->SlideShowWindow(); }
    QCheckBox* Box(const char* name) const { return Find<QCheckBox>(name); }
    void Click(const char* name) const { Find<QPushButton>(name)->click(); }
};

TEST_F(SlideShowTabsTest, ControlsFollowWhetherTheAlbumHasPhotosAndThumbnails)
{
    const char* thumbnailControls[]
        = { "gb_ThumbNailSize", "gb_ThumbNails", "cb_Width", "cb_Height", "st_Width", "st_Height" };
    const char* slideControls[]
        = { "gb_ChangePhotoOn", "gb_ShowWhat", "gb_ShowHow", "chb_SpaceBar", "chb_LeftMouseButton",
              "chb_TimeInSeconds", "cmb_Seconds", "rb_ShowPhotosInalbum", "pb_StartSlideShow" };
    Start();
    OpenAt(MakeAlbum(QStringLiteral("Empty.tvx"), 0), "ts_ThumbNails");
    for (const char* name : thumbnailControls)
        EXPECT_FALSE(Enabled(name)) << name;
    for (const char* name : slideControls)
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_FALSE(Enabled("pb_CreateThumbnails"));

    const QString album = MakeAlbum(QStringLiteral("Trip.tvx"), 3);
    OpenAt(album, "ts_SlideShow");
    for (const char* name : slideControls)
        EXPECT_TRUE(Enabled(name)) << name;
    EXPECT_FALSE(Enabled("rb_ShowThumbNails"));
    EXPECT_TRUE(Find<QRadioButton>("rb_ShowPhotosInalbum")->isChecked());
    Find<QTabWidget>("pc_Photos")->setCurrentWidget(Find<QWidget>("ts_ThumbNails"));
    for (const char* name : thumbnailControls)
        EXPECT_TRUE(Enabled(name)) << name;
    EXPECT_TRUE(Enabled("pb_CreateThumbnails"));
    EXPECT_FALSE(Enabled("pb_ShowThumbNails"));
    EXPECT_FALSE(Enabled("pb_UpdateThumbNails"));
    EXPECT_FALSE(Enabled("pb_RemoveThumbNails"));
    // Asking whether there are thumbnails leaves no folder behind.
    EXPECT_FALSE(QFileInfo::exists(ThumbnailFolder(album)));

    Click("pb_CreateThumbnails");
    const QString folder = ThumbnailFolder(album) + u'/';
    for (const char* file : { "thumbnails.pct", "0_p0.jpg", "1_p1.jpg", "2_p2.jpg" })
        EXPECT_TRUE(QFileInfo(folder + QLatin1String(file)).isFile()) << file;
    EXPECT_FALSE(Enabled("pb_CreateThumbnails"));
    EXPECT_TRUE(Enabled("pb_ShowThumbNails"));
    EXPECT_TRUE(Enabled("pb_UpdateThumbNails"));
    EXPECT_TRUE(Enabled("pb_RemoveThumbNails"));
    EXPECT_TRUE(Enabled("rb_ShowThumbNails"));
    // The thumbnail window reads the slide-show settings from the file.
    EXPECT_TRUE(
        IniFile(SettingsFile()).ValueExists(TSlideShowSettings::Section, QStringLiteral("Change on")));

    // The outcome is told with no progress window left on the screen.
    class TProgressWatch : public TScriptedDialogService {
    public:
        int MessageBox(const QString& text, const QString& caption, int flags) override
        {
            for (const QWidget* window : QApplication::topLevelWidgets())
                ProgressShown
                    = ProgressShown || (qobject_cast<const Tfm_StatusWindow*>(window) && window->isVisible());
            return TScriptedDialogService::MessageBox(text, caption, flags);
        }
        bool ProgressShown = false;
    } watch;
    QTest::mouseClick(Find<QPushButton>("pb_RemoveThumbNails"), Qt::LeftButton);
    EXPECT_FALSE(watch.ProgressShown);
    const TDialogCall* box = watch.LastCall(Kind::MessageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, Language()->MF[57]);
    EXPECT_EQ(box->flags, 64);
    EXPECT_FALSE(QFileInfo::exists(ThumbnailFolder(album)));
    EXPECT_TRUE(Enabled("pb_CreateThumbnails"));
    EXPECT_FALSE(Enabled("pb_ShowThumbNails"));
}

TEST_F(SlideShowTabsTest, CancelInTheProgressWindowShowsTheThumbnailsMadeSoFar)
{
    Start();
    const QString album = MakeAlbum(QStringLiteral("Trip.tvx"), 6);
    // The third photo takes long to make, so that Cancel comes while it is.
    QImage big(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(big.scanLine(y));
        for (int x = 0; x < big.width(); ++x)
            line[x] = qRgb((x * 7) & 255, (y * 5 + x) & 255, (x ^ y) & 255);
    }
    ASSERT_TRUE(big.save(photos + QStringLiteral("/p2.bmp"), "BMP"));
    OpenAt(album, "ts_ThumbNails");
    dialogs.Clear();
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&cancel] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* status = qobject_cast<Tfm_StatusWindow*>(widget);
                status && status->isVisible() && status->StatusProgressBar()->value() >= 3) {
                cancel.stop();
                QTest::mouseClick(status->ButtonCancel(), Qt::LeftButton);
            }
    });
    cancel.start(0);
    QTest::mouseClick(Find<QPushButton>("pb_CreateThumbnails"), Qt::LeftButton);

    ASSERT_FALSE(cancel.isActive());
    const int made = form->Album()->Thumbnails().LoadIndex();
    EXPECT_GE(made, 2);
    EXPECT_LT(made, 6);
    const Tfm_ThumbNailWindow* window = form->PhotosPage()->ThumbnailsTab()->ThumbWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Grid().Count(), made);
    EXPECT_FALSE(Enabled("pb_CreateThumbnails"));
    EXPECT_TRUE(Enabled("pb_ShowThumbNails"));
    EXPECT_EQ(dialogs.CallCount(Kind::ShowMessage), 0);
}

TEST_F(SlideShowTabsTest, AChosenThumbnailSizeIsKeptInTheAlbum)
{
    Start();
    const QString odd = MakeAlbum(QStringLiteral("Odd.tvx"), 1, 45, 45);
    const QString album = MakeAlbum(QStringLiteral("Trip.tvx"), 1, 40, 40);
    OpenAt(album, "ts_ThumbNails");
    EXPECT_EQ(Find<QComboBox>("cb_Width")->currentText(), QStringLiteral("40"));
    Choose("cb_Width", QStringLiteral("100"));
    Choose("cb_Height", QStringLiteral("70"));
    EXPECT_TRUE(form->ContentsChanged());
    ASSERT_TRUE(form->SaveCurrentAlbum());

    // A size the lists lack leaves their choice as it stood.
    OpenAt(odd, "ts_ThumbNails");
    EXPECT_EQ(Find<QComboBox>("cb_Width")->currentText(), QStringLiteral("100"));
    EXPECT_FALSE(form->ContentsChanged());

    OpenAt(album, "ts_ThumbNails");
    EXPECT_EQ(form->Album()->GetThumbWidth(), 100);
    EXPECT_EQ(form->Album()->GetThumbHeight(), 70);
    EXPECT_EQ(Find<QComboBox>("cb_Height")->currentText(), QStringLiteral("70"));
}

TEST_F(SlideShowTabsTest, ThePageShowsTheStoredSettingsAndStartsTheShowWithThem)
{
    WriteSettings("[Slide Show]\r\nShow what=0\r\nChange on=001\r\nTime seconds=7\r\nMaximize=0\r\n"
                  "Rotate=1\r\nRotation=180\r\n");
    Start();
    EXPECT_EQ(Find<QComboBox>("cmb_Seconds")->count(), 60);
    EXPECT_EQ(Find<QComboBox>("cmb_Seconds")->currentText(), QStringLiteral("7"));
    EXPECT_FALSE(Box("chb_SpaceBar")->isChecked());
    EXPECT_FALSE(Box("chb_LeftMouseButton")->isChecked());
    EXPECT_TRUE(Box("chb_TimeInSeconds")->isChecked());
    EXPECT_TRUE(Box("chb_Rotate")->isChecked());
    auto* rotation = Find<QComboBox>("cmb_Rotation");
    EXPECT_TRUE(rotation->isEditable());
    EXPECT_EQ(rotation->currentText(), QStringLiteral("180"));

    OpenAt(MakeAlbum(QStringLiteral("Trip.tvx"), 2), "ts_SlideShow");
    Box("chb_TimeInSeconds")->setChecked(false);
    Click("pb_StartSlideShow");
    const TDialogCall* warning = dialogs.LastCall(Kind::MessageBox);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->text, Language()->MF[61]);
    EXPECT_EQ(warning->flags, 48);
    EXPECT_FALSE(ShowWindow()->isVisible());
    // Nothing is written when nothing can start.
    EXPECT_EQ(
        IniFile(SettingsFile()).ReadString(TSlideShowSettings::Section, QStringLiteral("Change on"), {}),
        QStringLiteral("001"));

    Box("chb_SpaceBar")->setChecked(true);
    Click("pb_StartSlideShow");
    EXPECT_TRUE(ShowWindow()->Running());
    EXPECT_EQ(ShowWindow()->CurrentPhotoPath(), photos + QStringLiteral("/p0.bmp"));
    // Rotated by the stored half turn: still as wide as high as the picture.
    EXPECT_EQ(ShowWindow()->Picture().size(), QSize(24, 18));
    EXPECT_EQ(
        IniFile(SettingsFile()).ReadString(TSlideShowSettings::Section, QStringLiteral("Change on"), {}),
        QStringLiteral("100"));
}

TEST_F(SlideShowTabsTest, ShutDownStoresTheControlsAndBadValuesNeverReachTheFile)
{
    WriteSettings("[Slide Show]\r\nChange on=110\r\nTime seconds=0\r\nRotation=270\r\n");
    Start();
    EXPECT_EQ(Find<QComboBox>("cmb_Seconds")->currentText(), QStringLiteral("1"));
    Box("chb_MaximizeSlideShow")->setChecked(true);
    Find<QComboBox>("cmb_Rotation")->setEditText(QStringLiteral("quarter"));
    form.reset();

    IniFile ini(SettingsFile());
    const auto value = [&ini](const char* key) {
        return ini.ReadString(TSlideShowSettings::Section, QLatin1String(key), {});
    };
    EXPECT_EQ(value("Time seconds"), QStringLiteral("1"));
    EXPECT_EQ(value("Rotation"), QStringLiteral("270"));
    EXPECT_EQ(value("Maximize"), QStringLiteral("1"));
    EXPECT_EQ(value("Change on"), QStringLiteral("110"));
}

TEST_F(SlideShowTabsTest, AShowStopsBeforeItsAlbumIsClosedAndANewAlbumGetsAFreshWindow)
{
    Start();
    OpenAt(MakeAlbum(QStringLiteral("Trip.tvx"), 2), "ts_SlideShow");
    Click("pb_StartSlideShow");
    ASSERT_TRUE(ShowWindow()->Running());
    QPointer<Tfm_SlideShowWindow> first = ShowWindow();

    ASSERT_TRUE(form->CloseCurrentAlbum());
    ASSERT_FALSE(first.isNull());
    EXPECT_FALSE(first->Running());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(first->Album(), nullptr);

    OpenAt(MakeAlbum(QStringLiteral("Other.tvx"), 1), "ts_SlideShow");
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(ShowWindow()->Album(), form->Album());
    Click("pb_StartSlideShow");
    EXPECT_TRUE(ShowWindow()->Running());

    // Closing the main window ends the show: the window has no parent.
    form->close();
    EXPECT_FALSE(ShowWindow()->isVisible());
}

} // namespace
