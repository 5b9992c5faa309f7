// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <variant>

namespace Text {

// Removes characters with codes 0..32 at both ends (QString::trimmed would
// also remove other Unicode spaces and keep control characters).
QString Trim(const QString& s);
QString TrimLeft(const QString& s);
QString TrimRight(const QString& s);

// Lowers A..Z only; every other character stays.
QString AsciiLower(const QString& s);
QString AsciiUpper(const QString& s);

// One argument of Format: a text or a whole number.
class FormatArg {
public:
    FormatArg(const QString& s)
        : m_value(s)
    {
    }
    FormatArg(const char* s)
        : m_value(QString::fromUtf8(s))
    {
    }
    FormatArg(int v)
        : m_value(qint64(v))
    {
    }
    FormatArg(long v)
        : m_value(qint64(v))
    {
    }
    FormatArg(long long v)
        : m_value(qint64(v))
    {
    }
    FormatArg(unsigned v)
        : m_value(qint64(v))
    {
    }
    QString ToString() const;

private:
    std::variant<QString, qint64> m_value;
};

// Substitutes "%s" and "%d" with the arguments in order and "%%" with "%".
// Texts may come from translator files, so this never throws and never hands
// the text to printf: a placeholder without an argument becomes empty, an
// unknown "%x" stays as it is, and surplus arguments are ignored.
QString Format(const QString& pattern, std::initializer_list<FormatArg> args);

// Splits on CR LF and lone LF, never on a bare CR (texts may hold CR).
QStringList SplitLines(const QString& text);

} // namespace Text
