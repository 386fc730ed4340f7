// The saved-connection file: newest first, one line per connection, no clear-text password,
// written whole.
#include "common/TestMain.h"

#include "database/ConnParamFile.h"
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
