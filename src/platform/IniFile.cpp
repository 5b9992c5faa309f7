// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/IniFile.h"

#include "platform/SafeFile.h"
#include "platform/TextUtil.h"

#include <QFile>

namespace {

// What Text::Trim and Text::TrimLeft take away: spaces and control characters.
bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

QStringView TrimmedLeft(QStringView s)
{
    qsizetype b = 0;
    while (b < s.size() && IsBlank(s.at(b)))
        ++b;
    return s.sliced(b);
}

QStringView Trimmed(QStringView s)
{
    s = TrimmedLeft(s);
    qsizetype e = s.size();
    while (e > 0 && IsBlank(s.at(e - 1)))
        --e;
    return s.first(e);
}

} // namespace

size_t IniFile::Name::Hash(const QString& text, size_t seed)
{
    // The case-folded code points, as the case-insensitive comparison sees
    // them; letters of ASCII without a look-up.
    size_t hash = seed ^ 0xcbf29ce484222325u;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z')
                c += 32;
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), text.at(++i).unicode());
            c = QChar::toCaseFolded(c);
        }
        hash = (hash ^ c) * 0x100000001b3u;
    }
    return hash;
}

const IniFile::Entry* IniFile::Section::Find(const QString& key) const
{
    const auto it = index.constFind(Name { key });
    return it == index.cend() ? nullptr : &*it.value();
}

IniFile::Entry* IniFile::Section::Find(const QString& key)
{
    const auto it = index.constFind(Name { key });
    return it == index.cend() ? nullptr : &*it.value();
}

bool IniFile::Section::Add(const QString& key, const QString& value)
{
    if (index.contains(Name { key }))
        return false;
    entries.push_back(Entry { key, value });
    index.insert(Name { entries.back().key }, std::prev(entries.end()));
    return true;
}

IniFile::IniFile(const QString& fileName)
    : m_fileName(fileName)
{
    Reload();
}

void IniFile::Reload()
{
    m_sections.clear();
    m_sectionIndex.clear();
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    Section* current = nullptr;
    // Lines end at LF, a CR before it belonging to the line end (as
    // Text::SplitLines has it); read as views, so that only the names and
    // values kept are copied.
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(u'\n', start);
        const bool last = end < 0;
        if (last)
            end = all.size();
        QStringView raw = all.sliced(start, end - start);
        if (!last && raw.endsWith(u'\r'))
            raw.chop(1);
        start = end + 1;

        const QStringView line = Trimmed(raw);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.sliced(1, line.size() - 2).toString();
            current = FindSection(name);
            if (!current)
                current = &AddSection(name);
            continue;
        }
        if (!current)
            continue;
        // The value keeps everything after the first "=", as it was written.
        QStringView content = TrimmedLeft(raw);
        if (content.endsWith(u'\r'))
            content.chop(1);
        const qsizetype eq = content.indexOf(u'=');
        const QString key = Trimmed(eq < 0 ? content : content.first(eq)).toString();
        // The first of keys that differ only in case wins.
        current->Add(key, eq < 0 ? QString() : content.sliced(eq + 1).toString());
    }
}

const IniFile::Section* IniFile::FindSection(const QString& name) const
{
    const auto it = m_sectionIndex.constFind(Name { name });
    return it == m_sectionIndex.cend() ? nullptr : &*it.value();
}

IniFile::Section* IniFile::FindSection(const QString& name)
{
    const auto it = m_sectionIndex.constFind(Name { name });
    return it == m_sectionIndex.cend() ? nullptr : &*it.value();
}

IniFile::Section& IniFile::AddSection(const QString& name)
{
    m_sections.push_back(Section { name, {}, {} });
    m_sectionIndex.insert(Name { name }, std::prev(m_sections.end()));
    return m_sections.back();
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    if (const Section* s = FindSection(section))
        if (const Entry* e = s->Find(key))
            return e->value;
    return def;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const QString text = Text::Trim(ReadString(section, key, QString()));
    if (text.isEmpty())
        return def;
    bool ok = false;
    int value = 0;
    if (text.startsWith(u'$') || text.startsWith(u"0x", Qt::CaseInsensitive))
        value = int(text.mid(text.startsWith(u'$') ? 1 : 2).toUInt(&ok, 16));
    else
        value = text.toInt(&ok, 10);
    return ok ? value : def;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    Section* s = FindSection(section);
    if (!s)
        s = &AddSection(section);
    // A line break in a value would split the line in the file.
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    if (Entry* e = s->Find(key)) {
        if (e->value != clean) {
            e->value = clean;
            Changed();
        }
        return;
    }
    s->Add(key, clean);
    Changed();
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::SectionExists(const QString& section) const
{
    return FindSection(section) != nullptr;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    const Section* s = FindSection(section);
    return s && s->Find(key);
}

QStringList IniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            keys << e.key;
    return keys;
}

QStringList IniFile::ReadSectionValues(const QString& section) const
{
    QStringList lines;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            lines << e.key + u'=' + e.value;
    return lines;
}

QStringList IniFile::ReadSections() const
{
    QStringList names;
    for (const Section& s : m_sections)
        names << s.name;
    return names;
}

void IniFile::EraseSection(const QString& section)
{
    const auto it = m_sectionIndex.constFind(Name { section });
    if (it == m_sectionIndex.cend())
        return;
    m_sections.erase(it.value());
    m_sectionIndex.erase(it);
    Changed();
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    Section* s = FindSection(section);
    if (!s)
        return;
    const auto it = s->index.constFind(Name { key });
    if (it == s->index.cend())
        return;
    s->entries.erase(it.value());
    s->index.erase(it);
    Changed();
}

void IniFile::BeginUpdate()
{
    ++m_updateDepth;
}

void IniFile::EndUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0 && m_dirty)
        UpdateFile();
}

void IniFile::Changed()
{
    m_dirty = true;
    if (m_updateDepth == 0)
        UpdateFile();
}

bool IniFile::UpdateFile()
{
    QString text;
    for (const Section& s : m_sections) {
        text += QLatin1Char('[') + s.name + QLatin1String("]\r\n");
        for (const Entry& e : s.entries)
            text += e.key + QLatin1Char('=') + e.value + QLatin1String("\r\n");
        text += QLatin1String("\r\n");
    }
    int error = 0;
    if (!WriteFileAtomically(m_fileName, text.toUtf8(), TLinkPolicy::Follow, false, &error)) {
        m_lastError = SystemErrorText(error);
        return false;
    }
    m_dirty = false;
    m_lastError.clear();
    return true;
}
