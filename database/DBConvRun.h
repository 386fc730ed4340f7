#pragma once
// The conversion runs of the database window: every listed table that is not yet converted
// is copied into the output database under its output name, its text converted record by
// record. One transaction per table: a table is marked converted only when all its rows
// were written and committed; a failed table is rolled back and marked failed.
#include "database/Connection.h"
#include "database/TableEntry.h"

#include <QString>
#include <QStringList>

class FlexGrid;

// Bit of a table row's word: the table was converted.
constexpr int32_t kRowConverted = static_cast<int32_t>(0x80000000u);

// SQL Server (and PostgreSQL) source: the output tables go into the database outDB of the
// source's server. An existing output table is replaced only when it is an earlier output of
// the same table (its columns are those the conversion gives); otherwise the row fails.
void ExecuteSQLConv(FlexGrid* lst, const TableEntries& mcollTbl, const TableEntries& mcollOutTbl, bool bCode,
                    bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt, const QString& outDB);

// What an Access-type run does with an output file that exists.
enum class ExistingOutput {
    Refuse,  // the message "输出MDB档已存在", nothing written
    Replace, // the new output is written beside it and renamed over it once every table converted
};
// Access-type source: the output is a new database file outDB. The column names are
// converted too.
void ExecuteMDBConv(FlexGrid* lst, const TableEntries& mcollTbl, const TableEntries& mcollOutTbl, bool bCode,
                    bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt, const QString& outDB,
                    ExistingOutput existing = ExistingOutput::Refuse);
// True when the file outDB is an earlier output of this list: a database file whose every
// table is the output of a listed table, with the columns the conversion gives that table.
bool IsEarlierMDBOutput(const QString& outDB, const TableEntries& mcollTbl, const TableEntries& mcollOutTbl,
                        bool bCode, bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt);

// Marks every row that is not converted as failed (its source could not be opened).
void MarkRowsFailed(FlexGrid* lst);

// The text after the last "." of a qualified table name; "" when it holds no ".".
QString getTableName(const QString& qualifiedName);

// The text written for a converted value: the conversion, or the text itself when the
// conversion gave nothing (a failure never blanks a field).
QString ConvertedOrSame(const QString& text);

// True when the two paths name one file (same device and inode), also through links.
bool SameFile(const QString& a, const QString& b);
