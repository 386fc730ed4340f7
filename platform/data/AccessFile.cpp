#include "platform/data/AccessFile.h"

#include "platform/data/DataError.h"

#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <vector>

#include <mdbtools.h>

namespace data {

namespace {

// Flags of a catalog entry: a system object, a hidden object.
constexpr unsigned kSystemOrHidden = 0x80000002u;
constexpr qint64 kHeaderBytes = 4096;

QString Damaged(const QString& path, const QString& why)
{
    return QStringLiteral("The file '%1' cannot be read as an Access database: %2.").arg(path, why);
}

int PageSize(int version)
{
    return version == MDB_VER_JET3 ? 2048 : 4096;
}

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;

struct TableCloser {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableCloser>;

struct GFree {
    void operator()(void* p) const { g_free(p); }
};

QString TakeUtf8(char* text)
{
    std::unique_ptr<char, GFree> owned(text);
    return text ? QString::fromUtf8(text) : QString();
}

// One object of the file's catalog (MSysObjects).
struct CatalogObject {
    QString name;
    int type = 0;
    unsigned flags = 0;
    std::unique_ptr<MdbCatalogEntry> entry; // what libmdb reads a table through
};

// An open file: the libmdb handle and the catalog read from it.
struct OpenFile {
    MdbPtr mdb;
    std::vector<CatalogObject> catalog;
};

// Reads the catalog table (its definition is on page 2) for names, types and flags only.
// libmdb's own catalog reader also decodes every object's property blob, which on a damaged
// file can run for minutes; the conversion needs none of those properties.
std::vector<CatalogObject> ReadCatalog(MdbHandle* mdb, const QString& path)
{
    MdbCatalogEntry objects {};
    objects.mdb = mdb;
    std::strcpy(objects.object_name, "MSysObjects");
    objects.object_type = MDB_TABLE;
    objects.table_pg = 2;
    TablePtr t(mdb_read_table(&objects));
    if (!t || !mdb_read_columns(t.get()))
        throw DataError(Damaged(path, QStringLiteral("its table catalog is damaged")));
    const size_t size = mdb->bind_size;
    std::vector<char> id(size + 1), name(size + 1), type(size + 1), flags(size + 1);
    if (mdb_bind_column_by_name(t.get(), const_cast<gchar*>("Id"), id.data(), nullptr) < 0
        || mdb_bind_column_by_name(t.get(), const_cast<gchar*>("Name"), name.data(), nullptr) < 0
        || mdb_bind_column_by_name(t.get(), const_cast<gchar*>("Type"), type.data(), nullptr) < 0
        || mdb_bind_column_by_name(t.get(), const_cast<gchar*>("Flags"), flags.data(), nullptr) < 0)
        throw DataError(Damaged(path, QStringLiteral("its table catalog is damaged")));
    mdb_rewind_table(t.get());
    std::vector<CatalogObject> catalog;
    // A catalog of a million objects is no real database: a damaged one.
    while (mdb_fetch_row(t.get())) {
        if (catalog.size() >= 1000000)
            throw DataError(Damaged(path, QStringLiteral("its table catalog is damaged")));
        CatalogObject o;
        o.name = QString::fromUtf8(name.data());
        o.type = static_cast<int>(std::strtol(type.data(), nullptr, 10) & 0x7f);
        o.flags = static_cast<unsigned>(std::strtoll(flags.data(), nullptr, 10));
        if (o.type == MDB_TABLE) {
            o.entry = std::make_unique<MdbCatalogEntry>();
            o.entry->mdb = mdb;
            std::strncpy(o.entry->object_name, name.data(), MDB_MAX_OBJ_NAME);
            o.entry->object_type = MDB_TABLE;
            o.entry->table_pg = static_cast<unsigned long>(std::strtoll(id.data(), nullptr, 10)) & 0x00ffffffu;
            o.entry->flags = static_cast<int>(o.flags);
        }
        catalog.push_back(std::move(o));
        std::memset(name.data(), 0, 2);
    }
    return catalog;
}

// Opens the file with libmdb after checking what libmdb would trust blindly: the header,
// the version byte and a size that is a whole number of pages.
OpenFile OpenChecked(const QString& path, qint64& size)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("Could not open file '%1': %2").arg(path, f.errorString()));
    const QByteArray head = f.read(kHeaderBytes);
    size = f.size();
    f.close();
    const QString problem = AccessHeaderProblem(head, size);
    if (!problem.isEmpty())
        throw DataError(Damaged(path, problem));
    OpenFile file;
    file.mdb.reset(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!file.mdb)
        throw DataError(Damaged(path, QStringLiteral("its first page is not readable")));
    if (file.mdb->fmt->pg_size != PageSize(static_cast<int>(file.mdb->f->jet_version)))
        throw DataError(Damaged(path, QStringLiteral("unknown page size")));
    file.catalog = ReadCatalog(file.mdb.get(), path);
    return file;
}

bool IsUserTable(const CatalogObject& o)
{
    if (o.type != MDB_TABLE || !o.entry || (o.flags & kSystemOrHidden) != 0)
        return false;
    return !o.name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive);
}

