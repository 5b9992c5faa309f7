// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/HtmlExportDriver.h"

#include "app/html/GeneratedSites.h"
#include "app/html/HtmlBackground.h"
#include "app/html/HtmlOptions.h"
#include "app/html/HtmlPictures.h"
#include "app/html/HtmlStepReporter.h"
#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "export/ExportError.h"
#include "export/HTMLGenerator.h"
#include "export/HTMLGeneratorSimple.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "ui_TabHTML.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <exception>

namespace {

// The outcome of a run heads the remarks, above what the generator wrote.
void InsertFirstLine(QPlainTextEdit* memo, const QString& line)
{
    if (memo->document()->isEmpty()) {
        memo->setPlainText(line);
        return;
    }
    QTextCursor top(memo->document());
    top.insertText(line + u'\n');
    // The memo shows where its cursor is, and appending left that at the end.
    memo->moveCursor(QTextCursor::Start);
}

} // namespace

THtmlExportDriver::THtmlExportDriver(Ui::TabHTML& form, TAlbumSession& session, TAlbumActions& actions,
    THtmlOptions& options, THtmlBackground& background, THtmlStepReporter& progress, TGeneratedSites& sites,
    QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_session(session)
    , m_actions(actions)
    , m_options(options)
    , m_background(background)
    , m_progress(progress)
    , m_sites(sites)
    , imlSlideShow(SlideShowDots())
{
    connect(ui.bt_HTMLGenerate, &QPushButton::clicked, this, &THtmlExportDriver::GenerateHTML);
    connect(ui.bt_StopHTMLGeneration, &QPushButton::clicked, this,
        &THtmlExportDriver::bt_StopHTMLGenerationClick);
    connect(ui.bt_Results, &QPushButton::clicked, this, &THtmlExportDriver::bt_ResultsClick);
    connect(ui.pc_HTMLGeneration, &QTabWidget::currentChanged, this,
        [this] { ui.bt_Results->setEnabled(ui.pc_HTMLGeneration->currentWidget() == ui.ts_HTMLGenerate); });
}

void THtmlExportDriver::bt_StopHTMLGenerationClick()
{
    if (m_generator)
        m_generator->Stopped = true;
    ui.bt_HTMLGenerate->setEnabled(true);
    ui.bt_StopHTMLGeneration->setEnabled(false);
}

void THtmlExportDriver::bt_ResultsClick()
{
    ui.pc_HTMLGeneration->setCurrentWidget(ui.ts_HTMLResults);
    ui.bt_Results->setEnabled(false);
}

void THtmlExportDriver::ShowResultsPage()
{
    ui.pc_HTMLSTEPS->setCurrentWidget(ui.ts_HTMLStep4);
    ui.pc_HTMLGeneration->setCurrentWidget(ui.ts_HTMLResults);
}

QString THtmlExportDriver::CheckedOutputFolder()
{
    const TLanguageSelector& t = *Language();
    const QString folder = Text::Trim(ui.eb_HTMLDirectory->text());
    // A relative name would land wherever the program happens to run.
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        ShowMessageBox(t.HG[4], t.Title, MessageBoxFlags::IconWarning);
        return QString();
    }
    return Paths::IncludeTrailingSeparator(folder);
}

void THtmlExportDriver::OfferToSaveOpenAlbum()
{
    const TAlbum* album = m_session.Album();
    if (!album || !m_session.ContentsChanged())
        return;
    bool listed = false;
    for (int i = 0; i < ui.lb_HTMLSelectedAlbums->count() && !listed; ++i)
        listed = Paths::SameFile(ui.lb_HTMLSelectedAlbums->item(i)->text(), album->GetFileName());
    if (!listed)
        return;
    const TLanguageSelector& t = *Language();
    const int question = MessageBoxFlags::IconWarning | MessageBoxFlags::YesNo;
    // Either No goes on: the export then reads the album file as it is on disk.
    if (ShowMessageBox(t.MF[93], t.MF[94], question) == MessageResult::Yes
        && ShowMessageBox(t.MF[95], t.MF[96], question) == MessageResult::Yes && m_actions.SaveCurrentAlbum())
        m_session.SetContentsChanged(false);
}

