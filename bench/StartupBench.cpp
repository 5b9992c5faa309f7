// Start-up and album opening through the program's own main window.
//
//   tavri_startup_bench generate <album.tvx> <photos>   album of that many photos (files made empty)
//   tavri_startup_bench read <album>                    the album file read, no window
//   tavri_startup_bench bare <program folder>           a plain Qt main window, shown, until idle
//   tavri_startup_bench start <program folder>          the main window without album, until idle
//   tavri_startup_bench open <program folder> <album>   the same, then the album opened, until idle
//
// Each run prints the milliseconds from entering main() to the idle window;
// "open" also prints the opening alone. The program folder holds the
// settings file (the language already chosen) and the help file.
#include "app/main/Tfm_MainForm.h"
#include "common/ScriptedDialogService.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/Photo.h"
#include "platform/AppFolders.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

int Generate(const QString& fileName, int count)
{
    const QString folder = QFileInfo(fileName).absolutePath() + QStringLiteral("/photos");
    QDir().mkpath(folder);
    TAlbum album(fileName);
    album.GetObjects().AddName(QStringLiteral("Tree"));
    album.GetEvents().AddName(QStringLiteral("Holiday"));
    for (int i = 0; i < count; ++i) {
        const QString photo = folder + QStringLiteral("/IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
        QFile file(photo);
        if (!file.exists() && !file.open(QIODevice::WriteOnly))
            return 1;
        auto record = std::make_unique<TPhoto>();
        record->SetId(album.GetPhotos().TakeNextId());
        record->SetName(photo);
        record->SetDescription(QStringLiteral("Photo number %1 of the holiday").arg(i));
        record->SetYear(QStringLiteral("2004"));
        album.GetPhotos().Add(std::move(record));
    }
    album.SaveToFile();
    return 0;
}

// Runs the event loop until it has nothing left to do, then reports.
void ReportWhenIdle(const QElapsedTimer& sinceMain, const char* label)
{
    QTimer::singleShot(0, [&sinceMain, label] {
        std::printf("%s %.1f ms\n", label, double(sinceMain.nsecsElapsed()) / 1e6);
        QCoreApplication::quit();
    });
    QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s generate|bare|start|open ...\n", argv[0]);
        return 2;
    }
    const QByteArray mode = argv[1];
    QApplication app(argc, argv);
    if (mode == "generate")
        return argc > 3 ? Generate(QString::fromLocal8Bit(argv[2]), atoi(argv[3])) : 2;

    if (mode == "read") {
        // The album file alone: reading and relocating, no window.
        std::unique_ptr<TAlbum> album = TAlbum::CreateFromFile(QString::fromLocal8Bit(argv[2]), nullptr);
        std::printf("read %.1f ms (%d photos)\n", double(sinceMain.nsecsElapsed()) / 1e6,
            album ? album->GetPhotos().Count() : -1);
        return album ? 0 : 1;
    }

    if (mode == "bare") {
        QMainWindow window;
        window.resize(800, 600);
        window.show();
        ReportWhenIdle(sinceMain, "idle");
        return 0;
    }

    AppFolders::SetProgramFolderForTesting(QString::fromLocal8Bit(argv[2]));
    TScriptedDialogService dialogs;
    int result = 0;
    {
        Tfm_MainForm form;
        ReportWhenIdle(sinceMain, "idle");
        if (mode == "open" && argc > 3) {
            QElapsedTimer opening;
            opening.start();
            if (!form.OpenAlbum(QString::fromLocal8Bit(argv[3])))
                result = 1;
            QTimer::singleShot(0, [&opening] {
                std::printf("open %.1f ms\n", double(opening.nsecsElapsed()) / 1e6);
                QCoreApplication::quit();
            });
            QApplication::exec();
        }
    }
    ShutdownLanguage();
    return result;
}
