// SPDX-License-Identifier: GPL-2.0-or-later
#include "PhotoWindowFixture.h"

#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "platform/TextUtil.h"
#include "support/ExifJpeg.h"
#include "viewers/PhotoImage.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

class PhotoWindowTest : public PhotoWindowFixture {
protected:
    QString Text(const char* name) const { return window->findChild<QLabel*>(QLatin1String(name))->text(); }
    TPhotoImage* Image() const { return window->findChild<TPhotoImage*>(QStringLiteral("im_Photo")); }
    QAction* MenuItem(const char* name) const
    {
        return window->PopupMenu()->findChild<QAction*>(QLatin1String(name));
    }

    void SetUp() override
    {
        PhotoWindowFixture::SetUp();
        window = OpenWindow();
        ASSERT_NE(window, nullptr);
    }

    Tfm_PhotoWindow* window = nullptr;
};

TEST_F(PhotoWindowTest, ShowsAPhotoWithItsNumberSizeAndCaption)
{
    const QString path = WriteBmp(QStringLiteral("holiday.bmp"), 40, 30);
    EXPECT_FALSE(window->ShowsPhoto());
    ASSERT_TRUE(window->ShowPhoto(path, 2, 7));
    EXPECT_TRUE(window->ShowsPhoto());
    EXPECT_TRUE(Image()->isVisibleTo(window));
    EXPECT_EQ(Text("lblIdx"), QStringLiteral("3"));
    EXPECT_EQ(Text("lblCnt"), QStringLiteral("7"));
    EXPECT_EQ(Text("lblWidth"), QStringLiteral("40"));
    EXPECT_EQ(Text("lblHeight"), QStringLiteral("30"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavrimolex - holiday.bmp - ") + path);
    EXPECT_FALSE(window->findChild<QLabel*>(QStringLiteral("lblWait"))->isVisible());
    // Fit mode is written after every photo.
    EXPECT_EQ(ini->ReadString(QStringLiteral("Photo Window"), QStringLiteral("DontAutoResize"), {}),
        QStringLiteral("0"));
}

TEST_F(PhotoWindowTest, AnUndecodableFileHidesThePictureButUpdatesTheWindow)
{
    const QString good = WriteBmp(QStringLiteral("good.bmp"), 40, 30);
    const QString bad = WriteBytes(QStringLiteral("bad.bmp"), QByteArray("this is no picture at all"));
    ASSERT_TRUE(window->ShowPhoto(good, 0, 2));

    EXPECT_TRUE(window->ShowPhoto(bad, 1, 2));
    EXPECT_FALSE(Image()->isVisibleTo(window));
    EXPECT_TRUE(window->Picture().isNull());
    EXPECT_EQ(Text("lblIdx"), QStringLiteral("2"));
    EXPECT_EQ(Text("lblCnt"), QStringLiteral("2"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavrimolex - bad.bmp - ") + bad);
    EXPECT_EQ(window->FileName(), bad);

    // The previous photo's pixels must never be saved or copied in its place.
    EXPECT_FALSE(MenuItem("pmiSavefileOnlyAsJpg")->isEnabled());
    EXPECT_FALSE(window->pmiSavefileOnlyAsJpgClick());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("bad.jpg"))));
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    EXPECT_FALSE(window->CopyImageToClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    // The empty window says enough: no message to click away for each such photo.
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(PhotoWindowTest, SavingABitmapWritesAJpegBesideIt)
{
    const QString path = WriteBmp(QStringLiteral("scan.bmp"), 64, 32);
    ASSERT_TRUE(window->ShowPhoto(path, 0, 1));
    ASSERT_TRUE(window->pmiSavefileOnlyAsJpgClick());

    const QString target = dir.filePath(QStringLiteral("scan.jpg"));
    QImage saved;
    ASSERT_TRUE(DecodeJpegFile(target, saved));
    EXPECT_EQ(saved.size(), QSize(64, 32));
    EXPECT_TRUE(QFileInfo::exists(path));
    const TDialogCall* message = dialogs.LastCall(TDialogCall::Kind::ShowMessage);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text, Text::Format(Language()->PW[11], { target }));
    EXPECT_EQ(Tfm_PhotoWindow::JpegTargetFor(QStringLiteral("D:\\Photos\\a.b.PNG")),
        QStringLiteral("D:\\Photos\\a.b.jpg"));
}

TEST_F(PhotoWindowTest, SavingARotatedJpegOverwritesItWithThePictureAsShown)
{
    const QString path = WriteJpeg(QStringLiteral("tower.jpg"), 64, 32);
    ASSERT_TRUE(window->ShowPhoto(path, 0, 1));
    window->findChild<QPushButton*>(QStringLiteral("btnRotateRight"))->click();
    // The size labels follow the rotation.
    EXPECT_EQ(Text("lblWidth"), QStringLiteral("32"));
    EXPECT_EQ(Text("lblHeight"), QStringLiteral("64"));

    ASSERT_TRUE(window->pmiSavefileOnlyAsJpgClick());
    QImage saved;
    ASSERT_TRUE(DecodeJpegFile(path, saved));
    ASSERT_EQ(saved.size(), QSize(32, 64));
    // A quarter turn clockwise puts the red left half at the top.
    EXPECT_GT(qRed(saved.pixel(16, 4)), 200);
    EXPECT_GT(qBlue(saved.pixel(16, 60)), 200);

    window->btnRotateLeftClick();
    EXPECT_EQ(Text("lblWidth"), QStringLiteral("64"));
}

TEST_F(PhotoWindowTest, APortraitPhotoStandsUprightAndIsSavedAsShownWithoutItsTag)
{
    // Stored as landscape pixels, red on the left; the camera's tag asks for
    // a quarter turn clockwise, which puts the red at the top.
    const QString path = WriteBytes(QStringLiteral("portrait.jpg"),
        TestExif::WithOrientation(EncodeJpeg(TwoColourPicture(64, 32), 95), 6));
    ASSERT_TRUE(window->ShowPhoto(path, 0, 1));
    EXPECT_EQ(Text("lblWidth"), QStringLiteral("32"));
    EXPECT_EQ(Text("lblHeight"), QStringLiteral("64"));
    EXPECT_GT(qRed(window->Picture().pixel(16, 4)), 200);

    // The user turns the upright photo back a quarter and saves it: the file
    // holds what is shown and no tag that would turn it once more.
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnRotateLeft")), Qt::LeftButton);
    ASSERT_TRUE(window->pmiSavefileOnlyAsJpgClick());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains(QByteArray("Exif\0\0", 6)));
    QImage saved;
    ASSERT_TRUE(DecodeJpegFile(path, saved));
    ASSERT_EQ(saved.size(), QSize(64, 32));
    EXPECT_GT(qRed(saved.pixel(4, 16)), 200);
    EXPECT_GT(qBlue(saved.pixel(60, 16)), 200);
}

TEST_F(PhotoWindowTest, AFailedSaveIsReportedAndKeepsTheOldFile)
{
    const QString path = WriteBmp(QStringLiteral("locked.bmp"), 16, 16);
    ASSERT_TRUE(window->ShowPhoto(path, 0, 1));
    // A folder where the JPEG should go makes the rename fail.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked.jpg")));
    EXPECT_FALSE(window->pmiSavefileOnlyAsJpgClick());
    const TDialogCall* message = dialogs.LastCall(TDialogCall::Kind::ShowMessage);
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text.contains(dir.filePath(QStringLiteral("locked.jpg"))));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("locked.jpg"))).isDir());
}

