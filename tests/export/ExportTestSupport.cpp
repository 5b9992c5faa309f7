// SPDX-License-Identifier: GPL-2.0-or-later
#include "ExportTestSupport.h"

#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

void WriteAlbum(const QString& albumFile, const std::vector<PhotoSpec>& photos, const QString& description)
{
    TAlbum album(albumFile);
    album.SetDescription(description);
    for (const PhotoSpec& spec : photos) {
        auto photo = NewPhoto(album, spec.file);
        photo->SetDescription(spec.description);
        photo->SetYear(spec.year);
        photo->SetUseInHtml(spec.useInHtml);
        for (const QString& object : spec.objects) {
            if (album.ObjectIdByName(object) < 0)
                album.GetObjects().AddName(object);
            photo->GetObjectIds().Add(album.ObjectIdByName(object));
        }
        if (!spec.event.isEmpty()) {
            if (album.EventIdByName(spec.event) < 0)
                album.GetEvents().AddName(spec.event);
            photo->SetEventId(album.EventIdByName(spec.event));
        }
        album.GetPhotos().Add(std::move(photo));
    }
    ASSERT_TRUE(album.SaveToFile());
}

void WriteJpeg(const QString& fileName, int width, int height, QColor colour)
{
    ASSERT_TRUE(Filled(width, height, colour).save(fileName, "JPEG", 90)) << fileName.toStdString();
}

QSize PictureSize(const QString& fileName)
{
    QImageReader reader(fileName);
    const QSize size = reader.size();
    return size.isValid() ? size : QSize(-1, -1);
}

bool Exists(const QString& path)
{
    return QFileInfo::exists(path);
}

ScopedExportTexts::ScopedExportTexts()
{
    auto& texts = Language()->HG;
    std::copy(texts.begin(), texts.end(), m_saved.begin());
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = QStringLiteral("HG%1").arg(i)
            + (m_saved[i].contains(u"%s") ? QStringLiteral(":%s") : QString());
}

ScopedExportTexts::~ScopedExportTexts()
{
    std::copy(m_saved.begin(), m_saved.end(), Language()->HG.begin());
}

QString ScopedExportTexts::Text(int index, const QString& argument)
{
    return ::Text::Format(Language()->HG[size_t(index)], { argument });
}

QString T(int index, const QString& argument)
{
    return ScopedExportTexts::Text(index, argument);
}

void ExportSandbox::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir().mkpath(Out()));
    ASSERT_TRUE(QDir().mkpath(Photos()));
}

QString ExportSandbox::Out() const
{
    return m_dir.filePath(QStringLiteral("site")) + u'/';
}

QString ExportSandbox::Photos() const
{
    return m_dir.filePath(QStringLiteral("photos")) + u'/';
}

QString ExportSandbox::Sandbox(const QString& name) const
{
    return m_dir.filePath(name);
}

QString ExportSandbox::Album(const QString& name, std::vector<PhotoSpec> photos, const QString& description)
{
    for (PhotoSpec& spec : photos)
        if (!spec.file.startsWith(u'/'))
            spec.file = Photos() + spec.file;
    const QString file = Sandbox(name + QStringLiteral(".tvx"));
    WriteAlbum(file, photos, description);
    return file;
}

QString ExportSandbox::AlbumOfPictures(const QString& name, int count)
{
    std::vector<PhotoSpec> photos;
    for (int k = 1; k <= count; ++k) {
        const QString file = QStringLiteral("%1-%2.jpg").arg(name).arg(k);
        WriteJpeg(Photos() + file, 40 + k, 30 + k);
        photos.push_back({ file });
    }
    return Album(name, photos);
}