bool THtmlExportDriver::RunGenerator(QString& indexFile, bool& stopped, int& photoCount)
{
    TExportOptions options = m_options.Read();
    options.Background = m_background.Current();
    // Both generators run alike; they count the photos they found each in their own way.
    auto run = [&](auto& generator, auto countPhotos) {
        m_generator = &generator;
        const auto forget = qScopeGuard([&] {
            indexFile = generator.IndexFile;
            stopped = generator.Stopped;
            photoCount = (generator.*countPhotos)();
            m_generator = nullptr;
        });
        generator.Initialize(options, m_progress);
        return generator.Generate();
    };
    if (ViewerKind == 1) {
        THTMLGenerator generator;
        return run(generator, &THTMLGenerator::GetPhotoCount);
    }
    options.SlideShowImages = imlSlideShow;
    options.StartSlideShow = StartSlideShowPages;
    THTMLGeneratorSimple generator;
    return run(generator, &THTMLGeneratorSimple::GetFlaggedPhotoCount);
}

void THtmlExportDriver::GenerateHTML()
{
    // One run at a time, and none beside another long operation.
    const TBusyGuard busy;
    if (!busy)
        return;
    const TLanguageSelector& t = *Language();
    ViewerKind = m_options.ViewerKind();
    StartSlideShowPages = ui.chbStartslideShowHTMLPages->isChecked();
    bool stopped = false;
    bool succeeded = false;

    // The folder is checked and the user asked before anything is made on disk.
    const QString folder = CheckedOutputFolder();
    if (folder.isEmpty())
        return;
    if (ui.eb_Quality->text().isEmpty())
        m_options.SetQuality(50);
    ui.eb_HTMLDirectory->setText(folder);
    if (MessageDlg(Text::Format(t.MF[92], { t.Title }), TDialogButtons::YesNo) != MessageResult::Yes)
        return;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        ShowMessageBox(Text::Format(t.HG[17], { folder }), t.Title, MessageBoxFlags::IconWarning);
        return;
    }

    ui.pc_HTMLSTEPS->setCurrentWidget(ui.ts_HTMLStep4);
    ui.pc_HTMLGeneration->setCurrentWidget(ui.ts_HTMLGenerate);
    ui.bt_Results->setEnabled(true);
    ui.gb_StepsTakenByTavrimolex->show();
    m_progress.ClearResults();
    m_progress.ResetGenerationProgress();

    QString indexFile;
    int photoCount = 0;
    QString error;
    try {
        OfferToSaveOpenAlbum();
        ui.bt_StopHTMLGeneration->setEnabled(true);
        ui.bt_HTMLGenerate->setEnabled(false);
        succeeded = RunGenerator(indexFile, stopped, photoCount);
        if (succeeded && !stopped) {
            m_sites.AddSite(indexFile);
            ui.pc_HTMLSTEPS->setCurrentWidget(ui.ts_LastGeneratedPhotoViewers);
        }
    } catch (const EExportError& e) {
        error = e.Message();
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    if (!error.isEmpty())
        succeeded = false;

    if (!stopped) {
        if (photoCount == 0) {
            succeeded = false;
            ShowResultsPage();
            m_progress.AddPhotoNotFound(t.MF[55]);
        } else if (ui.MemoPhotosNotFound->toPlainText().isEmpty()) {
            m_progress.AddPhotoNotFound(t.MF[97]);
        }
    }
    ui.bt_StopHTMLGeneration->setEnabled(false);
    ui.bt_HTMLGenerate->setEnabled(true);

    if (!error.isEmpty()) {
        ShowResultsPage();
        ShowMessageBox(error, t.Title, MessageBoxFlags::IconError);
        return;
    }

    if (stopped) {
        InsertFirstLine(ui.MemoRemarks, t.MF[100]);
    } else if (succeeded) {
        InsertFirstLine(ui.MemoRemarks, Text::Format(t.MF[98], { indexFile }));
        if (MessageDlg(t.MF[99], TDialogButtons::YesNo) == MessageResult::Yes)
            TGeneratedSites::OpenInBrowser(indexFile);
    }
    if (!succeeded || stopped)
        ShowResultsPage();
}
