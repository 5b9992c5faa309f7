// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What a web-site generator needs of the window that runs it. The generators
// never see a widget: the main window implements these with its progress
// controls, memos and dialogs, and tests fake them.
#include <QString>

#include <memory>

class TStatusReporter;

// The steps an export shows progress for, in the order of the main window's
// indicators.
enum class TExportStepKind {
    PhotoChecking,
    ThumbnailCreation,
    PhotoCopying,
    ThumbnailPages,
    PhotoPages,
};
inline constexpr int ExportStepCount = 5;

// One step's indicators: a done flag (check box), a progress bar, a
// "to go" counter and the file being worked on.
class TExportStepView {
public:
    virtual ~TExportStepView() = default;

    virtual void SetDone(bool done) = 0;
    virtual void SetMinimum(int minimum) = 0;
    virtual void SetMaximum(int maximum) = 0;
    virtual int Maximum() const = 0;
    virtual void SetStep(int step) = 0;
    // Advances the bar by its step.
    virtual void StepIt() = 0;
    virtual void SetToGo(const QString& text) = 0;
    virtual void SetCurrentFile(const QString& text) = 0;
};

class TExportReporter {
public:
    virtual ~TExportReporter() = default;

    // A line for the remarks memo: albums, folders, images and files written.
    virtual void AddRemark(const QString& line) = 0;
    // A line for the second memo: photos not found, and that no photo is left.
    virtual void AddPhotoNotFound(const QString& line) = 0;

    virtual TExportStepView& Step(TExportStepKind kind) = 0;

    // The information dialog with an OK button.
    virtual void Inform(const QString& text) = 0;
    // The information dialog with Yes and No; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    // A plain message window.
    virtual void ShowMessage(const QString& text) = 0;

    // Called after every item of a long loop so that the Stop button can be
    // pressed. The generators call it as often as that; an implementation
    // repaints and pumps events at most every 30 ms.
    virtual void ProcessEvents() = 0;

    // A progress window, already shown centred, for opening one album; it is
    // freed as soon as the album is open.
    virtual std::unique_ptr<TStatusReporter> CreateStatusWindow() = 0;
};
