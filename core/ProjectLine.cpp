#include "core/ProjectLine.h"

#include <algorithm>

namespace {

bool IsControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }

QString EscapedText(const QString& text)
{
    QString out = QStringLiteral("E\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default:
            if (IsControl(c))
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

// The escaped field's text from just after its opening quote; i ends after the closing quote.
QString ReadEscaped(const QString& line, int& i)
{
    const int n = line.size();
    QString value;
    while (i < n && line[i] != QLatin1Char('"')) {
        if (line[i] != QLatin1Char('\\') || i + 1 >= n) {
            value += line[i++];
            continue;
        }
        const QChar e = line[i + 1];
        i += 2;
        if (e == QLatin1Char('t'))
            value += QLatin1Char('\t');
        else if (e == QLatin1Char('n'))
            value += QLatin1Char('\n');
        else if (e == QLatin1Char('r'))
            value += QLatin1Char('\r');
        else if (e == QLatin1Char('x') && i + 2 <= n) {
            bool ok = false;
            const ushort code = line.mid(i, 2).toUShort(&ok, 16);
            if (ok) {
                value += QChar(code);
                i += 2;
            } else {
                value += e;
            }
        } else {
            value += e; // \\ and \" and anything else stand for the character itself
        }
    }
    if (i < n)
        ++i; // the closing quote
    return value;
}

// The quoted field's text from just after its opening quote; i ends after the closing quote.
QString ReadQuoted(const QString& line, int& i)
{
    const int n = line.size();
    QString value;
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
    return value;
}

} // namespace

QString ProjectText(const QString& text)
{
    if (std::any_of(text.begin(), text.end(), IsControl))
        return EscapedText(text);
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
        const bool quoted = i < n && line[i] == QLatin1Char('"');
        const bool escaped = !quoted && i + 1 < n && line[i] == QLatin1Char('E') && line[i + 1] == QLatin1Char('"');
        if (quoted || escaped) {
            i += escaped ? 2 : 1;
            value = escaped ? ReadEscaped(line, i) : ReadQuoted(line, i);
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
