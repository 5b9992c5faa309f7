#include "app/EventsPage.h"

#include "app/Captions.h"
#include "app/ListDrawing.h"
#include "language/LanguageSelector.h"
#include "ui_TabEvents.h"

TEventsPage::TEventsPage(TAlbumSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , ui(std::make_unique<Ui::TabEvents>())
{
    ui->setupUi(this);
    ui->lb_AvailableEvents->setItemDelegate(new TPlainListItemDelegate(ui->lb_AvailableEvents));
}

TEventsPage::~TEventsPage() = default;

void TEventsPage::ApplyLanguage(const TLanguageSelector& t)
{
    ui->st_EventName->setText(t.MF[282]);
    ui->pb_AddEvent->setText(t.MF[283]);
    ui->pb_ReplaceEvent->setText(t.MF[284]);
    ui->pb_DeleteEvent->setText(t.MF[285]);
    ui->gb_AvailableEvents->setTitle(Padded(t.MF[286]));
    ui->pb_MergeEvents->setText(t.MF[287]);
    ui->btnShowEvents->setText(t.MF[405]);
    ui->btnRemoveEvents->setText(t.MF[406]);
}
