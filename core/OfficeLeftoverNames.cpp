#include "core/OfficeLeftoverNames.h"

QStringList& OfficeLockNames()
{
    static QStringList names{QStringLiteral(".~lock.%1#")};
    return names;
}

QStringList& OfficeTemporaryPatterns()
{
    static QStringList patterns{QStringLiteral("lu*.tmp")};
    return patterns;
}
