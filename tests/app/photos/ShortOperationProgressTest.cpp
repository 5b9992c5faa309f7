// SPDX-License-Identifier: GPL-2.0-or-later
// The progress window of a short operation, through the real main window: it
// stays readable, the program stays busy while it does, and whatever follows
// the operation shows only once it has gone.
#include "ViewerTabsFixture.h"

#include "app/photos/PhotosPage.h"
#include "app/photos/ThumbnailsTab.h"
#include "common/BusyGuard.h"
#include "viewers/Tfm_ThumbNailWindow.h"

#include <QTest>

#include <vector>

namespace {

bool ProgressOnScreen()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<const Tfm_StatusWindow*>(window) && window->isVisible())
            return true;
    return false;
}

class ShortOperationProgress : public ViewerTabsFixture {
protected:
    // What the screen showed while a progress window waited before going.
    struct Wait {
        int Milliseconds = 0;
        bool ProgressShown = false;
        bool Busy = false;
        bool ThumbnailsShown = false;
        bool ClosingRefused = false;
    };

    void SetUp() override
    {
        ViewerTabsFixture::SetUp();
        Tfm_StatusWindow::SetHideDelay(Tfm_StatusWindow::DefaultHideDelayMs);
        // Time moves only by the waits: every operation here is a short one.
        Tfm_StatusWindow::SetClock([this] { return m_now; },
            [this](int milliseconds) {
                Wait wait { milliseconds, ProgressOnScreen(), TBusyGuard::IsBusy(),
                    ThumbWindow() && ThumbWindow()->isVisible(), false };
                // The user asks the program to close meanwhile.
                wait.ClosingRefused = form && !form->close();
                m_waits.push_back(wait);
                m_now += milliseconds;
            });
    }

    void TearDown() override
    {
        Tfm_StatusWindow::SetClock({}, {});
        ViewerTabsFixture::TearDown();
    }

    const Tfm_ThumbNailWindow* ThumbWindow() const
    {
        return form ? form->PhotosPage()->ThumbnailsTab()->ThumbWindow() : nullptr;
    }

    qint64 m_now = 0;
    std::vector<Wait> m_waits;
};

TEST_F(ShortOperationProgress, WindowStaysTheWholeDelayWhileBusyAndGoesBeforeWhatFollows)
{
    Start();
    form->show();
    OpenAt(MakeAlbum(QStringLiteral("Trip.tvx"), 2), "ts_ThumbNails");
    m_waits.clear();

    QTest::mouseClick(Find<QPushButton>("pb_CreateThumbnails"), Qt::LeftButton);
    ASSERT_EQ(m_waits.size(), 1u);
    EXPECT_EQ(m_waits[0].Milliseconds, Tfm_StatusWindow::DefaultHideDelayMs);
    EXPECT_TRUE(m_waits[0].ProgressShown);
    EXPECT_TRUE(m_waits[0].Busy);
    EXPECT_TRUE(m_waits[0].ClosingRefused);
    EXPECT_FALSE(m_waits[0].ThumbnailsShown) << "the thumbnails come after the progress window";
    EXPECT_TRUE(ThumbWindow()->isVisible());
    EXPECT_FALSE(ProgressOnScreen());
    EXPECT_TRUE(form->isVisible());

    // The outcome of a removal is told once the window has gone.
    class TOutcomeWatch : public TScriptedDialogService {
    public:
        explicit TOutcomeWatch(const std::vector<Wait>& waits)
            : m_waits(waits)
        {
        }
        int MessageBox(const QString& text, const QString& caption, int flags) override
        {
            ProgressShown = ProgressOnScreen();
            WaitsBefore = int(m_waits.size());
            return TScriptedDialogService::MessageBox(text, caption, flags);
        }
        bool ProgressShown = true;
        int WaitsBefore = 0;

    private:
        const std::vector<Wait>& m_waits;
    } watch(m_waits);
    m_waits.clear();
    QTest::mouseClick(Find<QPushButton>("pb_RemoveThumbNails"), Qt::LeftButton);
    ASSERT_EQ(m_waits.size(), 1u);
    EXPECT_TRUE(m_waits[0].ProgressShown);
    EXPECT_TRUE(m_waits[0].Busy);
    ASSERT_EQ(watch.CallCount(TDialogCall::Kind::MessageBox), 1);
    EXPECT_EQ(watch.LastCall(TDialogCall::Kind::MessageBox)->text, Language()->MF[57]);
    EXPECT_EQ(watch.WaitsBefore, 1);
    EXPECT_FALSE(watch.ProgressShown);
}

} // namespace
