// SPDX-License-Identifier: GPL-2.0-or-later
// The viewer windows under a desktop palette of light texts on dark
// backgrounds: what they write on their own light backgrounds stays readable.
#include "PhotoWindowFixture.h"

#include "model/Album.h"
#include "support/DrawnContrast.h"
#include "viewers/FormPhotoList.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_SlideShowWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// How far the colour most unlike the background is from it, as the window
// draws that part of the control: about 0 when the text is drawn in a colour
// close to the background's.
int Contrast(QWidget* control, const QRect& part)
{
    QWidget* window = control->window();
    return DrawnContrast(window->grab(QRect(control->mapTo(window, part.topLeft()), part.size())).toImage());
}

// The part of a control that holds its text: a check box's box is no text.
QRect TextPart(QWidget* control)
{
    auto* box = qobject_cast<QCheckBox*>(control);
    if (!box)
        return control->rect();
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
}

class DarkDesktop : public PhotoWindowFixture {
protected:
    void SetUp() override
    {
        PhotoWindowFixture::SetUp();
        QPalette dark = m_light;
        for (auto role : { QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase })
            dark.setColor(role, QColor(40, 40, 40));
        for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
            dark.setColor(role, Qt::white);
        QApplication::setPalette(dark);
    }

    void TearDown() override
    {
        PhotoWindowFixture::TearDown();
        QApplication::setPalette(m_light);
    }

    // Every shown label with a text and every check box of window.
    static void ExpectReadable(QWidget* window)
    {
        QCoreApplication::processEvents();
        int checked = 0;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(control);
            const bool text
                = (label && !label->text().trimmed().isEmpty()) || qobject_cast<QCheckBox*>(control);
            if (!text || !control->isVisible())
                continue;
            EXPECT_GE(Contrast(control, TextPart(control)), 150)
                << window->objectName().toStdString() << ": " << control->objectName().toStdString();
            ++checked;
        }
        EXPECT_GT(checked, 0) << window->objectName().toStdString();
    }

private:
    const QPalette m_light = QApplication::palette();
};

TEST_F(DarkDesktop, TheViewerWindowsWriteDarkOnTheirLightBackgrounds)
{
    const QString photo = WriteBmp(QStringLiteral("dusk.bmp"), 60, 40);
    Tfm_PhotoWindow* photoWindow = OpenWindow();
    ASSERT_NE(photoWindow, nullptr);
    ASSERT_TRUE(photoWindow->ShowPhoto(photo, 0, 14));
    ExpectReadable(photoWindow);

    TAlbum album(dir.filePath(QStringLiteral("dusk.tvx")));
    auto entry = std::make_unique<TPhoto>();
    entry->SetName(photo);
    album.GetPhotos().Add(std::move(entry));
    Tfm_SlideShowWindow show(ini.get());
    show.SetAlbum(&album);
    TSlideShowSettings settings(ini.get());
    settings.SetChangeOnTime();
    show.Start(&settings, QLatin1Char('C'));
    ASSERT_TRUE(show.Running());
    ExpectReadable(&show);
    show.Stop();

    TFormPhotoList results(
        nullptr, list.get(), ini.get(), album, { photo }, TFormPhotoList::TNewAlbumQuestion::Ask);
    results.show();
    ExpectReadable(&results);
}

} // namespace
