// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The thumbnail size of an album, in pixels.
#include "model/StreamObject.h"

class TThumbNailInfo : public TStreamObject {
public:
    TThumbNailInfo() = default;

    void SaveToWriter(TWriter& writer) const override;
    void LoadFromReader(TReader& reader, int version) override;

    void SetWidth(int width) { m_width = width; }
    void SetHeight(int height) { m_height = height; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

private:
    int m_width = 40;
    int m_height = 40;
};
