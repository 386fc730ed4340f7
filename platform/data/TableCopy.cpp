#include "platform/data/TableCopy.h"

#include "platform/data/DataError.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace data {

namespace {

std::function<void(qint64)>& BatchObserver()
{
    static std::function<void(qint64)> observer;
    return observer;
}

bool SameServer(const Connection& in, const Connection& out)
{
    return in.params().engine == out.params().engine && !in.params().isFile()
        && in.params().server.compare(out.params().server, Qt::CaseInsensitive) == 0
        && in.params().port == out.params().port;
}

// A prepared multi-row insert for a fixed number of rows.
class RowWriter {
public:
    RowWriter(Connection& out, const QString& table, const QStringList& names)
        : m_out(out), m_table(table), m_names(names), m_rowsPerInsert(out.dialect().rowsPerInsert(names.size()))
    {
        m_pending.reserve(m_rowsPerInsert * names.size());
    }

    void add(QVariantList&& row)
    {
        for (QVariant& v : row)
            m_pending.append(std::move(v));
        if (++m_pendingRows == m_rowsPerInsert)
            flush();
    }

    void flush()
    {
        if (m_pendingRows == 0)
            return;
        QSqlQuery* q = m_pendingRows == m_rowsPerInsert ? &m_full : &m_partial;
        if (q == &m_partial || !m_fullPrepared) {
            *q = QSqlQuery(m_out.database());
            if (!q->prepare(m_out.dialect().insertRows(m_table, m_names, m_pendingRows)))
                m_out.fail(q->lastError().text());
            if (q == &m_full)
                m_fullPrepared = true;
        }
        for (int i = 0; i < m_pending.size(); ++i)
            q->bindValue(i, m_pending[i]);
        if (!q->exec())
            m_out.fail(q->lastError().text());
        m_written += m_pendingRows;
        m_pending.clear();
        m_pendingRows = 0;
        if (BatchObserver())
            BatchObserver()(m_written);
    }

    qint64 written() const { return m_written; }
    // The table changed: statements prepared before are made again.
    void tableChanged() { m_fullPrepared = false; }

private:
    Connection& m_out;
    QString m_table;
    QStringList m_names;
    int m_rowsPerInsert;
    QVariantList m_pending;
    int m_pendingRows = 0;
    qint64 m_written = 0;
    QSqlQuery m_full;
    bool m_fullPrepared = false;
    QSqlQuery m_partial;
};

// The output's sized text columns and how long each may be now; widened when a converted
// value would not fit.
class ColumnWidths {
public:
    ColumnWidths(Connection& out, const QString& table, const QList<Column>& columns, const QStringList& names)
        : m_out(out), m_table(table), m_columns(columns), m_names(names)
    {
        for (const Column& c : columns)
            m_limits << (c.isText() ? out.dialect().outputLength(c) : -1);
    }

    // Widens column i when the text is longer than it holds; true when it did.
    bool fit(int i, const QString& text)
    {
        const int limit = m_limits[i];
        if (limit < 0 || text.size() <= limit)
            return false;
        const Dialect& d = m_out.dialect();
        const bool fixed = m_columns[i].kind == ColumnKind::Char || m_columns[i].kind == ColumnKind::WChar;
        // A fixed-length value's padding is no part of it.
        QString value = text;
        if (fixed)
            while (value.endsWith(QLatin1Char(' ')))
                value.chop(1);
        const int needed = d.textLength(value);
        if (needed <= limit)
            return false;
        m_out.exec(d.widenColumn(m_table, m_names[i], m_columns[i], needed));
        m_limits[i] = needed;
        return true;
    }

private:
    Connection& m_out;
    QString m_table;
    QList<Column> m_columns;
    QStringList m_names;
    QList<int> m_limits;
};

qint64 CopyRows(Connection& in, const QString& inTable, const QList<Column>& columns, RowWriter& writer,
                ColumnWidths& widths, const CopyOptions& options)
{
    QSqlQuery src = in.select(in.dialect().selectAll(inTable, columns));
    const int n = static_cast<int>(columns.size());
    QList<bool> text(n);
    for (int i = 0; i < n; ++i)
        text[i] = columns[i].isText() && options.convertText;
    while (src.next()) {
        QVariantList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i) {
            QVariant v = src.value(i);
            if (text[i] && !v.isNull()) {
                const QString s = v.toString();
                if (!s.isEmpty()) {
                    const QString converted = options.convertText(s);
                    if (widths.fit(i, converted))
                        writer.tableChanged();
                    v = converted;
                }
            }
            row.append(std::move(v));
        }
        writer.add(std::move(row));
    }
    if (src.lastError().isValid())
        in.fail(src.lastError().text());
    writer.flush();
    return writer.written();
}

// The columns of an existing table of the output; empty when there is none.
QList<Column> ExistingColumns(Connection& out, const QString& table)
{
    try {
        return out.columns(table);
    } catch (const DataError&) {
        if (!out.ping())
            throw;
    }
    return {};
}

// Runs the statements, ignoring failures.
void RunQuietly(Connection& out, const QList<Statement>& statements) noexcept
{
    for (const Statement& s : statements) {
        try {
            out.exec(s);
        } catch (...) {
        }
    }
}

} // namespace

void SetCopyBatchObserver(std::function<void(qint64)> observer)
{
    BatchObserver() = std::move(observer);
}

QStringList OutputColumnNames(const QList<Column>& columns, const CopyOptions& options)
{
    QStringList names;
    for (const Column& c : columns) {
        const QString name = options.columnName ? options.columnName(c.name) : QString();
        names << (name.isEmpty() ? c.name : name);
    }
    return names;
}

bool HasColumnNames(const QList<Column>& existing, const QStringList& names)
{
    if (existing.size() != names.size())
        return false;
    for (int i = 0; i < names.size(); ++i)
        if (existing[i].name.compare(names[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

qint64 CopyTable(Connection& in, const QString& inTable, Connection& out, const QString& outTable,
                 const CopyOptions& options)
{
    const QList<Column> columns = in.columns(inTable);
    const QStringList outNames = OutputColumnNames(columns, options);
    const Dialect& d = out.dialect();
    // The columns the inserts write: every one but those the server fills itself.
    QList<Column> written;
    QStringList writtenNames;
    for (int i = 0; i < columns.size(); ++i) {
        if (!d.serverFills(columns[i])) {
            written << columns[i];
            writtenNames << outNames[i];
        }
    }
    const SourceTable source{in.params().database, inTable, SameServer(in, out)};
    out.beginTransaction();
    bool inserting = false;
    try {
        const QList<Column> existing = ExistingColumns(out, outTable);
        if (!existing.isEmpty()) {
            if (!options.replaceExisting || !HasColumnNames(existing, outNames))
                out.fail(QStringLiteral("The output table %1 exists and is no earlier output of the table %2; it is "
                                        "left as it is")
                             .arg(outTable, inTable));
            out.exec(d.dropTableIfExists(outTable));
        }
        for (const Statement& s : d.createOutputTable(outTable, columns, outNames, source))
            out.exec(s);
        inserting = true;
        for (const Statement& s : d.beforeInsert(outTable))
            out.exec(s);
        RowWriter writer(out, outTable, writtenNames);
        ColumnWidths widths(out, outTable, written, writtenNames);
        const qint64 rows = CopyRows(in, inTable, written, writer, widths, options);
        for (const Statement& s : d.afterInsert(outTable))
            out.exec(s);
        out.commit();
        return rows;
    } catch (...) {
        if (inserting)
            RunQuietly(out, d.afterInsert(outTable));
        out.rollback();
        throw;
    }
}

} // namespace data
