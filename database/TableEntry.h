#pragma once
// A listed table: the database that holds it and the table's own name, kept apart, since a
// table's name may itself hold ".". Its text, database "." table, is what the list shows and
// what the project keeps.
#include <QList>
#include <QString>

struct TableEntry {
    QString database;
    QString table;

    // database "." table; the table alone when there is no database.
    QString text() const;
    bool operator==(const TableEntry& o) const { return database == o.database && table == o.table; }
};

using TableEntries = QList<TableEntry>;

// An entry read back from its text. When the text begins with database "." the rest is the
// table, dots and all; otherwise the table is the text after its last "." (the whole text
// when it has none).
TableEntry TableEntryFromText(const QString& text, const QString& database);
