#include "app/labels/ObjectsPage.h"

#include "app/main/AlbumSession.h"
#include "app/main/Captions.h"
#include "app/labels/LabelTab.h"
#include "widgets/ListDrawing.h"
#include "language/LanguageSelector.h"
#include "ui_TabObjects.h"

TObjectsPage::TObjectsPage(TAlbumSession& session, TLabelTabHost& host, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , ui(std::make_unique<Ui::TabObjects>())
{
    ui->setupUi(this);
    ui->lb_AvailableObjects->setItemDelegate(new TPlainListItemDelegate(ui->lb_AvailableObjects));
    TLabelTabControls controls;
    controls.NameEdit = ui->eb_ObjectName;
    controls.ListBox = ui->lb_AvailableObjects;
    controls.AddButton = ui->pb_AddObjects;
    controls.RenameButton = ui->pb_ReplaceObject;
    controls.DeleteButton = ui->pb_DeleteObject;
    controls.ShowButton = ui->btnShowObjects;
    controls.RemoveButton = ui->btnRemoveObjects;
    controls.Merge1Edit = ui->eb_MergeObject1;
    controls.Merge2Edit = ui->eb_MergeObject2;
    controls.ResultEdit = ui->eb_MergeObjectResult;
    controls.MergeButton = ui->pb_MergeObjects;
    m_labels = new TLabelTab(TLabelKind::Objects, controls, session, host, this);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TObjectsPage::AlbumOpened);
    connect(&session, &TAlbumSession::AlbumClosed, this, &TObjectsPage::ClearObjectsTab);
}

TObjectsPage::~TObjectsPage() = default;

void TObjectsPage::AlbumOpened(TAlbum& album)
{
    m_labels->CreateListProxy(album);
    m_labels->RefreshList();
    CheckObjectShowMenu(nullptr);
}

void TObjectsPage::ClearObjectsTab()
{
    m_labels->ClearTab();
}

void TObjectsPage::RefreshObjects()
{
    m_labels->RefreshLabels();
}

void TObjectsPage::ShowObjects(int usage)
{
    m_labels->ShowLabels(usage);
}

void TObjectsPage::CheckObjectShowMenu(QAction* item)
{
    m_labels->CheckShowMenu(item);
}

void TObjectsPage::DeleteObjects(int usage)
{
    m_labels->DeleteLabels(usage);
}

void TObjectsPage::ApplyLanguage(const TLanguageSelector& t)
{
    ui->st_ObjectName->setText(t.MF[275]);
    ui->pb_AddObjects->setText(t.MF[276]);
    ui->pb_ReplaceObject->setText(t.MF[277]);
    ui->pb_DeleteObject->setText(t.MF[278]);
    ui->gb_AvailableObjects->setTitle(Padded(t.MF[279]));
    ui->pb_MergeObjects->setText(t.MF[280]);
    ui->btnShowObjects->setText(t.MF[405]);
    ui->btnRemoveObjects->setText(t.MF[406]);
    m_labels->ApplyLanguage(t);
}
