#pragma once
// Copies one table into an output database: the output table is created from the source
// table's structure (8-bit text widened to Unicode), every row is streamed with a
// forward-only query, the text of its text columns passed through a conversion, and
// written with multi-row inserts of bound values. All of it is one transaction on the
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
    // Drop an output table of the same name first.
    bool replaceExisting = true;
};

// Returns the number of rows written. Throws DataError after rolling the output back.
qint64 CopyTable(Connection& in, const QString& inTable, Connection& out, const QString& outTable,
                 const CopyOptions& options);

// Called after each batch of rows is written with the rows written so far (tests only).
void SetCopyBatchObserver(std::function<void(qint64)> observer);

} // namespace data
