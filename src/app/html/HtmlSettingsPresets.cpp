// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/html/HtmlSettingsPresets.h"

#include "app/html/HtmlBackground.h"
#include "app/html/HtmlOptions.h"
#include "app/html/HtmlStepReporter.h"
#include "app/shared/PageHost.h"
#include "common/DialogService.h"
#include "common/GridSort.h"
#include "language/LanguageSelector.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/SectionList.h"
#include "platform/TextUtil.h"
#include "ui_TabHTML.h"

#include <QHeaderView>
#include <QPainter>
#include <QScopeGuard>
#include <QStyledItemDelegate>

namespace {

const QString BaseName = QStringLiteral("HtmlSettings");
const QString SortKey = QStringLiteral("IndexSortedColumn");
const QString NameKey = QStringLiteral("Name");
const QString TypeKey = QStringLiteral("Type");

const QColor SelectedCell(32, 118, 213);
const QColor Cream(255, 251, 240);

// Every cell drawn alike: filled, its text 2 pixels in from the top-left corner.
class TPresetCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, selected ? SelectedCell : QColor(Qt::white));
        painter->setPen(selected ? Qt::white : Qt::black);
        painter->setFont(option.font);
        const QRect text = option.rect.adjusted(2, 2, 0, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    }
};

QString TrueFalse(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void SelectComboText(QComboBox* combo, const QString& text)
{
    // A value the list does not offer would leave no size at all.
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

QString BoolError(const QString& text)
{
    return Text::Format(QStringLiteral("'%s' is not a valid boolean value"), { text });
}

} // namespace

THtmlSettingsPresets::THtmlSettingsPresets(Ui::TabHTML& form, TPageHost& host, THtmlOptions& options,
    THtmlBackground& background, THtmlStepReporter& progress, QObject* parent)
    : QObject(parent)
    , ui(form)
    , m_host(host)
    , m_options(options)
    , m_background(background)
    , m_progress(progress)
{
    QTableWidget* grid = ui.sgdHTMLSettings;
    grid->setColumnCount(ColumnCount);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setShowGrid(true);
    grid->setSortingEnabled(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(18);
    grid->horizontalHeader()->setSectionsClickable(true);
    // The title row is drawn alike for every column, whatever row is selected.
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(255, 251, 240); color: black; }"));
    grid->setItemDelegate(new TPresetCellDelegate(grid));
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, Cream);
    grid->setPalette(palette);

    connect(grid, &QTableWidget::cellClicked, this, &THtmlSettingsPresets::sgdHTMLSettingsClick);
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this] {
        if (ui.bt_UseSelectedHTMLSettings->isEnabled())
            bt_UseSelectedHTMLSettingsClick();
    });
    connect(
        grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &THtmlSettingsPresets::SortByColumn);
    connect(ui.bt_UseSelectedHTMLSettings, &QPushButton::clicked, this,
        &THtmlSettingsPresets::bt_UseSelectedHTMLSettingsClick);
    connect(ui.bt_RemoveLastSavedHTMLSettings, &QPushButton::clicked, this,
        &THtmlSettingsPresets::bt_RemoveLastSavedHTMLSettingsClick);
    connect(ui.bt_SaveCurrentHTMLSettings, &QPushButton::clicked, this,
        &THtmlSettingsPresets::SaveHTMLSettingsAs);
}

THtmlSettingsPresets::~THtmlSettingsPresets() = default;

std::unique_ptr<TSectionList> THtmlSettingsPresets::Presets() const
{
    IniFile* ini = m_host.Settings();
    return ini ? std::make_unique<TSectionList>(*ini, BaseName) : nullptr;
}

QString THtmlSettingsPresets::BoolTextToYesNo(const QString& value)
{
    const TLanguageSelector& t = *Language();
    return value == QLatin1String("true") ? t.MF[174] : t.MF[175];
}

std::optional<bool> THtmlSettingsPresets::TextToBool(const QString& value)
{
    if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = Text::Trim(value).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number != 0;
}

