// SPDX-License-Identifier: GPL-2.0-or-later
// What a user waits for on a large album, through the program's own main
// window on the offscreen platform. Run by scale-bench.sh at two album sizes.
//
//   tavri_scale_bench generate <folder> <photos>    photos, two albums, a thumbnail cache
//   tavri_scale_bench bare <program folder>          a plain Qt window with seven tabs, until painted and
//   idle tavri_scale_bench start <program folder> [album] the main window, until painted and idle
//   tavri_scale_bench actions <program folder> <folder>
//
// "generate" makes <folder>/photos/dNNN/IMG_nnnnnn.jpg (one tiny JPEG, linked
// under every name, 1,000 to a folder), plain.tvx without thumbnails and
// cached.tvx with a thumbnail cache made by the program itself. "actions"
// prints one line per figure: "<key> <value>". The offscreen platform paints
// nothing by itself, so a window counts as painted once it was rendered
// (grab), as the first paint would render it.
#include "app/main/Tfm_MainForm.h"
#include "app/photos/AlbumPhotoList.h"
#include "app/photos/AlbumPhotoRenamer.h"
#include "app/photos/PhotosPage.h"
#include "app/search/SearchPage.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/SearchEngine.h"
#include "platform/AppFolders.h"
#include "ui_TabPhotos.h"
#include "viewers/Tfm_ThumbNailWindow.h"
#include "widgets/PageControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

constexpr int PhotosPerFolder = 1000;
// A word in about a third of the descriptions: the description search finds 32,000 of 100,000.
const QString SearchWord = QStringLiteral("beach");

QString PhotoPath(const QString& folder, int i)
{
    return QStringLiteral("%1/photos/d%2/IMG_%3.jpg")
        .arg(folder)
        .arg(i / PhotosPerFolder, 3, 10, QLatin1Char('0'))
        .arg(i, 6, 10, QLatin1Char('0'));
}

int Generate(const QString& folder, int count)
{
    QDir().mkpath(folder);
    const QString original = folder + QStringLiteral("/tiny.jpg");
    QImage picture(16, 12, QImage::Format_RGB32);
    picture.fill(QColor(90, 160, 40));
    if (!SaveJpegFile(picture, original, 90))
        return 1;

    TAlbum plain(folder + QStringLiteral("/plain.tvx"));
    const char* objects[] = { "Tree", "House", "Dog", "Boat", "Mountain", "Car", "Bridge", "Church" };
    const char* events[] = { "Holiday", "Wedding", "Birthday", "Trip" };
    for (const char* name : objects)
        plain.GetObjects().AddName(QString::fromLatin1(name));
    for (const char* name : events)
        plain.GetEvents().AddName(QString::fromLatin1(name));
    for (int i = 0; i < count; ++i) {
        const QString path = PhotoPath(folder, i);
        if (i % PhotosPerFolder == 0)
            QDir().mkpath(QFileInfo(path).absolutePath());
        if (::link(QFile::encodeName(original).constData(), QFile::encodeName(path).constData()) != 0
            && !QFile::copy(original, path))
            return 1;
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(plain.GetPhotos().TakeNextId());
        photo->SetName(path);
        QString description = QStringLiteral("Photo number %1 of the holiday").arg(i);
        if (i % 25 < 8)
            description += u' ' + SearchWord;
        photo->SetDescription(description);
        photo->SetYear(QString::number(1990 + i % 20));
        photo->SetEventId(i % 5 < 4 ? i % 4 : -1);
        photo->GetObjectIds().Add(i % 8);
        if (i % 3 == 0)
            photo->GetObjectIds().Add((i / 3) % 8);
        plain.GetPhotos().Add(std::move(photo));
    }
    plain.SaveToFile();

    // The same photos with a cache of tiny thumbnails, made as the program makes them.
    QFile::copy(plain.GetFileName(), folder + QStringLiteral("/cached.tvx"));
    std::unique_ptr<TAlbum> cached = TAlbum::CreateFromFile(folder + QStringLiteral("/cached.tvx"), nullptr);
    if (!cached || !cached->CreateThumbnails(nullptr))
        return 1;
    cached->SaveToFile();
    return 0;
}

