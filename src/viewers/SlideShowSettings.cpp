// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/SlideShowSettings.h"

#include "platform/IniFile.h"

namespace {

const QString KeyShowWhat = QStringLiteral("Show what");
const QString KeyChangeOn = QStringLiteral("Change on");
const QString KeySeconds = QStringLiteral("Time seconds");
const QString KeyMaximize = QStringLiteral("Maximize");
const QString KeyRotate = QStringLiteral("Rotate");
const QString KeyRotation = QStringLiteral("Rotation");

// Character i of "Change on" stands for the member at bit i.
constexpr unsigned char MemberOrder[]
    = { TSlideShowSettings::SpaceBar, TSlideShowSettings::LeftMouse, TSlideShowSettings::Time };

} // namespace

TSlideShowSettings::TSlideShowSettings(IniFile* ini)
    : m_ini(ini)
{
}

void TSlideShowSettings::LoadFromIni()
{
    if (!m_ini)
        return;
    ShowWhat = static_cast<unsigned char>(m_ini->ReadInteger(Section, KeyShowWhat, ShowWhat));
    const QString changeOn = m_ini->ReadString(Section, KeyChangeOn, QStringLiteral("110"));
    // A key that is present but empty keeps the members as they are.
    if (!changeOn.isEmpty()) {
        ClearChangeOn();
        for (int i = 0; i < 3; ++i)
            if (i < changeOn.size() && changeOn[i] == u'1')
                AddChangeOn(MemberOrder[i]);
    }
    Seconds = m_ini->ReadInteger(Section, KeySeconds, Seconds);
    Maximize = m_ini->ReadInteger(Section, KeyMaximize, 0) == 1;
    Rotate = m_ini->ReadInteger(Section, KeyRotate, 0) == 1;
    Rotation = m_ini->ReadInteger(Section, KeyRotation, 90);
}

void TSlideShowSettings::SaveToIni() const
{
    if (!m_ini)
        return;
    QString changeOn;
    for (unsigned char member : MemberOrder)
        changeOn += HasChangeOn(member) ? u'1' : u'0';
    m_ini->BeginUpdate();
    m_ini->WriteInteger(Section, KeyShowWhat, ShowWhat);
    m_ini->WriteString(Section, KeyChangeOn, changeOn);
    m_ini->WriteInteger(Section, KeySeconds, Seconds);
    m_ini->WriteBool(Section, KeyMaximize, Maximize);
    m_ini->WriteBool(Section, KeyRotate, Rotate);
    m_ini->WriteInteger(Section, KeyRotation, Rotation);
    m_ini->EndUpdate();
}