TEST_F(PhotoWindowTest, CopiesTheShownPictureToTheClipboard)
{
    const QString path = WriteBmp(QStringLiteral("copy.bmp"), 20, 10);
    ASSERT_TRUE(window->ShowPhoto(path, 0, 1));
    ASSERT_TRUE(window->CopyImageToClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(20, 10));
}

TEST_F(PhotoWindowTest, OpensThePhotoAndItsFolderThroughTheShell)
{
    // Nothing is shown yet: nothing to open.
    window->pmiViewPhotoWithDefaultViewerClick();
    EXPECT_EQ(dialogs.CallCount(TDialogCall::Kind::ShellOpen), 0);

    const QString path = WriteBmp(QStringLiteral("open.bmp"), 8, 8);
    ASSERT_TRUE(window->ShowPhoto(path, 0, 1));
    MenuItem("pmiViewPhotoWithDefaultViewer")->trigger();
    MenuItem("pmiOpenPhotoFolderInExplorer")->trigger();
    EXPECT_EQ(dialogs.ShellOpened(), (QStringList { path, dir.path() + QLatin1Char('/') }));
}

TEST_F(PhotoWindowTest, ScrollBarModeDrawsAtFullSizeAndFitModeShrinks)
{
    const QString path = WriteBmp(QStringLiteral("wide.bmp"), 1200, 900);
    ASSERT_TRUE(window->ShowPhoto(path, 0, 1));
    auto* scrollBox = window->findChild<QScrollArea*>(QStringLiteral("scbPhoto"));
    const QRect fitted = Image()->PictureRect();
    EXPECT_LE(fitted.width(), scrollBox->viewport()->width());
    EXPECT_LE(fitted.height(), scrollBox->viewport()->height());
    EXPECT_NEAR(double(fitted.width()) / fitted.height(), 1200.0 / 900.0, 0.02);

    window->findChild<QCheckBox*>(QStringLiteral("chbDontResize"))->click();
    EXPECT_EQ(Image()->PictureRect(), QRect(0, 0, 1200, 900));
    EXPECT_EQ(Image()->size(), QSize(1200, 900));
    EXPECT_EQ(ini->ReadInteger(QStringLiteral("Photo Window"), QStringLiteral("DontAutoResize"), -1), 1);

    // A rotation gives the scroll box the new size.
    window->btnRotateRightClick();
    EXPECT_EQ(Image()->size(), QSize(900, 1200));

    // A small picture is not enlarged in fit mode.
    window->findChild<QCheckBox*>(QStringLiteral("chbDontResize"))->click();
    ASSERT_TRUE(window->ShowPhoto(WriteBmp(QStringLiteral("tiny.bmp"), 10, 6), 0, 1));
    EXPECT_EQ(Image()->PictureRect().size(), QSize(10, 6));
}

