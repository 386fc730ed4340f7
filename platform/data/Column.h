#pragma once
// A column of a table as the conversion sees it: its name, what kind of text it holds (if
// any), its length, and the engine's own type text, which a table of the same engine is
// created with unchanged.
#include <QString>

namespace data {

enum class ColumnKind {
    Char,      // 8-bit fixed length text
    VarChar,   // 8-bit varying text
    WChar,     // Unicode fixed length text
    WVarChar,  // Unicode varying text
    LongText,  // 8-bit long text
    LongWText, // Unicode long text
    Other,     // numbers, dates, binary and every type the layer does not know: copied unchanged
};

struct Column {
    QString name;
    ColumnKind kind = ColumnKind::Other;
    int length = -1;  // characters of a sized text column; -1 when not sized
    QString typeText; // the engine's type text ("varchar(10)", "integer", "point" ...)

    bool isText() const { return kind != ColumnKind::Other; }
};

// The kind of an engine type name ("char", "nvarchar", "text", "character varying" ...),
// compared without regard to case and without a size in parentheses.
ColumnKind KindOfTypeName(const QString& typeName);

} // namespace data
