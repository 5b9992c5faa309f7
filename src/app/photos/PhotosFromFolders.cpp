// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotosFromFolders.h"

#include "app/photos/AlbumPhotoList.h"
#include "app/photos/PhotoFileList.h"
#include "common/BusyGuard.h"
#include "common/DialogService.h"
#include "common/FolderScanControls.h"
#include "common/Tfm_SelectdirectoryWindow.h"
#include "common/Tfm_StatusWindow.h"
#include "language/LanguageSelector.h"
#include "platform/FileRoutines.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "ui_TabPhotos.h"
#include "widgets/FolderTree.h"

#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <memory>
#include <optional>

namespace {

// A file that was tried and not converted is said so: a picture that does not
// decode and a target that is there already are both left alone silently otherwise.
QString WithFailedConversions(QString message, qsizetype failed)
{
    if (failed > 0)
        message += u' ' + Text::Format(Language()->MF[126], { qint64(failed) });
    return message;
}

} // namespace

// During a recursive run Stop can be pressed and the recursive entry cannot
// be chosen again; both come back however the run ends.
class TPhotosFromFolders::TRecursiveRun {
public:
    explicit TRecursiveRun(TPhotosFromFolders& page)
        : m_page(page)
    {
        m_page.ui.pb_StopPhotoSearching->setEnabled(true);
        m_page.pmiUsePhotosRecursiveInThisFolder->setEnabled(false);
    }
    ~TRecursiveRun()
    {
        m_page.ui.pb_StopPhotoSearching->setEnabled(false);
        m_page.pmiUsePhotosRecursiveInThisFolder->setEnabled(true);
    }
    TRecursiveRun(const TRecursiveRun&) = delete;
    TRecursiveRun& operator=(const TRecursiveRun&) = delete;

private:
    TPhotosFromFolders& m_page;
};

TPhotosFromFolders::TPhotosFromFolders(Ui::TabPhotos& form, TAlbumPhotoList& albumPhotos, QWidget* page)
    : QObject()
    , ui(form)
    , m_albumPhotos(albumPhotos)
    , m_page(page)
    , ppmProcessAllPhotos(new QMenu(page))
    , pmiUsePhotosInThisFolder(ppmProcessAllPhotos->addAction(QString()))
    , pmiUsePhotosRecursiveInThisFolder(ppmProcessAllPhotos->addAction(QString()))
{
    ppmProcessAllPhotos->setObjectName(QStringLiteral("ppmProcessAllPhotos"));
    pmiUsePhotosInThisFolder->setObjectName(QStringLiteral("pmiUsePhotosInThisFolder"));
    pmiUsePhotosRecursiveInThisFolder->setObjectName(QStringLiteral("pmiUsePhotosRecursiveInThisFolder"));

    ui.lsbPhotos->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui.pb_StopPhotoSearching->setEnabled(false);
    for (QLineEdit* field : { ui.eb_SearchingPhotoFolder, ui.eb_FilesSearched, ui.eb_PhotosDone })
        field->setReadOnly(true);
    ui.ud_JPGQuality->setRange(0, 100);
    ui.ud_JPGQuality->setValue(100);
    ui.eb_JPGQuality->setText(QStringLiteral("100"));
    ui.eb_JPGQuality->installEventFilter(this);

    connect(ui.stvPhotoFolders, &TFolderTree::FolderChanged, this, &TPhotosFromFolders::ListPhotoFiles);
    connect(ui.filter_Photos, &QComboBox::activated, this, &TPhotosFromFolders::filter_PhotosChange);
    connect(ui.pb_Refresh, &QPushButton::clicked, this, &TPhotosFromFolders::pb_RefreshClick);
    connect(ui.pb_AddPhoto, &QPushButton::clicked, this, &TPhotosFromFolders::pb_AddPhotoClick);
    connect(ui.pb_AddAllPhotos, &QPushButton::clicked, this, &TPhotosFromFolders::pb_AddAllPhotosClick);
    connect(ui.pb_StopPhotoSearching, &QPushButton::clicked, this,
        &TPhotosFromFolders::pb_StopPhotoSearchingClick);
    connect(ui.pb_ConvertPhoto, &QPushButton::clicked, this, &TPhotosFromFolders::pb_ConvertPhotoClick);
    connect(
        ui.pb_ConvertAllPhotos, &QPushButton::clicked, this, &TPhotosFromFolders::pb_ConvertAllPhotosClick);
    connect(pmiUsePhotosInThisFolder, &QAction::triggered, this,
        &TPhotosFromFolders::pmiUsePhotosInThisFolderClick);
    connect(pmiUsePhotosRecursiveInThisFolder, &QAction::triggered, this,
        &TPhotosFromFolders::pmiUsePhotosRecursiveInThisFolderClick);
    connect(ui.ud_JPGQuality, &QSpinBox::valueChanged, this, &TPhotosFromFolders::ui_JPGQualityChanged);
    connect(ui.eb_JPGQuality, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (ok && value >= ui.ud_JPGQuality->minimum() && value <= ui.ud_JPGQuality->maximum()) {
            const QSignalBlocker block(ui.ud_JPGQuality);
            ui.ud_JPGQuality->setValue(value);
        }
    });
}

