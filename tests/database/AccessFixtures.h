#pragma once
// The real Access files of tests/database/access, copied into a test's folder before use,
// and what the MDBTools command-line tools read from them, to compare with.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

inline QString AccessFixtureDir()
{
    return QStringLiteral(TEZDESK_TESTS_DIR "/database/access");
}

// Copies fixture name to dest (writable); the original is never opened in place.
inline void CopyAccessFixture(const QString& name, const QString& dest)
{
    QFile::remove(dest);
    QVERIFY(QFile::copy(AccessFixtureDir() + QLatin1Char('/') + name, dest));
    QFile::setPermissions(dest, QFile::ReadOwner | QFile::WriteOwner);
}

inline QByteArray RunTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qWarning() << program << args << p.readAllStandardError();
    return p.readAllStandardOutput();
}

// The separators the tests have mdb-export write: no text of the fixtures holds them.
inline const QByteArray kColumnMark = "\x01<COL>\x01";
inline const QByteArray kRowMark = "\x01<ROW>\x01";
inline const QByteArray kNullMark = "\x01<NULL>\x01";

// A table as mdb-export writes it: the header and the rows; a Null is an invalid QString.
struct ExportedTable {
    QStringList columns;
    QList<QStringList> rows;
};

inline ExportedTable MdbExport(const QString& file, const QString& table)
{
    const QByteArray out = RunTool(QStringLiteral("mdb-export"),
                                   {QStringLiteral("-d"), QString::fromLatin1(kColumnMark), QStringLiteral("-R"),
                                    QString::fromLatin1(kRowMark), QStringLiteral("-Q"), QStringLiteral("-0"),
                                    QString::fromLatin1(kNullMark), QStringLiteral("-T"),
                                    QStringLiteral("%Y-%m-%d %H:%M:%S"), QStringLiteral("-b"), QStringLiteral("strip"),
                                    file, table});
    ExportedTable t;
    QList<QByteArray> lines;
    for (qsizetype at = 0; at < out.size();) {
        const qsizetype end = out.indexOf(kRowMark, at);
        lines << out.mid(at, (end < 0 ? out.size() : end) - at);
        at = end < 0 ? out.size() : end + kRowMark.size();
    }
    for (int i = 0; i < lines.size(); ++i) {
        QStringList values;
        for (qsizetype at = 0;;) {
            const qsizetype end = lines[i].indexOf(kColumnMark, at);
            const QByteArray v = lines[i].mid(at, (end < 0 ? lines[i].size() : end) - at);
            values << (v == kNullMark ? QString() : QString::fromUtf8(v.isEmpty() ? QByteArray("") : v));
            if (end < 0)
                break;
            at = end + kColumnMark.size();
        }
        if (i == 0)
            t.columns = values;
        else
            t.rows << values;
    }
    return t;
}

// The raw bytes mdb-export writes for a table, binary values as they are.
inline QByteArray MdbExportRaw(const QString& file, const QString& table)
{
    return RunTool(QStringLiteral("mdb-export"),
                   {QStringLiteral("-H"), QStringLiteral("-d"), QString::fromLatin1(kColumnMark), QStringLiteral("-R"),
                    QString::fromLatin1(kRowMark), QStringLiteral("-Q"), QStringLiteral("-b"), QStringLiteral("raw"),
                    file, table});
}

inline qint64 MdbCount(const QString& file, const QString& table)
{
    return RunTool(QStringLiteral("mdb-count"), {file, table}).trimmed().toLongLong();
}

// Replaces every UTF-16 occurrence of from by to (of the same length) inside one page.
inline int PatchPage(QByteArray& file, int pageSize, int page, const QString& from, const QString& to,
                     bool skipLonger = false)
{
    const QByteArray a(reinterpret_cast<const char*>(from.utf16()), from.size() * 2);
    const QByteArray b(reinterpret_cast<const char*>(to.utf16()), to.size() * 2);
    int count = 0;
    const qsizetype begin = static_cast<qsizetype>(page) * pageSize;
    for (qsizetype i = file.indexOf(a, begin); i >= 0 && i + a.size() <= begin + pageSize; i = file.indexOf(a, i + 1)) {
        // "Table" in "Tables": not the same name.
        if (skipLonger && file.at(i + a.size()) != 0 && file.at(i + a.size() + 1) == 0)
            continue;
        file.replace(i, b.size(), b);
        ++count;
    }
    return count;
}

// testUnicodeCompV2003.mdb with its table named 客户资料表 and its text column Umsätze: the
// names in the catalog row (page 17) and in the table's definition (page 53) rewritten in
// place, as no program here can write an Access file.
inline void MakeNonAsciiNamesFixture(const QString& dest)
{
    QFile in(AccessFixtureDir() + QStringLiteral("/testUnicodeCompV2003.mdb"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    QCOMPARE(PatchPage(bytes, 4096, 53, QStringLiteral("Unicode"), QStringLiteral("Umsätze")), 2);
    QCOMPARE(PatchPage(bytes, 4096, 17, QStringLiteral("Table"), QStringLiteral("客户资料表"), true), 1);
    QFile out(dest);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(out.write(bytes), bytes.size());
}