double Ms(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Lets every event that is waiting run, including those the first round posts.
void Idle()
{
    for (int round = 0; round < 2; ++round) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// The time from the action to the window painted and idle.
double Timed(const std::function<void()>& action, QWidget* painted)
{
    QElapsedTimer timer;
    timer.start();
    action();
    Idle();
    if (painted && painted->isVisible())
        (void)painted->grab();
    return Ms(timer);
}

double ResidentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void Print(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

template <class T> T* Find(QWidget* root, const char* name)
{
    T* widget = root->findChild<T*>(QString::fromLatin1(name));
    if (!widget) {
        std::fprintf(stderr, "no control %s\n", name);
        std::exit(3);
    }
    return widget;
}

// Clicks a row of the list as a user does: scrolled into view, then the mouse.
void ClickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
}

// The best of rounds of an action that leaves things as they were.
double Best(int rounds, const std::function<double()>& once)
{
    double best = -1;
    for (int r = 0; r < rounds; ++r) {
        const double t = once();
        if (best < 0 || t < best)
            best = t;
    }
    return best;
}

// A result window that the search opens modally: rendered, then closed.
double SearchToPaintedResult(Tfm_MainForm& form, int* rows)
{
    QElapsedTimer timer;
    double painted = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QStringLiteral("FormPhotoList") && widget->isVisible()) {
                watch.stop();
                (void)widget->grab();
                painted = Ms(timer);
                *rows = Find<QListWidget>(widget, "lb_Photos")->count();
                static_cast<QDialog*>(widget)->reject();
            }
        }
    });
    watch.start(0);
    timer.start();
    QTest::mouseClick(Find<QPushButton>(&form, "pb_SearchForPhotos"), Qt::LeftButton);
    watch.stop();
    Idle();
    return painted;
}

int Actions(const QString& program, const QString& folder)
{
    AppFolders::SetProgramFolderForTesting(program);
    // A short operation's progress window stays up a moment longer to be
    // read, and nothing runs meanwhile: that pause is no work, and would hide
    // the work measured here.
    Tfm_StatusWindow::SetHideDelay(0);
    TScriptedDialogService dialogs;
    Tfm_MainForm form;
    Idle();
    Ui::TabPhotos& p = form.PhotosPage()->Form();
    QListWidget* list = p.lb_PhotosInAlbum;
    const double baseline = ResidentMiB();

    // Opening, without and with a thumbnail cache; the memory of a closed album.
    const QString plain = folder + QStringLiteral("/plain.tvx");
    const QString cached = folder + QStringLiteral("/cached.tvx");
    Print("open_plain_ms", Timed([&] { form.OpenAlbum(plain); }, &form));
    const double opened = ResidentMiB();
    form.CloseCurrentAlbum();
    Idle();
    const double closed = ResidentMiB();
    Print("album_memory_mib", opened - baseline);
    Print("memory_kept_after_close_mib", closed - baseline);
    Print("open_cached_ms", Timed([&] { form.OpenAlbum(cached); }, &form));
    const int count = form.Album()->GetPhotos().Count();

    // Entering the Thumbnails page, and Show thumbnails to the first paint.
    Tfm_ThumbNailWindow* thumbnails = nullptr;
    const auto thumbnailWindow = [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<Tfm_ThumbNailWindow*>(widget); window && window->isVisible())
                return window;
        return static_cast<Tfm_ThumbNailWindow*>(nullptr);
    };
    form.GoToAlbumPhotos();
    Idle();
    // The first Show thumbnails after opening, which meets the index unread:
    // until the click returns, until the first page is painted, and until
    // nothing waits any more.
    p.pc_Photos->setCurrentWidget(p.ts_ThumbNails);
    Idle();
    {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(p.pb_ShowThumbNails, Qt::LeftButton);
        Print("first_show_thumbnails_click_ms", Ms(timer));
        if (Tfm_ThumbNailWindow* window = thumbnailWindow())
            (void)window->GridView()->viewport()->grab();
        Print("first_show_thumbnails_painted_ms", Ms(timer));
        Idle();
        Print("first_show_thumbnails_idle_ms", Ms(timer));
    }
    Print("enter_thumbnails_page_ms", Best(5, [&] {
        p.pc_Photos->setCurrentWidget(p.ts_PhotosInAlbum);
        Idle();
        return Timed([&] { p.pc_Photos->setCurrentWidget(p.ts_ThumbNails); }, &form);
    }));
    const auto showThumbnails = [&] {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(p.pb_ShowThumbNails, Qt::LeftButton);
        Idle();
        thumbnails = thumbnailWindow();
        if (thumbnails)
            (void)thumbnails->GridView()->viewport()->grab();
        return Ms(timer);
    };
    Print("show_thumbnails_ms", Best(5, [&] {
        p.pc_Photos->setCurrentWidget(p.ts_PhotosInAlbum);
        Idle();
        p.pc_Photos->setCurrentWidget(p.ts_ThumbNails);
        Idle();
        return showThumbnails();
    }));
    Print("thumbnails_painted", thumbnails ? thumbnails->DecodedThumbnails() : 0);

    // One description edited (a key typed), then Show thumbnails.
    const auto editDescription = [&](int row) {
        p.pc_Photos->setCurrentWidget(p.ts_PhotosInAlbum);
        Idle();
        ClickRow(list, row);
        Idle();
        p.mm_PhotoDescription->setFocus();
        p.mm_PhotoDescription->moveCursor(QTextCursor::End);
        return Timed([&] { QTest::keyClick(p.mm_PhotoDescription, Qt::Key_X); }, &form);
    };
    Print("edit_description_ms", editDescription(count / 2));
    p.pc_Photos->setCurrentWidget(p.ts_ThumbNails);
    Idle();
    Print("edit_then_show_thumbnails_ms", showThumbnails());
    form.SetContentsChanged(false);

    // Up and Down in the album list: near its top and near its end.
    const auto keys = [&](int row) {
        p.pc_Photos->setCurrentWidget(p.ts_PhotosInAlbum);
        Idle();
        ClickRow(list, row);
        Idle();
        double total = 0;
        constexpr int presses = 10;
        for (int k = 0; k < presses; ++k)
            total += Timed([&] { QTest::keyClick(list, k % 2 ? Qt::Key_Up : Qt::Key_Down); }, &form);
        return total / presses;
    };
    Print("key_near_top_ms", keys(10));
    Print("key_near_end_ms", keys(count - 10));

    // Searches: the engine alone by a description word, and one finding every photo to its painted window.
    QStringList results;
    Print("description_search_ms", Best(9, [&] {
        results.clear();
        QElapsedTimer timer;
        timer.start();
        form.SearchPage()->Engine().Search(*form.Album(), {}, {}, QString(), SearchWord, QString(), 0,
            TSearchEngine::OptOr | TSearchEngine::OptDescription, results);
        return Ms(timer);
    }));
    Print("description_search_hits", double(results.size()));
    form.pc_Album()->setCurrentWidget(form.SearchPage());
    Idle();
    QTest::mouseClick(Find<QCheckBox>(&form, "chb_FilePath"), Qt::LeftButton);
    Find<QLineEdit>(&form, "eb_FilePathKeyWord")->setText(QStringLiteral("img_"));
    int rows = 0;
    Print("search_all_to_painted_result_ms", Best(3, [&] { return SearchToPaintedResult(form, &rows); }));
    Print("search_all_rows", rows);

    // Batch rename of 1,000 photos spread over the album.
    form.GoToAlbumPhotos();
    Idle();
    list->clearSelection();
    const int renamed = std::min(1000, count);
    for (int k = 0; k < renamed; ++k)
        list->item(int(qint64(k) * count / renamed))->setSelected(true);
    Idle();
    size_t done = 0;
    Print("rename_1000_ms",
        Timed(
            [&] {
                done = form.PhotosPage()
                           ->PhotoRenamer()
                           ->RenameSelected(QStringLiteral("Renamed"), QStringLiteral("1"), 0)
                           .size();
            },
            &form));
    Print("renamed", double(done));

    const double beforeClose = ResidentMiB();
    form.CloseCurrentAlbum();
    Idle();
    Print("memory_given_back_mib", beforeClose - ResidentMiB());
    return 0;
}

