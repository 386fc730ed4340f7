#pragma once
// The connections of the database conversion: the source connection of the database
// window and the output connections of the runs. A connection is shared by value (the
// window's mCnt, a run's argument); ConnectionString is its connection text, which never
// holds the password.
#include "platform/data/Connection.h"

#include <QString>
#include <memory>

struct AdoConnection {
    QString ConnectionString;
    std::shared_ptr<data::Connection> impl;

    bool IsOpen() const { return impl && impl->isOpen(); }
    // The open connection; a run-time failure when there is none.
    data::Connection& get() const;
    // "Data Source", "Initial Catalog", "User ID", "Password".
    QString Property(const QString& name) const { return get().Property(name); }
    data::Engine engine() const { return impl ? impl->params().engine : data::Engine::Access; }
    void Close();
};

// Opens a new connection from a saved connection text (7 seconds to connect). A password the
// text does not carry comes from the secret store, or is asked for when the server refuses
// the connection without one. False, with a quiet error-log record "ConnectADO", when it
// cannot be opened; the connection object then keeps the text, so a later attempt can use it.
bool ConnectADO(const QString& connectionString, AdoConnection& connection);
// Opens a database of a server: SQL Server by default, or PostgreSQL (5 seconds to connect;
// hourglass meanwhile). False after ErrorLogAsk("ConnectSQL" & server & "-" & database).
bool ConnectSQL(const QString& server, const QString& database, const QString& user, const QString& password,
                AdoConnection& connection, data::Engine engine = data::Engine::SqlServer);
// Opens another database of the source connection's server (its port included) with the same
// login; failures are reported as ConnectSQL reports them.
bool ConnectSameServer(const AdoConnection& source, const QString& database, AdoConnection& connection);
// Opens an Access-type database file. False after ErrorLog("ConnectMDB").
bool ConnectMDB(const QString& path, AdoConnection& connection);

// The parameters of a server connection; PostgreSQL servers may be written "host:port".
data::ConnectionParams ServerParams(data::Engine engine, const QString& server, const QString& database,
                                    const QString& user, const QString& password);
