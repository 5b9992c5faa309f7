// SPDX-License-Identifier: GPL-2.0-or-later
// The Search tab: choosing labels, the criteria handed to the engine, the
// checks before a search, reset, and the result window it opens.
#include "app/search/SearchPage.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/PageHost.h"
#include "common/ScriptedDialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "viewers/PhotoWindowList.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using Kind = TDialogCall::Kind;

class TFakeSearchHost : public TPageHost {
public:
    TPhotoWindowList* PhotoWindows() const override { return windows.get(); }
    IniFile* Settings() const override { return ini.get(); }

    std::unique_ptr<TPhotoWindowList> windows = std::make_unique<TPhotoWindowList>();
    std::unique_ptr<IniFile> ini;
};

class SearchPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        host.ini = std::make_unique<IniFile>(dir.filePath(QStringLiteral("tavrimolex.Ini")));
        page = std::make_unique<TSearchPage>(session, actions, host);
        QObject::connect(page.get(), &TSearchPage::FoundAlbumOpened, [this] { ++foundAlbumsOpened; });
        page->ApplyLanguage(*Language());
        page->resize(800, 600);
        page->show();

        auto album = std::make_unique<TAlbum>(dir.filePath(QStringLiteral("Trip.tvx")));
        for (const char* name : { "Ben", "Anna", "Carl" })
            album->GetObjects().AddName(QString::fromLatin1(name));
        album->GetEvents().AddName(QStringLiteral("Wedding"));
        album->GetEvents().AddName(QStringLiteral("Birthday"));
        album->GetEvents().ItemAt(1)->Select();
        session.Open(std::move(album));
        page->ts_SearchEnter();
    }

    void TearDown() override
    {
        page.reset();
        session.Close();
        host.windows.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TAlbum& Album() const { return *session.Album(); }

    template <class T> T* Find(const char* name) const
    {
        T* control = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    static QStringList Rows(const QListWidget* list)
    {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }

    // A click on a row of a choice list, as the user makes it.
    void ClickRow(const char* list, const QString& text)
    {
        auto* box = Find<QListWidget>(list);
        const QList<QListWidgetItem*> items = box->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << qPrintable(text);
        box->scrollToItem(items.first());
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(items.first()).center());
    }

    void Tick(const char* box, bool ticked) { Find<QCheckBox>(box)->setChecked(ticked); }
    void Type(const char* edit, const QString& text) { Find<QLineEdit>(edit)->setText(text); }

    QString AddPhoto(const QString& name, const QString& year)
    {
        const QString path = dir.filePath(name);
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::green);
        EXPECT_TRUE(picture.save(path, "BMP"));
        auto photo = std::make_unique<TPhoto>();
        photo->SetName(path);
        photo->SetYear(year);
        Album().GetPhotos().Add(std::move(photo));
        return path;
    }

    QTemporaryDir dir;
    TScriptedDialogService dialogs;
    TAlbumSession session;
    TAlbumActions actions { session };
    TFakeSearchHost host;
    int foundAlbumsOpened = 0;
    std::unique_ptr<TSearchPage> page;
};

// Runs check on the result window as soon as it shows, then closes it.
void OnResultWindow(std::function<void(QDialog&)> check)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, check] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<QDialog*>(widget);
            if (window && window->objectName() == QStringLiteral("FormPhotoList") && window->isVisible()) {
                timer->stop();
                timer->deleteLater();
                check(*window);
                if (window->isVisible())
                    window->reject();
                return;
            }
        }
    });
    timer->start(10);
}

} // namespace

