// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/GeneratedSites.h"

#include "app/shared/PageHost.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/Tfm_StatusWindow.h"
#include "export/WebSiteFiles.h"
#include "language/LanguageSelector.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "ui_TabHTML.h"

#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("Html");
const QString AmountKey = QStringLiteral("Amount");

const QString LinePrefix = QStringLiteral("LastGeneratedFile");

QString LineKey(int n)
{
    return LinePrefix + QString::number(n);
}

// The highest line number that has a key in the section: a damaged "Amount"
// must not have a billion keys looked up before the window shows.
int HighestLine(const IniFile& ini)
{
    int highest = 0;
    for (const QString& key : ini.ReadSection(Section)) {
        if (!key.startsWith(LinePrefix, Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const int n = key.mid(LinePrefix.size()).toInt(&ok);
        if (ok && n > highest && LineKey(n).compare(key, Qt::CaseInsensitive) == 0)
            highest = n;
    }
    return highest;
}

} // namespace

TGeneratedSites::TGeneratedSites(Ui::TabHTML& form, TPageHost& host, QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_host(host)
{
    QListWidget* list = ui.lsbPreviousGeneratedPhotoViewers;
    connect(list, &QListWidget::currentRowChanged, this, &TGeneratedSites::UpdatePhotoViewerButtons);
    connect(list, &QListWidget::itemDoubleClicked, this, &TGeneratedSites::bt_ShowLastGeneratedPagesClick);
    connect(ui.bt_ShowLastGeneratedPages, &QPushButton::clicked, this,
        &TGeneratedSites::bt_ShowLastGeneratedPagesClick);
    connect(ui.bt_RemovePhotoViewerFromList, &QPushButton::clicked, this,
        &TGeneratedSites::bt_RemovePhotoViewerFromListClick);
    connect(ui.bt_RemovePhotoViewerFromDisk, &QPushButton::clicked, this,
        &TGeneratedSites::bt_RemovePhotoViewerFromDiskClick);
}

void TGeneratedSites::LoadGeneratedViewers()
{
    QListWidget* list = ui.lsbPreviousGeneratedPhotoViewers;
    list->clear();
    ui.bt_ShowLastGeneratedPages->setEnabled(false);
    const IniFile* ini = m_host.Settings();
    if (!ini)
        return;
    const int amount = qMin(ini->ReadInteger(Section, AmountKey, 0), HighestLine(*ini));
    QStringList files;
    for (int n = 1; n <= amount; ++n) {
        const QString file = ini->ReadString(Section, LineKey(n), QString());
        if (!file.isEmpty())
            files << file;
    }
    // In one go: item by item, a list that has grown by a line with every
    // export for years takes seconds.
    list->addItems(files);
}

void TGeneratedSites::SaveGeneratedViewers()
{
    IniFile* ini = m_host.Settings();
    if (!ini)
        return;
    QListWidget* list = ui.lsbPreviousGeneratedPhotoViewers;
    ini->BeginUpdate();
    ini->EraseSection(Section);
    ini->WriteInteger(Section, AmountKey, list->count());
    for (int n = 1; n <= list->count(); ++n)
        ini->WriteString(Section, LineKey(n), list->item(n - 1)->text());
    ini->EndUpdate();
}

void TGeneratedSites::UpdatePhotoViewerButtons()
{
    QListWidget* list = ui.lsbPreviousGeneratedPhotoViewers;
    ui.ts_LastGeneratedPhotoViewers->setEnabled(list->count() > 0);
    const bool selected = list->currentRow() >= 0;
    ui.bt_ShowLastGeneratedPages->setEnabled(selected);
    ui.bt_RemovePhotoViewerFromList->setEnabled(selected);
    ui.bt_RemovePhotoViewerFromDisk->setEnabled(selected);
}

void TGeneratedSites::AddSite(const QString& indexFile)
{
    QListWidget* list = ui.lsbPreviousGeneratedPhotoViewers;
    const QList<QListWidgetItem*> found = list->findItems(indexFile, Qt::MatchExactly);
    if (found.isEmpty())
        list->insertItem(0, indexFile);
    list->setCurrentItem(found.isEmpty() ? list->item(0) : found.first());
    UpdatePhotoViewerButtons();
    SaveGeneratedViewers();
}

QStringList TGeneratedSites::Sites() const
{
    QStringList sites;
    for (int i = 0; i < ui.lsbPreviousGeneratedPhotoViewers->count(); ++i)
        sites << ui.lsbPreviousGeneratedPhotoViewers->item(i)->text();
    return sites;
}

void TGeneratedSites::OpenInBrowser(const QString& file)
{
    if (!Dialogs().ShellOpen(file))
        ShowMessage(Language()->MF[106]);
}

void TGeneratedSites::bt_ShowLastGeneratedPagesClick()
{
    const QListWidgetItem* line = ui.lsbPreviousGeneratedPhotoViewers->currentItem();
    if (!line)
        return;
    const QString file = line->text();
    if (QFileInfo(file).isFile())
        OpenInBrowser(file);
    else
        ShowMessage(Text::Format(Language()->MF[107], { Paths::ExtractFileName(file) }));
}

void TGeneratedSites::RemoveSelectedLine()
{
    QListWidget* list = ui.lsbPreviousGeneratedPhotoViewers;
    const int row = list->currentRow();
    if (row < 0)
        return;
    std::unique_ptr<QListWidgetItem>(list->takeItem(row));
    list->setCurrentRow(list->count() == 0 ? -1 : qMin(row, list->count() - 1));
    UpdatePhotoViewerButtons();
}

void TGeneratedSites::bt_RemovePhotoViewerFromListClick()
{
    RemoveSelectedLine();
}

void TGeneratedSites::bt_RemovePhotoViewerFromDiskClick()
{
    const QListWidgetItem* line = ui.lsbPreviousGeneratedPhotoViewers->currentItem();
    if (!line)
        return;
    // An export may be writing into this very folder.
    const TBusyGuard busy;
    if (!busy)
        return;
    const TLanguageSelector& t = *Language();
    if (ShowMessageBox(t.MF[108], t.MF[109], MessageBoxFlags::IconWarning | MessageBoxFlags::YesNo)
        != MessageResult::Yes)
        return;
    const QString folder = Paths::ExtractFilePath(line->text());
    // The notices ask Yes or No like the question before them; either answer
    // leaves the line in the list.
    const int notice = MessageBoxFlags::IconWarning | MessageBoxFlags::YesNo;
    if (!QFileInfo(folder).isDir()) {
        ShowMessageBox(Text::Format(t.MF[113], { folder }), t.MF[112], notice);
        return;
    }
    bool removed = false;
    {
        Tfm_StatusWindow status;
        status.SetSubject(t.MF[110]);
        status.ShowCentered();
        removed = RemoveWebSiteFiles(folder, &status);
    }
    if (removed)
        RemoveSelectedLine();
    else
        ShowMessageBox(Text::Format(t.MF[111], { folder }), t.MF[112], notice);
}
