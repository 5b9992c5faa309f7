// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/RtfReader.h"

#include "platform/Cp1252.h"

#include <QColor>
#include <QFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace {

struct State {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    int colour = 0;
    int unicodeSkip = 1;
    // Destinations whose text is not shown (font table, pictures, ...).
    bool skip = false;
    bool colourTable = false;
};

class Reader {
public:
    Reader(const QByteArray& data, QTextDocument* document)
        : m_data(data)
        , m_cursor(document)
    {
    }

    void Run();

private:
    void ControlWord(const QByteArray& word, bool hasParam, int param);
    void ControlSymbol(char c);
    void Text(QChar c);
    void Flush();
    void NewParagraph();
    QTextCharFormat CurrentFormat() const;
    // Skips the fallback characters that follow \uN.
    void SkipFallback(int count);
    void ColourTableEntryEnd();
    void ParagraphChanged();

    const QByteArray& m_data;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;
    std::vector<State> m_stack;
    State m_state;
    QString m_pending;
    std::vector<QColor> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourSeen = false;
    // The properties of the paragraph being written; \pard resets them.
    QTextBlockFormat m_paragraph;
    bool m_starredGroup = false;
};

QTextCharFormat Reader::CurrentFormat() const
{
    QTextCharFormat f;
    f.setFontWeight(m_state.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(m_state.italic);
    f.setFontUnderline(m_state.underline);
    if (m_state.halfPoints > 0)
        f.setFontPointSize(m_state.halfPoints / 2.0);
    if (m_state.colour > 0 && size_t(m_state.colour) < m_colours.size()
        && m_colours[m_state.colour].isValid())
        f.setForeground(m_colours[m_state.colour]);
    return f;
}

void Reader::Flush()
{
    if (m_pending.isEmpty())
        return;
    m_cursor.insertText(m_pending, CurrentFormat());
    m_pending.clear();
}

void Reader::NewParagraph()
{
    Flush();
    m_cursor.insertBlock(m_paragraph, CurrentFormat());
}

void Reader::ParagraphChanged()
{
    Flush();
    m_cursor.setBlockFormat(m_paragraph);
}

void Reader::Text(QChar c)
{
    if (m_state.skip)
        return;
    m_pending += c;
}

void Reader::ColourTableEntryEnd()
{
    m_colours.push_back(m_colourSeen ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_colourSeen = false;
}

void Reader::SkipFallback(int count)
{
    while (count > 0 && m_pos < m_data.size()) {
        const char c = m_data.at(m_pos);
        if (c == '{' || c == '}')
            return;
        if (c == '\\') {
            // A fallback written as \'xx counts as one character.
            if (m_pos + 1 < m_data.size() && m_data.at(m_pos + 1) == '\'')
                m_pos = qMin(m_pos + 4, m_data.size());
            else
                return;
        } else if (c == '\r' || c == '\n') {
            ++m_pos;
            continue;
        } else {
            ++m_pos;
        }
        --count;
    }
}

void Reader::ControlSymbol(char c)
{
    switch (c) {
    case '\\':
    case '{':
    case '}':
        Text(QChar::fromLatin1(c));
        break;
    case '~':
        Text(QChar(0x00A0));
        break;
    case '_':
        Text(QChar(0x2011));
        break;
    case '-':
        break;
    case '*':
        m_starredGroup = true;
        break;
    case '\r':
    case '\n':
        if (!m_state.skip)
            NewParagraph();
        break;
    case '\'': {
        if (m_pos + 2 <= m_data.size()) {
            bool ok = false;
            const int byte = m_data.mid(m_pos, 2).toInt(&ok, 16);
            m_pos += 2;
            if (ok)
                Text(Cp1252::ToUnicode(static_cast<unsigned char>(byte)));
        }
        break;
    }
    default:
        break;
    }
}

void Reader::ControlWord(const QByteArray& word, bool hasParam, int param)
{
    if (m_state.colourTable) {
        if (word == "red")
            m_red = param, m_colourSeen = true;
        else if (word == "green")
            m_green = param, m_colourSeen = true;
        else if (word == "blue")
            m_blue = param, m_colourSeen = true;
        return;
    }
    static const char* const skipped[] = { "fonttbl", "stylesheet", "info", "pict", "header", "footer",
        "headerl", "headerr", "headerf", "footerl", "footerr", "footerf", "generator", "object", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "themedata", "colorschememapping", "latentstyles",
        "datastore", "xmlnstbl", "filetbl", "mmathPr", "nonshppict", "fldinst", "bkmkstart", "bkmkend" };
    for (const char* s : skipped) {
        if (word == s) {
            m_state.skip = true;
            return;
        }
    }
    if (m_starredGroup) {
        // An unknown destination marked with \* is to be ignored whole.
        m_state.skip = true;
        return;
    }
    if (word == "colortbl") {
        Flush();
        m_state.colourTable = true;
        m_state.skip = true;
        return;
    }
    if (m_state.skip)
        return;
    const bool on = !hasParam || param != 0;
    if (word == "par") {
        NewParagraph();
    } else if (word == "line") {
        Text(QChar(QChar::LineSeparator));
    } else if (word == "tab") {
        Text(u'\t');
    } else if (word == "b") {
        Flush();
        m_state.bold = on;
    } else if (word == "i") {
        Flush();
        m_state.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw") {
        Flush();
        m_state.underline = on;
    } else if (word == "ulnone") {
        Flush();
        m_state.underline = false;
    } else if (word == "fs") {
        Flush();
        m_state.halfPoints = hasParam ? param : 24;
    } else if (word == "cf") {
        Flush();
        m_state.colour = hasParam ? param : 0;
    } else if (word == "plain") {
        Flush();
        m_state.bold = m_state.italic = m_state.underline = false;
        m_state.halfPoints = 24;
        m_state.colour = 0;
    } else if (word == "pard") {
        m_paragraph = QTextBlockFormat();
        ParagraphChanged();
    } else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") {
        m_paragraph.setAlignment(word == "qc" ? Qt::AlignHCenter
                : word == "qr"                ? Qt::AlignRight
                : word == "qj"                ? Qt::AlignJustify
                                              : Qt::AlignLeft);
        ParagraphChanged();
    } else if (word == "li" || word == "ri" || word == "fi" || word == "sb" || word == "sa") {
        // Twips; 15 make a pixel on a screen of 96 dots per inch.
        const qreal pixels = (hasParam ? param : 0) / 15.0;
        if (word == "li")
            m_paragraph.setLeftMargin(pixels);
        else if (word == "ri")
            m_paragraph.setRightMargin(pixels);
        else if (word == "fi")
            m_paragraph.setTextIndent(pixels);
        else if (word == "sb")
            m_paragraph.setTopMargin(pixels);
        else
            m_paragraph.setBottomMargin(pixels);
        ParagraphChanged();
    } else if (word == "uc") {
        m_state.unicodeSkip = hasParam ? qMax(0, param) : 1;
    } else if (word == "u" && hasParam) {
        Text(QChar(static_cast<char16_t>(param < 0 ? param + 65536 : param)));
        SkipFallback(m_state.unicodeSkip);
    } else if (word == "emdash") {
        Text(QChar(0x2014));
    } else if (word == "endash") {
        Text(QChar(0x2013));
    } else if (word == "bullet") {
        Text(QChar(0x2022));
    } else if (word == "lquote") {
        Text(QChar(0x2018));
    } else if (word == "rquote") {
        Text(QChar(0x2019));
    } else if (word == "ldblquote") {
        Text(QChar(0x201C));
    } else if (word == "rdblquote") {
        Text(QChar(0x201D));
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        Text(u' ');
    }
}

void Reader::Run()
{
    const qsizetype n = m_data.size();
    while (m_pos < n) {
        const char c = m_data.at(m_pos++);
        if (c == '{') {
            Flush();
            m_stack.push_back(m_state);
            m_starredGroup = false;
        } else if (c == '}') {
            Flush();
            if (m_stack.empty())
                break;
            m_state = m_stack.back();
            m_stack.pop_back();
            m_starredGroup = false;
        } else if (c == '\\') {
            if (m_pos >= n)
                break;
            const char next = m_data.at(m_pos);
            if (!((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z'))) {
                ++m_pos;
                ControlSymbol(next);
                continue;
            }
            const qsizetype start = m_pos;
            while (m_pos < n
                && ((m_data.at(m_pos) >= 'a' && m_data.at(m_pos) <= 'z')
                    || (m_data.at(m_pos) >= 'A' && m_data.at(m_pos) <= 'Z')))
                ++m_pos;
            const QByteArray word = m_data.mid(start, m_pos - start);
            bool hasParam = false;
            bool negative = false;
            long long param = 0;
            if (m_pos < n && m_data.at(m_pos) == '-') {
                negative = true;
                ++m_pos;
            }
            while (m_pos < n && m_data.at(m_pos) >= '0' && m_data.at(m_pos) <= '9') {
                hasParam = true;
                if (param < 1000000000)
                    param = param * 10 + (m_data.at(m_pos) - '0');
                ++m_pos;
            }
            if (negative)
                param = -param;
            if (m_pos < n && m_data.at(m_pos) == ' ')
                ++m_pos;
            ControlWord(word, hasParam, int(param));
            m_starredGroup = false;
        } else if (c == '\r' || c == '\n') {
            // Line ends in the file carry no meaning.
        } else if (c == ';' && m_state.colourTable) {
            ColourTableEntryEnd();
        } else if (!m_state.skip) {
            // Bytes above 127 outside \'xx are not valid RTF; read them as the code page would.
            Text(Cp1252::ToUnicode(static_cast<unsigned char>(c)));
        }
    }
    Flush();
}

} // namespace

namespace Rtf {

bool Load(const QByteArray& data, QTextDocument* document)
{
    document->clear();
    if (!data.startsWith("{\\rtf"))
        return false;
    Reader reader(data, document);
    reader.Run();
    return true;
}

bool LoadFile(const QString& fileName, QTextDocument* document)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        document->clear();
        return false;
    }
    return Load(file.readAll(), document);
}

} // namespace Rtf
