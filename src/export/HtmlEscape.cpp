// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/HtmlEscape.h"

namespace Html {

namespace {

    enum class Quote { None, Double, Single };

    QString Escape(const QString& text, Quote quote)
    {
        QString out;
        out.reserve(text.size());
        for (const QChar c : text) {
            switch (c.unicode()) {
            case u'&':
                out += u"&amp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                out += quote == Quote::Double ? QStringView(u"&quot;") : QStringView(u"\"");
                break;
            case u'\'':
                out += quote == Quote::Single ? QStringView(u"&#39;") : QStringView(u"'");
                break;
            default:
                out += c;
            }
        }
        return out;
    }

    bool NeedsPercent(QChar c)
    {
        const char16_t u = c.unicode();
        return u < 0x20 || u == 0x7F || u == u'%' || u == u'#' || u == u'?' || u == u'"' || u == u'\''
            || u == u'<' || u == u'>' || u == u'`';
    }

} // namespace

QString Text(const QString& text)
{
    return Escape(text, Quote::None);
}

QString AttrDq(const QString& text)
{
    return Escape(text, Quote::Double);
}

QString AttrSq(const QString& text)
{
    return Escape(text, Quote::Single);
}

QString Url(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!NeedsPercent(c)) {
            out += c;
            continue;
        }
        // Every character that needs it is ASCII, so its UTF-8 is one byte.
        out += u'%';
        out += QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
    }
    return out;
}

QString JsString(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\':
            out += u"\\\\";
            break;
        case u'"':
            out += u"\\\"";
            break;
        case u'\'':
            out += u"\\'";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'<':
            out += u"\\x3C";
            break;
        case u'>':
            out += u"\\x3E";
            break;
        case 0x2028:
            out += u"\\u2028";
            break;
        case 0x2029:
            out += u"\\u2029";
            break;
        default:
            if (u < 0x20) {
                out += u"\\x";
                out += QString::number(u, 16).toUpper().rightJustified(2, u'0');
            } else {
                out += c;
            }
        }
    }
    return out;
}

} // namespace Html