MdbCatalogEntry* FindTable(const std::vector<CatalogObject>& catalog, const QString& table)
{
    MdbCatalogEntry* folded = nullptr;
    for (const CatalogObject& o : catalog) {
        if (!IsUserTable(o))
            continue;
        if (o.name == table)
            return o.entry.get();
        if (!folded && o.name.compare(table, Qt::CaseInsensitive) == 0)
            folded = o.entry.get();
    }
    return folded;
}

// The table definition with its columns; throws when it is missing or damaged.
TablePtr ReadTable(const OpenFile& file, const QString& path, const QString& table)
{
    MdbCatalogEntry* entry = FindTable(file.catalog, table);
    if (!entry)
        throw DataError(QStringLiteral("Table not found: ") + table);
    TablePtr t(mdb_read_table(entry));
    if (!t || !mdb_read_columns(t.get()) || !t->columns || t->num_cols != t->columns->len || t->num_cols == 0
        || t->num_cols > MDB_MAX_COLS)
        throw DataError(Damaged(path, QStringLiteral("the definition of table %1 is damaged").arg(table)));
    return t;
}

MdbColumn* ColumnAt(MdbTableDef* t, unsigned i)
{
    return static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
}

Column DescribeColumn(const MdbHandle* mdb, const MdbColumn* col)
{
    Column c;
    c.name = QString::fromUtf8(col->name);
    switch (col->col_type) {
    case MDB_TEXT:
        // Jet 4 and later keep the size in bytes of UCS-2 text.
        c.kind = ColumnKind::WVarChar;
        c.length = mdb->f->jet_version == MDB_VER_JET3 ? col->col_size : col->col_size / 2;
        c.typeText = c.length > 0 ? QStringLiteral("NVARCHAR(%1)").arg(c.length) : QStringLiteral("NVARCHAR");
        break;
    case MDB_MEMO:
        c.kind = ColumnKind::LongWText;
        c.typeText = QStringLiteral("NTEXT");
        break;
    case MDB_BOOL: c.typeText = QStringLiteral("BOOLEAN"); break;
    case MDB_BYTE: c.typeText = QStringLiteral("TINYINT"); break;
    case MDB_INT: c.typeText = QStringLiteral("SMALLINT"); break;
    case MDB_LONGINT:
    case MDB_COMPLEX: c.typeText = QStringLiteral("INTEGER"); break;
    case MDB_MONEY: c.typeText = QStringLiteral("DECIMAL(19,4)"); break;
    case MDB_NUMERIC: c.typeText = QStringLiteral("DECIMAL(%1,%2)").arg(col->col_prec).arg(col->col_scale); break;
    case MDB_FLOAT: c.typeText = QStringLiteral("REAL"); break;
    case MDB_DOUBLE: c.typeText = QStringLiteral("DOUBLE"); break;
    case MDB_DATETIME: c.typeText = QStringLiteral("DATETIME"); break;
    case MDB_REPID: c.typeText = QStringLiteral("GUID"); break;
    default: c.typeText = QStringLiteral("BLOB"); break;
    }
    return c;
}

