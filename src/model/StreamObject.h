// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A record of the album file: writes itself as a fixed sequence of values and
// reads itself back in the same order. Derived records first call the base
// operation, then write or read their own values.
class TReader;
class TWriter;

class TStreamObject {
public:
    TStreamObject() = default;
    virtual ~TStreamObject();
    TStreamObject(const TStreamObject&) = delete;
    TStreamObject& operator=(const TStreamObject&) = delete;

    virtual void SaveToWriter(TWriter& writer) const;
    // version is the album file's format version, handed to every nested record.
    virtual void LoadFromReader(TReader& reader, int version);
};
