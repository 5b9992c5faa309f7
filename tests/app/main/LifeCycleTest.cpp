// SPDX-License-Identifier: GPL-2.0-or-later
#include "MainWindowFixture.h"

#include "app/html/HtmlPage.h"
#include "app/photos/AlbumPhotoList.h"
#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosPage.h"
#include "app/shared/AlbumSession.h"
#include "support/DrawnContrast.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/Tfm_PhotoWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTextBlock>
#include <QTextDocument>

#include <functional>

namespace {

class LifeCycle : public MainWindow {
protected:
    // An album of count small pictures, saved.
    QString AlbumWithPhotos(const QString& name, int count)
    {
        const QString file = Path(QStringLiteral("albums/") + name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        TAlbum album(file);
        for (int i = 0; i < count; ++i) {
            const QString photo = Path(QStringLiteral("photos/%1%2.bmp").arg(name).arg(i));
            QDir().mkpath(QFileInfo(photo).absolutePath());
            QImage picture(8, 6, QImage::Format_RGB32);
            picture.fill(QColor(10 * i, 100, 200));
            EXPECT_TRUE(picture.save(photo, "BMP"));
            auto record = std::make_unique<TPhoto>();
            record->SetId(album.GetPhotos().TakeNextId());
            record->SetName(photo);
            album.GetPhotos().Add(std::move(record));
        }
        album.SaveToFile();
        return file;
    }

    // Shows album row in a photo window, as a click on the list does.
    Tfm_PhotoWindow* ShowRow(int row)
    {
        auto* list = Find<QListWidget>("lb_PhotosInAlbum");
        list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        m_form->PhotosPage()->PhotoPanel()->ShowSelectedAlbumPhoto(true);
        return m_form->PhotosPage()->PhotoPanel()->PhotoWindow();
    }
};

// What the pages hear, in order.
class SessionLog : public QObject {
public:
    explicit SessionLog(TAlbumSession& session)
    {
        connect(&session, &TAlbumSession::AlbumOpened, this,
            [this](TAlbum& album) { Events << QStringLiteral("opened ") + album.GetName(); });
        connect(&session, &TAlbumSession::AlbumClosing, this,
            [this](TAlbum& album) { Events << QStringLiteral("closing ") + album.GetName(); });
        connect(&session, &TAlbumSession::AlbumClosed, this, [this] { Events << QStringLiteral("closed"); });
    }
    QStringList Events;
};

TEST_F(LifeCycle, OpenCreateAndCloseReachEveryPageOnceAndInOrder)
{
    ChosenLanguage();
    const QString a = AlbumWithPhotos(QStringLiteral("A.tvx"), 3);
    Start();
    SessionLog log(m_form->Session());

    ASSERT_TRUE(m_form->OpenAlbum(a));
    EXPECT_EQ(log.Events, QStringList { QStringLiteral("opened A") });
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 3);
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("3"));
    EXPECT_EQ(Find<QLineEdit>("eb_AlbumName")->text(), a);
    EXPECT_TRUE(TabShown("ts_Search"));
    EXPECT_FALSE(m_form->ContentsChanged());

    // Creating another album closes the open one first, and the old album
    // still exists while the pages let go of it.
    log.Events.clear();
    Find<QLineEdit>("eb_AlbumName")->setText(Path(QStringLiteral("albums/B")));
    m_dialogs->QueueMessageResult(MessageResult::Yes);
    Find<QPushButton>("pb_CreateNewAlbum")->click();
    EXPECT_EQ(log.Events,
        (QStringList { QStringLiteral("closing A"), QStringLiteral("closed"), QStringLiteral("opened B") }));
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->count(), 0);
    EXPECT_EQ(Find<QLabel>("lblNumberOfPhotos")->text(), QStringLiteral("0"));

    log.Events.clear();
    Find<QPushButton>("pb_CloseAlbum")->click();
    EXPECT_EQ(log.Events, (QStringList { QStringLiteral("closing B"), QStringLiteral("closed") }));
    EXPECT_FALSE(TabShown("ts_Photos"));
    EXPECT_TRUE(Find<QLabel>("lblNumberOfPhotos")->text().isEmpty());
    EXPECT_FALSE(Find<QPushButton>("pb_SaveAlbum")->isEnabled());
    EXPECT_TRUE(m_form->windowTitle().endsWith(Language()->MF[103]));
}

