// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/search/SearchPage.h"

#include "app/shared/AlbumActions.h"
#include "app/shared/AlbumSession.h"
#include "app/shared/Captions.h"
#include "app/shared/PageHost.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/LabelOrder.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"
#include "platform/TextUtil.h"
#include "ui_TabSearch.h"
#include "viewers/FormPhotoList.h"
#include "widgets/FittingRow.h"
#include "widgets/ReaderNames.h"

#include <QApplication>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace {

// Whether a row of a choice list was selected when the page last looked:
// a change of selection is a toggle of exactly the rows that differ.
constexpr int WasSelectedRole = Qt::UserRole;

void MarkRow(QListWidgetItem* item, bool selected)
{
    item->setSelected(selected);
    item->setData(WasSelectedRole, selected);
}

void RemoveFirstRow(QListWidget* list, const QString& text)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == text) {
            delete list->takeItem(row);
            return;
        }
    }
}

} // namespace

TSearchPage::TSearchPage(TAlbumSession& session, TAlbumActions& actions, TPageHost& host, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TabSearch>())
    , m_session(session)
    , m_actions(actions)
    , m_host(host)
{
    ui->setupUi(this);
    // Typing is limited; text set by code is not cut.
    ui->eb_YearSearch->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,4}")), ui->eb_YearSearch));

    connect(ui->lb_ObjectsToSearchFor, &QListWidget::itemSelectionChanged, this, [this] {
        if (TAlbum* album = m_session.Album())
            ToggleSearchItem(
                ui->lb_ObjectsToSearchFor, ui->lb_SelectedObjectsToSearchFor, album->GetObjects());
    });
    connect(ui->lb_EventsToSearchFor, &QListWidget::itemSelectionChanged, this, [this] {
        if (TAlbum* album = m_session.Album())
            ToggleSearchItem(ui->lb_EventsToSearchFor, ui->lb_SelectedEventsToSearchFor, album->GetEvents());
    });
    connect(
        ui->bt_ClearSelectedObjects, &QPushButton::clicked, this, &TSearchPage::bt_ClearSelectedObjectsClick);
    connect(
        ui->bt_ClearSelectedEvents, &QPushButton::clicked, this, &TSearchPage::bt_ClearSelectedEventsClick);
    connect(ui->chb_YearSearch, &QCheckBox::toggled, this, &TSearchPage::chb_YearSearchClick);
    connect(ui->chb_Description, &QCheckBox::toggled, this, &TSearchPage::chb_DescriptionClick);
    connect(ui->chb_FilePath, &QCheckBox::toggled, this, &TSearchPage::chb_FilePathClick);
    connect(ui->pb_SearchForPhotos, &QPushButton::clicked, this, &TSearchPage::pb_SearchForPhotosClick);
    connect(ui->pb_ButtonResetSearchsettings, &QPushButton::clicked, this,
        &TSearchPage::pb_ButtonResetSearchsettingsClick);
    connect(&m_session, &TAlbumSession::AlbumClosed, this, &TSearchPage::ClearSearchLists);

    m_choiceGroups = new TFittingRow(ui->pnlObjectEventChoices);

    CriterionBoxClick(ui->chb_YearSearch, ui->eb_YearSearch);
    CriterionBoxClick(ui->chb_Description, ui->eb_DescriptionKeyWords);
    CriterionBoxClick(ui->chb_FilePath, ui->eb_FilePathKeyWord);
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
    // Each button carries the text of the search it runs.
    ui->rb_AtLeastOneObject->setText(t.MF[298]);
    ui->rb_AllObjects->setText(t.MF[299]);
    ui->gb_ObjectsEvents->setTitle(Padded(t.MF[300]));
    ui->rb_ObjectsOrEvents->setText(t.MF[301]);
    ui->rb_ObjectsAndEvents->setText(t.MF[302]);
    ui->pb_SearchForPhotos->setText(t.MF[303]);
    ui->pb_ButtonResetSearchsettings->setText(t.MF[304]);
    ui->bt_ClearSelectedObjects->setText(t.MF[305]);
    ui->bt_ClearSelectedEvents->setText(t.MF[306]);
    NameViewsAfterTheirLabels(this);
    // Each edit is named by the check box before it, which no label can be.
    SetReaderName(ui->eb_YearSearch, t.MF[294]);
    SetReaderName(ui->eb_DescriptionKeyWords, t.MF[295]);
    SetReaderName(ui->eb_FilePathKeyWord, t.MF[296]);
    m_choiceGroups->Arrange();
}

