// Table conversion speed of the data layer: one generated table with three Chinese text
// columns, copied and converted (Simplified to Traditional with vocabulary, through the
// library) SQLite to SQLite and PostgreSQL to PostgreSQL. Prints rows per second and the
// peak resident memory after each engine.
//   db_copy_bench [rows]      (default 1000000)
#include "common/PgServer.h"
#include "core/ConvertOptions.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"
#include "platform/data/Connection.h"
#include "platform/data/TableCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

const char* const kTables[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                 "SD-TU.CCT", "TU-SU.CCT", "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};

void OpenLibrary()
{
    const QDir data(QStringLiteral(TEZDESK_DATA_DIR));
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    for (int i = 0; i < 10; ++i)
        _TezLoadCCT(ghEnv, i, ToSystemCodePage(data.filePath(QString::fromLatin1(kTables[i]))).constData(), 0, 0);
    _TezLoadLST(ghStmt, ToSystemCodePage(data.filePath(QStringLiteral("PCTS.LST"))).constData());
    SetConvertOption(false, true, true, false);
}

long PeakKb()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void Fill(data::Connection& c, qint64 rows)
{
    c.exec(QStringLiteral("CREATE TABLE src (id integer, a varchar(40), b varchar(40), c text)"));
    c.beginTransaction();
    QStringList names{"id", "a", "b", "c"};
    const int per = c.dialect().rowsPerInsert(4);
    QSqlQuery q(c.database());
    q.prepare(c.dialect().insertRows(QStringLiteral("src"), names, per));
    for (qint64 r = 0; r < rows; r += per) {
        int k = 0;
        for (int i = 0; i < per; ++i) {
            q.bindValue(k++, r + i);
            q.bindValue(k++, QStringLiteral("软件与鼠标%1").arg(r + i));
            q.bindValue(k++, QStringLiteral("头发和发展"));
            q.bindValue(k++, QStringLiteral("这是一段简体中文的说明文字，用于测试转换速度。"));
        }
        q.exec();
    }
    c.commit();
}

void Measure(const char* label, data::Connection& in, data::Connection& out, qint64 rows)
{
    data::CopyOptions options;
    options.convertText = [](const QString& s) {
        const QString t = ConvertUString(s, giConvType, giConvOption);
        return t.isEmpty() ? s : t;
    };
    QElapsedTimer timer;
    timer.start();
    const qint64 written = data::CopyTable(in, QStringLiteral("src"), out, QStringLiteral("dst"), options);
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("%-24s %10lld rows  %8.2f s  %10.0f rows/s  peak %ld KB\n", label, static_cast<long long>(written),
                seconds, written / seconds, PeakKb());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 rows = argc > 1 ? QString::fromLatin1(argv[1]).toLongLong() : 1000000;
    OpenLibrary();
    {
        QTemporaryDir dir;
        data::ConnectionParams p;
        p.engine = data::Engine::Sqlite;
        p.server = dir.filePath(QStringLiteral("in.db"));
        data::Connection in;
        in.open(p, 5, data::Connection::FileMode::Create);
        Fill(in, rows);
        p.server = dir.filePath(QStringLiteral("out.db"));
        data::Connection out;
        out.open(p, 5, data::Connection::FileMode::Create);
        std::printf("filled SQLite (peak %ld KB)\n", PeakKb());
        Measure("SQLite -> SQLite", in, out, rows);
    }
    PgServer pg;
    if (!pg.start() || !pg.psql(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE b"))) {
        std::printf("PostgreSQL not started: %s\n", qPrintable(pg.why()));
        return 1;
    }
    data::ConnectionParams p;
    p.engine = data::Engine::PostgreSql;
    p.server = pg.socketDir();
    p.port = pg.port();
    p.database = QStringLiteral("b");
    p.user = PgServer::user();
    p.password = PgServer::password();
    data::Connection in, out;
    in.open(p, 5);
    out.open(p, 5);
    Fill(in, rows);
    std::printf("filled PostgreSQL (peak %ld KB)\n", PeakKb());
    Measure("PostgreSQL -> PostgreSQL", in, out, rows);
    return 0;
}
