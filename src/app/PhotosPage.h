#pragma once
// The Photos tab: the photo-information panel above the inner pages for
// available photos, the album's photos, thumbnails and the slide show.
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class TabPhotos;
}
class TLanguageSelector;
class TNumberedFileItemDelegate;

// The image extensions photos are taken with (lower case, without the dot).

// The file-type filter of the available photos: pairs of description and masks, separated by "|".
QString PhotoFilterText();
// The filter with "all supported formats" (first occurrence) and every "files"
// (letter case ignored) replaced by the language's words.
QString LocalizedPhotoFilter(const QString& filter, const QString& allSupported, const QString& files);

class TPhotosPage : public QWidget {
    Q_OBJECT
public:
    explicit TPhotosPage(QWidget* parent = nullptr);
    ~TPhotosPage() override;

    Ui::TabPhotos& Form() const { return *ui; }
    void ApplyLanguage(const TLanguageSelector& texts);

    // The information panel emptied (no photo shown).
    void ClearPhotoPanel();
    // Lists the photos of an album, one full path a row.
    void SetAlbumPhotos(const QStringList& paths);
    void ShowNumberOfPhotos();
    // The filter in force, as its texts stand after the last language change.
    const QString& Filter() const { return m_filter; }
    // The photo list measures its labels again at its next paint.
    void RemeasurePhotoList();

private:
    void FillFilterBox();

    std::unique_ptr<Ui::TabPhotos> ui;
    QString m_filter;
    TNumberedFileItemDelegate* m_photoListDelegate;
};
