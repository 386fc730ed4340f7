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

qint64 CopyRows(Connection& in, const QString& inTable, const QList<Column>& columns, RowWriter& writer,
                const CopyOptions& options)
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
                if (!s.isEmpty())
                    v = options.convertText(s);
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

} // namespace

void SetCopyBatchObserver(std::function<void(qint64)> observer)
{
    BatchObserver() = std::move(observer);
}

qint64 CopyTable(Connection& in, const QString& inTable, Connection& out, const QString& outTable,
                 const CopyOptions& options)
{
    const QList<Column> columns = in.columns(inTable);
    QStringList outNames;
    for (const Column& c : columns) {
        const QString name = options.columnName ? options.columnName(c.name) : QString();
        outNames << (name.isEmpty() ? c.name : name);
    }
    const Dialect& d = out.dialect();
    const SourceTable source{in.params().database, inTable, SameServer(in, out)};
    out.beginTransaction();
    try {
        if (options.replaceExisting)
            out.exec(d.dropTableIfExists(outTable));
        for (const Statement& s : d.createOutputTable(outTable, columns, outNames, source))
            out.exec(s);
        for (const Statement& s : d.beforeInsert(outTable))
            out.exec(s);
        RowWriter writer(out, outTable, outNames);
        const qint64 rows = CopyRows(in, inTable, columns, writer, options);
        out.commit();
        return rows;
    } catch (...) {
        out.rollback();
        throw;
    }
}

} // namespace data
