#pragma once
// A read-only QtSql driver over AccessFile, so that an Access database file is opened,
// listed and read like every other database of the data layer. It understands the
// statements the Access dialect writes: "SELECT [a], [b] FROM [t]", "SELECT * FROM [t]" and
// "SELECT 1"; anything else fails as a statement error.
#include "platform/data/AccessFile.h"

#include <QSqlDriver>
#include <memory>

namespace data {

class AccessDriver : public QSqlDriver {
public:
    AccessDriver() = default;
    ~AccessDriver() override;

    bool hasFeature(DriverFeature feature) const override;
    // db is the path of the file; the other arguments are not used.
    bool open(const QString& db, const QString& user, const QString& password, const QString& host, int port,
              const QString& options) override;
    void close() override;
    QSqlResult* createResult() const override;
    QStringList tables(QSql::TableType type) const override;
    QSqlRecord record(const QString& table) const override;
    QString escapeIdentifier(const QString& identifier, IdentifierType type) const override;

    // The open file; nullptr while closed.
    const AccessFile* file() const { return m_file.get(); }

private:
    std::unique_ptr<AccessFile> m_file;
};

} // namespace data