void TSearchPage::ts_SearchEnter()
{
    if (TAlbum* album = m_session.Album()) {
        FillSearchList(ui->lb_ObjectsToSearchFor, ui->lb_SelectedObjectsToSearchFor, album->GetObjects());
        FillSearchList(ui->lb_EventsToSearchFor, ui->lb_SelectedEventsToSearchFor, album->GetEvents());
    }
    chb_YearSearchClick();
    chb_DescriptionClick();
    chb_FilePathClick();
}

void TSearchPage::FillSearchList(QListWidget* choiceList, QListWidget* chosenList, TEntityList& entities)
{
    const QSignalBlocker blocker(choiceList);
    choiceList->clear();
    chosenList->clear();
    QList<const TEntity*> labels;
    for (int i = 0; i < entities.Count(); ++i)
        labels.append(entities.ItemAt(i));
    SortLabels(labels, [](const TEntity* each) { return each->GetName(); });
    for (const TEntity* entity : std::as_const(labels)) {
        auto* item = new QListWidgetItem(entity->GetName(), choiceList);
        MarkRow(item, entity->IsSelected());
        if (entity->IsSelected())
            chosenList->addItem(entity->GetName());
    }
}

void TSearchPage::ToggleSearchItem(QListWidget* choiceList, QListWidget* chosenList, TEntityList& entities)
{
    for (int row = 0; row < choiceList->count(); ++row) {
        QListWidgetItem* item = choiceList->item(row);
        const bool selected = item->isSelected();
        if (selected == item->data(WasSelectedRole).toBool())
            continue;
        item->setData(WasSelectedRole, selected);
        TEntity* entity = entities.ItemAt(entities.IndexOfName(item->text()));
        if (!entity)
            continue;
        if (selected) {
            entity->Select();
            InsertLabelRow(chosenList, item->text());
        } else {
            entity->Deselect();
            RemoveFirstRow(chosenList, item->text());
        }
    }
}

