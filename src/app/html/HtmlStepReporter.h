// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The export's progress on the HTML tab: the five step rows (a check box, a
// bar, the number to go and the file at hand), the two result memos, and the
// dialogs and event pumping a running generator asks for.
#include "common/EventPump.h"
#include "export/ExportReporter.h"

#include <array>
#include <memory>

namespace Ui {
class TabHTML;
}
class QCheckBox;
class QLineEdit;
class QProgressBar;

// One step row. The bar keeps the range it is given; a range without room
// (0 to 0 before the step runs) shows as an empty bar rather than Qt's
// endless busy bar.
class TWidgetStepView : public TExportStepView {
public:
    TWidgetStepView(QCheckBox* box, QProgressBar* bar, QLineEdit* quantity, QLineEdit* processing);

    void SetDone(bool done) override;
    void SetMinimum(int minimum) override;
    void SetMaximum(int maximum) override;
    int Maximum() const override { return m_maximum; }
    void SetStep(int step) override { m_step = step; }
    void StepIt() override;
    void SetToGo(const QString& text) override;
    void SetCurrentFile(const QString& text) override;

    // Box cleared, range 0 to 0 with step 1, both fields emptied.
    void Reset();
    int Position() const { return m_position; }

private:
    void ShowBar();

    QCheckBox* m_box;
    QProgressBar* m_bar;
    QLineEdit* m_quantity;
    QLineEdit* m_processing;
    int m_minimum = 0;
    int m_maximum = 0;
    int m_step = 1;
    int m_position = 0;
};

class THtmlStepReporter : public TExportReporter {
public:
    explicit THtmlStepReporter(Ui::TabHTML& form);

    // The five boxes cleared, the bars emptied, the ten fields emptied.
    void ResetGenerationProgress();
    // Both memos emptied.
    void ClearResults();

    void AddRemark(const QString& line) override;
    void AddPhotoNotFound(const QString& line) override;
    TExportStepView& Step(TExportStepKind kind) override { return *m_steps[size_t(kind)]; }
    void Inform(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    void ShowMessage(const QString& text) override;
    void ProcessEvents() override;
    std::unique_ptr<TStatusReporter> CreateStatusWindow() override;

private:
    Ui::TabHTML& ui;
    std::array<std::unique_ptr<TWidgetStepView>, ExportStepCount> m_steps;
    TEventPump m_pump;
};