TEST_F(LifeCycle, ChangedFlagIsAnnouncedOnlyWhenItChanges)
{
    ChosenLanguage();
    Start({ AlbumWithPhotos(QStringLiteral("C.tvx"), 1) });
    QList<bool> heard;
    QObject::connect(&m_form->Session(), &TAlbumSession::ContentsChangedChanged,
        [&heard](bool changed) { heard << changed; });
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("one"));
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("two"));
    m_form->SaveCurrentAlbum();
    EXPECT_EQ(heard, (QList<bool> { true, false }));
}

TEST_F(LifeCycle, ThePhotosTabSavesAndTheCloseQuestionLeavesThePhotoPanelLive)
{
    ChosenLanguage();
    const QString file = AlbumWithPhotos(QStringLiteral("D.tvx"), 1);
    Start({ file });
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("seaside"));
    QTest::mouseClick(Find<QPushButton>("btnSaveChangesPhoto"), Qt::LeftButton);
    EXPECT_EQ(m_dialogs->LastCall(Kind::ShowMessage)->text, Language()->MF[13]);
    EXPECT_FALSE(m_form->ContentsChanged());
    EXPECT_EQ(TAlbum::CreateFromFile(file, nullptr)->GetDescription(), QStringLiteral("seaside"));

    // Whatever the question's answer, the information panel edits the next album again.
    Find<QPlainTextEdit>("mm_AlbumDescription")->setPlainText(QStringLiteral("mountains"));
    m_dialogs->QueueMessageResult(MessageResult::Cancel);
    EXPECT_FALSE(m_form->CloseCurrentAlbum());
    EXPECT_TRUE(m_form->PhotosPage()->PhotoPanel()->InfoEditsLive());
    m_dialogs->QueueMessageResult(MessageResult::No);
    EXPECT_TRUE(m_form->CloseCurrentAlbum());
    EXPECT_TRUE(m_form->PhotosPage()->PhotoPanel()->InfoEditsLive());
    EXPECT_EQ(m_form->Album(), nullptr);
}

TEST_F(LifeCycle, PhotoPanelLimitsWhatCanBeTyped)
{
    ChosenLanguage();
    Start({ AlbumWithPhotos(QStringLiteral("D.tvx"), 1) });
    EXPECT_NE(Find<QWidget>("pnlGoToNextPhoto"), nullptr);
    auto* year = Find<QLineEdit>("eb_Year");
    ShowRow(0);
    year->setFocus();
    QTest::keyClicks(year, QStringLiteral("198765"));
    EXPECT_EQ(year->text(), QStringLiteral("1987"));
    auto* description = Find<QPlainTextEdit>("mm_PhotoDescription");
    description->setFocus();
    QTest::keyClicks(description, QString(210, u'x'));
    EXPECT_EQ(description->toPlainText().size(), 200);
    EXPECT_EQ(m_form->Album()->GetPhotos().PhotoAt(0)->GetDescription().size(), 200);
}

TEST_F(LifeCycle, ClosingTheMainWindowClosesEveryPhotoWindowAndEndsTheProgram)
{
    ChosenLanguage();
    Start({ AlbumWithPhotos(QStringLiteral("E.tvx"), 2) });
    Tfm_PhotoWindow* first = ShowRow(0);
    ASSERT_NE(first, nullptr);
    first->SetOpenNewWindowForEachPhoto(true);
    m_form->PhotoWindows()->PropagateShowNewWindow(first);
    ASSERT_NE(ShowRow(1), nullptr);
    ASSERT_EQ(m_form->PhotoWindows()->Count(), 2);

    bool timedOut = false;
    QTimer::singleShot(0, m_form.get(), [this] { m_form->close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::quit();
    });
    guard.start(5000);
    QApplication::exec();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(m_form->PhotoWindows()->Count(), 0);

    m_form.reset();
    IniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadString(QStringLiteral("Intro Window"), QStringLiteral("Show"), QString()),
        QStringLiteral("0"));
}

