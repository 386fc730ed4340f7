#pragma once
// A connection to a source or output database. Until the data layer exists a connection
// only holds its connection string and can never be opened.
#include <QString>

struct AdoConnection {
    QString ConnectionString;
    bool IsOpen = false;
};

// Opens a new connection with the connection string into connection (7 seconds to connect,
// no command time-out). False, with a quiet error-log record "ConnectADO", when it cannot be
// opened; connection is then left as it was.
bool ConnectADO(const QString& connectionString, AdoConnection& connection);