void TSearchPage::ClearSearchSelection(
    QListWidget* choiceList, QListWidget* chosenList, TEntityList& entities)
{
    const QSignalBlocker blocker(choiceList);
    for (int i = 0; i < chosenList->count(); ++i) {
        const QString name = chosenList->item(i)->text();
        if (TEntity* entity = entities.ItemAt(entities.IndexOfName(name)))
            entity->Deselect();
        for (int row = 0; row < choiceList->count(); ++row) {
            QListWidgetItem* item = choiceList->item(row);
            if (item->text() == name && item->isSelected()) {
                MarkRow(item, false);
                break;
            }
        }
    }
    chosenList->clear();
    choiceList->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void TSearchPage::bt_ClearSelectedObjectsClick()
{
    if (TAlbum* album = m_session.Album())
        ClearSearchSelection(
            ui->lb_ObjectsToSearchFor, ui->lb_SelectedObjectsToSearchFor, album->GetObjects());
}

void TSearchPage::bt_ClearSelectedEventsClick()
{
    if (TAlbum* album = m_session.Album())
        ClearSearchSelection(ui->lb_EventsToSearchFor, ui->lb_SelectedEventsToSearchFor, album->GetEvents());
}

QStringList TSearchPage::SelectedItems(const QListWidget* listBox)
{
    QStringList names;
    for (int row = 0; row < listBox->count(); ++row)
        if (listBox->item(row)->isSelected())
            names << listBox->item(row)->text();
    return names;
}

void TSearchPage::CriterionBoxClick(QCheckBox* box, QLineEdit* edit)
{
    const bool ticked = box->isChecked();
    edit->setReadOnly(!ticked);
    QPalette palette = QApplication::palette(edit);
    if (!ticked) {
        palette.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
        palette.setColor(QPalette::Text, Qt::black);
    }
    edit->setPalette(palette);
    if (ticked)
        edit->setFocus();
}

void TSearchPage::chb_YearSearchClick()
{
    CriterionBoxClick(ui->chb_YearSearch, ui->eb_YearSearch);
}

void TSearchPage::chb_DescriptionClick()
{
    CriterionBoxClick(ui->chb_Description, ui->eb_DescriptionKeyWords);
}

void TSearchPage::chb_FilePathClick()
{
    CriterionBoxClick(ui->chb_FilePath, ui->eb_FilePathKeyWord);
}

unsigned char TSearchPage::SearchOptions() const
{
    unsigned char options
        = ui->rb_ObjectsAndEvents->isChecked() ? TSearchEngine::OptAnd : TSearchEngine::OptOr;
    if (ui->chb_YearSearch->isChecked())
        options |= TSearchEngine::OptYear;
    if (ui->chb_Description->isChecked())
        options |= TSearchEngine::OptDescription;
    if (ui->chb_FilePath->isChecked())
        options |= TSearchEngine::OptPath;
    return options;
}

unsigned char TSearchPage::AllObjects() const
{
    return ui->rb_AtLeastOneObject->isChecked() ? 0 : 1;
}

bool TSearchPage::CriteriaComplete()
{
    const TLanguageSelector& t = *Language();
    const struct {
        QCheckBox* box;
        QLineEdit* edit;
        int text;
    } criteria[] = {
        { ui->chb_YearSearch, ui->eb_YearSearch, 75 },
        { ui->chb_Description, ui->eb_DescriptionKeyWords, 77 },
        { ui->chb_FilePath, ui->eb_FilePathKeyWord, 79 },
    };
    for (const auto& criterion : criteria) {
        if (criterion.box->isChecked() && Text::Trim(criterion.edit->text()).isEmpty()) {
            ShowMessageBox(t.MF[criterion.text], t.MF[criterion.text + 1], MessageBoxFlags::IconWarning);
            return false;
        }
    }
    return true;
}

void TSearchPage::pb_SearchForPhotosClick()
{
    // A long operation pumping events may be changing the album.
    TAlbum* album = m_session.Album();
    if (!album || TBusyGuard::IsBusy() || !CriteriaComplete())
        return;
    const auto criterion = [](const QCheckBox* box, const QLineEdit* edit) {
        return box->isChecked() ? Text::Trim(edit->text()) : QString();
    };
    QStringList results;
    const bool found = m_engine.Search(*album, SelectedItems(ui->lb_ObjectsToSearchFor),
        SelectedItems(ui->lb_EventsToSearchFor), criterion(ui->chb_YearSearch, ui->eb_YearSearch),
        criterion(ui->chb_Description, ui->eb_DescriptionKeyWords),
        criterion(ui->chb_FilePath, ui->eb_FilePathKeyWord), AllObjects(), SearchOptions(), results);

    QString newAlbum;
    if (found) {
        TFormPhotoList window(this->window(), m_host.PhotoWindows(), m_host.Settings(), *album, results,
            TFormPhotoList::TNewAlbumQuestion::Ask);
        window.exec();
        newAlbum = window.GetNewAlbumFile();
    } else {
        const TLanguageSelector& t = *Language();
        ShowMessageBox(t.MF[81], t.MF[82], MessageBoxFlags::IconWarning);
    }
    if (!newAlbum.isEmpty() && m_actions.OpenFoundAlbum(newAlbum))
        emit FoundAlbumOpened();
}

void TSearchPage::pb_ButtonResetSearchsettingsClick()
{
    ui->chb_YearSearch->setChecked(false);
    ui->eb_YearSearch->clear();
    ui->chb_Description->setChecked(false);
    ui->eb_DescriptionKeyWords->clear();
    chb_YearSearchClick();
    chb_DescriptionClick();
    for (QListWidget* list : { ui->lb_ObjectsToSearchFor, ui->lb_EventsToSearchFor }) {
        const QSignalBlocker blocker(list);
        for (int row = 0; row < list->count(); ++row)
            MarkRow(list->item(row), false);
    }
    ui->lb_SelectedObjectsToSearchFor->clear();
    ui->lb_SelectedEventsToSearchFor->clear();
    ui->rb_AtLeastOneObject->setChecked(true);
    ui->rb_ObjectsOrEvents->setChecked(true);
    if (TAlbum* album = m_session.Album()) {
        for (TEntityList* labels : { &album->GetObjects(), &album->GetEvents() })
            for (int i = 0; i < labels->Count(); ++i)
                labels->ItemAt(i)->Deselect();
    }
}

void TSearchPage::ClearSearchLists()
{
    for (QListWidget* list : { ui->lb_ObjectsToSearchFor, ui->lb_SelectedObjectsToSearchFor,
             ui->lb_EventsToSearchFor, ui->lb_SelectedEventsToSearchFor }) {
        const QSignalBlocker blocker(list);
        list->clear();
    }
}
