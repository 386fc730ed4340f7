#include "platform/data/Column.h"

namespace data {

ColumnKind KindOfTypeName(const QString& typeName)
{
    QString t = typeName.trimmed().toLower();
    const int paren = t.indexOf(QLatin1Char('('));
    if (paren >= 0)
        t = t.left(paren).trimmed();
    if (t == QLatin1String("char") || t == QLatin1String("character"))
        return ColumnKind::Char;
    if (t == QLatin1String("varchar") || t == QLatin1String("character varying"))
        return ColumnKind::VarChar;
    if (t == QLatin1String("nchar") || t == QLatin1String("national character"))
        return ColumnKind::WChar;
    if (t == QLatin1String("nvarchar") || t == QLatin1String("national character varying"))
        return ColumnKind::WVarChar;
    if (t == QLatin1String("text") || t == QLatin1String("memo") || t == QLatin1String("longchar"))
        return ColumnKind::LongText;
    if (t == QLatin1String("ntext") || t == QLatin1String("clob"))
        return ColumnKind::LongWText;
    return ColumnKind::Other;
}

} // namespace data
