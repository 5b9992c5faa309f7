// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// A numbered list of records in the settings file. Each record is a section of
// its own, "<Name>-1", "<Name>-2", ..., and the header section "<Name>" counts
// them under the key "NrOf<Name>".
#include <QString>
#include <QStringList>

class IniFile;

class TSectionList {
public:
    // The settings file is borrowed: it must outlive the list.
    TSectionList(IniFile& ini, const QString& name);

    // The counter, but never more than the records the file holds (and those
    // this list added): a damaged counter must not have a billion records read.
    int GetCount() const;
    // The number of the first record whose value of key equals value, both
    // lower-cased (ASCII); -1 when none does.
    int Find(const QString& key, const QString& value) const;

    QString ReadValue(int number, const QString& key, const QString& def) const;
    void WriteValue(int number, const QString& key, const QString& value);
    // Appends the items of a stored list to strings (strings is not cleared).
    void ReadStrings(int number, const QString& key, QStringList& strings) const;
    void WriteStrings(int number, const QString& key, const QStringList& strings);

    // Raises the counter at once and returns the new record's number; the
    // record itself stays empty until values are written.
    int AddSection();
    // Removes a record and moves the later ones down by one. Numbers outside
    // 1..count are ignored: erasing nothing must not lower the counter.
    void DeleteSection(int number);

    // The value form of a list: "#" + count, then "#" + length + "#" + item
    // for each item ("ab", "c" -> "#2#2#ab#1#c"; no items -> "#0"). The length
    // prefix delimits the item, so items may hold "#".
    static QString EncodeStrings(const QStringList& strings);
    // Appends the items of an encoded value; stops quietly at the first
    // malformed part, keeping what was read before it.
    static void DecodeStrings(const QString& value, QStringList& strings);

    QString SectionName(int number) const;

private:
    // The highest record number that has a section in the file.
    int HighestRecord() const;

    IniFile* m_ini;
    QString m_name;
    QString m_counterKey;
    // Records added by this list, which stay empty until values are written.
    int m_added = 0;
};
