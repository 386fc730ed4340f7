#include "platform/data/ConnectionParams.h"

#include <QList>
#include <QPair>

namespace data {

namespace {

using Entry = QPair<QString, QString>;

QList<Entry> SplitEntries(const QString& text)
{
    QList<Entry> entries;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        const int eq = text.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        while (i < n && text[i] == QLatin1Char(' '))
            ++i;
        QString value;
        if (i < n && text[i] == QLatin1Char('{')) {
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('}')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('}')) {
                        value += QLatin1Char('}');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i++];
            }
            const int semi = text.indexOf(QLatin1Char(';'), i);
            i = semi < 0 ? n : semi + 1;
        } else {
            const int semi = text.indexOf(QLatin1Char(';'), i);
            value = text.mid(i, semi < 0 ? -1 : semi - i).trimmed();
            i = semi < 0 ? n : semi + 1;
        }
        if (!key.isEmpty())
            entries.append({key, value});
    }
    return entries;
}

void Add(QString& text, const char* key, const QString& value)
{
    text += QLatin1String(key) + QLatin1Char('=') + QuoteConnectionValue(value) + QLatin1Char(';');
}

} // namespace

QString QuoteConnectionValue(const QString& value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{'))
        && !value.contains(QLatin1Char('}')) && value.trimmed() == value;
    if (plain)
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("}"), QLatin1String("}}"));
    return QLatin1Char('{') + quoted + QLatin1Char('}');
}

QString ConnectionText(const ConnectionParams& p)
{
    QString text;
    Add(text, "Provider", ProviderName(p.engine));
    Add(text, "Data Source", p.server);
    if (p.engine == Engine::PostgreSql && p.port > 0)
        Add(text, "Port", QString::number(p.port));
    if (!p.isFile()) {
        Add(text, "Initial Catalog", p.database);
        Add(text, "User ID", p.user);
    }
    if (p.engine == Engine::SqlServer)
        Add(text, "Auto Translate", p.autoTranslate ? QStringLiteral("True") : QStringLiteral("False"));
    return text;
}

bool ParseConnectionText(const QString& text, ConnectionParams& params)
{
    ConnectionParams p;
    bool haveProvider = false;
    for (const Entry& e : SplitEntries(text)) {
        const QString key = e.first.toLower();
        if (key == QLatin1String("provider"))
            haveProvider = EngineFromProvider(e.second, p.engine);
        else if (key == QLatin1String("data source") || key == QLatin1String("server"))
            p.server = e.second;
        else if (key == QLatin1String("port"))
            p.port = e.second.toInt();
        else if (key == QLatin1String("initial catalog") || key == QLatin1String("database"))
            p.database = e.second;
        else if (key == QLatin1String("user id") || key == QLatin1String("uid"))
            p.user = e.second;
        else if (key == QLatin1String("password") || key == QLatin1String("pwd"))
            p.password = e.second;
        else if (key == QLatin1String("auto translate"))
            p.autoTranslate = e.second.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    }
    if (!haveProvider)
        return false;
    params = p;
    return true;
}

} // namespace data
