#include "platform/data/Engine.h"

namespace data {

namespace {
struct ProviderEntry {
    Engine engine;
    const char* name;
};
const ProviderEntry kProviders[] = {
    {Engine::SqlServer, "SQLOLEDB"},
    {Engine::PostgreSql, "PostgreSQL"},
    {Engine::Sqlite, "SQLite"},
    {Engine::Access, "Microsoft.Jet.OLEDB.4.0"},
};
} // namespace

QString ProviderName(Engine engine)
{
    for (const ProviderEntry& p : kProviders)
        if (p.engine == engine)
            return QString::fromLatin1(p.name);
    return QString();
}

bool EngineFromProvider(const QString& provider, Engine& engine)
{
    for (const ProviderEntry& p : kProviders) {
        if (provider.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) {
            engine = p.engine;
            return true;
        }
    }
    return false;
}

} // namespace data
