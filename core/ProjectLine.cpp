#include "core/ProjectLine.h"

QString ProjectText(const QString& text)
{
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString ProjectNumber(qint64 value) { return QString::number(value); }

QString ProjectLine(const QStringList& fields) { return fields.join(QLatin1Char(',')); }

QStringList ParseProjectLine(const QString& line)
{
    QStringList fields;
    const int n = line.size();
    int i = 0;
    while (true) {
        while (i < n && line[i] == QLatin1Char(' '))
            ++i;
        QString value;
        if (i < n && line[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (line[i] == QLatin1Char('"')) {
                    if (i + 1 < n && line[i + 1] == QLatin1Char('"')) {
                        value += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += line[i++];
            }
            // Anything between the closing quote and the next comma is ignored.
            while (i < n && line[i] != QLatin1Char(','))
                ++i;
        } else {
            const int start = i;
            while (i < n && line[i] != QLatin1Char(','))
                ++i;
            value = line.mid(start, i - start).trimmed();
        }
        fields << value;
        if (i >= n)
            break;
        ++i; // the comma
    }
    return fields;
}
