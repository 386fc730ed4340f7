#pragma once
// The conversion runs of the database window: every listed table that is not yet converted
// is copied into the output database under its output name, its text converted record by
// record. One transaction per table: a table is marked converted only when all its rows
// were written and committed; a failed table is rolled back and marked failed.
#include "database/Connection.h"

#include <QString>
#include <QStringList>

class FlexGrid;

// Bit of a table row's word: the table was converted.
constexpr int32_t kRowConverted = static_cast<int32_t>(0x80000000u);

// SQL Server (and PostgreSQL) source: the output tables go into the database outDB of the
// source's server.
void ExecuteSQLConv(FlexGrid* lst, const QStringList& mcollTbl, const QStringList& mcollOutTbl, bool bCode,
                    bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt, const QString& outDB);
// Access-type source: the output is a new database file outDB, which must not exist yet.
// The column names are converted too.
void ExecuteMDBConv(FlexGrid* lst, const QStringList& mcollTbl, const QStringList& mcollOutTbl, bool bCode,
                    bool bPhrase, bool bB52GB, bool bL2R, AdoConnection& cnt, const QString& outDB);

// The text after the last "." of a qualified table name; "" when it holds no ".".
QString getTableName(const QString& qualifiedName);

// The text written for a converted value: the conversion, or the text itself when the
// conversion gave nothing (a failure never blanks a field).
QString ConvertedOrSame(const QString& text);

// True when the two paths name one file (same device and inode), also through links.
bool SameFile(const QString& a, const QString& b);