void THtmlSettingsPresets::FillHTMLSettingsGrid()
{
    const TLanguageSelector& t = *Language();
    QTableWidget* grid = ui.sgdHTMLSettings;
    ui.bt_UseSelectedHTMLSettings->setEnabled(false);
    ui.bt_RemoveLastSavedHTMLSettings->setEnabled(false);

    const std::unique_ptr<TSectionList> presets = Presets();
    const int count = presets ? presets->GetCount() : 0;
    grid->clearContents();
    grid->setRowCount(count == 0 ? 1 : count);
    QStringList titles;
    for (int c = 0; c < ColumnCount; ++c)
        titles << t.MF[154 + c];
    grid->setHorizontalHeaderLabels(titles);

    for (int n = 1; n <= count; ++n) {
        const auto value = [&](const QString& key, const QString& def = QString()) {
            return presets->ReadValue(n, key, def);
        };
        QStringList albums;
        presets->ReadStrings(n, ui.lb_HTMLSelectedAlbums->objectName(), albums);
        for (QString& album : albums)
            album = Paths::NameWithoutExtension(album);
        const QString quality = value(ui.eb_Quality->objectName());
        const QString cells[ColumnCount] = {
            value(NameKey),
            Text::AsciiLower(albums.join(QStringLiteral(", "))),
            Text::AsciiLower(value(ui.eb_HTMLDirectory->objectName())),
            value(TypeKey, QStringLiteral("0")) == QLatin1String("0") ? t.MF[172] : t.MF[173],
            BoolTextToYesNo(
                Text::AsciiLower(value(ui.rb_ResizePhotos->objectName(), QStringLiteral("TRUE")))),
            value(ui.cb_HTMLPhotoWidth->objectName()),
            value(ui.cb_HTMLPhotoHeight->objectName()),
            value(ui.cb_HTMLThumbnailsWidth->objectName()),
            value(ui.cb_HTMLThumbnailsHeight->objectName()),
            value(ui.cb_HTMLThumbnailHorizontal->objectName()),
            value(ui.cb_HTMLThumbnailVertical->objectName()),
            Paths::ExtractFileName(value(ui.eb_BackGroundImagePath->objectName())),
            value(ui.eb_BackGroundColor->objectName()),
            value(ui.eb_title->objectName()),
            quality.isEmpty() ? QStringLiteral("50") : quality,
            BoolTextToYesNo(Text::AsciiLower(value(ui.chbLinkingToOriginalPhotos->objectName()))),
            Text::AsciiLower(value(ui.eb_CommonWebPath->objectName())),
            Text::AsciiLower(value(ui.eb_CommonLocalPath->objectName())),
        };
        for (int c = 0; c < ColumnCount; ++c)
            grid->setItem(n - 1, c, new QTableWidgetItem(cells[c]));
    }

    AutoSizeGridColumns(grid);
    const IniFile* ini = m_host.Settings();
    const int column = ini ? ini->ReadInteger(BaseName, SortKey, 0) : 0;
    if (column >= 0 && column < ColumnCount)
        SortGridByColumn(grid, titles.at(column));
    // Like every grid of the program, this one always has a current row.
    if (grid->currentRow() < 0 || grid->currentRow() >= grid->rowCount())
        grid->setCurrentCell(0, 0);
    sgdHTMLSettingsClick();
}

void THtmlSettingsPresets::sgdHTMLSettingsClick()
{
    const std::unique_ptr<TSectionList> presets = Presets();
    const bool preset = ui.sgdHTMLSettings->currentRow() >= 0 && presets && presets->GetCount() > 0;
    if (preset) {
        ui.bt_UseSelectedHTMLSettings->setEnabled(true);
        ui.bt_RemoveLastSavedHTMLSettings->setEnabled(true);
    }
}

void THtmlSettingsPresets::SortByColumn(int column)
{
    const QTableWidgetItem* title = ui.sgdHTMLSettings->horizontalHeaderItem(column);
    if (!title)
        return;
    SortGridByColumn(ui.sgdHTMLSettings, title->text());
    if (IniFile* ini = m_host.Settings())
        ini->WriteInteger(BaseName, SortKey, column);
}

