// SPDX-License-Identifier: GPL-2.0-or-later
// Makes a framed web site the way a user does: the real main window, offscreen,
// clicked through the HTML tab (album chosen in step 1, thumbnails and the
// output folder in step 2, Generate), for the browser test.
//
//   html_tab_site_maker <work folder>
//
// The site is written to <work folder>/site; the exit code is 0 when the site
// reached the list of generated sites, whose first line is printed.
#include "app/main/Tfm_MainForm.h"
#include "common/ScriptedDialogService.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "imaging/JpegCodec.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/AppFolders.h"
#include "widgets/FolderTree.h"
#include "widgets/PageControl.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

template <class T> T* Control(QWidget* root, const char* name)
{
    T* control = root->findChild<T*>(QLatin1String(name));
    if (!control) {
        std::fprintf(stderr, "the window has no control %s\n", name);
        std::exit(2);
    }
    return control;
}

bool MakeAlbum(const QString& work)
{
    TAlbum album(work + QStringLiteral("albums/Holiday.tvx"));
    const QColor colours[3] = { QColor(200, 40, 40), QColor(40, 200, 40), QColor(40, 40, 200) };
    for (int k = 1; k <= 3; ++k) {
        const QString file = work + QStringLiteral("photos/holiday-%1.jpg").arg(k);
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(colours[k - 1]);
        if (!SaveJpegFile(picture, file, 80))
            return false;
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(album.GetPhotos().TakeNextId());
        photo->SetName(file);
        album.GetPhotos().Add(std::move(photo));
    }
    return album.SaveToFile();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: html_tab_site_maker <work folder>\n");
        return 2;
    }
    const QString work = QDir(args.at(1)).absolutePath() + u'/';
    for (const char* folder : { "bin", "albums", "photos", "site", "xdg/data", "xdg/config" })
        QDir().mkpath(work + QString::fromLatin1(folder));
    AppFolders::SetProgramFolderForTesting(work + QStringLiteral("bin"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("xdg/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work + QStringLiteral("xdg/config")));
    {
        QFile settings(work + QStringLiteral("bin/tavrimolex.Ini"));
        if (!settings.open(QIODevice::WriteOnly))
            return 2;
        settings.write("[Languange]\r\nSelected=1\r\nLanguageID=0\r\n");
    }
    if (!MakeAlbum(work))
        return 2;

    // Go ahead with the export; do not open a browser afterwards.
    TScriptedDialogService dialogs;
    dialogs.QueueMessageResult(6);
    dialogs.QueueMessageResult(7);

    int result = 1;
    {
        Tfm_MainForm form;
        Tfm_SelectdirectoryWindow folderWindow(&form);
        SetSelectdirectoryWindow(&folderWindow);

        form.pc_Album()->setCurrentWidget(Control<QWidget>(&form, "ts_HTML"));
        Control<TFolderTree>(&form, "stvFoldersForHTML")->SetFolder(work + QStringLiteral("albums"));
        Control<QListWidget>(&form, "lsbAlbumsForHTML")->setCurrentRow(0);
        Control<QPushButton>(&form, "bt_AddHTMLAlbums")->click();
        auto* steps = Control<QTabWidget>(&form, "pc_HTMLSTEPS");
        steps->setCurrentWidget(Control<QWidget>(&form, "ts_HTMLStep2"));
        Control<QRadioButton>(&form, "rdbNavigateByImageAndThumbnails")->click();

        // The folder window: pick the site folder and press OK as soon as it shows.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, &folderWindow, [&] {
            if (folderWindow.isVisible()) {
                folderWindow.SetFolder(work + QStringLiteral("site"));
                Control<QPushButton>(&folderWindow, "bt_Ok")->click();
            }
        });
        answer.start(10);
        Control<QPushButton>(&form, "bt_SelectDirectory")->click();
        answer.stop();

        Control<QPushButton>(&form, "btnHTMLGenerate")->click();
        auto* sites = Control<QListWidget>(&form, "lsbPreviousGeneratedPhotoViewers");
        if (sites->count() > 0) {
            QTextStream(stdout) << sites->item(0)->text() << Qt::endl;
            result = 0;
        } else {
            for (const TDialogCall& call : dialogs.Calls())
                std::fprintf(stderr, "%s\n", qPrintable(call.text));
        }
        SetSelectdirectoryWindow(nullptr);
    }
    ShutdownLanguage();
    return result;
}
