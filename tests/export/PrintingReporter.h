// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The reporter of the programs that make sites for the browser tests: what a
// user would be told goes to standard error, and every question gets the
// same answer.
#include "FakeExportReporter.h"

#include <QString>

#include <array>
#include <cstdio>
#include <memory>

class PrintingReporter : public TExportReporter {
public:
    explicit PrintingReporter(bool answer)
        : m_answer(answer)
    {
    }

    void AddRemark(const QString&) override { }
    void AddPhotoNotFound(const QString& line) override { Print(line); }
    TExportStepView& Step(TExportStepKind kind) override { return m_steps[size_t(kind)]; }
    void Inform(const QString& text) override { Print(text); }
    bool AskYesNo(const QString& text) override
    {
        Print(text);
        return m_answer;
    }
    void ShowMessage(const QString& text) override { Print(text); }
    void ProcessEvents() override { }
    std::unique_ptr<TStatusReporter> CreateStatusWindow() override { return std::make_unique<QuietStatus>(); }

private:
    static void Print(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }

    bool m_answer;
    std::array<FakeStepView, ExportStepCount> m_steps;
};
