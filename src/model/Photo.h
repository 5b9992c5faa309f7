// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// One photo of an album: the full path of a photo file that stays where it is
// (the inherited Name), the information the user attaches to it, and its
// thumbnail record.
#include "model/Entity.h"
#include "model/StreamIntList.h"
#include "model/ThumbNail.h"
#include "model/ThumbNailInfo.h"
#include "platform/RecordBlocks.h"
#include "platform/Words.h"

#include <cstddef>
#include <memory>

class TPhoto : public TEntity {
public:
    TPhoto();
    ~TPhoto() override;

    // An album opens with its photos all at once: their records are taken
    // from blocks kept for photos (see TRecordBlocks), not one by one.
    static void* operator new(std::size_t size) { return TakeRecord<TPhoto>(size); }
    static void operator delete(void* record, std::size_t size) { GiveRecord<TPhoto>(record, size); }

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    using TEntity::AssignTo;
    // Copies Id, Name, Selected, the trimmed description, UseInHtml, Year and
    // EventId, and appends this photo's object ids to dest's. The thumbnail,
    // Found and HtmlNumber are not copied.
    void AssignTo(TPhoto& dest) const;
    std::unique_ptr<TPhoto> Clone() const;

    // Trimmed (codes 0..32 removed at both ends).
    QString GetDescription() const;
    // As it was set, untrimmed: for reading through without a copy.
    const QString& StoredDescription() const { return m_description; }
    void SetDescription(const QString& value)
    {
        m_description = value;
        m_wordBitsKnown = false;
    }
    // The brief of the description's words, made once per change of the
    // description, at the first call after it. A search's workers each call
    // it only for the photos they match.
    const TWordBits& DescriptionWordBits() const;
    const QString& GetYear() const { return m_year; }
    void SetYear(const QString& value) { m_year = value; }
    int GetEventId() const { return m_eventId; }
    void SetEventId(int id) { m_eventId = id; }
    void ClearEvent() { m_eventId = -1; }
    TStreamIntList& GetObjectIds() { return m_objectIds; }
    const TStreamIntList& GetObjectIds() const { return m_objectIds; }
    bool GetUseInHtml() const { return m_useInHtml; }
    void SetUseInHtml(bool value) { m_useInHtml = value; }
    bool GetFound() const { return m_found; }
    void SetFound(bool value) { m_found = value; }
    int GetHtmlNumber() const { return m_htmlNumber; }
    void SetHtmlNumber(int value) { m_htmlNumber = value; }

    bool HasDescription() const;
    bool HasYear() const;
    bool HasEvent() const { return m_eventId != -1; }
    bool HasObjects() const { return !m_objectIds.IsEmpty(); }

    // The first character of the path; a space when the path is empty.
    QChar GetDriveLetter() const;
    // The part of the path after its last separator or drive colon.
    QString GetFileNameOnly() const;
    bool FileExists() const;

    TThumbNail& GetThumbNail() { return m_thumbNail; }
    const TThumbNail& GetThumbNail() const { return m_thumbNail; }
    bool HasThumbnailImage() const { return m_thumbNail.HasImage(); }
    TThumbNailImage* GetThumbnailImage() const { return m_thumbNail.GetImage(); }
    void ReleaseThumbnailImage() { m_thumbNail.ReleaseImage(); }
    bool BuildThumbnail(const TThumbNailInfo& info, QChar driveLetter)
    {
        return m_thumbNail.Build(info, GetName(), driveLetter);
    }
    bool SaveThumbnail(const QString& fileName) { return m_thumbNail.SaveAsJpeg(fileName); }

private:
    QString m_description;
    QString m_year;
    int m_eventId = -1;
    TStreamIntList m_objectIds;
    TThumbNail m_thumbNail;
    bool m_found = false;
    int m_htmlNumber = -1;
    bool m_useInHtml = true;
    mutable bool m_wordBitsKnown = false;
    mutable TWordBits m_wordBits;
};

// True when a regular file exists at path. Album paths are full paths, so a
// relative or Windows-form path never names a file here.
bool PhotoFileExists(const QString& path);
