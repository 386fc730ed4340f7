// The SQL of each engine's dialect, the connection texts and the table-name helper: what a
// SQL Server receives is checked here statement by statement, since no such server runs here.
#include "common/TestMain.h"

#include "database/DBConvRun.h"
#include "database/TableEntry.h"
#include "platform/data/ConnectionParams.h"
#include "platform/data/Dialect.h"

#include <QTest>

using namespace data;

class DialectTest : public QObject {
    Q_OBJECT
private slots:
    void quoting_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("quoted");
        const QString evil = QStringLiteral("a]b; DROP TABLE t--");
        QTest::newRow("sql server") << int(Engine::SqlServer) << evil << QStringLiteral("[a]]b; DROP TABLE t--]");
        QTest::newRow("access") << int(Engine::Access) << QStringLiteral("x]") << QStringLiteral("[x]]]");
        QTest::newRow("postgresql") << int(Engine::PostgreSql) << QStringLiteral("a\"b") << QStringLiteral("\"a\"\"b\"");
        QTest::newRow("sqlite") << int(Engine::Sqlite) << evil << QStringLiteral("\"a]b; DROP TABLE t--\"");
    }
    void quoting()
    {
        QFETCH(int, engine);
        QFETCH(QString, name);
        QFETCH(QString, quoted);
        QCOMPARE(DialectFor(Engine(engine)).quote(name), quoted);
    }

    void sqlServerCatalogue()
    {
        const Dialect& d = DialectFor(Engine::SqlServer);
        QCOMPARE(d.userTablesQuery(), QStringLiteral("SELECT name FROM sysobjects WHERE xtype = 'U' ORDER BY name"));
        QCOMPARE(d.databasesQuery(), QStringLiteral("SELECT name FROM master.dbo.sysdatabases"));
        QCOMPARE(d.systemDatabases(), (QStringList{"master", "model", "msdb", "tempdb"}));
        const Statement drop = d.dropTableIfExists(QStringLiteral("S2T客户"));
        QCOMPARE(drop.sql, QStringLiteral("IF EXISTS (SELECT name FROM sysobjects WHERE name = ? AND xtype = 'U') "
                                          "DROP TABLE [S2T客户]"));
        QCOMPARE(drop.binds, QVariantList{QStringLiteral("S2T客户")});
    }

    // The structure is copied across databases with SELECT INTO, then 8-bit text is widened.
    void sqlServerStructureCopy()
    {
        const Dialect& d = DialectFor(Engine::SqlServer);
        QList<Column> cols = {{"Name", ColumnKind::Char, 10, "char(10)"},
                              {"Note", ColumnKind::VarChar, 20, "varchar(20)"},
                              {"Memo", ColumnKind::LongText, -1, "text"},
                              {"Wide", ColumnKind::Char, 5000, "char(5000)"},
                              {"Uni", ColumnKind::WVarChar, 30, "nvarchar(30)"},
                              {"EMAILADD", ColumnKind::VarChar, 40, "varchar(40)"},
                              {"Id", ColumnKind::Other, -1, "int"}};
        QStringList names;
        for (const Column& c : cols)
            names << c.name;
        const QList<Statement> s = d.createOutputTable(QStringLiteral("S2T]x"), cols, names, {"Sales", "客户", true});
        const QStringList expected = {
            "SELECT * INTO [S2T]]x] FROM [Sales].dbo.[客户] WHERE 1 <> 1",
            "ALTER TABLE [S2T]]x] ALTER COLUMN [Name] nchar(10) NULL",
            "ALTER TABLE [S2T]]x] ALTER COLUMN [Note] nvarchar(20) NULL",
            "ALTER TABLE [S2T]]x] ALTER COLUMN [Memo] nvarchar(max) NULL",
            "ALTER TABLE [S2T]]x] ALTER COLUMN [Wide] nvarchar(max) NULL",
            "ALTER TABLE [S2T]]x] ALTER COLUMN [EMAILADD] nvarchar(40) NULL",
        };
        QStringList got;
        for (const Statement& st : s)
            got << st.sql;
        QCOMPARE(got, expected);
        // Another server: the table is created from the column types.
        const QList<Statement> other = d.createOutputTable(QStringLiteral("o"), cols.mid(0, 2), names.mid(0, 2), {"S", "t", false});
        QCOMPARE(other.size(), 1);
        QCOMPARE(other[0].sql, QStringLiteral("CREATE TABLE [o] ([Name] nchar(10), [Note] nvarchar(20))"));
    }

    // What reaches a SQL Server when rows are copied: exact numbers and fine fractions as text,
    // identity inserts switched on for the session and off again, rowversion never written.
    void sqlServerRowCopy()
    {
        const Dialect& d = DialectFor(Engine::SqlServer);
        const QList<Column> cols = {{"id", ColumnKind::Other, -1, "int"},
                                    {"amount", ColumnKind::Other, -1, "decimal(38,10)"},
                                    {"fee", ColumnKind::Other, -1, "money"},
                                    {"at", ColumnKind::Other, -1, "datetime2(7)"},
                                    {"old", ColumnKind::Other, -1, "datetime"},
                                    {"名称", ColumnKind::WVarChar, 10, "nvarchar(10)"}};
        QCOMPARE(d.selectAll(QStringLiteral("t"), cols),
                 QStringLiteral("SELECT [id], CONVERT(varchar(64), [amount]), CONVERT(varchar(64), [fee], 2), "
                                "CONVERT(varchar(64), [at], 121), [old], [名称] FROM [t]"));
        // No bound value: a parameterised statement would run in a scope of its own, and the
        // setting would end with it.
        const QList<Statement> on = d.beforeInsert(QStringLiteral("o'x]"));
        QCOMPARE(on.size(), 1);
        QVERIFY(on[0].binds.isEmpty());
        QCOMPARE(on[0].sql, QStringLiteral("IF OBJECTPROPERTY(OBJECT_ID(N'[o''x]]]'), 'TableHasIdentity') = 1 "
                                           "SET IDENTITY_INSERT [o'x]]] ON"));
        const QList<Statement> off = d.afterInsert(QStringLiteral("o'x]"));
        QCOMPARE(off.size(), 1);
        QVERIFY(off[0].binds.isEmpty());
        QVERIFY(off[0].sql.endsWith(QStringLiteral("SET IDENTITY_INSERT [o'x]]] OFF")));
        QVERIFY(d.serverFills({"rv", ColumnKind::Other, -1, "timestamp"}));
        QVERIFY(d.serverFills({"rv", ColumnKind::Other, -1, "rowversion"}));
        QVERIFY(!d.serverFills(cols[0]));
        QVERIFY(!DialectFor(Engine::PostgreSql).serverFills({"rv", ColumnKind::Other, -1, "timestamp"}));
    }

    // A sized text column that a converted value outgrows is widened to fit it.
    void widening_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("sql");
        QTest::newRow("sql server varchar") << int(Engine::SqlServer) << int(ColumnKind::VarChar) << 2 << 2 << 3
                                            << "ALTER TABLE [t] ALTER COLUMN [c] nvarchar(3) NULL";
        QTest::newRow("sql server nchar") << int(Engine::SqlServer) << int(ColumnKind::WChar) << 2 << 2 << 3
                                          << "ALTER TABLE [t] ALTER COLUMN [c] nchar(3) NULL";
        QTest::newRow("sql server beyond 4000") << int(Engine::SqlServer) << int(ColumnKind::WVarChar) << 4000 << 4000
                                                << 4001 << "ALTER TABLE [t] ALTER COLUMN [c] nvarchar(max) NULL";
        QTest::newRow("sql server wide char") << int(Engine::SqlServer) << int(ColumnKind::Char) << 5000 << -1 << 0
                                              << "";
        QTest::newRow("postgresql varchar") << int(Engine::PostgreSql) << int(ColumnKind::VarChar) << 2 << 2 << 3
                                            << "ALTER TABLE \"t\" ALTER COLUMN \"c\" TYPE character varying(3)";
        QTest::newRow("postgresql char") << int(Engine::PostgreSql) << int(ColumnKind::Char) << 2 << 2 << 3
                                         << "ALTER TABLE \"t\" ALTER COLUMN \"c\" TYPE character(3)";
        QTest::newRow("sqlite") << int(Engine::Sqlite) << int(ColumnKind::VarChar) << 2 << -1 << 0 << "";
    }
    void widening()
    {
        QFETCH(int, engine);
        QFETCH(int, kind);
        QFETCH(int, length);
        QFETCH(int, limit);
        QFETCH(int, to);
        QFETCH(QString, sql);
        const Dialect& d = DialectFor(Engine(engine));
        const Column c{"c", ColumnKind(kind), length, "x"};
        QCOMPARE(d.outputLength(c), limit);
        if (limit > 0)
            QCOMPARE(d.widenColumn(QStringLiteral("t"), QStringLiteral("c"), c, to).sql, sql);
    }

    void textLengthAsTheEngineCounts()
    {
        const QString astral = QString::fromUcs4(U"𠀀隨");
        QCOMPARE(DialectFor(Engine::PostgreSql).textLength(astral), 2);
        QCOMPARE(DialectFor(Engine::SqlServer).textLength(astral), 3);
    }

    void insertsBindEveryValue()
    {
        const Dialect& d = DialectFor(Engine::PostgreSql);
        QCOMPARE(d.insertRows(QStringLiteral("t"), {"a", "b"}, 2),
                 QStringLiteral("INSERT INTO \"t\" (\"a\", \"b\") VALUES (?, ?), (?, ?)"));
        QCOMPARE(DialectFor(Engine::SqlServer).rowsPerInsert(3), 666);
        QCOMPARE(d.rowsPerInsert(3), 1000);
    }

    void sqliteWidensEightBitText()
    {
        const Dialect& d = DialectFor(Engine::Sqlite);
        QList<Column> cols = {{"a", ColumnKind::Char, 4, "CHAR(4)"}, {"b", ColumnKind::LongText, -1, "TEXT"},
                              {"c", ColumnKind::Other, -1, "GEOMETRY"}};
        QCOMPARE(d.createOutputTable(QStringLiteral("t"), cols, {"甲", "b", "c"}, {}).value(0).sql,
                 QStringLiteral("CREATE TABLE \"t\" (\"甲\" NCHAR(4), \"b\" NTEXT, \"c\" GEOMETRY)"));
    }

    void connectionTextKeepsNoPassword()
    {
        ConnectionParams p;
        p.engine = Engine::SqlServer;
        p.server = QStringLiteral("srv");
        p.database = QStringLiteral("a;Trusted_Connection=yes");
        p.user = QStringLiteral("sa");
        p.password = QStringLiteral("secret;x");
        const QString text = ConnectionText(p);
        QVERIFY(!text.contains(QStringLiteral("secret")));
        QCOMPARE(text, QStringLiteral("Provider=SQLOLEDB;Data Source=srv;Initial Catalog={a;Trusted_Connection=yes};"
                                      "User ID=sa;Auto Translate=False;"));
        ConnectionParams back;
        QVERIFY(ParseConnectionText(text, back));
        QCOMPARE(back.database, p.database);
        QCOMPARE(back.user, QStringLiteral("sa"));
        QVERIFY(back.password.isEmpty());
        // A braced value cannot add an entry.
        QVERIFY(ParseConnectionText(QStringLiteral("Provider=PostgreSQL;Password={a;User ID=x}};b};User ID=u"), back));
        QCOMPARE(back.password, QStringLiteral("a;User ID=x};b"));
        QCOMPARE(back.user, QStringLiteral("u"));
        QVERIFY(!ParseConnectionText(QStringLiteral("Data Source=x"), back));
    }

    void tableName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("table");
        QTest::newRow("qualified") << "dbo.Orders" << "Orders";
        QTest::newRow("two dots") << "a.b.c" << "c";
        QTest::newRow("no dot") << "Orders" << "";
        QTest::newRow("path") << "/data/SALES.MDB.客户" << "客户";
    }

    // A table's own name may hold "."; the entry keeps database and table apart.
    void tableEntryReadBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("entryDatabase");
        QTest::addColumn<QString>("table");
        QTest::newRow("dotted table") << "/data/SALES.MDB.x.y" << "/data/SALES.MDB" << "/data/SALES.MDB" << "x.y";
        QTest::newRow("server database") << "shop.S2Tx.y" << "shop" << "shop" << "S2Tx.y";
        QTest::newRow("other database") << "old.t" << "shop" << "old" << "t";
        QTest::newRow("no database") << "客户" << "shop" << "" << "客户";
    }
    void tableEntryReadBack()
    {
        QFETCH(QString, text);
        QFETCH(QString, database);
        QFETCH(QString, entryDatabase);
        QFETCH(QString, table);
        const TableEntry e = TableEntryFromText(text, database);
        QCOMPARE(e.database, entryDatabase);
        QCOMPARE(e.table, table);
        QCOMPARE(e.text(), text);
    }
    void tableName()
    {
        QFETCH(QString, name);
        QFETCH(QString, table);
        QCOMPARE(getTableName(name), table);
    }
};

TEZ_REGISTER_TEST(DialectTest)
#include "test_dialects.moc"
