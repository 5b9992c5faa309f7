#include "ExportTestSupport.h"

#include "model/Album.h"
#include "platform/TextUtil.h"

#include <QImageReader>

#include <algorithm>
#include <gtest/gtest.h>

void WriteAlbum(const QString& albumFile, const std::vector<PhotoSpec>& photos, const QString& description)
{
    TAlbum album(albumFile);
    album.SetDescription(description);
    for (const PhotoSpec& spec : photos) {
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(album.GetPhotos().TakeNextId());
        photo->SetName(spec.file);
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
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(fileName, "JPEG", 90)) << fileName.toStdString();
}

QSize PictureSize(const QString& fileName)
{
    QImageReader reader(fileName);
    const QSize size = reader.size();
    return size.isValid() ? size : QSize(-1, -1);
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
