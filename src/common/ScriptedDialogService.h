// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A dialog service for tests: answers come from queues the test fills, every
// call is recorded, and nothing is shown. Constructing one installs it;
// destroying it puts back the service that was in force before.
#include "common/DialogService.h"

#include <deque>
#include <optional>
#include <vector>

struct TDialogCall {
    enum class Kind {
        MessageBox,
        ShowMessage,
        MessageDlg,
        InputQuery,
        OpenFile,
        SaveFile,
        SelectFolder,
        SelectColor,
        ShellOpen
    };

    Kind kind = Kind::MessageBox;
    // The message, the input prompt, or the path handed to ShellOpen.
    QString text;
    // Caption of a message or input box, title of a folder dialog.
    QString caption;
    // Message-box flags; for MessageDlg the flags of the equivalent message box.
    int flags = 0;
    // The input box's initial text, the folder dialog's start folder, the
    // colour dialog's colour name.
    QString initial;
    TFileDialogOptions fileOptions;
    // What the call answered: the result code for message boxes.
    int result = 0;
};

class TScriptedDialogService : public TDialogService {
public:
    TScriptedDialogService();
    ~TScriptedDialogService() override;
    TScriptedDialogService(const TScriptedDialogService&) = delete;
    TScriptedDialogService& operator=(const TScriptedDialogService&) = delete;

    // Answers, used in order. An empty queue answers as closing the dialog
    // would: message boxes with their escape result (Cancel, else No, else
    // OK), the other dialogs with Cancel.
    void QueueMessageResult(int result);
    // std::nullopt answers Cancel.
    void QueueInput(std::optional<QString> text);
    // An empty list answers Cancel.
    void QueueOpenFiles(const QStringList& files);
    void QueueOpenFile(const QString& file)
    {
        QueueOpenFiles(file.isEmpty() ? QStringList() : QStringList { file });
    }
    // An empty text answers Cancel.
    void QueueSaveFile(const QString& file);
    void QueueFolder(const QString& folder);
    void QueueColor(std::optional<QColor> color);
    // What ShellOpen reports (true unless set).
    void SetShellOpenResult(bool ok) { m_shellOpenResult = ok; }

    const std::vector<TDialogCall>& Calls() const { return m_calls; }
    int CallCount(TDialogCall::Kind kind) const;
    // The last call of a kind; nullptr when there was none.
    const TDialogCall* LastCall(TDialogCall::Kind kind) const;
    // Paths handed to ShellOpen, in order.
    QStringList ShellOpened() const;
    // Answers still queued and not asked for.
    int PendingAnswers() const;
    // Forgets the calls and the queued answers.
    void Clear();

    int MessageBox(const QString& text, const QString& caption, int flags) override;
    void ShowMessage(const QString& text) override;
    int MessageDlg(const QString& text, TDialogButtons buttons) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QStringList OpenFileDialog(const TFileDialogOptions& options) override;
    QString SaveFileDialog(const TFileDialogOptions& options) override;
    QString SelectFolder(const QString& caption, const QString& startFolder) override;
    std::optional<QColor> SelectColor(const QColor& initial) override;
    bool ShellOpen(const QString& path) override;

private:
    TDialogCall& Record(TDialogCall::Kind kind, const QString& text, const QString& caption);

    TDialogService* m_previous;
    std::vector<TDialogCall> m_calls;
    std::deque<int> m_messageResults;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<QStringList> m_openFiles;
    std::deque<QString> m_saveFiles;
    std::deque<QString> m_folders;
    std::deque<std::optional<QColor>> m_colors;
    bool m_shellOpenResult = true;
};
