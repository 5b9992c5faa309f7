// SPDX-License-Identifier: GPL-2.0-or-later
// The program's entry: checks the two image libraries, creates the main window
// and the folder window, and runs the event loop.
#include "QuitWhenShown.h"
#include "app/main/ApplicationNames.h"
#include "app/main/QtTranslations.h"
#include "app/main/Tfm_MainForm.h"
#include "common/DialogService.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "imaging/FreeImageBinding.h"
#include "language/LanguageSelector.h"
#include "model/UserMessage.h"
#include "platform/AppFolders.h"
#include "platform/TextUtil.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// The start-up check: true when the library is there; otherwise the user is told.
bool LibraryPresent(bool present, const QString& fileName)
{
    if (present)
        return true;
    const TLanguageSelector& t = *Language();
    ShowMessageBox(Text::Format(t.GI[0], { fileName }) + QStringLiteral("\r\r") + t.GI[1], t.GI[2],
        MessageBoxFlags::IconWarning);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SetApplicationNames();
    InstallQtTranslations();

    // The language record and the album model show no windows themselves: their
    // plain notes reach the user through the dialog service.
    SetLanguageMessageHandler([](const QString& text) { ShowMessage(text); });
    SetUserMessageHandler([](const QString& text) { ShowMessage(text); });

    const Tfm_MainForm* mainWindow = nullptr;
    QuitWhenShownIfAsked([&mainWindow] { return mainWindow && mainWindow->isVisible(); });

    // The image libraries load before any window, as the start-up check expects.
    // The stand-in is named where it belongs, beside the executable in the build
    // folder or in the installed tree's private folder.
    LoadFreeImageLibrary();
    const QString nviewlib = AppFolders::BesideProgram(QStringLiteral("libNViewLib.so"));
    if (!LibraryPresent(QFileInfo::exists(nviewlib), nviewlib)
        || !LibraryPresent(FreeImageDone(), FreeImageLibraryName())) {
        ShutdownLanguage();
        return 1;
    }

    int result = 0;
    {
        Tfm_MainForm mainForm(QApplication::arguments().mid(1));
        Tfm_SelectdirectoryWindow folderWindow(&mainForm);
        SetSelectdirectoryWindow(&folderWindow);
        mainWindow = &mainForm;
        result = QApplication::exec();
        mainWindow = nullptr;
        SetSelectdirectoryWindow(nullptr);
    }
    SetUserMessageHandler({});
    SetLanguageMessageHandler({});
    ShutdownLanguage();
    UnloadFreeImageLibrary();
    return result;
}