// A Single as the decimal Access shows for it (1.1, not 1.100000023841858).
double SingleAsDouble(float f)
{
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, f);
    *r.ptr = '\0';
    return std::strtod(text, nullptr);
}

QString MoneyText(const unsigned char* p)
{
    quint64 bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    const qint64 v = static_cast<qint64>(bits);
    const bool negative = v < 0;
    const quint64 magnitude = negative ? 0 - bits : bits;
    return (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / 10000) + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
}

QVariant DateValue(double days)
{
    // Years 100 to 9999, the range Access itself accepts; anything else stays a number.
    if (!std::isfinite(days) || days < -657434.0 || days >= 2958466.0)
        return days;
    struct tm t {};
    mdb_date_to_tm(days, &t);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                             t.tm_min, t.tm_sec);
}

qint32 Int32At(const unsigned char* p)
{
    return static_cast<qint32>(static_cast<quint32>(p[0]) | static_cast<quint32>(p[1]) << 8
                               | static_cast<quint32>(p[2]) << 16 | static_cast<quint32>(p[3]) << 24);
}

} // namespace

QString AccessHeaderProblem(const QByteArray& firstPage, qint64 fileSize)
{
    static const char jet[] = "Standard Jet DB";
    static const char ace[] = "Standard ACE DB";
    if (firstPage.size() < 0x20 || fileSize < 2048)
        return QStringLiteral("it is too short");
    const char* d = firstPage.constData();
    if (d[0] != 0 || d[1] != 1 || d[2] != 0 || d[3] != 0
        || (std::memcmp(d + 4, jet, sizeof jet) != 0 && std::memcmp(d + 4, ace, sizeof ace) != 0))
        return QStringLiteral("it is not an Access database file");
    const int version = static_cast<unsigned char>(d[0x14]);
    if (version > MDB_VER_ACCDB_2019)
        return QStringLiteral("unknown file version %1").arg(version);
    const int page = PageSize(version);
    // The catalog's table lives on page 2: a database has at least three pages.
    if (fileSize % page != 0 || fileSize < 3 * page)
        return QStringLiteral("it is cut short or still being written");
    return QString();
}

struct AccessFile::Handle {
    OpenFile file;
};

AccessFile::AccessFile(const QString& path) : m_path(path), m_handle(std::make_unique<Handle>())
{
    m_handle->file = OpenChecked(path, m_size);
}

AccessFile::~AccessFile() = default;

QStringList AccessFile::userTables() const
{
    QStringList names;
    for (const CatalogObject& o : m_handle->file.catalog)
        if (IsUserTable(o))
            names << o.name;
    return names;
}

QList<Column> AccessFile::columns(const QString& table) const
{
    MdbHandle* mdb = m_handle->file.mdb.get();
    TablePtr t = ReadTable(m_handle->file, m_path, table);
    QList<Column> cols;
    for (unsigned i = 0; i < t->num_cols; ++i)
        cols << DescribeColumn(mdb, ColumnAt(t.get(), i));
    return cols;
}

