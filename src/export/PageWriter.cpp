// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/PageWriter.h"

#include "export/ExportError.h"
#include "platform/Cp1252.h"

#include "platform/SafeFile.h"

TPageWriter::TPageWriter(const QString& fileName)
    : m_fileName(fileName)
    , m_file(std::make_unique<TAtomicFile>(fileName, TLinkPolicy::Replace))
{
    if (!m_file->Open())
        throw EExportError::CreateError(fileName, m_file->ErrorText());
}

TPageWriter::~TPageWriter() = default;

void TPageWriter::Line(const QString& text)
{
    m_bytes += Encode(text);
    m_bytes += "\r\n";
}

void TPageWriter::Line(int spaces, const QString& text)
{
    m_bytes += QByteArray(qMax(0, spaces), ' ');
    Line(text);
}

void TPageWriter::Lines(const QStringList& lines)
{
    for (const QString& line : lines)
        Line(line);
}

void TPageWriter::Close()
{
    if (!m_file)
        return;
    const std::unique_ptr<TAtomicFile> file = std::move(m_file);
    if (!file->Write(m_bytes) || !file->Commit())
        throw EExportError::WriteError(m_fileName, file->ErrorText());
}

void TPageWriter::WriteFile(const QString& fileName, const QStringList& lines)
{
    TPageWriter page(fileName);
    page.Lines(lines);
    page.Close();
}

QByteArray TPageWriter::Encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const int byte = Cp1252::FromUnicode(c);
        if (byte >= 0) {
            out.append(char(byte));
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
        } else if (c.isSurrogate()) {
            code = 0xFFFD;
        }
        out += "&#" + QByteArray::number(uint(code)) + ';';
    }
    return out;
}
