// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Every message box, input box, file, folder and colour dialog and every shell
// open goes through one replaceable service. The default shows Qt dialogs;
// tests install a TScriptedDialogService that answers from a script.
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Message-box style bits: a button set plus an icon, e.g. 52 = Yes/No with
// the warning icon.
namespace MessageBoxFlags {
constexpr int Ok = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int ButtonMask = 0x0F;

constexpr int IconError = 16;
constexpr int IconQuestion = 32;
constexpr int IconWarning = 48;
constexpr int IconInformation = 64;
constexpr int IconMask = 0xF0;
} // namespace MessageBoxFlags

// The button a message box or message dialog was closed with.
namespace MessageResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MessageResult

enum class TMessageIcon { None, Error, Question, Warning, Information };

// What a message box with given flags shows: its buttons (as the results they
// give, left to right; the first is the default) and its icon.
struct TMessageBoxLayout {
    std::vector<int> Buttons;
    TMessageIcon Icon = TMessageIcon::None;
    // The answer when the box is closed without a button: Cancel when there
    // is one, else No, else OK.
    int EscapeResult = MessageResult::Ok;
};
TMessageBoxLayout MessageBoxLayout(int flags);

// Buttons of the message dialog with the information icon.
enum class TDialogButtons { Ok, YesNo };
// The message-box flags that give the same dialog.
int MessageDlgFlags(TDialogButtons buttons);

struct TFileDialogOptions {
    QString Title;
    // Pairs of description and patterns, "Tavrimolex albums (*.tvx)|*.tvx|All files|*".
    QString Filter;
    int FilterIndex = 1;
    // Added to a typed name without extension; without the dot.
    QString DefaultExt;
    QString InitialDir;
    QString FileName;
    // Open: the file must exist. Save: ask before overwriting an existing file.
    bool FileMustExist = true;
    bool OverwritePrompt = true;
    bool MultiSelect = false;
};

class TDialogService {
public:
    virtual ~TDialogService() = default;

    // A modal message box; flags as in MessageBoxFlags, the result as in MessageResult.
    virtual int MessageBox(const QString& text, const QString& caption, int flags) = 0;
    // A plain message window with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // A message dialog with the information icon and OK, or Yes and No.
    virtual int MessageDlg(const QString& text, TDialogButtons buttons) = 0;
    // A one-line input box; false when cancelled (value then stays as it was).
    virtual bool InputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    // The chosen files; empty when cancelled.
    virtual QStringList OpenFileDialog(const TFileDialogOptions& options) = 0;
    // The chosen file; empty when cancelled.
    virtual QString SaveFileDialog(const TFileDialogOptions& options) = 0;
    // The chosen folder (new folders may be made in the dialog); empty when cancelled.
    virtual QString SelectFolder(const QString& caption, const QString& startFolder) = 0;
    virtual std::optional<QColor> SelectColor(const QColor& initial) = 0;
    // Opens a file or folder with the program the desktop associates with it;
    // false when that failed.
    virtual bool ShellOpen(const QString& path) = 0;
};

// The service in force.
TDialogService& Dialogs();
// Installs a service (tests); nullptr restores the Qt dialogs. The service is
// borrowed and must outlive its use. Returns the service installed before
// (nullptr for the Qt dialogs).
TDialogService* SetDialogService(TDialogService* service);

// Shortcuts through the service in force.
int ShowMessageBox(const QString& text, const QString& caption, int flags);
void ShowMessage(const QString& text);
int MessageDlg(const QString& text, TDialogButtons buttons);
