#include "database/Connection.h"

#include "core/Err.h"
#include "core/Log.h"

bool ConnectADO(const QString& connectionString, AdoConnection& connection)
{
    try {
        Err().Raise(errDllLoad, QStringLiteral("No database provider is available for: ") + connectionString);
    } catch (...) {
        ErrorLogQuiet(QStringLiteral("ConnectADO"));
    }
    return false;
}
