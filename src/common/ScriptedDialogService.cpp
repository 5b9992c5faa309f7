// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/ScriptedDialogService.h"

#include <algorithm>

namespace {

template <typename T> std::optional<T> Take(std::deque<T>& queue)
{
    if (queue.empty())
        return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

TScriptedDialogService::TScriptedDialogService()
    : m_previous(SetDialogService(this))
{
}

TScriptedDialogService::~TScriptedDialogService()
{
    SetDialogService(m_previous);
}

void TScriptedDialogService::QueueMessageResult(int result)
{
    m_messageResults.push_back(result);
}

void TScriptedDialogService::QueueInput(std::optional<QString> text)
{
    m_inputs.push_back(std::move(text));
}

void TScriptedDialogService::QueueOpenFiles(const QStringList& files)
{
    m_openFiles.push_back(files);
}

void TScriptedDialogService::QueueSaveFile(const QString& file)
{
    m_saveFiles.push_back(file);
}

void TScriptedDialogService::QueueFolder(const QString& folder)
{
    m_folders.push_back(folder);
}

void TScriptedDialogService::QueueColor(std::optional<QColor> color)
{
    m_colors.push_back(std::move(color));
}

int TScriptedDialogService::CallCount(TDialogCall::Kind kind) const
{
    return int(std::count_if(
        m_calls.begin(), m_calls.end(), [kind](const TDialogCall& c) { return c.kind == kind; }));
}

const TDialogCall* TScriptedDialogService::LastCall(TDialogCall::Kind kind) const
{
    for (auto it = m_calls.rbegin(); it != m_calls.rend(); ++it)
        if (it->kind == kind)
            return &*it;
    return nullptr;
}

QStringList TScriptedDialogService::ShellOpened() const
{
    QStringList paths;
    for (const TDialogCall& c : m_calls)
        if (c.kind == TDialogCall::Kind::ShellOpen)
            paths.append(c.text);
    return paths;
}

int TScriptedDialogService::PendingAnswers() const
{
    return int(m_messageResults.size() + m_inputs.size() + m_openFiles.size() + m_saveFiles.size()
        + m_folders.size() + m_colors.size());
}

void TScriptedDialogService::Clear()
{
    m_calls.clear();
    m_messageResults.clear();
    m_inputs.clear();
    m_openFiles.clear();
    m_saveFiles.clear();
    m_folders.clear();
    m_colors.clear();
}

TDialogCall& TScriptedDialogService::Record(
    TDialogCall::Kind kind, const QString& text, const QString& caption)
{
    TDialogCall call;
    call.kind = kind;
    call.text = text;
    call.caption = caption;
    m_calls.push_back(std::move(call));
    return m_calls.back();
}

int TScriptedDialogService::MessageBox(const QString& text, const QString& caption, int flags)
{
    TDialogCall& call = Record(TDialogCall::Kind::MessageBox, text, caption);
    call.flags = flags;
    call.result = Take(m_messageResults).value_or(MessageBoxLayout(flags).EscapeResult);
    return call.result;
}

void TScriptedDialogService::ShowMessage(const QString& text)
{
    Record(TDialogCall::Kind::ShowMessage, text, QString()).result = MessageResult::Ok;
}

int TScriptedDialogService::MessageDlg(const QString& text, TDialogButtons buttons)
{
    TDialogCall& call = Record(TDialogCall::Kind::MessageDlg, text, QString());
    call.flags = MessageDlgFlags(buttons);
    call.result = Take(m_messageResults).value_or(MessageBoxLayout(call.flags).EscapeResult);
    return call.result;
}

bool TScriptedDialogService::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    TDialogCall& call = Record(TDialogCall::Kind::InputQuery, prompt, caption);
    call.initial = value;
    const std::optional<QString> answer = Take(m_inputs).value_or(std::nullopt);
    call.result = answer ? MessageResult::Ok : MessageResult::Cancel;
    if (answer)
        value = *answer;
    return answer.has_value();
}

QStringList TScriptedDialogService::OpenFileDialog(const TFileDialogOptions& options)
{
    TDialogCall& call = Record(TDialogCall::Kind::OpenFile, QString(), options.Title);
    call.fileOptions = options;
    const QStringList files = Take(m_openFiles).value_or(QStringList());
    call.result = files.isEmpty() ? MessageResult::Cancel : MessageResult::Ok;
    return files;
}

QString TScriptedDialogService::SaveFileDialog(const TFileDialogOptions& options)
{
    TDialogCall& call = Record(TDialogCall::Kind::SaveFile, QString(), options.Title);
    call.fileOptions = options;
    const QString file = Take(m_saveFiles).value_or(QString());
    call.result = file.isEmpty() ? MessageResult::Cancel : MessageResult::Ok;
    return file;
}

QString TScriptedDialogService::SelectFolder(const QString& caption, const QString& startFolder)
{
    TDialogCall& call = Record(TDialogCall::Kind::SelectFolder, QString(), caption);
    call.initial = startFolder;
    const QString folder = Take(m_folders).value_or(QString());
    call.result = folder.isEmpty() ? MessageResult::Cancel : MessageResult::Ok;
    return folder;
}

std::optional<QColor> TScriptedDialogService::SelectColor(const QColor& initial)
{
    TDialogCall& call = Record(TDialogCall::Kind::SelectColor, QString(), QString());
    call.initial = initial.isValid() ? initial.name() : QString();
    const std::optional<QColor> color = Take(m_colors).value_or(std::nullopt);
    call.result = color ? MessageResult::Ok : MessageResult::Cancel;
    return color;
}

bool TScriptedDialogService::ShellOpen(const QString& path)
{
    Record(TDialogCall::Kind::ShellOpen, path, QString()).result = m_shellOpenResult ? MessageResult::Ok : 0;
    return m_shellOpenResult;
}
