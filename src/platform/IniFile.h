// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The settings file. Behaves like the classic Windows ini-file class: sections
// and keys compare without regard to case, their order is kept, values are
// stored as they stand (no quoting or escaping), bad numbers read as the
// default. Every write reaches the disk at once, through a temporary file that
// is renamed over the old one, so a crash never leaves half a file.
#include <QHash>
#include <QString>
#include <QStringList>

#include <list>

class IniFile {
public:
    explicit IniFile(const QString& fileName);
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const QString& FileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // The keys of a section, in file order.
    QStringList ReadSection(const QString& section) const;
    // "key=value" lines of a section, in file order.
    QStringList ReadSectionValues(const QString& section) const;
    QStringList ReadSections() const;
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Groups many writes into one file write; nests.
    void BeginUpdate();
    void EndUpdate();

    // Writes the file now; false (with LastError) when it could not be written.
    bool UpdateFile();
    const QString& LastError() const { return m_lastError; }

    // Reads the file again, dropping what is in memory.
    void Reload();

private:
    // Names are looked up through hash tables: a file of hundreds of
    // thousands of keys (the list of generated sites only grows) is read and
    // searched in time that grows with its size alone. The tables share the
    // names' text; two names are the same key when they compare equal
    // without regard to case, and then their case-folded letters, which the
    // hash is taken of, are equal too.
    struct Name {
        QString text;
        friend bool operator==(const Name& a, const Name& b)
        {
            return a.text.compare(b.text, Qt::CaseInsensitive) == 0;
        }
        friend size_t qHash(const Name& name, size_t seed) { return Hash(name.text, seed); }
        static size_t Hash(const QString& text, size_t seed);
    };
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::list<Entry> entries;
        QHash<Name, std::list<Entry>::iterator> index;

        const Entry* Find(const QString& key) const;
        Entry* Find(const QString& key);
        // Adds the key at the end unless the section holds it already.
        bool Add(const QString& key, const QString& value);
    };

    const Section* FindSection(const QString& name) const;
    Section* FindSection(const QString& name);
    Section& AddSection(const QString& name);
    void Changed();

    QString m_fileName;
    std::list<Section> m_sections;
    QHash<Name, std::list<Section>::iterator> m_sectionIndex;
    int m_updateDepth = 0;
    bool m_dirty = false;
    QString m_lastError;
};
