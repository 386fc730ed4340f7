#include "database/Connection.h"

#include "core/Err.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "database/ConnParamFile.h"
#include "platform/InputBox.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/data/DataError.h"
#include "platform/data/SecretStore.h"

namespace {

// Opens params into a new connection object held by connection (the old one is released
// first, as a new connection object always replaces it). Throws on failure.
void OpenInto(AdoConnection& connection, const data::ConnectionParams& params, int timeoutSeconds)
{
    connection = AdoConnection();
    connection.impl = std::make_shared<data::Connection>();
    try {
        connection.impl->open(params, timeoutSeconds);
    } catch (const data::DataError& e) {
        Err().Raise(errInvalidCall, e.description());
    }
    connection.ConnectionString = connection.impl->ConnectionString();
}

} // namespace

data::Connection& AdoConnection::get() const
{
    if (!impl || !impl->isOpen())
        Err().Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return *impl;
}

void AdoConnection::Close()
{
    if (impl)
        impl->close();
}

data::ConnectionParams ServerParams(data::Engine engine, const QString& server, const QString& database,
                                    const QString& user, const QString& password)
{
    data::ConnectionParams p;
    p.engine = engine;
    p.server = server;
    p.database = database;
    p.user = user;
    p.password = password;
    if (engine == data::Engine::PostgreSql) {
        const int colon = server.lastIndexOf(QLatin1Char(':'));
        if (colon > 0) {
            p.server = server.left(colon);
            p.port = server.mid(colon + 1).toInt();
        }
    }
    return p;
}

bool ConnectADO(const QString& connectionString, AdoConnection& connection)
{
    // The text may be the connection's own, which the new connection object replaces.
    const QString text = connectionString;
    connection = AdoConnection();
    try {
        data::ConnectionParams params;
        if (!data::ParseConnectionText(text, params))
            Err().Raise(3706, QStringLiteral("Provider cannot be found. It may not be properly installed."));
        // A password the text carries (older saved texts) was given; one from the store may be stale.
        const bool given = !params.password.isEmpty();
        if (!params.isFile() && !given)
            data::FindPassword(StoredPasswordKey(params), params.password);
        try {
            OpenInto(connection, params, 7);
        } catch (const RuntimeError&) {
            // A server that refuses the password it was given, or wants one: ask for it once.
            if (params.isFile() || given || gbSchedRun)
                throw;
            params.password = InputBox(QStringLiteral("登录口令:"), params.server + QStringLiteral(" - ") + params.database,
                                       QString(), true);
            if (params.password.isEmpty())
                throw;
            OpenInto(connection, params, 7);
        }
        return true;
    } catch (...) {
        ErrorLogQuiet(QStringLiteral("ConnectADO"));
    }
    connection.ConnectionString = text;
    return false;
}

bool ConnectSameServer(const AdoConnection& source, const QString& database, AdoConnection& connection)
{
    data::ConnectionParams params;
    try {
        params = source.get().params();
    } catch (...) {
        ErrorLog(QStringLiteral("ConnectSQL"));
        return false;
    }
    params.database = database;
    params.autoTranslate = false;
    connection = AdoConnection();
    try {
        MousePointerKeeper hourglass(vbHourglass);
        OpenInto(connection, params, 5);
        return true;
    } catch (...) {
        SetMousePointer(vbDefault);
        ErrorLogAsk(QStringLiteral("ConnectSQL") + ShownServer(SavedServerField(params)) + QStringLiteral("-") + database);
    }
    return false;
}

bool ConnectSQL(const QString& server, const QString& database, const QString& user, const QString& password,
                AdoConnection& connection, data::Engine engine)
{
    connection = AdoConnection();
    try {
        MousePointerKeeper hourglass(vbHourglass);
        data::ConnectionParams params = ServerParams(engine, server, database, user, password);
        params.autoTranslate = false;
        OpenInto(connection, params, 5);
        return true;
    } catch (...) {
        SetMousePointer(vbDefault);
        ErrorLogAsk(QStringLiteral("ConnectSQL") + server + QStringLiteral("-") + database);
    }
    return false;
}

bool ConnectMDB(const QString& path, AdoConnection& connection)
{
    connection = AdoConnection();
    try {
        data::ConnectionParams params;
        params.engine = data::Engine::Access;
        params.server = path;
        OpenInto(connection, params, 5);
        return true;
    } catch (...) {
        ErrorLog(QStringLiteral("ConnectMDB"));
        // A file that cannot be opened is named to the user once; an unattended run only logs it.
        if (!gbSchedRun)
            MsgBox(QStringLiteral("无法打开数据库文件: ") + path + QStringLiteral("\r\n") + Err().Description,
                   vbExclamation);
    }
    return false;
}
