#include "resources/StringTable.h"

#include <QHash>

QString LoadResString(int id)
{
    static const QHash<int, QString> table = {
        {8001, QStringLiteral("Velmora")},
    };
    return table.value(id);
}
