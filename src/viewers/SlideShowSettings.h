// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What a slide show shows, what advances it, how long each photo stays, and
// whether the window is maximised and every photo rotated; kept in the
// settings file's "Slide Show" section. The Photos tab's slide show page and
// every search-result window each own one; a thumbnail window borrows its
// owner's and plays each show on a copy.
#include <QString>

class IniFile;

class TSlideShowSettings {
public:
    static inline const QString Section = QStringLiteral("Slide Show");

    // The members of ChangeOn.
    enum TChangeOn : unsigned char { SpaceBar = 1, LeftMouse = 2, Time = 4 };

    // The settings file is borrowed and may be null (nothing is then read or written).
    explicit TSlideShowSettings(IniFile* ini);
    virtual ~TSlideShowSettings() = default;

    virtual void SetShowWhat(unsigned char value) { ShowWhat = value; }
    virtual void AddChangeOn(unsigned char members) { ChangeOn |= members & AllMembers; }
    virtual bool IsShowWhat(unsigned char value) const { return ShowWhat == value; }
    virtual bool HasChangeOn(unsigned char members) const { return (ChangeOn & members) == members; }

    virtual void SetShowPhotosInAlbum() { SetShowWhat(0); }
    // Stores "photos in album" too: every show runs over all photos of the album.
    virtual void SetShowThumbnails() { SetShowWhat(0); }
    virtual void SetChangeOnSpaceBar() { AddChangeOn(SpaceBar); }
    virtual void SetChangeOnLeftMouse() { AddChangeOn(LeftMouse); }
    virtual void SetChangeOnTime() { AddChangeOn(Time); }
    virtual void SetSeconds(int value) { Seconds = value; }

    virtual bool ShowsPhotosInAlbum() const { return IsShowWhat(0); }
    virtual bool ShowsThumbnails() const { return IsShowWhat(1); }
    virtual bool ChangesOnSpaceBar() const { return HasChangeOn(SpaceBar); }
    virtual bool ChangesOnLeftMouse() const { return HasChangeOn(LeftMouse); }
    virtual bool ChangesOnTime() const { return HasChangeOn(Time); }
    virtual int GetSeconds() const { return Seconds; }
    virtual bool HasAnyChangeOn() const { return ChangeOn != 0; }

    virtual void LoadFromIni();
    virtual void SaveToIni() const;

    void ClearChangeOn() { ChangeOn = 0; }
    IniFile* Ini() const { return m_ini; }

    // 0 photos in album, 1 thumbnails.
    unsigned char ShowWhat = 0;
    // Members of TChangeOn.
    unsigned char ChangeOn = SpaceBar;
    int Seconds = 3;
    bool Maximize = false;
    bool Rotate = false;
    // Degrees, positive clockwise.
    int Rotation = 0;

private:
    static constexpr unsigned char AllMembers = SpaceBar | LeftMouse | Time;
    IniFile* m_ini;
};
