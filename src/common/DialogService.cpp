// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/DialogService.h"

#include "common/OnTopWindowsLowered.h"
#include "language/LanguageSelector.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

QMessageBox::StandardButton ToStandardButton(int result)
{
    switch (result) {
    case MessageResult::Ok:
        return QMessageBox::Ok;
    case MessageResult::Cancel:
        return QMessageBox::Cancel;
    case MessageResult::Abort:
        return QMessageBox::Abort;
    case MessageResult::Retry:
        return QMessageBox::Retry;
    case MessageResult::Ignore:
        return QMessageBox::Ignore;
    case MessageResult::Yes:
        return QMessageBox::Yes;
    case MessageResult::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon ToQtIcon(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Error:
        return QMessageBox::Critical;
    case TMessageIcon::Question:
        return QMessageBox::Question;
    case TMessageIcon::Warning:
        return QMessageBox::Warning;
    case TMessageIcon::Information:
        return QMessageBox::Information;
    case TMessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// "Albums (*.tvx)|*.tvx|All|*" -> "Albums (*.tvx);;All (*)": Qt reads the
// patterns from the last parentheses of each entry.
QStringList QtNameFilters(const QString& filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        description.remove(trailingPatterns);
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        result.append(description + QStringLiteral(" (") + patterns.simplified() + u')');
    }
    return result;
}

void PrepareFileDialog(QFileDialog& dialog, const TFileDialogOptions& options)
{
    dialog.setWindowTitle(options.Title);
    const QStringList filters = QtNameFilters(options.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(qBound(0, options.FilterIndex - 1, int(filters.size()) - 1)));
    }
    dialog.setDefaultSuffix(options.DefaultExt);
    if (!options.InitialDir.isEmpty())
        dialog.setDirectory(options.InitialDir);
    if (!options.FileName.isEmpty())
        dialog.selectFile(options.FileName);
}

class TQtDialogService : public TDialogService {
public:
    int MessageBox(const QString& text, const QString& caption, int flags) override
    {
        const TOnTopWindowsLowered lowered;
        const TMessageBoxLayout layout = MessageBoxLayout(flags);
        QMessageBox box(
            ToQtIcon(layout.Icon), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
        for (int result : layout.Buttons)
            box.addButton(ToStandardButton(result));
        box.setDefaultButton(ToStandardButton(layout.Buttons.front()));
        box.setEscapeButton(box.button(ToStandardButton(layout.EscapeResult)));
        box.exec();
        for (int result : layout.Buttons)
            if (box.clickedButton() == box.button(ToStandardButton(result)))
                return result;
        return layout.EscapeResult;
    }

    void ShowMessage(const QString& text) override
    {
        const TOnTopWindowsLowered lowered;
        QMessageBox box(
            QMessageBox::NoIcon, Language()->Title, text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }

    int MessageDlg(const QString& text, TDialogButtons buttons) override
    {
        return MessageBox(text, Language()->Title, MessageDlgFlags(buttons));
    }

    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override
    {
        const TOnTopWindowsLowered lowered;
        bool ok = false;
        const QString text = QInputDialog::getText(
            QApplication::activeWindow(), caption, prompt, QLineEdit::Normal, value, &ok);
        if (ok)
            value = text;
        return ok;
    }

    QStringList OpenFileDialog(const TFileDialogOptions& options) override
    {
        const TOnTopWindowsLowered lowered;
        QFileDialog dialog(QApplication::activeWindow());
        PrepareFileDialog(dialog, options);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (options.MultiSelect)
            dialog.setFileMode(QFileDialog::ExistingFiles);
        else
            dialog.setFileMode(options.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }

    QString SaveFileDialog(const TFileDialogOptions& options) override
    {
        const TOnTopWindowsLowered lowered;
        QFileDialog dialog(QApplication::activeWindow());
        PrepareFileDialog(dialog, options);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.OverwritePrompt);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    QString SelectFolder(const QString& caption, const QString& startFolder) override
    {
        const TOnTopWindowsLowered lowered;
        return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, startFolder);
    }

    std::optional<QColor> SelectColor(const QColor& initial) override
    {
        const TOnTopWindowsLowered lowered;
        const QColor color = QColorDialog::getColor(initial, QApplication::activeWindow());
        if (!color.isValid())
            return std::nullopt;
        return color;
    }

    bool ShellOpen(const QString& path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

TDialogService* g_service = nullptr;

} // namespace

TMessageBoxLayout MessageBoxLayout(int flags)
{
    using namespace MessageResult;
    TMessageBoxLayout layout;
    switch (flags & MessageBoxFlags::ButtonMask) {
    case MessageBoxFlags::OkCancel:
        layout.Buttons = { Ok, Cancel };
        break;
    case MessageBoxFlags::AbortRetryIgnore:
        layout.Buttons = { Abort, Retry, Ignore };
        break;
    case MessageBoxFlags::YesNoCancel:
        layout.Buttons = { Yes, No, Cancel };
        break;
    case MessageBoxFlags::YesNo:
        layout.Buttons = { Yes, No };
        break;
    case MessageBoxFlags::RetryCancel:
        layout.Buttons = { Retry, Cancel };
        break;
    default:
        layout.Buttons = { Ok };
        break;
    }
    switch (flags & MessageBoxFlags::IconMask) {
    case MessageBoxFlags::IconError:
        layout.Icon = TMessageIcon::Error;
        break;
    case MessageBoxFlags::IconQuestion:
        layout.Icon = TMessageIcon::Question;
        break;
    case MessageBoxFlags::IconWarning:
        layout.Icon = TMessageIcon::Warning;
        break;
    case MessageBoxFlags::IconInformation:
        layout.Icon = TMessageIcon::Information;
        break;
    default:
        layout.Icon = TMessageIcon::None;
        break;
    }
    const auto has = [&](int result) {
        return std::find(layout.Buttons.begin(), layout.Buttons.end(), result) != layout.Buttons.end();
    };
    layout.EscapeResult = has(Cancel) ? Cancel : has(No) ? No : has(Ignore) ? Ignore : Ok;
    return layout;
}

int MessageDlgFlags(TDialogButtons buttons)
{
    return MessageBoxFlags::IconInformation
        + (buttons == TDialogButtons::YesNo ? MessageBoxFlags::YesNo : MessageBoxFlags::Ok);
}

TDialogService& Dialogs()
{
    static TQtDialogService qtDialogs;
    return g_service ? *g_service : qtDialogs;
}

TDialogService* SetDialogService(TDialogService* service)
{
    return std::exchange(g_service, service);
}

int ShowMessageBox(const QString& text, const QString& caption, int flags)
{
    return Dialogs().MessageBox(text, caption, flags);
}

void ShowMessage(const QString& text)
{
    Dialogs().ShowMessage(text);
}

int MessageDlg(const QString& text, TDialogButtons buttons)
{
    return Dialogs().MessageDlg(text, buttons);
}