namespace {

class MdbCursor : public AccessFile::Cursor {
public:
    MdbCursor(const QString& path, const QString& table, const QStringList& names) : m_path(path), m_table(table)
    {
        m_file = OpenChecked(path, m_fileSize);
        m_mdb = m_file.mdb.get();
        m_def = ReadTable(m_file, path, table);
        m_bindSize = m_mdb->bind_size;
        if (names.isEmpty()) {
            for (unsigned i = 0; i < m_def->num_cols; ++i)
                m_wanted.push_back(static_cast<int>(i));
        } else {
            for (const QString& n : names)
                m_wanted.push_back(columnIndex(n));
        }
        // OLE values are read in chunks through a bound buffer.
        m_oleBuffers.resize(m_def->num_cols);
        for (unsigned i = 0; i < m_def->num_cols; ++i) {
            if (ColumnAt(m_def.get(), i)->col_type == MDB_OLE) {
                m_oleBuffers[i].resize(static_cast<qsizetype>(m_bindSize) + 16);
                mdb_bind_column(m_def.get(), static_cast<int>(i) + 1, m_oleBuffers[i].data(), nullptr);
            }
        }
        mdb_rewind_table(m_def.get());
        m_row.reserve(static_cast<qsizetype>(m_wanted.size()));
    }

    bool next() override
    {
        if (!mdb_fetch_row(m_def.get())) {
            // A table that ends before its row count ran into a page the file does not hold.
            if (m_rowsRead < m_def->num_rows)
                fail(QStringLiteral("table %1 ends after %2 of its %3 rows")
                         .arg(m_table)
                         .arg(m_rowsRead)
                         .arg(m_def->num_rows));
            return false;
        }
        ++m_rowsRead;
        crackCurrentRow();
        m_row.clear();
        for (int i : m_wanted)
            m_row.append(value(i));
        return true;
    }

    const QVariantList& row() const override { return m_row; }

private:
    [[noreturn]] void fail(const QString& why) const { throw DataError(Damaged(m_path, why)); }

    int columnIndex(const QString& name) const
    {
        for (unsigned i = 0; i < m_def->num_cols; ++i)
            if (QString::fromUtf8(ColumnAt(m_def.get(), i)->name) == name)
                return static_cast<int>(i);
        throw DataError(QStringLiteral("No column %1 in table %2").arg(name, m_table));
    }

    // Where each value of the row just fetched lies on the page, and which are Null.
    void crackCurrentRow()
    {
        int start = 0;
        size_t len = 0;
        if (m_def->cur_row == 0 || mdb_find_row(m_mdb, static_cast<int>(m_def->cur_row) - 1, &start, &len) != 0)
            fail(QStringLiteral("a row of table %1 is damaged").arg(m_table));
        start &= 0x1fff;
        const int count = mdb_crack_row(m_def.get(), start, len, m_fields);
        if (count != static_cast<int>(m_def->num_cols))
            fail(QStringLiteral("a row of table %1 is damaged").arg(m_table));
        const int page = static_cast<int>(m_mdb->fmt->pg_size);
        for (int i = 0; i < count; ++i) {
            const MdbField& f = m_fields[i];
            if (f.colnum < 0 || f.colnum >= count || (!f.is_null && (f.start < 0 || f.siz < 0 || f.start + f.siz > page)))
                fail(QStringLiteral("a row of table %1 is damaged").arg(m_table));
            m_byColumn[f.colnum] = i;
        }
    }

    // The row's value of column i.
    QVariant value(int i)
    {
        MdbColumn* col = ColumnAt(m_def.get(), static_cast<unsigned>(i));
        const MdbField& f = m_fields[m_byColumn[i]];
        // A Yes/No value is its null bit.
        if (col->col_type == MDB_BOOL)
            return QVariant(!f.is_null);
        if (f.is_null)
            return QVariant();
        MdbHandle* mdb = m_mdb;
        const unsigned char* p = mdb->pg_buf + f.start;
        auto need = [&](int bytes) {
            if (f.siz < bytes)
                fail(QStringLiteral("a value of column %1 is damaged").arg(QString::fromUtf8(col->name)));
        };
        switch (col->col_type) {
        case MDB_BYTE: need(1); return QVariant(static_cast<int>(p[0]));
        case MDB_INT: need(2); return QVariant(static_cast<int>(static_cast<qint16>(p[0] | p[1] << 8)));
        case MDB_LONGINT:
        case MDB_COMPLEX: need(4); return QVariant(static_cast<qint64>(Int32At(p)));
        case MDB_MONEY: need(8); return MoneyText(p);
        case MDB_FLOAT: need(4); return SingleAsDouble(mdb_get_single(mdb->pg_buf, f.start));
        case MDB_DOUBLE: need(8); return mdb_get_double(mdb->pg_buf, f.start);
        case MDB_DATETIME: need(8); return DateValue(mdb_get_double(mdb->pg_buf, f.start));
        case MDB_NUMERIC:
            need(17);
            return TakeUtf8(mdb_numeric_to_string(mdb, f.start, col->col_scale, col->col_prec));
        case MDB_REPID: need(16); return TakeUtf8(mdb_uuid_to_string(mdb->pg_buf, f.start));
        case MDB_TEXT: return TakeUtf8(mdb_col_to_string(mdb, mdb->pg_buf, f.start, MDB_TEXT, f.siz));
        case MDB_MEMO: return memo(col, f);
        case MDB_OLE: return ole(col, i, f);
        default: return QByteArray(reinterpret_cast<const char*>(p), f.siz);
        }
    }

