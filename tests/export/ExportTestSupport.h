#pragma once
// Albums, photos and language texts for the export tests, made in a sandbox.
#include "language/LanguageSelector.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

struct PhotoSpec {
    PhotoSpec(const QString& file_, const QString& description_ = {}, const QString& year_ = {},
        const QStringList& objects_ = {}, const QString& event_ = {}, bool useInHtml_ = true)
        : file(file_)
        , description(description_)
        , year(year_)
        , objects(objects_)
        , event(event_)
        , useInHtml(useInHtml_)
    {
    }

    // A file name inside the sandbox's photo folder, or a full path.
    QString file;
    QString description;
    QString year;
    QStringList objects;
    QString event;
    bool useInHtml = true;
};

// Writes an album file made with the model; labels get ids in order of first use.
void WriteAlbum(
    const QString& albumFile, const std::vector<PhotoSpec>& photos, const QString& description = {});

// A JPEG of the given size in one colour, written with Qt's own encoder.
void WriteJpeg(const QString& fileName, int width, int height, QColor colour = QColor(40, 120, 200));

// The size of a picture file as Qt reads it; (-1, -1) when it cannot.
QSize PictureSize(const QString& fileName);

// Replaces the export texts with "HG<n>", followed by ":%s" where the text
// takes a value, so that tests can tell them apart whatever the language
// holds; restores them when it ends.
class ScopedExportTexts {
public:
    ScopedExportTexts();
    ~ScopedExportTexts();
    // The text as the generator makes it.
    static QString Text(int index, const QString& argument = {});

private:
    std::array<QString, 67> m_saved;
};
