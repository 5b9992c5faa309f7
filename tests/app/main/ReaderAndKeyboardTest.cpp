// SPDX-License-Identifier: GPL-2.0-or-later
// What a screen reader and the keyboard meet in every window: each field is
// named, in the language of the program, and Tab follows the reading order.
#include "ViewerTabsFixture.h"

#include "app/photos/PhotoInfoPanel.h"
#include "app/photos/PhotosPage.h"
#include "viewers/Tfm_PhotoWindow.h"
#include "widgets/PageControl.h"
#include "widgets/ReaderNames.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSet>
#include <QStackedWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

// What a reader announces by name: every control of the program's own that
// takes input or holds a value (Qt's inner parts carry names of their own).
bool IsField(const QWidget* w)
{
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
        return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w)
        || qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSlider*>(w);
}

// Qt on Linux gives a drop-down list's chosen item as its name and what names
// the list through the "labelled by" relation, which readers announce first;
// its own accessible name counts where nothing labels it.
QString ReaderName(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    if (!face)
        return QString();
    if (qobject_cast<QComboBox*>(w)) {
        const auto labels = face->relations(QAccessible::Label);
        return labels.isEmpty() ? w->accessibleName() : labels.first().first->text(QAccessible::Name);
    }
    return face->text(QAccessible::Name);
}

// Shows the page, with every tab page around it.
void Reveal(QWidget* page)
{
    QList<QWidget*> outward;
    for (QWidget* w = page; w; w = w->parentWidget())
        outward.prepend(w);
    for (QWidget* w : outward) {
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) {
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                tabs->setCurrentWidget(w);
            else
                stack->setCurrentWidget(w);
        }
    }
}

// The control that has the keyboard, and the one that has it after each of count presses of Tab.
std::string TabSteps(int count)
{
    QStringList names { QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString() };
    for (int i = 0; i < count && QApplication::focusWidget(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    return names.join(u' ').toStdString();
}

class ReaderAndKeyboard : public ViewerTabsFixture {
protected:
    void StartIn(int language)
    {
        form.reset();
        ShutdownLanguage();
        CurrentLangType = LT_Default;
        QFile settings(SettingsFile());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write("[Languange]\r\nSelected=1\r\nLanguageID=" + QByteArray::number(language) + "\r\n");
        settings.close();
        Start();
        form->show();
        m_recordTexts.clear();
        for (const TConstLanguageSection& section : std::as_const(*Language()).Sections())
            for (const QString& text : section.Texts)
                m_recordTexts.insert(PlainCaption(text).trimmed());
    }

    // Every shown field of the window has a name from the current language
    // record, or the text of a label the window shows beside it.
    void CheckWindow(QWidget* window)
    {
        if (!window)
            return;
        const QString where = QString::number(int(CurrentLangType)) + u' ' + window->objectName() + u'/';
        QSet<QString> shownLabels;
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisible())
                continue;
            shownLabels.insert(PlainCaption(label->text()).trimmed());
            // A label with a buddy takes a single '&' for the mark of a shortcut and hides it.
            if (label->buddy() && QString(label->text()).remove(QStringLiteral("&&")).contains(u'&'))
                m_faults.insert(where + label->objectName() + QStringLiteral(": hides its '&'"));
        }
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible() || !IsField(w))
                continue;
            const QString name = ReaderName(w).trimmed();
            if (name.isEmpty()) {
                m_faults.insert(where + w->objectName() + QStringLiteral(": no name"));
                continue;
            }
            for (const QString& part : name.split(QStringLiteral(" / "))) {
                if (!m_recordTexts.contains(part) && !shownLabels.contains(part)
                    && !qobject_cast<QAbstractButton*>(w))
                    m_faults.insert(where + w->objectName() + QStringLiteral(": \"") + name
                        + QStringLiteral("\" is no text of the language"));
            }
        }
    }

    void CheckEveryPage(QWidget* window)
    {
        CheckWindow(window);
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->isTabVisible(i))
                    continue;
                Reveal(tabs->widget(i));
                if (tabs->currentIndex() == i)
                    CheckWindow(window);
                else
                    m_faults.insert(tabs->widget(i)->objectName() + QStringLiteral(": not reached"));
            }
        }
    }

    // Checks the modal window that clicking the button opens, then closes it.
    void CheckModal(QWidget* button, const char* windowName)
    {
        bool seen = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QLatin1String(windowName) && w->isVisible()) {
                    watch.stop();
                    seen = true;
                    CheckWindow(w);
                    w->close();
                }
            }
        });
        watch.start(10);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(seen) << windowName;
    }

    QWidget* TopLevel(const char* name) const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name))
                return w;
        ADD_FAILURE() << name;
        return nullptr;
    }

    static void ClickRow(QListWidget* list, int row)
    {
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
    }

    QSet<QString> m_recordTexts;
    QSet<QString> m_faults;
};

} // namespace

