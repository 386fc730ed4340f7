// The saved-connection file: newest first, one line per connection, no clear-text password,
// written whole.
#include "common/TestMain.h"

#include "database/ConnParamFile.h"
#include "database/Connection.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray Read(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}
} // namespace

class ConnParamTest : public QObject {
    Q_OBJECT
private slots:
    void saveRemove()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ConnParam.sys"));
        Write(path, ToSystemCodePage(QStringLiteral(" srvA,数据,sa,oldsecret \r\nbad,line\r\nsrvB,db,u,\r\n")));
        UpdateConnParam(path, {QStringLiteral("srvB"), QStringLiteral("db"), QStringLiteral("u"), QStringLiteral("pw")}, false);
        // The saved line comes first, once; the old password is gone; a malformed line stays.
        QCOMPARE(Read(path), ToSystemCodePage(QStringLiteral("srvB,db,u,\r\n srvA,数据,sa,\r\nbad,line\r\n")));
        UpdateConnParam(path, {QStringLiteral("srvA"), QStringLiteral("数据"), QStringLiteral("sa"), {}}, true);
        QCOMPARE(Read(path), QByteArray("srvB,db,u,\r\nbad,line\r\n"));
        SavedConnection c;
        QVERIFY(!SplitConnParamLine(QStringLiteral("a,b,c"), c));
        QVERIFY(SplitConnParamLine(QStringLiteral("a,b,c,"), c));
        QCOMPARE(c.user, QStringLiteral("c"));
    }

    // Lines of older versions kept the password; one holding "," made more than four fields.
    void rewriteDropsEveryOldPassword_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("kept");
        QTest::newRow("four fields") << "srv,db,u,old" << "srv,db,u,";
        QTest::newRow("comma in password") << "srv,db,u,old pass,with comma" << "srv,db,u,";
        QTest::newRow("two commas") << " srv,db,u,a,b,c" << " srv,db,u,";
        QTest::newRow("three fields") << "srv,db,u" << "srv,db,u";
    }
    void rewriteDropsEveryOldPassword()
    {
        QFETCH(QString, old);
        QFETCH(QString, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ConnParam.sys"));
        Write(path, ToSystemCodePage(old + QStringLiteral("\r\n")));
        UpdateConnParam(path, {QStringLiteral("other"), QStringLiteral("db"), QStringLiteral("u"), {}}, false);
        QCOMPARE(Read(path), ToSystemCodePage(QStringLiteral("other,db,u,\r\n") + kept + QStringLiteral("\r\n")));
        // Saving the same connection again leaves one line for it.
        Write(path, ToSystemCodePage(old + QStringLiteral("\r\n")));
        UpdateConnParam(path, {QStringLiteral("srv"), QStringLiteral("db"), QStringLiteral("u"), {}}, false);
        if (kept.trimmed() == QStringLiteral("srv,db,u,"))
            QCOMPARE(Read(path), QByteArray("srv,db,u,\r\n"));
    }

    // The server field keeps the server type, so the password key and the list agree on it.
    void savedServerField()
    {
        data::ConnectionParams pg = ServerParams(data::Engine::PostgreSql, QStringLiteral("/tmp/s:54329"),
                                                 QStringLiteral("shop"), QStringLiteral("tez"), QStringLiteral("pw"));
        QCOMPARE(SavedServerField(pg), QStringLiteral("pgsql:/tmp/s:54329"));
        QCOMPARE(ShownServer(SavedServerField(pg)), QStringLiteral("/tmp/s:54329"));
        const data::ConnectionParams back = ParamsOfSavedServer(SavedServerField(pg));
        QCOMPARE(back.engine, data::Engine::PostgreSql);
        QCOMPARE(back.server, QStringLiteral("/tmp/s"));
        QCOMPARE(back.port, 54329);
        const data::ConnectionParams sql = ServerParams(data::Engine::SqlServer, QStringLiteral("host,1433"), {}, {}, {});
        QCOMPARE(SavedServerField(sql), QStringLiteral("host,1433"));
        QVERIFY(StoredPasswordKey(pg) != StoredPasswordKey(sql));
    }

    void removeWithoutFileLeavesEmptyFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ConnParam.sys"));
        UpdateConnParam(path, {QStringLiteral("s"), {}, {}, {}}, true);
        QVERIFY(QFile::exists(path));
        QCOMPARE(Read(path), QByteArray());
    }
};

TEZ_REGISTER_TEST(ConnParamTest)
#include "test_conn_param.moc"
