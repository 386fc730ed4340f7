#pragma once
// Copies one table into an output database: the output table is created from the source
// table's structure (8-bit text widened to Unicode), every row is streamed with a
// forward-only query, the text of its text columns passed through a conversion, and
// written with multi-row inserts of bound values. A sized text column that a converted
// value outgrows is widened to fit it; columns the server fills itself are not written. All of it is one transaction on the
// output connection: the table is there with all its rows, or not changed at all.
#include "platform/data/Connection.h"

#include <QString>
#include <functional>

namespace data {

struct CopyOptions {
    // The text written for a non-empty text value (Nulls stay Null, empty texts stay empty).
    std::function<QString(const QString&)> convertText;
    // The output name of a column; empty: the source name.
    std::function<QString(const QString&)> columnName;
    // An output table of the same name is replaced only when it is an earlier output of this
    // copy (the column names the copy gives, in order); any other table of that name fails
    // the copy before anything is written. Without this, such a table fails the copy too.
    bool replaceExisting = true;
};

// The output column names the copy gives for the source columns.
QStringList OutputColumnNames(const QList<Column>& columns, const CopyOptions& options);
// True when the output table's columns are those names, in order.
bool HasColumnNames(const QList<Column>& existing, const QStringList& names);

// Returns the number of rows written. Throws DataError after rolling the output back.
qint64 CopyTable(Connection& in, const QString& inTable, Connection& out, const QString& outTable,
                 const CopyOptions& options);

// Called after each batch of rows is written with the rows written so far (tests only).
void SetCopyBatchObserver(std::function<void(qint64)> observer);

} // namespace data
