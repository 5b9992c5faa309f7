#include "platform/IniFile.h"

#include "platform/SafeFile.h"
#include "platform/TextUtil.h"

#include <QFile>

namespace {

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(const QString& fileName)
    : m_fileName(fileName)
{
    Reload();
}

void IniFile::Reload()
{
    m_sections.clear();
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    Section* current = nullptr;
    for (const QString& raw : Text::SplitLines(text)) {
        const QString line = Text::Trim(raw);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2);
            current = FindSection(name);
            if (!current) {
                m_sections.push_back(Section { name, {} });
                current = &m_sections.back();
            }
            continue;
        }
        if (!current)
            continue;
        // The value keeps everything after the first "=", as it was written.
        QString content = Text::TrimLeft(raw);
        if (content.endsWith(u'\r'))
            content.chop(1);
        const qsizetype eq = content.indexOf(u'=');
        const QString key = Text::Trim(eq < 0 ? content : content.left(eq));
        const QString value = eq < 0 ? QString() : content.mid(eq + 1);
        bool found = false;
        for (Entry& e : current->entries)
            if (SameName(e.key, key)) {
                found = true;
                break;
            }
        if (!found)
            current->entries.push_back(Entry { key, value });
    }
}

const IniFile::Section* IniFile::FindSection(const QString& name) const
{
    for (const Section& s : m_sections)
        if (SameName(s.name, name))
            return &s;
    return nullptr;
}

IniFile::Section* IniFile::FindSection(const QString& name)
{
    for (Section& s : m_sections)
        if (SameName(s.name, name))
            return &s;
    return nullptr;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (SameName(e.key, key))
                return e.value;
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
    if (!s) {
        m_sections.push_back(Section { section, {} });
        s = &m_sections.back();
    }
    // A line break in a value would split the line in the file.
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    for (Entry& e : s->entries)
        if (SameName(e.key, key)) {
            if (e.value != clean) {
                e.value = clean;
                Changed();
            }
            return;
        }
    s->entries.push_back(Entry { key, clean });
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
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (SameName(e.key, key))
                return true;
    return false;
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
    for (auto it = m_sections.begin(); it != m_sections.end(); ++it)
        if (SameName(it->name, section)) {
            m_sections.erase(it);
            Changed();
            return;
        }
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    Section* s = FindSection(section);
    if (!s)
        return;
    for (auto it = s->entries.begin(); it != s->entries.end(); ++it)
        if (SameName(it->key, key)) {
            s->entries.erase(it);
            Changed();
            return;
        }
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