TEST_F(SearchPageTest, ClicksToggleLabelsThatTheAlbumKeeps)
{
    EXPECT_EQ(Rows(Find<QListWidget>("lb_ObjectsToSearchFor")),
        QStringList({ QStringLiteral("Anna"), QStringLiteral("Ben"), QStringLiteral("Carl") }));
    // A label chosen before shows as chosen.
    EXPECT_EQ(
        Rows(Find<QListWidget>("lb_SelectedEventsToSearchFor")), QStringList({ QStringLiteral("Birthday") }));
    EXPECT_TRUE(Find<QListWidget>("lb_EventsToSearchFor")
                    ->findItems(QStringLiteral("Birthday"), Qt::MatchExactly)
                    .first()
                    ->isSelected());

    ClickRow("lb_ObjectsToSearchFor", QStringLiteral("Carl"));
    ClickRow("lb_ObjectsToSearchFor", QStringLiteral("Anna"));
    EXPECT_EQ(Rows(Find<QListWidget>("lb_SelectedObjectsToSearchFor")),
        QStringList({ QStringLiteral("Anna"), QStringLiteral("Carl") }));
    EXPECT_TRUE(Album().GetObjects().ItemAt(2)->IsSelected());
    // A second click on a chosen row takes it back.
    ClickRow("lb_ObjectsToSearchFor", QStringLiteral("Carl"));
    EXPECT_EQ(
        Rows(Find<QListWidget>("lb_SelectedObjectsToSearchFor")), QStringList({ QStringLiteral("Anna") }));
    EXPECT_FALSE(Album().GetObjects().ItemAt(2)->IsSelected());
    EXPECT_FALSE(session.ContentsChanged()) << "choosing is no edit";

    Find<QPushButton>("bt_ClearSelectedEvents")->click();
    EXPECT_EQ(Find<QListWidget>("lb_SelectedEventsToSearchFor")->count(), 0);
    EXPECT_TRUE(Find<QListWidget>("lb_EventsToSearchFor")->selectedItems().isEmpty());
    EXPECT_FALSE(Album().GetEvents().ItemAt(1)->IsSelected());

    // Closing the album empties the four lists.
    session.Close();
    for (const char* list : { "lb_ObjectsToSearchFor", "lb_SelectedObjectsToSearchFor",
             "lb_EventsToSearchFor", "lb_SelectedEventsToSearchFor" })
        EXPECT_EQ(Find<QListWidget>(list)->count(), 0) << list;
}

TEST_F(SearchPageTest, CriteriaBecomeTheOptionsByteAndEachButtonShowsItsOwnText)
{
    Tick("chb_YearSearch", true);
    Tick("chb_FilePath", true);
    EXPECT_EQ(page->SearchOptions(), 22);
    EXPECT_FALSE(Find<QLineEdit>("eb_YearSearch")->isReadOnly());
    EXPECT_TRUE(Find<QLineEdit>("eb_DescriptionKeyWords")->isReadOnly());
    Find<QRadioButton>("rb_ObjectsAndEvents")->setChecked(true);
    Tick("chb_Description", true);
    EXPECT_EQ(page->SearchOptions(), 29);
    EXPECT_EQ(page->AllObjects(), 0);
    Find<QRadioButton>("rb_AllObjects")->setChecked(true);
    EXPECT_EQ(page->AllObjects(), 1);

    // Typing stops at four characters.
    auto* year = Find<QLineEdit>("eb_YearSearch");
    year->setFocus();
    QTest::keyClicks(year, QStringLiteral("200456"));
    EXPECT_EQ(year->text(), QStringLiteral("2004"));

    for (const TLangType language : { LT_Default, LT_Dutch, LT_Spanish }) {
        const std::unique_ptr<TLanguageSelector> texts = CreateLanguage(language);
        page->ApplyLanguage(*texts);
        EXPECT_EQ(Find<QRadioButton>("rb_AtLeastOneObject")->text(), texts->MF[298]);
        EXPECT_EQ(Find<QRadioButton>("rb_AllObjects")->text(), texts->MF[299]);
    }
    EXPECT_TRUE(Find<QRadioButton>("rb_AtLeastOneObject")->text().contains(QStringLiteral("uno")));
}

