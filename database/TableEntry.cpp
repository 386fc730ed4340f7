#include "database/TableEntry.h"

QString TableEntry::text() const
{
    return database.isEmpty() ? table : database + QLatin1Char('.') + table;
}

TableEntry TableEntryFromText(const QString& text, const QString& database)
{
    const QString prefix = database + QLatin1Char('.');
    if (!database.isEmpty() && text.startsWith(prefix) && text.size() > prefix.size())
        return {database, text.mid(prefix.size())};
    const int dot = text.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {QString(), text};
    return {text.left(dot), text.mid(dot + 1)};
}
