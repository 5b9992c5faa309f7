// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/TextUtil.h"

namespace {

bool IsTrimmed(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

namespace Text {

QString Trim(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsTrimmed(s.at(b)))
        ++b;
    while (e > b && IsTrimmed(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

QString TrimLeft(const QString& s)
{
    qsizetype b = 0;
    while (b < s.size() && IsTrimmed(s.at(b)))
        ++b;
    return s.mid(b);
}

QString TrimRight(const QString& s)
{
    qsizetype e = s.size();
    while (e > 0 && IsTrimmed(s.at(e - 1)))
        --e;
    return s.left(e);
}

QString AsciiLower(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return out;
}

QString AsciiUpper(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

QString FormatArg::ToString() const
{
    if (const auto* s = std::get_if<QString>(&m_value))
        return *s;
    return QString::number(std::get<qint64>(m_value));
}

QString Format(const QString& pattern, std::initializer_list<FormatArg> args)
{
    QString out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c != u'%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        const QChar k = pattern.at(i + 1);
        if (k == u'%') {
            out += u'%';
            ++i;
        } else if (k == u's' || k == u'd') {
            if (next != args.end())
                out += (next++)->ToString();
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'\n')
            continue;
        qsizetype end = i;
        if (end > start && text.at(end - 1) == u'\r')
            --end;
        lines << text.mid(start, end - start);
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

} // namespace Text