QString THtmlSettingsPresets::CurrentName() const
{
    const QTableWidgetItem* cell = ui.sgdHTMLSettings->item(ui.sgdHTMLSettings->currentRow(), 0);
    return cell ? cell->text() : QString();
}

void THtmlSettingsPresets::SaveHTMLSettingsAs()
{
    const TLanguageSelector& t = *Language();
    QString name = m_lastName;
    if (!Dialogs().InputQuery(t.MF[178], t.MF[179], name))
        return;
    WriteHTMLSettings(name);
    m_lastName = name;
    FillHTMLSettingsGrid();

    QTableWidget* grid = ui.sgdHTMLSettings;
    int row = 0;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QTableWidgetItem* cell = grid->item(r, 0);
        if (cell && cell->text().compare(name, Qt::CaseInsensitive) == 0) {
            row = r;
            break;
        }
    }
    grid->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void THtmlSettingsPresets::WriteHTMLSettings(const QString& name)
{
    const std::unique_ptr<TSectionList> presets = Presets();
    if (!presets)
        return;
    const TLanguageSelector& t = *Language();
    int n = presets->Find(NameKey, name);
    if (n < 0) {
        n = presets->AddSection();
    } else if (ShowMessageBox(t.MF[152], t.MF[153], MessageBoxFlags::IconWarning | MessageBoxFlags::YesNo)
        != MessageResult::Yes) {
        return;
    }

    IniFile& ini = *m_host.Settings();
    ini.BeginUpdate();
    const auto done = qScopeGuard([&ini] { ini.EndUpdate(); });
    const auto write = [&](const QWidget* control, const QString& value) {
        presets->WriteValue(n, control->objectName(), value);
    };
    presets->WriteValue(n, NameKey, name);
    QStringList albums;
    for (int i = 0; i < ui.lb_HTMLSelectedAlbums->count(); ++i)
        albums << ui.lb_HTMLSelectedAlbums->item(i)->text();
    presets->WriteStrings(n, ui.lb_HTMLSelectedAlbums->objectName(), albums);
    write(ui.eb_HTMLDirectory, ui.eb_HTMLDirectory->text());
    presets->WriteValue(
        n, TypeKey, ui.rdbNavigateByImage->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
    write(ui.chbStartslideShowHTMLPages,
        ui.chbStartslideShowHTMLPages->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    write(ui.rb_ResizePhotos, TrueFalse(ui.rb_ResizePhotos->isChecked()));
    write(ui.rb_DontResizePhotosUseScrollBars, TrueFalse(ui.rb_DontResizePhotosUseScrollBars->isChecked()));
    for (const QComboBox* combo : { ui.cb_HTMLPhotoWidth, ui.cb_HTMLPhotoHeight, ui.cb_HTMLThumbnailsWidth,
             ui.cb_HTMLThumbnailsHeight, ui.cb_HTMLThumbnailHorizontal, ui.cb_HTMLThumbnailVertical })
        write(combo, combo->currentText());
    for (const QLineEdit* edit :
        { ui.eb_BackGroundImagePath, ui.eb_BackGroundColor, ui.eb_title, ui.eb_Quality })
        write(edit, edit->text());
    write(ui.chbLinkingToOriginalPhotos, TrueFalse(ui.chbLinkingToOriginalPhotos->isChecked()));
    write(ui.eb_CommonWebPath, ui.eb_CommonWebPath->text());
    write(ui.eb_CommonLocalPath, ui.eb_CommonLocalPath->text());
}

bool THtmlSettingsPresets::Restore(const TSectionList& presets, int n, QString& error)
{
    const auto value = [&](const QWidget* control, const QString& def = QString()) {
        return presets.ReadValue(n, control->objectName(), def);
    };
    const auto boolean = [&](const QWidget* control, const QString& def) -> std::optional<bool> {
        const QString text = value(control, def);
        const std::optional<bool> result = TextToBool(text);
        if (!result)
            error = BoolError(text);
        return result;
    };

    QStringList albums;
    presets.ReadStrings(n, ui.lb_HTMLSelectedAlbums->objectName(), albums);
    ui.lb_HTMLSelectedAlbums->clear();
    ui.lb_HTMLSelectedAlbums->addItems(albums);
    ui.eb_HTMLDirectory->setText(value(ui.eb_HTMLDirectory));
    const bool photoByPhoto = presets.ReadValue(n, TypeKey, QStringLiteral("0")) == QLatin1String("0");
    ui.rdbNavigateByImage->setChecked(photoByPhoto);
    ui.rdbNavigateByImageAndThumbnails->setChecked(!photoByPhoto);
    ui.chbStartslideShowHTMLPages->setChecked(
        value(ui.chbStartslideShowHTMLPages, QStringLiteral("0")) != QLatin1String("0"));

    const std::optional<bool> resize = boolean(ui.rb_ResizePhotos, QStringLiteral("TRUE"));
    if (!resize)
        return false;
    const std::optional<bool> scrollBars
        = boolean(ui.rb_DontResizePhotosUseScrollBars, QStringLiteral("FALSE"));
    if (!scrollBars)
        return false;
    if (!*resize && *scrollBars)
        ui.rb_DontResizePhotosUseScrollBars->setChecked(true);
    else
        ui.rb_ResizePhotos->setChecked(true);
    // The framed site allows no scroll bars, whatever the preset says.
    m_options.EnableScrollbarOption(photoByPhoto);

    for (QComboBox* combo : { ui.cb_HTMLPhotoWidth, ui.cb_HTMLPhotoHeight, ui.cb_HTMLThumbnailsWidth,
             ui.cb_HTMLThumbnailsHeight, ui.cb_HTMLThumbnailHorizontal, ui.cb_HTMLThumbnailVertical })
        SelectComboText(combo, value(combo));
    for (QLineEdit* edit : { ui.eb_BackGroundImagePath, ui.eb_BackGroundColor, ui.eb_title })
        edit->setText(value(edit));
    // The track bar and the up-down follow the restored quality.
    m_options.SetQualityText(value(ui.eb_Quality));

    const QString linking = value(ui.chbLinkingToOriginalPhotos);
    if (linking.isEmpty()) {
        ui.chbLinkingToOriginalPhotos->setChecked(false);
    } else {
        const std::optional<bool> link = boolean(ui.chbLinkingToOriginalPhotos, QString());
        if (!link)
            return false;
        ui.chbLinkingToOriginalPhotos->setChecked(*link);
    }
    ui.eb_CommonWebPath->setText(value(ui.eb_CommonWebPath));
    ui.eb_CommonLocalPath->setText(value(ui.eb_CommonLocalPath));
    return true;
}

void THtmlSettingsPresets::bt_UseSelectedHTMLSettingsClick()
{
    // Whatever stops the restore, the progress rows start clean.
    const auto reset = qScopeGuard([this] { m_progress.ResetGenerationProgress(); });
    const std::unique_ptr<TSectionList> presets = Presets();
    const QString name = CurrentName();
    const int n = presets ? presets->Find(NameKey, name) : -1;
    QString error;
    bool restored = true;
    if (n >= 0)
        restored = Restore(*presets, n, error);
    if (restored) {
        m_lastName = name;
        ui.pc_HTMLSTEPS->setCurrentWidget(ui.ts_HTMLStep2);
        restored = m_background.ShowFromEdits(error);
        m_options.UpdateSizeCaption(*Language());
    }
    if (!restored)
        ShowMessageBox(error, Language()->Title, MessageBoxFlags::IconError);
}

void THtmlSettingsPresets::bt_RemoveLastSavedHTMLSettingsClick()
{
    const TLanguageSelector& t = *Language();
    if (ShowMessageBox(t.MF[176], t.MF[177], MessageBoxFlags::IconWarning | MessageBoxFlags::YesNo)
        != MessageResult::Yes)
        return;
    const std::unique_ptr<TSectionList> presets = Presets();
    const int n = presets ? presets->Find(NameKey, CurrentName()) : -1;
    if (n < 0)
        return;
    presets->DeleteSection(n);
    FillHTMLSettingsGrid();
}
