// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Writes one text file of an exported web site: pages, style sheets and
// scripts. The sites declare charset iso-8859-1, so the bytes are
// Windows-1252 (which browsers use for that label); a character the code page
// lacks becomes a numeric character reference. Every line, the last one too,
// ends in CR LF.
//
// The file is replaced only by Close: until then the text is kept in memory,
// a symbolic link planted where a page goes is replaced, never written through,
// and a writer destroyed without Close (an error while building the page)
// leaves the old file as it was.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class TAtomicFile;

class TPageWriter {
public:
    // Throws EExportError when the file cannot be created (missing folder,
    // no permission).
    explicit TPageWriter(const QString& fileName);
    ~TPageWriter();
    TPageWriter(const TPageWriter&) = delete;
    TPageWriter& operator=(const TPageWriter&) = delete;

    const QString& FileName() const { return m_fileName; }

    // One line: the text as it stands, then CR LF.
    void Line(const QString& text);
    // One line of a template: that many blanks, then the text.
    void Line(int spaces, const QString& text);
    void Lines(const QStringList& lines);

    // Writes the file and closes it. Throws EExportError when the file cannot
    // be written; the writer is closed either way.
    void Close();

    // A whole file of lines at once, written and closed; throws as the
    // constructor and Close do.
    static void WriteFile(const QString& fileName, const QStringList& lines);

    // The bytes of a text as the pages hold them.
    static QByteArray Encode(const QString& text);

private:
    QString m_fileName;
    QByteArray m_bytes;
    std::unique_ptr<TAtomicFile> m_file;
};