TEST_F(ReaderAndKeyboard, EveryFieldOfEveryWindowIsNamedInTheProgramsLanguage)
{
    const QString album = MakeAlbum(QStringLiteral("Trip.tvx"), 2);
    for (int language : { LT_Default, LT_Dutch, LT_Spanish }) {
        StartIn(language);
        OpenAt(album, "ts_PhotosInAlbum");
        form->pc_Album()->setCurrentWidget(form->PhotosPage());
        auto* rows = Find<QListWidget>("lb_PhotosInAlbum");
        ClickRow(rows, 0);
        CheckWindow(form->PhotosPage()->PhotoPanel()->PhotoWindow());
        CheckModal(Find<QPushButton>("btnRenameSelectedPhotos"), "FormRenameSettings");

        Reveal(Find<QWidget>("ts_ThumbNails"));
        QTest::mouseClick(Find<QPushButton>("pb_CreateThumbnails"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>("pb_ShowThumbNails"), Qt::LeftButton);
        CheckWindow(TopLevel("fm_ThumbNailWindow"));
        Reveal(Find<QWidget>("ts_SlideShow"));
        QTest::mouseClick(Find<QPushButton>("pb_StartSlideShow"), Qt::LeftButton);
        CheckWindow(TopLevel("fm_SlideShowWindow"));
        TopLevel("fm_SlideShowWindow")->close();

        Reveal(Find<QWidget>("ts_Search"));
        Find<QCheckBox>("chb_FilePath")->setChecked(true);
        Find<QLineEdit>("eb_FilePathKeyWord")->setText(QStringLiteral("p0"));
        CheckModal(Find<QPushButton>("pb_SearchForPhotos"), "FormPhotoList");
        Reveal(Find<QWidget>("ts_Albums"));
        CheckModal(Find<QPushButton>("pb_SelectFolder"), "fm_SelectdirectoryWindow");
        Reveal(Find<QWidget>("ts_Help"));
        CheckModal(Find<QPushButton>("btnChangeLanguage"), "fm_LanguageWindow");
        Tfm_StatusWindow status;
        status.show();
        CheckWindow(&status);

        // The export steps open once an album is chosen for it.
        Reveal(Find<QWidget>("ts_Albums"));
        QTest::mouseClick(Find<QPushButton>("pb_CreateHTML"), Qt::LeftButton);
        CheckEveryPage(form.get());
    }
    EXPECT_TRUE(m_faults.isEmpty()) << m_faults.values().join(u'\n').toStdString();
}

TEST_F(ReaderAndKeyboard, TabStepsThroughTheFieldsInReadingOrder)
{
    StartIn(LT_Default);
    OpenAt(MakeAlbum(QStringLiteral("Trip.tvx"), 2), "ts_PhotosInAlbum");
    form->pc_Album()->setCurrentWidget(form->PhotosPage());
    ClickRow(Find<QListWidget>("lb_PhotosInAlbum"), 0);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Find<QLineEdit>("eb_PhotoName")->setFocus();
    EXPECT_EQ(TabSteps(8),
        "eb_PhotoName eb_PhotoStatus mm_PhotoDescription btnSaveChangesPhoto cb_Event eb_Year "
        "chb_DontPublishForTheInternet lb_PhotoObjects lb_SelectedObjects");

    // The rename window opens on the new name; its choices follow, then its buttons.
    std::string renameSteps;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || window->objectName() != QLatin1String("FormRenameSettings")
            || QApplication::activeWindow() != window)
            return;
        watch.stop();
        renameSteps = TabSteps(8);
        window->close();
    });
    watch.start(10);
    QTest::mouseClick(Find<QPushButton>("btnRenameSelectedPhotos"), Qt::LeftButton);
    EXPECT_EQ(renameSteps,
        "edtNewName edtStartSequenceNumber updSequenceNumber rdbReplace btnOk btnCancel edtNewName "
        "edtStartSequenceNumber updSequenceNumber");
}
