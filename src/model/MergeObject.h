// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Joins one label into another over every photo of an album; driven by the
// label editors of the Objects and Events pages.
class TAlbum;

class TMergeObject {
public:
    enum : unsigned char { KindEvents = 0, KindObjects = 1 };

    TMergeObject() = default;
    virtual ~TMergeObject() = default;

    // The album is not owned.
    virtual void SetAlbum(TAlbum* album) { m_album = album; }
    virtual void SetKind(unsigned char kind) { m_kind = kind; }
    unsigned char GetKind() const { return m_kind; }

    // MergeEvent for kind 0, MergeObject for kind 1, nothing otherwise.
    virtual void Merge(int fromId, int toId);
    virtual void MergeEvent(int fromId, int toId);
    virtual void MergeObject(int fromId, int toId);

private:
    unsigned char m_kind = KindEvents;
    TAlbum* m_album = nullptr;
};
