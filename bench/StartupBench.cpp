// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up and album opening through the program's own main window.
//
//   tavri_startup_bench generate <album.tvx> <photos>   album of that many photos (files made empty)
//   tavri_startup_bench read <album>                    the album file read, no window
//   tavri_startup_bench bare <program folder>           a plain Qt main window, shown, until idle
//   tavri_startup_bench start <program folder>          the main window without album, until idle
//   tavri_startup_bench open <program folder> <album>   the same, then the album opened, until idle
//   tavri_startup_bench settings-file <file> <keys> sites|junk
//                                                       a settings file of that many keys: a list of
//                                                       generated sites, or one section of keys the
//                                                       program never reads
//   tavri_startup_bench settings <file>                 that file read, its site list looked up key by
//                                                       key and written back as the window does
//
// Each run prints the milliseconds from entering main() to the idle window;
// "open" also prints the opening alone. The program folder holds the
// settings file (the language already chosen) and the help file.
#include "app/main/Tfm_MainForm.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "model/Photo.h"
#include "platform/AppFolders.h"
#include "platform/IniFile.h"

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

int WriteSettingsFile(const QString& fileName, int keys, bool sites)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    QByteArray text = "[Languange]\r\nSelected=1\r\nLanguageID=0\r\n\r\n";
    if (sites) {
        text += "[Html]\r\nAmount=" + QByteArray::number(keys) + "\r\n";
        for (int i = 1; i <= keys; ++i)
            text += "LastGeneratedFile" + QByteArray::number(i) + "=/home/user/Sites/holiday-"
                + QByteArray::number(i) + "/index.htm\r\n";
    } else {
        // What a damaged file may hold: keys of every case, some of them twice.
        text += "[Damaged]\r\n";
        for (int i = 1; i <= keys; ++i)
            text += (i % 3 ? "Key" : "kEY") + QByteArray::number(i % 7 ? i : i - 1) + "=some value\r\n";
    }
    return file.write(text) == text.size() ? 0 : 1;
}

// The settings file read, the site list read back key by key, and the list
// written again (section erased, every line written in one update).
int TimeSettings(const QString& fileName)
{
    QElapsedTimer timer;
    timer.start();
    IniFile ini(fileName);
    const double read = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    const QString section = QStringLiteral("Html");
    const int amount = ini.ReadInteger(section, QStringLiteral("Amount"), 0);
    QStringList lines;
    for (int n = 1; n <= amount; ++n)
        lines << ini.ReadString(section, QStringLiteral("LastGeneratedFile") + QString::number(n), QString());
    const double lookup = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    ini.BeginUpdate();
    ini.EraseSection(section);
    ini.WriteInteger(section, QStringLiteral("Amount"), int(lines.size()));
    for (qsizetype n = 1; n <= lines.size(); ++n)
        ini.WriteString(section, QStringLiteral("LastGeneratedFile") + QString::number(n), lines.at(n - 1));
    ini.EndUpdate();
    const double write = double(timer.nsecsElapsed()) / 1e6;
    std::printf("settings read %.1f ms, lookup %.1f ms, write %.1f ms\n", read, lookup, write);
    return ini.LastError().isEmpty() ? 0 : 1;
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
        std::fprintf(stderr, "usage: %s generate|read|bare|start|open|settings-file|settings ...\n", argv[0]);
        return 2;
    }
    const QByteArray mode = argv[1];
    QApplication app(argc, argv);
    if (mode == "generate")
        return argc > 3 ? Generate(QString::fromLocal8Bit(argv[2]), atoi(argv[3])) : 2;

    if (mode == "settings-file")
        return argc > 4 ? WriteSettingsFile(
                   QString::fromLocal8Bit(argv[2]), atoi(argv[3]), QByteArray(argv[4]) == "sites")
                        : 2;
    if (mode == "settings")
        return TimeSettings(QString::fromLocal8Bit(argv[2]));

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
    // The album's progress window would stay up a moment to be read, with
    // nothing running meanwhile: no work, so not measured.
    Tfm_StatusWindow::SetHideDelay(0);
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
