// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/Tfm_SelectdirectoryWindow.h"

#include "common/DialogService.h"
#include "common/OnTopWindowsLowered.h"
#include "language/LanguageSelector.h"
#include "platform/TextUtil.h"
#include "ui_Tfm_SelectdirectoryWindow.h"
#include "widgets/ReaderNames.h"

#include <QPointer>

namespace {

QPointer<Tfm_SelectdirectoryWindow> g_window;

} // namespace

Tfm_SelectdirectoryWindow::Tfm_SelectdirectoryWindow(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::Tfm_SelectdirectoryWindow>())
{
    ui->setupUi(this);
    FormCreate();
}

Tfm_SelectdirectoryWindow::~Tfm_SelectdirectoryWindow() = default;

int Tfm_SelectdirectoryWindow::exec()
{
    const TOnTopWindowsLowered lowered;
    return QDialog::exec();
}

void Tfm_SelectdirectoryWindow::FormCreate()
{
    setWindowModality(Qt::WindowModal);
    connect(
        ui->bt_CreateFolder, &QPushButton::clicked, this, &Tfm_SelectdirectoryWindow::bt_CreateFolderClick);
    connect(ui->bt_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->bt_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    ApplyLanguage();
}

void Tfm_SelectdirectoryWindow::ApplyLanguage()
{
    const TLanguageSelector& t = *Language();
    ui->LabelHint->setText(t.DF[3]);
    ui->LabelDirectories->setText(t.DF[5]);
    ui->bt_CreateFolder->setText(t.DF[0]);
    ui->bt_Ok->setText(t.DF[8]);
    ui->bt_Cancel->setText(t.DF[7]);
    setWindowTitle(t.DF[9]);
    NameViewsAfterTheirLabels(this);
}

void Tfm_SelectdirectoryWindow::SetFolder(const QString& folder)
{
    ui->stvFolder->SetFolder(folder);
}

QString Tfm_SelectdirectoryWindow::GetFolder() const
{
    return ui->stvFolder->Folder();
}

void Tfm_SelectdirectoryWindow::bt_CreateFolderClick()
{
    const TLanguageSelector& t = *Language();
    QString name;
    if (!Dialogs().InputQuery(t.DF[0], t.DF[1], name))
        return;
    name = Text::Trim(name);
    if (name.isEmpty())
        return;
    QString path;
    if (!ui->stvFolder->CreateSubfolder(name, &path))
        ShowMessage(Text::Format(t.DF[2], { path }));
}

Tfm_SelectdirectoryWindow* SelectdirectoryWindow(QWidget* owner)
{
    if (!g_window)
        g_window = new Tfm_SelectdirectoryWindow(owner);
    return g_window;
}

void SetSelectdirectoryWindow(Tfm_SelectdirectoryWindow* window)
{
    g_window = window;
}

bool ChooseFolderWithWindow(QWidget* owner, QString& folder)
{
    Tfm_SelectdirectoryWindow* window = SelectdirectoryWindow(owner);
    if (!folder.isEmpty())
        window->SetFolder(folder);
    if (window->exec() != QDialog::Accepted)
        return false;
    folder = window->GetFolder();
    return !folder.isEmpty();
}
