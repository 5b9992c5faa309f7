// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/HtmlStepReporter.h"

#include "common/DialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "ui_TabHTML.h"

TWidgetStepView::TWidgetStepView(
    QCheckBox* box, QProgressBar* bar, QLineEdit* quantity, QLineEdit* processing)
    : m_box(box)
    , m_bar(bar)
    , m_quantity(quantity)
    , m_processing(processing)
{
}

void TWidgetStepView::SetDone(bool done)
{
    m_box->setChecked(done);
}

void TWidgetStepView::SetMinimum(int minimum)
{
    m_minimum = minimum;
    m_position = qMax(m_position, minimum);
    ShowBar();
}

void TWidgetStepView::SetMaximum(int maximum)
{
    m_maximum = maximum;
    m_position = qMin(m_position, maximum);
    ShowBar();
}

void TWidgetStepView::StepIt()
{
    m_position = qBound(m_minimum, m_position + m_step, qMax(m_minimum, m_maximum));
    ShowBar();
}

void TWidgetStepView::SetToGo(const QString& text)
{
    m_quantity->setText(text);
}

void TWidgetStepView::SetCurrentFile(const QString& text)
{
    m_processing->setText(text);
}

void TWidgetStepView::Reset()
{
    m_box->setChecked(false);
    m_minimum = 0;
    m_maximum = 0;
    m_step = 1;
    m_position = 0;
    ShowBar();
    m_quantity->clear();
    m_processing->clear();
}

void TWidgetStepView::ShowBar()
{
    if (m_maximum > m_minimum) {
        m_bar->setRange(m_minimum, m_maximum);
        m_bar->setValue(m_position);
    } else {
        m_bar->setRange(0, 1);
        m_bar->setValue(0);
    }
}

THtmlStepReporter::THtmlStepReporter(Ui::TabHTML& form)
    : ui(form)
{
    // In the order of TExportStepKind.
    m_steps[0] = std::make_unique<TWidgetStepView>(
        ui.chbPhotoChecking, ui.pgbPhotoChecking, ui.edtPhotoCheckingQuantity, ui.edtPhotoCheckingProcessing);
    m_steps[1] = std::make_unique<TWidgetStepView>(
        ui.chbThumbnailCreation, ui.pgbThumbnailCreation, ui.edtThumbnailQuantity, ui.edtThumbnailProcessing);
    m_steps[2] = std::make_unique<TWidgetStepView>(
        ui.chbPhotoCopying, ui.pgbPhotoCopying, ui.edtPhotoQuantity, ui.edtPhotoProcessing);
    m_steps[3] = std::make_unique<TWidgetStepView>(ui.chbThumbNailHTMLCreation, ui.pgbThumbNailHTMLCreation,
        ui.edtThumbnailHTMLQuantity, ui.edtThumbnailHTMLProcessing);
    m_steps[4] = std::make_unique<TWidgetStepView>(
        ui.chbPhotoHTMLCreation, ui.pgbPhotoHTMLCreation, ui.edtPhotoHTMLQuantity, ui.edtPhotoHTMLProcessing);
    ResetGenerationProgress();
}

void THtmlStepReporter::ResetGenerationProgress()
{
    for (const auto& step : m_steps)
        step->Reset();
}

void THtmlStepReporter::ClearResults()
{
    ui.MemoRemarks->clear();
    ui.MemoPhotosNotFound->clear();
}

void THtmlStepReporter::AddRemark(const QString& line)
{
    ui.MemoRemarks->appendPlainText(line);
}

void THtmlStepReporter::AddPhotoNotFound(const QString& line)
{
    ui.MemoPhotosNotFound->appendPlainText(line);
}

void THtmlStepReporter::Inform(const QString& text)
{
    MessageDlg(text, TDialogButtons::Ok);
}

bool THtmlStepReporter::AskYesNo(const QString& text)
{
    return MessageDlg(text, TDialogButtons::YesNo) == MessageResult::Yes;
}

void THtmlStepReporter::ShowMessage(const QString& text)
{
    ::ShowMessage(text);
}

void THtmlStepReporter::ProcessEvents()
{
    m_pump.Pump();
}

std::unique_ptr<TStatusReporter> THtmlStepReporter::CreateStatusWindow()
{
    auto window = std::make_unique<Tfm_StatusWindow>();
    window->ShowCentered();
    return window;
}
