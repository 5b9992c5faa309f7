// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/SectionList.h"

#include "platform/IniFile.h"
#include "platform/TextUtil.h"

#include <optional>

namespace {

// A decimal integer with an optional sign and nothing else around it.
std::optional<int> DecimalInteger(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text.at(k) < u'0' || text.at(k) > u'9')
            return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

TSectionList::TSectionList(IniFile& ini, const QString& name)
    : m_ini(&ini)
    , m_name(name)
    , m_counterKey(QStringLiteral("NrOf") + name)
{
}

QString TSectionList::SectionName(int number) const
{
    return m_name + u'-' + QString::number(number);
}

int TSectionList::GetCount() const
{
    const int counter = m_ini->ReadInteger(m_name, m_counterKey, 0);
    if (counter <= 0)
        return 0;
    return int(qMin<qint64>(counter, qint64(HighestRecord()) + m_added));
}

int TSectionList::HighestRecord() const
{
    const QString prefix = m_name + u'-';
    int highest = 0;
    for (const QString& section : m_ini->ReadSections()) {
        if (!section.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QStringView digits = QStringView(section).mid(prefix.size());
        const std::optional<int> number = DecimalInteger(digits);
        // Only the name the list itself would write: "HtmlSettings-01" is no record.
        if (number && *number > highest && QString::number(*number) == digits)
            highest = *number;
    }
    return highest;
}

int TSectionList::Find(const QString& key, const QString& value) const
{
    const QString wanted = Text::AsciiLower(value);
    const int count = GetCount();
    for (int n = 1; n <= count; ++n)
        if (Text::AsciiLower(ReadValue(n, key, QString())) == wanted)
            return n;
    return -1;
}

QString TSectionList::ReadValue(int number, const QString& key, const QString& def) const
{
    return m_ini->ReadString(SectionName(number), key, def);
}

void TSectionList::WriteValue(int number, const QString& key, const QString& value)
{
    m_ini->WriteString(SectionName(number), key, value);
}

void TSectionList::ReadStrings(int number, const QString& key, QStringList& strings) const
{
    DecodeStrings(ReadValue(number, key, QString()), strings);
}

void TSectionList::WriteStrings(int number, const QString& key, const QStringList& strings)
{
    WriteValue(number, key, EncodeStrings(strings));
}

int TSectionList::AddSection()
{
    const int number = GetCount() + 1;
    m_ini->WriteInteger(m_name, m_counterKey, number);
    ++m_added;
    return number;
}

void TSectionList::DeleteSection(int number)
{
    const int count = GetCount();
    if (number < 1 || number > count)
        return;
    m_ini->BeginUpdate();
    m_ini->EraseSection(SectionName(number));
    for (int k = number + 1; k <= count; ++k) {
        const QString from = SectionName(k);
        const QString to = SectionName(k - 1);
        const QStringList keys = m_ini->ReadSection(from);
        QStringList values;
        for (const QString& key : keys)
            values.append(m_ini->ReadString(from, key, QString()));
        m_ini->EraseSection(from);
        for (qsizetype i = 0; i < keys.size(); ++i)
            m_ini->WriteString(to, keys.at(i), values.at(i));
    }
    m_ini->WriteInteger(m_name, m_counterKey, count - 1);
    m_ini->EndUpdate();
}

QString TSectionList::EncodeStrings(const QStringList& strings)
{
    QString value = u'#' + QString::number(strings.size());
    for (const QString& item : strings)
        value += u'#' + QString::number(item.size()) + u'#' + item;
    return value;
}

void TSectionList::DecodeStrings(const QString& value, QStringList& strings)
{
    if (value.isEmpty() || value.at(0) != u'#')
        return;
    QStringView rest = QStringView(value).mid(1);
    qsizetype p = rest.indexOf(u'#');
    // The count only has to be a number: items are read until the text runs out.
    if (p < 0 || !DecimalInteger(rest.left(p)))
        return;
    rest = rest.mid(p + 1);
    while ((p = rest.indexOf(u'#')) >= 0) {
        const std::optional<int> length = DecimalInteger(rest.left(p));
        if (!length || *length < 0)
            return;
        rest = rest.mid(p + 1);
        if (rest.size() < *length)
            return;
        strings.append(rest.left(*length).toString());
        rest = rest.mid(*length);
        p = rest.indexOf(u'#');
        if (p < 0)
            return;
        rest = rest.mid(p + 1);
    }
}
