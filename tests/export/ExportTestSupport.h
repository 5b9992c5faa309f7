// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Albums, photos and language texts for the export tests, made in a sandbox.
#include "FakeExportReporter.h"
#include "TestPictures.h"
#include "export/WebSiteGenerator.h"
#include "language/LanguageSelector.h"
#include "model/Album.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <gtest/gtest.h>
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

bool Exists(const QString& path);

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

// The text as the generator makes it, under ScopedExportTexts.
QString T(int index, const QString& argument = {});

// A sandbox for one export: the output folder site/ and the photo folder
// photos/ are there when a test starts.
class ExportSandbox : public ::testing::Test {
protected:
    void SetUp() override;

    QString Out() const;
    QString Photos() const;
    QString Sandbox(const QString& name) const;

    // An album file "<name>.tvx" in the sandbox; a photo file given without
    // a folder lies in Photos().
    QString Album(const QString& name, std::vector<PhotoSpec> photos, const QString& description = {});

    // Photos "<name>-<k>.jpg" of (40 + k) x (30 + k) pixels.
    QString AlbumOfPictures(const QString& name, int count);

private:
    QTemporaryDir m_dir;
};

// The sandbox with a generator of one kind, writing into Out() and telling a
// reporter that records everything.
template <class TGenerator> class GeneratorTest : public ExportSandbox {
protected:
    void SetUp() override
    {
        ExportSandbox::SetUp();
        options.OutputDir = Out();
    }

    TGenerator& Run(const QStringList& albums)
    {
        options.AlbumFiles = albums;
        generator.Initialize(options, reporter);
        return generator;
    }

    // The page numbers of the opened albums' photos, in album order.
    QList<int> Numbers() const
    {
        QList<int> numbers;
        for (const auto& album : generator.Albums)
            for (int i = 0; i < album->GetPhotos().Count(); ++i)
                numbers << album->GetPhotos().PhotoAt(i)->GetHtmlNumber();
        return numbers;
    }

    TExportOptions options;
    FakeExportReporter reporter;
    TGenerator generator;
};
