#include "app/labels/EventsPage.h"

#include "app/main/AlbumSession.h"
#include "app/main/Captions.h"
#include "app/labels/LabelTab.h"
#include "widgets/ListDrawing.h"
#include "language/LanguageSelector.h"
#include "ui_TabEvents.h"

TEventsPage::TEventsPage(TAlbumSession& session, TLabelTabHost& host, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , ui(std::make_unique<Ui::TabEvents>())
{
    ui->setupUi(this);
    ui->lb_AvailableEvents->setItemDelegate(new TPlainListItemDelegate(ui->lb_AvailableEvents));
    TLabelTabControls controls;
    controls.NameEdit = ui->eb_EventName;
    controls.ListBox = ui->lb_AvailableEvents;
    controls.AddButton = ui->pb_AddEvent;
    controls.RenameButton = ui->pb_ReplaceEvent;
    controls.DeleteButton = ui->pb_DeleteEvent;
    controls.ShowButton = ui->btnShowEvents;
    controls.RemoveButton = ui->btnRemoveEvents;
    controls.Merge1Edit = ui->eb_MergeEvent1;
    controls.Merge2Edit = ui->eb_MergeEvent2;
    controls.ResultEdit = ui->eb_MergeEventResult;
    controls.MergeButton = ui->pb_MergeEvents;
    m_labels = new TLabelTab(TLabelKind::Events, controls, session, host, this);
    connect(&session, &TAlbumSession::AlbumOpened, this, &TEventsPage::AlbumOpened);
    connect(&session, &TAlbumSession::AlbumClosed, this, &TEventsPage::ClearEventsTab);
}

TEventsPage::~TEventsPage() = default;

void TEventsPage::AlbumOpened(TAlbum& album)
{
    m_labels->CreateListProxy(album);
    m_labels->RefreshList();
    CheckEventShowMenu(nullptr);
}

void TEventsPage::ClearEventsTab()
{
    m_labels->ClearTab();
}

void TEventsPage::RefreshEvents()
{
    m_labels->RefreshLabels();
}

void TEventsPage::ShowEvents(int usage)
{
    m_labels->ShowLabels(usage);
}

void TEventsPage::CheckEventShowMenu(QAction* item)
{
    m_labels->CheckShowMenu(item);
}

void TEventsPage::DeleteEvents(int usage)
{
    m_labels->DeleteLabels(usage);
}

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
    m_labels->ApplyLanguage(t);
}