TEST_F(SearchPageTest, TickedCriteriaNeedTextInOrderBeforeAnySearch)
{
    const QString photo = AddPhoto(QStringLiteral("a.bmp"), QStringLiteral("2004"));
    Album().GetPhotos().PhotoAt(0)->SetFound(true);
    Tick("chb_YearSearch", true);
    Type("eb_YearSearch", QStringLiteral("  "));
    Tick("chb_Description", true);
    Tick("chb_FilePath", true);
    const struct {
        int text;
        const char* fill;
        QString with;
    } steps[] = {
        { 75, "eb_YearSearch", QStringLiteral("2004") },
        { 77, "eb_DescriptionKeyWords", QStringLiteral("cake") },
        { 79, "eb_FilePathKeyWord", QStringLiteral("nowhere") },
    };
    for (const auto& step : steps) {
        dialogs.Clear();
        Find<QPushButton>("pb_SearchForPhotos")->click();
        ASSERT_EQ(dialogs.CallCount(Kind::MessageBox), 1);
        const TDialogCall* box = dialogs.LastCall(Kind::MessageBox);
        EXPECT_EQ(box->text, Language()->MF[step.text]);
        EXPECT_EQ(box->caption, Language()->MF[step.text + 1]);
        EXPECT_EQ(box->flags, 48);
        EXPECT_TRUE(Album().GetPhotos().PhotoAt(0)->GetFound()) << "no search ran";
        Type(step.fill, step.with);
    }

    // All filled: the year finds the photo and the result window lists it.
    QStringList listed;
    OnResultWindow([&listed](QDialog& window) {
        auto* list = window.findChild<QListWidget*>(QStringLiteral("lb_Photos"));
        for (int i = 0; list && i < list->count(); ++i)
            listed << list->item(i)->text();
    });
    dialogs.Clear();
    Find<QPushButton>("pb_SearchForPhotos")->click();
    EXPECT_EQ(listed, QStringList({ photo }));
    EXPECT_EQ(dialogs.CallCount(Kind::MessageBox), 0);
    EXPECT_EQ(foundAlbumsOpened, 0);

    // Nothing found.
    Type("eb_YearSearch", QStringLiteral("1999"));
    Find<QPushButton>("pb_SearchForPhotos")->click();
    const TDialogCall* none = dialogs.LastCall(Kind::MessageBox);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->text, Language()->MF[81]);
    EXPECT_EQ(none->caption, Language()->MF[82]);
}

TEST_F(SearchPageTest, ResetClearsAllButThePathCriterion)
{
    ClickRow("lb_ObjectsToSearchFor", QStringLiteral("Ben"));
    Tick("chb_YearSearch", true);
    Type("eb_YearSearch", QStringLiteral("2004"));
    Tick("chb_Description", true);
    Type("eb_DescriptionKeyWords", QStringLiteral("cake"));
    Tick("chb_FilePath", true);
    Type("eb_FilePathKeyWord", QStringLiteral("holiday"));
    Find<QRadioButton>("rb_AllObjects")->setChecked(true);
    Find<QRadioButton>("rb_ObjectsAndEvents")->setChecked(true);

    Find<QPushButton>("pb_ButtonResetSearchsettings")->click();
    EXPECT_FALSE(Find<QCheckBox>("chb_YearSearch")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>("eb_YearSearch")->text().isEmpty());
    EXPECT_TRUE(Find<QLineEdit>("eb_YearSearch")->isReadOnly());
    EXPECT_FALSE(Find<QCheckBox>("chb_Description")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>("eb_DescriptionKeyWords")->text().isEmpty());
    EXPECT_TRUE(Find<QCheckBox>("chb_FilePath")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("eb_FilePathKeyWord")->text(), QStringLiteral("holiday"));
    EXPECT_FALSE(Find<QLineEdit>("eb_FilePathKeyWord")->isReadOnly());
    EXPECT_TRUE(Find<QRadioButton>("rb_AtLeastOneObject")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("rb_ObjectsOrEvents")->isChecked());
    EXPECT_EQ(page->SearchOptions(), 18);
    for (const char* list : { "lb_ObjectsToSearchFor", "lb_EventsToSearchFor" })
        EXPECT_TRUE(Find<QListWidget>(list)->selectedItems().isEmpty()) << list;
    EXPECT_EQ(Find<QListWidget>("lb_SelectedObjectsToSearchFor")->count(), 0);
    EXPECT_EQ(Find<QListWidget>("lb_SelectedEventsToSearchFor")->count(), 0);
    EXPECT_FALSE(Album().GetObjects().ItemAt(0)->IsSelected());
    EXPECT_FALSE(Album().GetEvents().ItemAt(1)->IsSelected());

    // A row clicked after the reset is chosen again, not taken back.
    ClickRow("lb_ObjectsToSearchFor", QStringLiteral("Ben"));
    EXPECT_EQ(
        Rows(Find<QListWidget>("lb_SelectedObjectsToSearchFor")), QStringList({ QStringLiteral("Ben") }));
}