// Until the main window (or the plain one) has been rendered and nothing waits.
void ReportPaintedAndIdle(const QElapsedTimer& sinceMain, QWidget& window, const char* label)
{
    Idle();
    (void)window.grab();
    Idle();
    Print(label, Ms(sinceMain));
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s generate|bare|start|actions ...\n", argv[0]);
        return 2;
    }
    const QByteArray mode = argv[1];
    QApplication app(argc, argv);
    const QString first = QString::fromLocal8Bit(argv[2]);
    if (mode == "generate")
        return argc > 3 ? Generate(first, atoi(argv[3])) : 2;
    if (mode == "bare") {
        QMainWindow window;
        auto* tabs = new QTabWidget(&window);
        for (int i = 0; i < 7; ++i)
            tabs->addTab(new QWidget, QStringLiteral("Tab %1").arg(i + 1));
        window.setCentralWidget(tabs);
        window.resize(800, 600);
        window.show();
        ReportPaintedAndIdle(sinceMain, window, "idle_ms");
        return 0;
    }
    int result = 0;
    if (mode == "start") {
        AppFolders::SetProgramFolderForTesting(first);
        // The album's progress window would stay up a moment to be read,
        // with nothing running meanwhile: no work, so not measured.
        Tfm_StatusWindow::SetHideDelay(0);
        TScriptedDialogService dialogs;
        QStringList arguments;
        if (argc > 3)
            arguments << QString::fromLocal8Bit(argv[3]);
        Tfm_MainForm form(arguments);
        ReportPaintedAndIdle(sinceMain, form, "idle_ms");
        if (argc > 3 && !form.Album())
            result = 1;
    } else if (mode == "actions" && argc > 3) {
        result = Actions(first, QString::fromLocal8Bit(argv[3]));
    } else {
        result = 2;
    }
    ShutdownLanguage();
    return result;
}
