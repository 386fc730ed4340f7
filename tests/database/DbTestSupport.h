#pragma once
// Helpers of the database tests: SQLite files made in the test, queries on them, and the
// error log's records.
#include "platform/CodePage.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVariant>
#include <QtTest>

// Runs statements on an SQLite file (created when missing); returns the rows of the last one,
// each row its values joined by "|" ("NULL" for a null).
inline QStringList Sqlite(const QString& path, const QStringList& statements)
{
    QStringList rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qWarning() << db.lastError().text();
        QSqlQuery q(db);
        for (const QString& s : statements) {
            if (!q.exec(s))
                qWarning() << s << q.lastError().text();
        }
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            rows << values.join(QLatin1Char('|'));
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// The number of records in an error log.
inline int ErrorRecords(const QString& errFile)
{
    QFile f(errFile);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return FromSystemCodePage(f.readAll()).count(QStringLiteral("处理程序: ("));
}
