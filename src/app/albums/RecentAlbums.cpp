// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/albums/RecentAlbums.h"

#include "platform/IniFile.h"

namespace {

const QString Section = QStringLiteral("AlbumList");
const QString AmountKey = QStringLiteral("Amount");

QString AlbumKey(qsizetype n)
{
    return QStringLiteral("Album") + QString::number(n);
}

} // namespace

void TRecentAlbums::Load(IniFile& settings)
{
    m_settings = &settings;
    m_names.clear();
    const int amount = qMin(settings.ReadInteger(Section, AmountKey, 0), MaxCount);
    for (int n = 1; n <= amount; ++n) {
        const QString name = settings.ReadString(Section, AlbumKey(n), QString());
        if (!name.isEmpty())
            m_names.append(name);
    }
}

void TRecentAlbums::Save() const
{
    if (!m_settings)
        return;
    IniFile& settings = *m_settings;
    settings.BeginUpdate();
    settings.EraseSection(Section);
    settings.WriteInteger(Section, AmountKey, int(m_names.size()));
    for (qsizetype n = 1; n <= m_names.size(); ++n)
        settings.WriteString(Section, AlbumKey(n), m_names.at(n - 1));
    settings.EndUpdate();
}

void TRecentAlbums::Add(const QString& fileName)
{
    if (!m_names.removeOne(fileName) && m_names.size() >= MaxCount)
        m_names.resize(MaxCount - 1);
    m_names.prepend(fileName);
    Save();
}

void TRecentAlbums::RemoveAt(int row)
{
    m_names.removeAt(row);
    Save();
}

void TRecentAlbums::Rename(const QString& oldName, const QString& newName)
{
    for (QString& name : m_names) {
        if (name == oldName)
            name = newName;
    }
    Save();
}
