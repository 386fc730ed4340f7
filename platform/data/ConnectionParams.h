#pragma once
// What opens a connection: the engine, the server (or the file of a file database), the
// database, the login and its password; and the connection text that stands for it in
// saved projects. The text is a list of "key=value" entries joined by ";"; a value holding
// ";", "{", "}" or outer blanks is written in braces with "}" doubled, so no value can add
// an entry. The text never carries the password.
#include "platform/data/Engine.h"

#include <QString>

namespace data {

struct ConnectionParams {
    Engine engine = Engine::Sqlite;
    QString server;   // SQL Server: host[,port] or host\instance; PostgreSQL: host or socket folder; files: path
    int port = 0;     // PostgreSQL only; 0 is the default port
    QString database; // Initial Catalog
    QString user;
    QString password;
    bool autoTranslate = false; // kept for SQL Server connections, as the dialog sets it

    bool isFile() const { return engine == Engine::Sqlite || engine == Engine::Access; }
};

// "Provider=...;Data Source=...;..." without any password.
QString ConnectionText(const ConnectionParams& params);
// Reads a connection text; false for a text without a known provider. A password found in
// the text (older saved texts) is taken into params.password.
bool ParseConnectionText(const QString& text, ConnectionParams& params);

// The value quoted for a "key=value;" list (ODBC and connection texts).
QString QuoteConnectionValue(const QString& value);

} // namespace data
