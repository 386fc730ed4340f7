#pragma once
// The saved connections, ConnParam.sys in the program folder: one line per connection,
// newest first, "server,database,user,password" in the system code page with CR LF line
// ends. The password field is always written empty: a password the user asked to keep is in
// the secret store. The file is written whole or not at all.
#include "platform/data/ConnectionParams.h"

#include <QString>
#include <QStringList>

struct SavedConnection {
    QString server;
    QString database;
    QString user;
    QString password;
    QString line() const;
};

// The path of ConnParam.sys.
QString ConnParamPath();
// The file's lines ("" list when it is missing).
QStringList ReadConnParamLines(const QString& path);
// The four fields of a line; false unless it splits into exactly four.
bool SplitConnParamLine(const QString& line, SavedConnection& connection);
// The line as it is kept: server, database and user; older lines that carried a password
// (also one holding ",", which makes more than four fields) lose it. Lines of fewer fields
// stay as they are.
QString LineWithoutPassword(const QString& line);
// Puts the connection's line first and drops every other line equal to it (outer blanks
// ignored); with remove, only drops them. Throws RuntimeError when the file cannot be written.
void UpdateConnParam(const QString& path, const SavedConnection& connection, bool remove);

// The server field of a saved connection: a PostgreSQL server is kept as "pgsql:" & host,
// with ":" & port when it is not the default one.
QString SavedServerField(const data::ConnectionParams& params);
// The engine, host and port a server field names.
data::ConnectionParams ParamsOfSavedServer(const QString& field);
// The server of a field as the user typed it, without the engine's mark.
QString ShownServer(const QString& field);
// The key under which a connection's password is stored: the same for the connection dialog
// and for a connection reopened from a project.
QString StoredPasswordKey(const data::ConnectionParams& params);
