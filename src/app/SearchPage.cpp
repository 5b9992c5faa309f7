#include "app/SearchPage.h"

#include "app/Captions.h"
#include "language/LanguageSelector.h"
#include "ui_TabSearch.h"

TSearchPage::TSearchPage(TAlbumSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , ui(std::make_unique<Ui::TabSearch>())
{
    ui->setupUi(this);
}

TSearchPage::~TSearchPage() = default;

void TSearchPage::ApplyLanguage(const TLanguageSelector& t)
{
    ui->gb_SearchConditions->setTitle(Padded(t.MF[289]));
    ui->st_ObjectsToSearchFor->setText(Spaced(t.MF[290]));
    ui->st_SelectedObjectsToSearchFor->setText(Spaced(t.MF[291]));
    ui->st_EventsToSearchFor->setText(Spaced(t.MF[292]));
    ui->st_SelectedEventsToSearchFor->setText(Spaced(t.MF[293]));
    ui->chb_YearSearch->setText(t.MF[294]);
    ui->chb_Description->setText(t.MF[295]);
    ui->chb_FilePath->setText(t.MF[296]);
    ui->gb_HowManyObjects->setTitle(Padded(t.MF[297]));
    ui->rb_AtLeastOneObject->setText(t.MF[299]);
    ui->rb_AllObjects->setText(t.MF[298]);
    ui->gb_ObjectsEvents->setTitle(Padded(t.MF[300]));
    ui->rb_ObjectsOrEvents->setText(t.MF[301]);
    ui->rb_ObjectsAndEvents->setText(t.MF[302]);
    ui->pb_SearchForPhotos->setText(t.MF[303]);
    ui->pb_ButtonResetSearchsettings->setText(t.MF[304]);
    ui->bt_ClearSelectedObjects->setText(t.MF[305]);
    ui->bt_ClearSelectedEvents->setText(t.MF[306]);
}
