// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Records what a web-site generator reports and answers its questions from a
// script. The pump can run a callback (to press Stop after k items).
#include "export/ExportReporter.h"
#include "platform/StatusReporter.h"

#include <QString>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <memory>

class FakeStepView : public TExportStepView {
public:
    void SetDone(bool value) override { done = value; }
    void SetMinimum(int value) override { minimum = value; }
    void SetMaximum(int value) override { maximum = value; }
    int Maximum() const override { return maximum; }
    void SetStep(int value) override { step = value; }
    void StepIt() override
    {
        position += step;
        history << QStringLiteral("step");
    }
    void SetToGo(const QString& text) override
    {
        toGo = text;
        history << QStringLiteral("to go ") + text;
    }
    void SetCurrentFile(const QString& text) override
    {
        currentFile = text;
        history << text;
    }

    bool done = false;
    int minimum = -1;
    int maximum = -1;
    int step = 0;
    int position = 0;
    QString toGo;
    QString currentFile;
    // Steps, counters and file names in the order they were shown.
    QStringList history;
};

class QuietStatus : public TStatusReporter {
public:
    void SetRange(int minimum, int maximum) override
    {
        m_minimum = minimum;
        m_maximum = maximum;
    }
    void SetPosition(int position) override { m_position = position; }
    int Position() const override { return m_position; }
    int Maximum() const override { return m_maximum; }
    void StepIt() override { ++m_position; }
    void SetNumberToGo(const QString&) override { }
    void SetSubject(const QString&) override { }
    void SetObject(const QString&) override { }
    void ShowStatus() override { }
    void ProcessEvents() override { }
    bool IsCancelled() const override { return false; }

private:
    int m_minimum = 0;
    int m_maximum = 0;
    int m_position = 0;
};

class FakeExportReporter : public TExportReporter {
public:
    struct Prompt {
        QString text;
        bool yesNo = false;
    };

    void AddRemark(const QString& line) override { remarks << line; }
    void AddPhotoNotFound(const QString& line) override { notFound << line; }
    TExportStepView& Step(TExportStepKind kind) override { return steps[size_t(kind)]; }
    FakeStepView& View(TExportStepKind kind) { return steps[size_t(kind)]; }

    void Inform(const QString& text) override { prompts.push_back({ text, false }); }
    bool AskYesNo(const QString& text) override
    {
        prompts.push_back({ text, true });
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(const QString& text) override { messages << text; }

    void ProcessEvents() override
    {
        ++pumps;
        if (onPump)
            onPump(pumps);
    }

    std::unique_ptr<TStatusReporter> CreateStatusWindow() override
    {
        ++statusWindows;
        return std::make_unique<QuietStatus>();
    }

    QStringList remarks;
    QStringList notFound;
    QStringList messages;
    std::vector<Prompt> prompts;
    // Answers to AskYesNo in order; No once they run out.
    std::deque<bool> answers;
    std::array<FakeStepView, ExportStepCount> steps;
    int pumps = 0;
    int statusWindows = 0;
    std::function<void(int)> onPump;
};