    // The length a long value's header gives, checked against the file.
    qint64 longValueLength(const MdbColumn* col, const MdbField& f)
    {
        if (f.siz < MDB_MEMO_OVERHEAD)
            fail(QStringLiteral("a value of column %1 is damaged").arg(QString::fromUtf8(col->name)));
        const qint64 length = static_cast<quint32>(Int32At(m_mdb->pg_buf + f.start)) & 0x3fffffffu;
        if (length > m_fileSize)
            fail(QStringLiteral("a value of column %1 is longer than the file").arg(QString::fromUtf8(col->name)));
        return length;
    }

    QVariant memo(const MdbColumn* col, const MdbField& f)
    {
        // The text is decoded into a buffer of the handle's bind size: make it hold all of it
        // (three bytes of UTF-8 at most for each stored byte).
        const qint64 length = longValueLength(col, f);
        MdbHandle* mdb = m_mdb;
        mdb_set_bind_size(mdb, std::max<size_t>(m_bindSize, static_cast<size_t>(length) * 3 + 16));
        QString text = TakeUtf8(mdb_col_to_string(mdb, mdb->pg_buf, f.start, MDB_MEMO, f.siz));
        mdb_set_bind_size(mdb, m_bindSize);
        return text;
    }

    QVariant ole(MdbColumn* col, int i, const MdbField& f)
    {
        const qint64 length = longValueLength(col, f);
        MdbHandle* mdb = m_mdb;
        char* chunk = m_oleBuffers[i].data();
        char header[MDB_MEMO_OVERHEAD];
        std::memcpy(header, mdb->pg_buf + f.start, sizeof header);
        QByteArray bytes;
        bytes.reserve(static_cast<qsizetype>(length));
        size_t n = mdb_ole_read(mdb, col, header, m_bindSize);
        while (n > 0) {
            if (n > m_bindSize || bytes.size() + static_cast<qint64>(n) > m_fileSize)
                fail(QStringLiteral("a value of column %1 is damaged").arg(QString::fromUtf8(col->name)));
            bytes.append(chunk, static_cast<qsizetype>(n));
            n = mdb_ole_read_next(mdb, col, header);
        }
        return bytes;
    }

    QString m_path;
    QString m_table;
    qint64 m_fileSize = 0;
    OpenFile m_file;
    MdbHandle* m_mdb = nullptr;
    TablePtr m_def;
    size_t m_bindSize = MDB_BIND_SIZE;
    std::vector<int> m_wanted;
    std::vector<QByteArray> m_oleBuffers;
    MdbField m_fields[MDB_MAX_COLS];
    int m_byColumn[MDB_MAX_COLS] = {};
    unsigned m_rowsRead = 0;
    QVariantList m_row;
};

} // namespace

std::unique_ptr<AccessFile::Cursor> AccessFile::read(const QString& table, const QStringList& columns) const
{
    return std::make_unique<MdbCursor>(m_path, table, columns);
}

} // namespace data