class PhotoWindowPanTest : public PhotoWindowTest {
protected:
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), QPointF(Image()->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(Image(), &event);
    }
    void Press(QPoint at) { Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void DragTo(QPoint at) { Send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint at) { Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

    void SetUp() override
    {
        PhotoWindowTest::SetUp();
        window->findChild<QCheckBox*>(QStringLiteral("chbDontResize"))->click();
        ASSERT_TRUE(window->ShowPhoto(WriteBmp(QStringLiteral("big.bmp"), 2000, 1500), 0, 1));
        QApplication::processEvents();
        auto* scrollBox = window->findChild<QScrollArea*>(QStringLiteral("scbPhoto"));
        horizontal = scrollBox->horizontalScrollBar();
        vertical = scrollBox->verticalScrollBar();
        ASSERT_GT(horizontal->maximum(), 100);
        ASSERT_GT(vertical->maximum(), 100);
    }

    QScrollBar* horizontal = nullptr;
    QScrollBar* vertical = nullptr;
};

TEST_F(PhotoWindowPanTest, MovesOneIncrementPerMoveAndNoneForSmallMoves)
{
    const int stepX = horizontal->singleStep();
    const int stepY = vertical->singleStep();
    Press(QPoint(300, 300));
    DragTo(QPoint(300 + stepX - 1, 300));
    EXPECT_EQ(horizontal->value(), 0);
    EXPECT_EQ(vertical->value(), 0);

    DragTo(QPoint(300 + 10 * stepX, 300 + 10 * stepY));
    EXPECT_EQ(horizontal->value(), stepX);
    EXPECT_EQ(vertical->value(), stepY);

    // Only the axis that moved takes the new start.
    DragTo(QPoint(300 + 20 * stepX, 300 + 10 * stepY));
    EXPECT_EQ(horizontal->value(), 2 * stepX);
    EXPECT_EQ(vertical->value(), stepY);
}

TEST_F(PhotoWindowPanTest, PanningReturnsToTheTopLeftCorner)
{
    const int stepX = horizontal->singleStep();
    const int stepY = vertical->singleStep();
    Press(QPoint(300, 300));
    DragTo(QPoint(300 + 5 * stepX, 300 + 5 * stepY));
    ASSERT_EQ(horizontal->value(), stepX);
    DragTo(QPoint(300, 300));
    EXPECT_EQ(horizontal->value(), 0);
    EXPECT_EQ(vertical->value(), 0);
}

TEST_F(PhotoWindowPanTest, NothingMovesWithoutAHeldButtonOrAfterRelease)
{
    const int stepX = horizontal->singleStep();
    Send(QEvent::MouseMove, QPoint(300 + 5 * stepX, 300), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(horizontal->value(), 0);

    Press(QPoint(300, 300));
    Release(QPoint(300, 300));
    DragTo(QPoint(300 + 5 * stepX, 300));
    EXPECT_EQ(horizontal->value(), 0);

    // Fit mode does not pan at all.
    window->findChild<QCheckBox*>(QStringLiteral("chbDontResize"))->click();
    Press(QPoint(100, 100));
    DragTo(QPoint(100 + 5 * stepX, 100));
    EXPECT_EQ(horizontal->value(), 0);
}

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    int previous, next, first, last;
};

class PhotoWindowKeyTest : public PhotoWindowTest, public ::testing::WithParamInterface<KeyCase> { };

TEST_P(PhotoWindowKeyTest, ReleasedKeysNavigate)
{
    const KeyCase& c = GetParam();
    // The window sees the key whichever control has the focus.
    QWidget* focused = window->findChild<QPushButton*>(QStringLiteral("btnRotateLeft"));
    for (QWidget* target : { static_cast<QWidget*>(window), focused }) {
        TNavigationCounter before = counter;
        QTest::keyRelease(target, Qt::Key(c.key), c.modifiers);
        EXPECT_EQ(counter.previous - before.previous, c.previous) << c.name;
        EXPECT_EQ(counter.next - before.next, c.next) << c.name;
        EXPECT_EQ(counter.first - before.first, c.first) << c.name;
        EXPECT_EQ(counter.last - before.last, c.last) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(KeyTable, PhotoWindowKeyTest,
    ::testing::Values(KeyCase { "End", Qt::Key_End, Qt::NoModifier, 0, 0, 0, 1 },
        KeyCase { "Home", Qt::Key_Home, Qt::NoModifier, 0, 0, 1, 0 },
        KeyCase { "CtrlUp", Qt::Key_Up, Qt::ControlModifier, 1, 0, 0, 0 },
        KeyCase { "Up", Qt::Key_Up, Qt::NoModifier, 0, 0, 0, 0 },
        KeyCase { "CtrlDown", Qt::Key_Down, Qt::ControlModifier, 0, 1, 0, 0 },
        KeyCase { "Down", Qt::Key_Down, Qt::NoModifier, 0, 0, 0, 0 },
        KeyCase { "PadPlus", Qt::Key_Plus, Qt::KeypadModifier, 0, 1, 0, 0 },
        KeyCase { "Plus", Qt::Key_Plus, Qt::NoModifier, 0, 0, 0, 0 },
        KeyCase { "PadMinus", Qt::Key_Minus, Qt::KeypadModifier, 1, 0, 0, 0 },
        KeyCase { "Minus", Qt::Key_Minus, Qt::NoModifier, 0, 0, 0, 0 },
        KeyCase { "Right", Qt::Key_Right, Qt::ControlModifier, 0, 0, 0, 0 },
        KeyCase { "PageDown", Qt::Key_PageDown, Qt::NoModifier, 0, 0, 0, 0 }),
    [](const ::testing::TestParamInfo<KeyCase>& param) { return std::string(param.param.name); });

TEST_F(PhotoWindowTest, CtrlCCopiesThePicture)
{
    ASSERT_TRUE(window->ShowPhoto(WriteBmp(QStringLiteral("keys.bmp"), 12, 9), 0, 1));
    QGuiApplication::clipboard()->clear();
    QTest::keyRelease(window, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(12, 9));
}

TEST_F(PhotoWindowTest, TextsComeFromTheLanguageRecord)
{
    const TLanguageSelector* language = Language();
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("btnPrevious"))->text(), language->PW[1]);
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("btnMoreOptions"))->text(), language->PW[5]);
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("btnRotateLeft"))->text(), language->PW[6]);
    EXPECT_EQ(window->findChild<QCheckBox*>(QStringLiteral("chbDontResize"))->text(), language->PW[10]);
    EXPECT_EQ(MenuItem("pmiOpenPhotoFolderInExplorer")->text(), language->PW[8]);
    EXPECT_EQ(MenuItem("pmiSavefileOnlyAsJpg")->text(), language->PW[12]);
    EXPECT_EQ(MenuItem("mmiCloseAllPhotoWindows")->text(), language->PW[15]);
    EXPECT_EQ(window->windowTitle(), language->Title + QStringLiteral(" - ") + language->PW[0]);
}

} // namespace
