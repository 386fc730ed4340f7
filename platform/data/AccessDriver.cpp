#include "platform/data/AccessDriver.h"

#include "platform/data/DataError.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

namespace data {

namespace {

// Reads one bracketed identifier at pos ("]]" stands for "]"); false when there is none.
bool TakeIdentifier(const QString& sql, qsizetype& pos, QString& name)
{
    if (pos >= sql.size() || sql[pos] != QLatin1Char('['))
        return false;
    name.clear();
    for (qsizetype i = pos + 1; i < sql.size(); ++i) {
        if (sql[i] != QLatin1Char(']')) {
            name += sql[i];
            continue;
        }
        if (i + 1 < sql.size() && sql[i + 1] == QLatin1Char(']')) {
            name += QLatin1Char(']');
            ++i;
            continue;
        }
        pos = i + 1;
        return true;
    }
    return false;
}

bool TakeWord(const QString& sql, qsizetype& pos, QLatin1String word)
{
    while (pos < sql.size() && sql[pos].isSpace())
        ++pos;
    if (sql.mid(pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    pos += word.size();
    return true;
}

void SkipSpace(const QString& sql, qsizetype& pos)
{
    while (pos < sql.size() && sql[pos].isSpace())
        ++pos;
}

// "SELECT [a], [b] FROM [t]" or "SELECT * FROM [t]": the table and the columns (none for *).
bool ParseSelect(const QString& sql, QString& table, QStringList& columns)
{
    qsizetype pos = 0;
    if (!TakeWord(sql, pos, QLatin1String("SELECT")))
        return false;
    SkipSpace(sql, pos);
    columns.clear();
    if (pos < sql.size() && sql[pos] == QLatin1Char('*')) {
        ++pos;
    } else {
        for (;;) {
            QString name;
            SkipSpace(sql, pos);
            if (!TakeIdentifier(sql, pos, name))
                return false;
            columns << name;
            SkipSpace(sql, pos);
            if (pos < sql.size() && sql[pos] == QLatin1Char(',')) {
                ++pos;
                continue;
            }
            break;
        }
    }
    if (!TakeWord(sql, pos, QLatin1String("FROM")))
        return false;
    SkipSpace(sql, pos);
    if (!TakeIdentifier(sql, pos, table))
        return false;
    SkipSpace(sql, pos);
    return pos == sql.size();
}

QMetaType TypeOf(const Column& c)
{
    if (c.isText())
        return QMetaType(QMetaType::QString);
    const QString t = c.typeText;
    if (t == QLatin1String("BOOLEAN"))
        return QMetaType(QMetaType::Bool);
    if (t == QLatin1String("TINYINT") || t == QLatin1String("SMALLINT"))
        return QMetaType(QMetaType::Int);
    if (t == QLatin1String("INTEGER"))
        return QMetaType(QMetaType::LongLong);
    if (t == QLatin1String("REAL") || t == QLatin1String("DOUBLE"))
        return QMetaType(QMetaType::Double);
    if (t == QLatin1String("BLOB"))
        return QMetaType(QMetaType::QByteArray);
    return QMetaType(QMetaType::QString);
}

QSqlRecord RecordOf(const QList<Column>& columns, const QString& table)
{
    QSqlRecord record;
    for (const Column& c : columns) {
        QSqlField field(c.name, TypeOf(c), table);
        if (c.length > 0)
            field.setLength(c.length);
        record.append(field);
    }
    return record;
}

class AccessResult : public QSqlResult {
public:
    explicit AccessResult(const AccessDriver* driver) : QSqlResult(driver), m_driver(driver) {}

protected:
    QVariant data(int i) override { return current().value(i); }
    bool isNull(int i) override { return !current().value(i).isValid(); }
    int size() override { return -1; }
    int numRowsAffected() override { return 0; }
    QSqlRecord record() const override { return m_record; }

    bool reset(const QString& sql) override
    {
        m_cursor.reset();
        m_single = false;
        m_rows.clear();
        m_record = QSqlRecord();
        setActive(false);
        setAt(QSql::BeforeFirstRow);
        const AccessFile* file = m_driver->file();
        if (!file)
            return failed(QStringLiteral("The database is not open"), QSqlError::ConnectionError);
        const QString text = sql.trimmed();
        if (text.compare(QLatin1String("SELECT 1"), Qt::CaseInsensitive) == 0) {
            m_record.append(QSqlField(QStringLiteral("1"), QMetaType(QMetaType::Int)));
            m_single = true;
            m_complete = false;
            return started();
        }
        QString table;
        QStringList columns;
        if (!ParseSelect(text, table, columns))
            return failed(QStringLiteral("Statement not supported for Access files: ") + text,
                          QSqlError::StatementError);
        try {
            const QList<Column> all = file->columns(table);
            QList<Column> chosen;
            for (const QString& name : columns) {
                auto it = std::find_if(all.begin(), all.end(), [&](const Column& c) { return c.name == name; });
                if (it == all.end())
                    return failed(QStringLiteral("No column %1 in table %2").arg(name, table), QSqlError::StatementError);
                chosen << *it;
            }
            m_record = RecordOf(columns.isEmpty() ? all : chosen, table);
            m_cursor = file->read(table, columns);
        } catch (const DataError& e) {
            return failed(e.description(), QSqlError::StatementError);
        }
        m_complete = false;
        return started();
    }

    bool fetch(int i) override
    {
        if (i < 0)
            return false;
        if (isForwardOnly()) {
            // Only the next row: the rows are streamed, not kept.
            if (i != at() + 1 || !readRow())
                return false;
            m_rows = {m_read};
            setAt(i);
            return true;
        }
        while (i >= m_rows.size()) {
            if (!readRow())
                return false;
            m_rows.append(m_read);
        }
        setAt(i);
        return true;
    }

    bool fetchFirst() override { return at() == QSql::BeforeFirstRow || !isForwardOnly() ? fetch(0) : false; }
    bool fetchNext() override { return fetch(at() < 0 ? 0 : at() + 1); }

    bool fetchLast() override
    {
        if (isForwardOnly()) {
            while (fetchNext()) {
            }
            return at() >= 0;
        }
        while (readRow())
            m_rows.append(m_read);
        if (m_rows.isEmpty())
            return false;
        setAt(static_cast<int>(m_rows.size()) - 1);
        return true;
    }

private:
    bool started()
    {
        setSelect(true);
        setActive(true);
        return true;
    }

    bool failed(const QString& text, QSqlError::ErrorType type)
    {
        setLastError(QSqlError(text, QString(), type));
        return false;
    }

    // The next row of the cursor into its row buffer; false at the end or on a failure
    // (then lastError() says why).
    bool readRow()
    {
        if (m_complete)
            return false;
        if (m_single) {
            // "SELECT 1": one row.
            m_complete = true;
            m_read = {1};
            return true;
        }
        try {
            if (m_cursor && m_cursor->next()) {
                m_read = m_cursor->row();
                return true;
            }
        } catch (const DataError& e) {
            setLastError(QSqlError(e.description(), QString(), QSqlError::StatementError));
        }
        m_complete = true;
        return false;
    }

    const QVariantList& current() const
    {
        static const QVariantList none;
        if (isForwardOnly())
            return m_rows.isEmpty() ? none : m_rows.first();
        return at() >= 0 && at() < m_rows.size() ? m_rows[at()] : none;
    }

    const AccessDriver* m_driver;
    std::unique_ptr<AccessFile::Cursor> m_cursor;
    QList<QVariantList> m_rows; // forward only: the current row; otherwise every row read so far
    QSqlRecord m_record;
    QVariantList m_read; // the row readRow() read last
    bool m_single = false;
    bool m_complete = false;
};

} // namespace

AccessDriver::~AccessDriver() = default;

bool AccessDriver::hasFeature(DriverFeature feature) const
{
    return feature == Unicode || feature == BLOB;
}

bool AccessDriver::open(const QString& db, const QString&, const QString&, const QString&, int, const QString&)
{
    close();
    try {
        m_file = std::make_unique<AccessFile>(db);
    } catch (const DataError& e) {
        setLastError(QSqlError(e.description(), QString(), QSqlError::ConnectionError));
        setOpenError(true);
        return false;
    }
    setOpen(true);
    setOpenError(false);
    return true;
}

void AccessDriver::close()
{
    m_file.reset();
    setOpen(false);
    setOpenError(false);
}

QSqlResult* AccessDriver::createResult() const
{
    return new AccessResult(this);
}

QStringList AccessDriver::tables(QSql::TableType type) const
{
    if (!m_file || !(type & QSql::Tables))
        return {};
    return m_file->userTables();
}

QSqlRecord AccessDriver::record(const QString& table) const
{
    if (!m_file)
        return {};
    try {
        return RecordOf(m_file->columns(table), table);
    } catch (const DataError&) {
        return {};
    }
}

QString AccessDriver::escapeIdentifier(const QString& identifier, IdentifierType) const
{
    QString s = identifier;
    s.replace(QLatin1Char(']'), QStringLiteral("]]"));
    return QLatin1Char('[') + s + QLatin1Char(']');
}

} // namespace data