TEST_F(LifeCycle, KeysStepThroughPhotosAndThePhotoWindowKeepsTheFocus)
{
    ChosenLanguage();
    Start({ AlbumWithPhotos(QStringLiteral("F.tvx"), 3) });
    Tfm_PhotoWindow* window = ShowRow(0);
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window);
    ASSERT_EQ(QApplication::activeWindow(), window);
    // Keys go where the desktop sends them: to the active window.
    QTest::keyClick(window->windowHandle(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(window->FileName().endsWith(QStringLiteral("F.tvx1.bmp")))
        << window->FileName().toStdString();
    EXPECT_EQ(QApplication::activeWindow(), window);
    QTest::keyClick(window->windowHandle(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(window->FileName().endsWith(QStringLiteral("F.tvx2.bmp")));
    QTest::keyClick(window->windowHandle(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_TRUE(window->FileName().endsWith(QStringLiteral("F.tvx1.bmp")));
    EXPECT_EQ(Find<QListWidget>("lb_PhotosInAlbum")->currentRow(), 1);

    // A key released inside the open popup menu belongs to the menu.
    QTest::keyClick(window->PopupMenu(), Qt::Key_End);
    QTest::keyClick(window->PopupMenu(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(window->FileName().endsWith(QStringLiteral("F.tvx1.bmp")));
}

TEST_F(LifeCycle, APhotoThatCannotBeReadShowsNoPictureAndAMissingOneClearsTheNumbers)
{
    ChosenLanguage();
    const QString file = AlbumWithPhotos(QStringLiteral("G.tvx"), 3);
    Start({ file });
    ASSERT_NE(ShowRow(1), nullptr);
    // The second photo is damaged, the third is gone.
    WriteFile(Path(QStringLiteral("photos/G.tvx1.bmp")), "not a picture");
    QFile::remove(Path(QStringLiteral("photos/G.tvx2.bmp")));
    const int messages = m_dialogs->CallCount(Kind::ShowMessage);
    Tfm_PhotoWindow* window = ShowRow(1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(m_dialogs->CallCount(Kind::ShowMessage), messages);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("im_Photo"))->isVisible());
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblIdx"))->text(), QStringLiteral("2"));

    ShowRow(2);
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblIdx"))->text().isEmpty());
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblWidth"))->text().isEmpty());
}

TEST_F(LifeCycle, ADamagedAlbumFileIsNamedInTheMessage)
{
    ChosenLanguage();
    Start();
    const QString damaged = Path(QStringLiteral("albums/holiday.tvx"));
    WriteFile(damaged, QByteArray("\xFF\xD8\xFF\xE0 this is a JPEG", 19));
    EXPECT_FALSE(m_form->OpenAlbum(damaged));
    const TDialogCall* said = m_dialogs->LastCall(Kind::MessageBox);
    ASSERT_NE(said, nullptr);
    EXPECT_TRUE(said->text.contains(damaged)) << said->text.toStdString();
    EXPECT_EQ(m_form->Album(), nullptr);
}

} // namespace

namespace {

// The page of a page control that a control sits on, the innermost one.
QWidget* PageOf(QWidget* control)
{
    for (QWidget* w = control; w && w->parentWidget(); w = w->parentWidget()) {
        auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
        if (tabs && tabs->indexOf(w) >= 0)
            return w;
    }
    return nullptr;
}

// Why the caption of a control does not fit it, empty when it does.
QString CutCaption(const QWidget* control)
{
    const QSize size = control->size();
    if (const auto* box = qobject_cast<const QGroupBox*>(control)) {
        if (box->minimumSizeHint().width() > size.width())
            return QStringLiteral("title needs %1").arg(box->minimumSizeHint().width());
        return {};
    }
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    const auto* label = qobject_cast<const QLabel*>(control);
    if ((!button || button->text().isEmpty()) && (!label || label->text().isEmpty()))
        return {};
    if (control->hasHeightForWidth()) {
        const int height = control->heightForWidth(size.width());
        return height > size.height() ? QStringLiteral("needs height %1").arg(height) : QString();
    }
    const QSize hint = control->sizeHint();
    if (hint.width() > size.width() || hint.height() > size.height())
        return QStringLiteral("needs %1x%2").arg(hint.width()).arg(hint.height());
    return {};
}

// Why the control is not wholly inside every control around it, empty when it is.
QString OutsideOfParents(const QWidget* control, const QWidget* window)
{
    for (const QWidget* outer = control->parentWidget(); outer; outer = outer->parentWidget()) {
        const QRect rect(control->mapTo(outer, QPoint(0, 0)), control->size());
        if (!outer->rect().contains(rect))
            return QStringLiteral("outside %1").arg(outer->objectName());
        if (outer == window)
            break;
    }
    return {};
}

// Makes the page current in its page control and in every one around it.
void Reveal(QWidget* page)
{
    for (QWidget* child = page; child && child->parentWidget(); child = child->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(child->parentWidget()->parentWidget())) {
            if (tabs->indexOf(child) >= 0)
                tabs->setCurrentWidget(child);
        }
    }
}

// How far the colour most unlike the background is from it, as drawn: 0 when
// the text is drawn in the background's colour.
int Contrast(QWidget* control, const QRect& part)
{
    return DrawnContrast(control->grab(part).toImage());
}

// The name of a page, also of one that scrolls.
std::string PageName(QWidget* page)
{
    if (auto* scroller = qobject_cast<QScrollArea*>(page))
        page = scroller->widget();
    return page->objectName().toStdString();
}

class WindowLayout : public LifeCycle, public ::testing::WithParamInterface<int> {
protected:
    // The window in the language of the test, with an album open and one
    // chosen for export, so that every page has its controls.
    void StartWithEveryPage()
    {
        ChosenLanguage(GetParam());
        const QString album = AlbumWithPhotos(QStringLiteral("W.tvx"), 1);
        Start({ album });
        // The export's later steps open only with an album to export.
        m_form->HtmlPage()->AddHTMLAlbum(album);
        QCoreApplication::processEvents();
        // The export's steps and the searched folder as a run shows them.
        Find<QWidget>("gb_StepsTakenByTavrimolex")->show();
        Find<QWidget>("eb_SearchingFolder")->show();
    }

    // Shows every page of every page control in turn and hands over each
    // named control on it.
    void ForEachControl(const std::function<void(QTabWidget*, int, QWidget*)>& check)
    {
        // Only one of the three background pictures is ever shown.
        const QStringList hidden { QStringLiteral("im_BackGround"), QStringLiteral("im_BackGroundColor") };
        for (QTabWidget* pages : m_form->findChildren<QTabWidget*>()) {
            for (int index = 0; index < pages->count(); ++index) {
                QWidget* page = pages->widget(index);
                Reveal(page);
                QCoreApplication::processEvents();
                check(pages, index, nullptr);
                for (QWidget* control : page->findChildren<QWidget*>()) {
                    const QString name = control->objectName();
                    // Menus are windows of their own; the tab bars' scroll buttons Qt's.
                    if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")) || control->isWindow()
                        || qobject_cast<QTabBar*>(control->parentWidget()) || PageOf(control) != page
                        || hidden.contains(name))
                        continue;
                    check(pages, index, control);
                }
            }
        }
    }
};

TEST_P(WindowLayout, EveryControlOfEveryPageIsWhollyInViewInEachLanguage)
{
    StartWithEveryPage();
    // The window opens on the desktop's work area, not beside or above it.
    EXPECT_TRUE(m_form->screen()->availableGeometry().contains(m_form->frameGeometry()))
        << m_form->frameGeometry().width() << 'x' << m_form->frameGeometry().height();
    // Room to spare on a 1024 by 768 screen, beside a panel and a title bar:
    // there every page shows whole, without scrolling.
    m_form->resize(900, 700);
    QCoreApplication::processEvents();
    const int width = m_form->width();
    ForEachControl([&](QTabWidget* pages, int index, QWidget* control) {
        const std::string where = PageName(pages->widget(index));
        if (!control) {
            // Showing a page never widens the window.
            EXPECT_EQ(m_form->width(), width) << where;
            const QTabBar* tabs = pages->tabBar();
            const QRect tab = tabs->tabRect(index);
            EXPECT_TRUE(tabs->rect().contains(tab)) << where << " tab";
            EXPECT_GE(tab.width(), tabs->fontMetrics().horizontalAdvance(pages->tabText(index)))
                << where << " tab";
            return;
        }
        const std::string what = where + ' ' + control->objectName().toStdString();
        EXPECT_TRUE(control->isVisibleTo(m_form.get())) << what;
        EXPECT_FALSE(control->size().isEmpty()) << what;
        EXPECT_EQ(OutsideOfParents(control, m_form.get()).toStdString(), "") << what;
        EXPECT_EQ(CutCaption(control).toStdString(), "") << what;
    });
}

TEST_P(WindowLayout, OnASmallOrScaledScreenEveryControlScrollsIntoView)
{
    StartWithEveryPage();
    // A 1920 by 1080 screen at 200% leaves 960 by 540, less the desktop's
    // panel and the window's title bar.
    EXPECT_LE(m_form->minimumSizeHint().width(), 760);
    EXPECT_LE(m_form->minimumSizeHint().height(), 520);
    m_form->resize(760, 520);
    QCoreApplication::processEvents();
    ASSERT_EQ(m_form->size(), QSize(760, 520));
    ForEachControl([&](QTabWidget* pages, int index, QWidget* control) {
        if (!control)
            return;
        const std::string what = PageName(pages->widget(index)) + ' ' + control->objectName().toStdString();
        QScrollArea* scroller = nullptr;
        for (QWidget* outer = control->parentWidget(); outer && !scroller; outer = outer->parentWidget())
            scroller = qobject_cast<QScrollArea*>(outer);
        ASSERT_NE(scroller, nullptr) << what;
        EXPECT_TRUE(control->isVisibleTo(m_form.get())) << what;
        EXPECT_FALSE(control->size().isEmpty()) << what;
        // The page itself is what scrolls.
        if (control != scroller->widget()) {
            EXPECT_EQ(OutsideOfParents(control, scroller->widget()).toStdString(), "") << what;
        }
        EXPECT_EQ(CutCaption(control).toStdString(), "") << what;
        // Brought into view, the control shows whole, or as much of it as
        // the view can hold.
        const QRect rect(control->mapTo(scroller->widget(), QPoint(0, 0)), control->size());
        scroller->ensureVisible(rect.x() + rect.width(), rect.y() + rect.height(), 0, 0);
        scroller->ensureVisible(rect.x(), rect.y(), 0, 0);
        const QRect view = scroller->viewport()->rect();
        const QRect shown = QRect(control->mapTo(scroller->viewport(), QPoint(0, 0)), control->size()) & view;
        EXPECT_EQ(shown.width(), qMin(rect.width(), view.width())) << what;
        EXPECT_EQ(shown.height(), qMin(rect.height(), view.height())) << what;
    });
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowLayout, ::testing::Values(0, 1, 2));

TEST_F(LifeCycle, TheDescriptionLooksReadOnlyWhereTheYearDoes)
{
    ChosenLanguage();
    Start({ AlbumWithPhotos(QStringLiteral("G.tvx"), 1) });
    auto* description = Find<QPlainTextEdit>("mm_PhotoDescription");
    auto* year = Find<QLineEdit>("eb_Year");
    // The colour drawn in the middle of a box, away from its frame.
    const auto inside = [](QWidget* box) {
        QCoreApplication::processEvents();
        return box->grab().toImage().pixelColor(box->width() / 2, box->height() / 2);
    };
    QTabBar* tabs = Find<QTabWidget>("pc_Photos")->tabBar();
    const auto clickTab = [&](const char* page) {
        const int index = Find<QTabWidget>("pc_Photos")->indexOf(Find<QWidget>(page));
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(index).center());
    };

    clickTab("ts_AvailablePhotos");
    ASSERT_TRUE(description->isReadOnly());
    EXPECT_EQ(inside(description), inside(year));
    EXPECT_NE(inside(description), QApplication::palette().color(QPalette::Base));

    clickTab("ts_PhotosInAlbum");
    ASSERT_FALSE(description->isReadOnly());
    EXPECT_EQ(inside(description), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(inside(year), QApplication::palette().color(QPalette::Base));
}

TEST_F(LifeCycle, TextsStayReadableUnderADarkDesktopPalette)
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (auto role : { QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase })
        dark.setColor(role, QColor(40, 40, 40));
    for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        dark.setColor(role, Qt::white);
    QApplication::setPalette(dark);
    ChosenLanguage();
    // A help text with a navy heading and a line in the text's own colour.
    WriteFile(m_program + QStringLiteral("/help.rtf"),
        "{\\rtf1{\\colortbl;\\red0\\green0\\blue128;}\\cf1\\b Creating an album\\b0\\par\n"
        "\\cf0 Enter a name and a folder.\\par}");
    const QString album = AlbumWithPhotos(QStringLiteral("K.tvx"), 1);
    Start({ album });
    m_form->HtmlPage()->AddHTMLAlbum(album);
    // The merge boxes and an unticked search criterion have light colours of their own.
    Find<QLineEdit>("eb_MergeObject1")->setText(QStringLiteral("Beach"));
    Find<QLineEdit>("eb_YearSearch")->setText(QStringLiteral("1999"));
    for (QTabWidget* pages : m_form->findChildren<QTabWidget*>()) {
        for (int index = 0; index < pages->count(); ++index) {
            Reveal(pages->widget(index));
            QCoreApplication::processEvents();
            for (QWidget* control : pages->widget(index)->findChildren<QWidget*>()) {
                auto* label = qobject_cast<QLabel*>(control);
                auto* edit = qobject_cast<QLineEdit*>(control);
                if (!control->isVisible() || control->objectName().startsWith(QStringLiteral("qt_"))
                    || !((label && !label->text().trimmed().isEmpty()) || (edit && !edit->text().isEmpty())))
                    continue;
                // An edit's frame is not its text: only the inside counts.
                const QRect part = edit ? control->rect().adjusted(4, 4, -4, -4) : control->rect();
                EXPECT_GE(Contrast(control, part), 150) << control->objectName().toStdString();
            }
        }
    }
    // The captions of the top tabs, beside their pictures.
    const QTabBar* tabs = m_form->pc_Album()->tabBar();
    for (int index = 0; index < tabs->count(); ++index) {
        if (tabs->isTabVisible(index)) {
            EXPECT_GE(
                Contrast(m_form->pc_Album()->tabBar(), tabs->tabRect(index).adjusted(28, 5, -5, -5)), 150)
                << index;
        }
    }
    // The help text is shown on the white its colours were chosen for.
    QTabBar* top = m_form->pc_Album()->tabBar();
    QTest::mouseClick(top, Qt::LeftButton, Qt::NoModifier,
        top->tabRect(m_form->pc_Album()->indexOf(Find<QWidget>("ts_Help"))).center());
    auto* help = Find<QTextEdit>("redHelp");
    ASSERT_TRUE(help->isVisible());
    QCoreApplication::processEvents();
    const QImage page = help->viewport()->grab().toImage();
    for (QTextBlock block = help->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        const QRect line = help->document()->documentLayout()->blockBoundingRect(block).toRect();
        EXPECT_GE(Contrast(help->viewport(), line), 150) << block.text().toStdString();
        EXPECT_GE(qGray(page.pixel(line.right() - 2, line.center().y())), 200) << block.text().toStdString();
    }
    m_form.reset();
    QApplication::setPalette(light);
}

} // namespace
