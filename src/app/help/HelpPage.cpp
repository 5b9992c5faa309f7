// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/help/HelpPage.h"

#include "app/shared/Tfm_LanguageWindow.h"
#include "common/DialogService.h"
#include "language/LanguageSelector.h"
#include "language/LanguageSettling.h"
#include "platform/IniFile.h"
#include "ui_TabHelp.h"
#include "widgets/ReaderNames.h"
#include "widgets/RtfReader.h"

#include <QPalette>
#include <QTextCursor>

#include <utility>

namespace {

// The product's web address and contact address after the "created by" line.
const char* const EmailSuffix = " - www.tavrimolex.nl - info@tavrimolex.nl";

} // namespace

THelpPage::THelpPage(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TabHelp>())
{
    ui->setupUi(this);
    ui->redHelp->setTabStopDistance(24);
    // The help text's navy headings and its plain lines were written for a
    // white page: it is shown on one, in black, whatever the desktop's colours.
    QPalette paper = ui->redHelp->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    ui->redHelp->setPalette(paper);
    ui->ComboBoxFreeWareComponents->addItems({
        QStringLiteral("libjpeg-turbo: the JPEG codec (IJG JPEG library)"),
        QStringLiteral("FreeImage: decoding of the other image formats (GPL / FreeImage Public License)"),
        QStringLiteral("NViewLib stand-in: BMP, TGA, PCX and GIF decoding, with giflib"),
        QStringLiteral("Qt 6: windows and dialogs (LGPL)"),
        QStringLiteral("2005 for Linux: the program runs on Linux with Qt; settings stay compatible"),
        QStringLiteral("2005: photo-by-photo web albums with a slide show"),
        QStringLiteral("2004: framed web albums with thumbnails, objects, events and years"),
    });
}

THelpPage::~THelpPage() = default;

void THelpPage::ShowVersion(const QString& fileVersion)
{
    ui->lblVersion->setText(QStringLiteral("2005 - ") + fileVersion);
}

void THelpPage::LoadHelp(const QString& fileName)
{
    m_helpFile = fileName;
    if (isVisible())
        ReadHelp();
}

void THelpPage::showEvent(QShowEvent* event)
{
    ReadHelp();
    QWidget::showEvent(event);
}

void THelpPage::ReadHelp()
{
    if (m_helpFile.isEmpty())
        return;
    Rtf::LoadFile(std::exchange(m_helpFile, QString()), ui->redHelp->document());
    ui->redHelp->moveCursor(QTextCursor::Start);
}

void THelpPage::ApplyLanguage(const TLanguageSelector& t)
{
    ui->st_Version->setText(t.MF[387]);
    ui->st_FreeWare->setText(t.MF[388]);
    ui->lbl_email->setText(t.MF[389] + QString::fromUtf8(EmailSuffix));
    ui->btnChangeLanguage->setText(t.MF[390]);
    SetReaderName(ui->redHelp, t.MF[386]);
}

void THelpPage::WireLanguageButton(IniFile& settings)
{
    m_settings = &settings;
    connect(ui->btnChangeLanguage, &QPushButton::clicked, this, &THelpPage::btnChangeLanguageClick);
}

void THelpPage::btnChangeLanguageClick()
{
    Tfm_LanguageWindow window(this->window());
    window.setWindowModality(Qt::WindowModal);
    window.LangType = CurrentLangType;
    window.exec();
    const TLangType chosen = window.LangType;
    if (chosen == CurrentLangType) {
        ShowMessage(Language()->MF[105]);
    } else {
        // The note is shown in the chosen language, so the user can read it.
        const std::unique_ptr<TLanguageSelector> chosenTexts = CreateLanguage(chosen);
        ShowMessage(chosenTexts->MF[104]);
    }
    m_settings->BeginUpdate();
    m_settings->WriteInteger(LanguageSettings::Section, LanguageSettings::Selected, 1);
    m_settings->WriteInteger(LanguageSettings::Section, LanguageSettings::LanguageID, int(chosen));
    m_settings->EndUpdate();
}
