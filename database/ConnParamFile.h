#pragma once
// The saved connections, ConnParam.sys in the program folder: one line per connection,
// newest first, "server,database,user,password" in the system code page with CR LF line
// ends. The password field is always written empty: a password the user asked to keep is in
// the secret store. The file is written whole or not at all.
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
// Puts the connection's line first and drops every other line equal to it (outer blanks
// ignored); with remove, only drops them. Throws RuntimeError when the file cannot be written.
void UpdateConnParam(const QString& path, const SavedConnection& connection, bool remove);
