#include "app/ObjectsPage.h"

#include "app/Captions.h"
#include "app/ListDrawing.h"
#include "language/LanguageSelector.h"
#include "ui_TabObjects.h"

TObjectsPage::TObjectsPage(TAlbumSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , ui(std::make_unique<Ui::TabObjects>())
{
    ui->setupUi(this);
    ui->lb_AvailableObjects->setItemDelegate(new TPlainListItemDelegate(ui->lb_AvailableObjects));
}

TObjectsPage::~TObjectsPage() = default;

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
}
