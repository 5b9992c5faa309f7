// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/PhotoMapping.h"

#include "platform/Paths.h"
#include "platform/TextUtil.h"

#include <QDir>

#include <algorithm>
#include <exception>

QString TPhotoItem::GetKey() const
{
    QString key = Name;
    for (QChar& c : key) {
        const char16_t u = c.unicode();
        const bool plain = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
        if (!plain)
            c = u'_';
    }
    return key;
}

TPhotoMapping::TPhotoMapping(const QString& prefix)
    : Prefix(prefix)
{
}

void TPhotoMapping::Clear()
{
    m_byName.clear();
    Items.clear();
}

TPhotoItem* TPhotoMapping::Add(std::unique_ptr<TPhotoItem> item)
{
    TPhotoItem* added = item.get();
    // The first group of a name is the one FindByName gives.
    const QString lowered = Text::AsciiLower(added->Name);
    if (!m_byName.contains(lowered))
        m_byName.insert(lowered, added);
    Items.push_back(std::move(item));
    return added;
}

TPhotoItem* TPhotoMapping::FindByName(const QString& name) const
{
    return m_byName.value(Text::AsciiLower(name), nullptr);
}

void TPhotoMapping::AssignGroupFolders()
{
    const QString folder = Paths::IncludeTrailingSeparator(Folder);
    for (size_t i = 0; i < Items.size(); ++i)
        Items[i]->GroupFolder = folder + Prefix + QString::number(i + 1);
}

bool TPhotoMapping::ForceGroupFolders(QString& failedFolder) const
{
    failedFolder.clear();
    for (const auto& item : Items) {
        try {
            QDir().mkpath(item->GroupFolder);
        } catch (const std::exception&) {
            failedFolder = item->GroupFolder;
            return false;
        }
    }
    return true;
}

int ComparePhotoItemNames(const TPhotoItem& a, const TPhotoItem& b)
{
    const int c = Text::AsciiLower(a.Name).compare(Text::AsciiLower(b.Name), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void TPhotoMapping::Sort()
{
    std::stable_sort(Items.begin(), Items.end(),
        [](const auto& a, const auto& b) { return ComparePhotoItemNames(*a, *b) < 0; });
}