TPhotosFromFolders::~TPhotosFromFolders() = default;

void TPhotosFromFolders::ApplyLanguage(const TLanguageSelector& texts)
{
    pmiUsePhotosRecursiveInThisFolder->setText(texts.MF[226]);
    pmiUsePhotosInThisFolder->setText(texts.MF[227]);
}

void TPhotosFromFolders::ui_JPGQualityChanged(int value)
{
    ui.eb_JPGQuality->setText(QString::number(value));
}

bool TPhotosFromFolders::eventFilter(QObject* watched, QEvent* event)
{
    // eb_JPGQualityKeyPress: only characters are judged; editing and
    // navigation keys pass.
    if (watched == ui.eb_JPGQuality && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() == 1 && (typed.front() >= u' ' || typed.front() == u'\b')
            && !PhotoFiles::JpgQualityKeyAllowed(typed.front(), int(ui.eb_JPGQuality->text().size())))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void TPhotosFromFolders::ListPhotoFiles()
{
    ui.lsbPhotos->clear();
    QString masks = ui.filter_Photos->currentData().toString();
    if (masks.isEmpty() && ui.filter_Photos->currentIndex() < 0)
        masks = QStringLiteral("*.") + PhotoFiles::GetImageExtensions().join(QStringLiteral(";*."));
    ui.lsbPhotos->addItems(
        PhotoFiles::ListPhotoFiles(ui.stvPhotoFolders->Folder(), PhotoFiles::FilterExtensions(masks)));
}

void TPhotosFromFolders::filter_PhotosChange()
{
    ListPhotoFiles();
}

void TPhotosFromFolders::pb_RefreshClick()
{
    ListPhotoFiles();
}

QStringList TPhotosFromFolders::ListedPaths(bool selectedOnly) const
{
    const QString folder = Paths::IncludeTrailingSeparator(ui.stvPhotoFolders->Folder());
    QStringList paths;
    for (int row = 0; row < ui.lsbPhotos->count(); ++row) {
        const QListWidgetItem* item = ui.lsbPhotos->item(row);
        // One spelling per photo, so that a folder reached as "a//b/" or
        // "a/./b" does not bring a photo of the album in a second time.
        if (!selectedOnly || item->isSelected())
            paths.append(Paths::AbsoluteClean(folder + item->text()));
    }
    return paths;
}

template <class Work>
void TPhotosFromFolders::RunOver(
    const QStringList& paths, const QString& subject, bool alwaysWindow, Work work)
{
    std::unique_ptr<Tfm_StatusWindow> window;
    std::optional<TWaitCursor> wait;
    if (alwaysWindow || paths.size() > ProgressWindowThreshold) {
        window = std::make_unique<Tfm_StatusWindow>();
        window->SetSubject(subject);
        window->SetRange(0, int(paths.size()));
        window->ShowCentered();
    } else {
        wait.emplace(*this);
    }
    for (const QString& path : paths) {
        if (window)
            window->SetObject(path);
        work(path);
        if (window) {
            window->Step();
            window->ProcessEvents();
            if (window->IsCancelled())
                break;
        }
    }
}

void TPhotosFromFolders::pb_AddPhotoClick()
{
    const TLanguageSelector& t = *Language();
    const QStringList paths = ListedPaths(true);
    if (paths.isEmpty()) {
        ShowMessageBox(t.MF[41], t.MF[42], MessageBoxFlags::IconWarning);
        return;
    }
    int count = 0;
    for (const QString& path : paths) {
        if (m_albumPhotos.AddPhotoToAlbum(path, -1))
            ++count;
    }
    ShowMessageBox(Text::Format(t.MF[43], { count }), t.MF[44], MessageBoxFlags::IconInformation);
}

void TPhotosFromFolders::pb_AddAllPhotosClick()
{
    m_folderAction = AddFolderAction;
    ppmProcessAllPhotos->popup(ui.pb_AddAllPhotos->mapToGlobal(QPoint(0, ui.pb_AddAllPhotos->height())));
}

void TPhotosFromFolders::pb_ConvertAllPhotosClick()
{
    m_folderAction = ConvertFolderAction;
    ClampJPGQuality();
    ppmProcessAllPhotos->popup(
        ui.pb_ConvertAllPhotos->mapToGlobal(QPoint(0, ui.pb_ConvertAllPhotos->height())));
}

void TPhotosFromFolders::pmiUsePhotosInThisFolderClick()
{
    if (m_folderAction == AddFolderAction)
        AddPhotosInFolder();
    else
        ConvertPhotosInFolder();
}

void TPhotosFromFolders::pmiUsePhotosRecursiveInThisFolderClick()
{
    if (m_folderAction == AddFolderAction)
        AddPhotosRecursive();
    else
        ConvertPhotosRecursive();
}

void TPhotosFromFolders::pb_StopPhotoSearchingClick()
{
    FolderScanStopped = true;
}

void TPhotosFromFolders::AddPhotosInFolder()
{
    const TBusyGuard busy;
    if (!busy)
        return;
    const TLanguageSelector& t = *Language();
    int count = 0;
    RunOver(ListedPaths(false), t.MF[118], false, [&](const QString& path) {
        if (QFileInfo::exists(path) && m_albumPhotos.AddPhotoToAlbum(path, -1))
            ++count;
    });
    ShowMessageBox(Text::Format(t.MF[119], { count }), t.MF[120], MessageBoxFlags::IconInformation);
    m_albumPhotos.PhotosAdded();
}

QStringList TPhotosFromFolders::ScanFolderTree()
{
    QStringList found;
    const QString folder = ui.stvPhotoFolders->Folder();
    // An empty folder would make the scan start at the file-system root.
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return found;
    const TWaitCursor wait(*this);
    TFolderScanControls controls(nullptr, ui.eb_SearchingPhotoFolder, ui.eb_FilesSearched, ui.eb_PhotosDone);
    StartFolderScan(Paths::AbsoluteClean(folder), PhotoFiles::GetImageExtensions(), &found, &controls, true);
    return found;
}

// Scans the chosen folder tree and runs work over every photo found; the
// number done goes to the counter and the returned pair is (done, found).
template <class Work>
std::pair<int, qsizetype> TPhotosFromFolders::RunOverFolderTree(
    const QString& subject, bool alwaysWindow, Work work)
{
    int count = 0;
    qsizetype found = 0;
    {
        const TRecursiveRun run(*this);
        const QStringList paths = ScanFolderTree();
        found = paths.size();
        RunOver(paths, subject, alwaysWindow, [&](const QString& path) {
            if (QFileInfo::exists(path) && work(path))
                ++count;
        });
    }
    ui.eb_PhotosDone->setText(QString::number(count));
    return { count, found };
}

void TPhotosFromFolders::AddPhotosRecursive()
{
    const TBusyGuard busy;
    if (!busy)
        return;
    const TLanguageSelector& t = *Language();
    const auto [count, found] = RunOverFolderTree(t.MF[118], false, [&](const QString& path) {
        // The program's own thumbnails are no photos of their own.
        return !PhotoFiles::IsInThumbnailFolder(path) && m_albumPhotos.AddPhotoToAlbum(path, -1);
    });
    QString message = Text::Format(t.MF[124], { count });
    if (found - count > 0)
        message += u' ' + Text::Format(t.MF[123], { qint64(found - count) });
    ShowMessageBox(message, t.MF[120], MessageBoxFlags::IconInformation);
    m_albumPhotos.PhotosAdded();
}

void TPhotosFromFolders::ClampJPGQuality()
{
    const QString text = ui.eb_JPGQuality->text();
    const QString clamped = PhotoFiles::ClampJpgQualityText(text);
    if (clamped != text)
        ui.eb_JPGQuality->setText(clamped);
}

int TPhotosFromFolders::JPGQuality() const
{
    return PhotoFiles::JpgQualityFromText(ui.eb_JPGQuality->text());
}

bool TPhotosFromFolders::ChooseConvertFolder(bool explain)
{
    if (explain)
        ShowMessage(Language()->MF[417]);
    QString folder = m_convertFolder;
    if (!ChooseFolderWithWindow(m_page->window(), folder))
        return false;
    m_convertFolder = folder;
    return true;
}

bool TPhotosFromFolders::Convert(const QString& path)
{
    return PhotoFiles::ConvertToJPG(path, m_convertFolder, JPGQuality())
        == PhotoFiles::TConvertResult::Converted;
}

void TPhotosFromFolders::pb_ConvertPhotoClick()
{
    const TLanguageSelector& t = *Language();
    const QStringList paths = ListedPaths(true);
    if (paths.isEmpty()) {
        ShowMessageBox(t.MF[41], t.MF[42], MessageBoxFlags::IconWarning);
        return;
    }
    const TBusyGuard busy;
    if (!busy || !ChooseConvertFolder(true))
        return;
    int count = 0;
    int tried = 0;
    RunOver(paths, t.MF[121], false, [&](const QString& path) {
        ++tried;
        if (Convert(path))
            ++count;
    });
    ShowMessageBox(WithFailedConversions(Text::Format(t.MF[188], { count }), tried - count), t.MF[189],
        MessageBoxFlags::IconInformation);
}

void TPhotosFromFolders::ConvertPhotosInFolder()
{
    const TBusyGuard busy;
    if (!busy)
        return;
    ClampJPGQuality();
    if (!ChooseConvertFolder(true))
        return;
    const TLanguageSelector& t = *Language();
    int count = 0;
    int tried = 0;
    RunOver(ListedPaths(false), t.MF[121], true, [&](const QString& path) {
        // A file gone since it was listed is skipped, not failed.
        if (!QFileInfo::exists(path))
            return;
        ++tried;
        if (Convert(path))
            ++count;
    });
    ShowMessageBox(WithFailedConversions(Text::Format(t.MF[122], { count, m_convertFolder }), tried - count),
        t.MF[120], MessageBoxFlags::IconInformation);
}

void TPhotosFromFolders::ConvertPhotosRecursive()
{
    const TBusyGuard busy;
    if (!busy || !ChooseConvertFolder(false))
        return;
    const TLanguageSelector& t = *Language();
    const auto [count, found]
        = RunOverFolderTree(t.MF[125], true, [&](const QString& path) { return Convert(path); });
    ShowMessageBox(WithFailedConversions(Text::Format(t.MF[127], { count, m_convertFolder }), found - count),
        t.MF[120], MessageBoxFlags::IconInformation);
}
