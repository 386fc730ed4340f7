#pragma once
// The database engines the data layer speaks to.
#include <QString>

namespace data {

enum class Engine {
    SqlServer,  // over ODBC and FreeTDS
    PostgreSql, // over the PostgreSQL driver
    Sqlite,     // embedded; the output of Access-type conversions
    Access,     // .mdb and .accdb files, read through libmdb
};

// The provider name a connection text carries for the engine, and back ("" / false when unknown).
QString ProviderName(Engine engine);
bool EngineFromProvider(const QString& provider, Engine& engine);

} // namespace data
