// Real Access files in the database window: the listing shows only the user tables, a run
// converts every table into the SQLite output with every row and value that the MDBTools
// command-line tools read from the same file, the viewer shows rows, and files that are no
// Access databases or are damaged give one message and change nothing.
#include "AccessFixtures.h"
#include "DbTestSupport.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "batch/frmOutputSetting.h"
#include "core/ConvertOptions.h"
#include "core/Log.h"
#include "database/DBConvRun.h"
#include "database/frmDBConv.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/data/AccessFile.h"
#include "platform/data/DataError.h"

#include <QComboBox>
#include <QDialog>
#include <QRandomGenerator>
#include <QTableView>

namespace {

FrmDBConv& OpenSource(const QString& path, int codeConv = 0)
{
    FrmDBConv& db = frmDBConv();
    gbOutputSettingOK = true;
    db.cboDBType->setCurrentIndex(0);
    db.cbCodeConv->setCurrentIndex(codeConv);
    db.lstTables_OLEDragDrop({path});
    return db;
}

QStringList ListedTables(FrmDBConv& db)
{
    QStringList names;
    for (int r = 1; r < db.lstTables->Rows(); ++r)
        names << getTableName(db.lstTables->TextMatrix(r, 2));
    return names;
}

// The rows of an output table with their values as stored, in the order they were written.
QList<QVariantList> OutputRows(const QString& file, const QString& table, QStringList& columns)
{
    QList<QVariantList> rows;
    const QString name = QStringLiteral("access_out");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open())
            qWarning() << db.lastError().text();
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table)))
            qWarning() << q.lastError().text();
        columns.clear();
        for (int i = 0; i < q.record().count(); ++i)
            columns << q.record().fieldName(i);
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i);
            rows << row;
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

bool SameNumber(double a, double b)
{
    return a == b || std::abs(a - b) <= 1e-12 * std::max(std::abs(a), std::abs(b));
}

// One output value against what mdb-export wrote for it: Nulls stay Null, numbers are
// equal in value, text is the conversion of the source's text, binary values are found
// whole in the tool's raw output.
QString Mismatch(const QVariant& out, const QString& exported, const QByteArray& raw)
{
    if (exported.isNull())
        return out.isNull() ? QString() : QStringLiteral("Null became ") + out.toString();
    if (out.isNull())
        return exported.isEmpty() ? QStringLiteral("empty text became Null") : QStringLiteral("value became Null");
    switch (out.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double: {
        // Whole numbers exactly; Currency, Single and Double as the tool prints them.
        bool ok = false;
        const double expected = exported.toDouble(&ok);
        if (!ok)
            return out.toString() + QStringLiteral(" is no number: ") + exported;
        const bool whole = !exported.contains(QLatin1Char('.')) && !exported.contains(QLatin1Char('e'), Qt::CaseInsensitive);
        if (whole && out.typeId() != QMetaType::Double)
            return QString::number(out.toLongLong()) == exported ? QString() : out.toString();
        return SameNumber(out.toDouble(), expected) ? QString() : out.toString();
    }
    case QMetaType::QByteArray: {
        // Found whole between two separators of the tool's raw output.
        for (const QByteArray& before : {kColumnMark, kRowMark})
            for (const QByteArray& after : {kColumnMark, kRowMark})
                if (raw.contains(before + out.toByteArray() + after))
                    return QString();
        return QStringLiteral("binary value differs");
    }
    default: {
        const QString expected = ConvertedOrSame(exported);
        return out.toString() == expected ? QString() : out.toString() + QStringLiteral(" != ") + expected;
    }
    }
}

void CheckTable(const QString& source, const QString& table, const QString& output, const QString& outTable)
{
    const ExportedTable expected = MdbExport(source, table);
    QStringList columns;
    const QList<QVariantList> rows = OutputRows(output, outTable, columns);
    QCOMPARE(rows.size(), MdbCount(source, table));
    QCOMPARE(rows.size(), expected.rows.size());
    QStringList convertedNames;
    for (const QString& c : expected.columns)
        convertedNames << ConvertedOrSame(c);
    QCOMPARE(columns, convertedNames);
    const QByteArray raw = MdbExportRaw(source, table);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < columns.size(); ++c) {
            const QString why = Mismatch(rows[r][c], expected.rows[r].value(c), raw);
            if (!why.isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1 row %2 column %3: %4").arg(table).arg(r + 1).arg(columns[c], why)));
        }
    }
}

struct Fixture {
    const char* file;
    QStringList tables;
};

const Fixture kFixtures[] = {
    {"testV1997.mdb", {"Table1", "Table2", "Table3", "Table4"}},
    {"test2V2000.mdb", {"MSP_PROJECTS"}},
    {"testUnicodeCompV2003.mdb", {"Table"}},
    {"fixedTextTestV2007.accdb", {"users"}},
};

} // namespace

class AccessFilesTest : public QObject {
    Q_OBJECT
private slots:
    void convertsEveryTable_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<int>("codeConv");
        for (const Fixture& f : kFixtures) {
            QTest::newRow(qPrintable(QStringLiteral("%1 S2T").arg(f.file))) << f.file << f.tables << 0;
            QTest::newRow(qPrintable(QStringLiteral("%1 T2S").arg(f.file))) << f.file << f.tables << 1;
        }
        QTest::newRow("non-ASCII names S2T") << "" << QStringList{"客户资料表"} << 0;
    }

    void convertsEveryTable()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, tables);
        QFETCH(int, codeConv);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString ext = file.isEmpty() ? QStringLiteral("mdb") : QFileInfo(file).suffix();
        const QString src = fx.path(QStringLiteral("源.") + ext);
        if (file.isEmpty())
            MakeNonAsciiNamesFixture(src);
        else
            CopyAccessFixture(file, src);
        FrmDBConv& db = OpenSource(src, codeConv);
        QCOMPARE(ListedTables(db), tables);
        QCOMPARE(script.unexpected(), 0);

        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        QCOMPARE(ErrorRecords(gsErrFile), 0);
        SetConvertOption(db.bB52GB, db.bCode, db.bPhrase, db.bL2R);
        for (int r = 1; r < db.lstTables->Rows(); ++r) {
            const QString in = getTableName(db.lstTables->TextMatrix(r, 2));
            const QString out = getTableName(db.lstTables->TextMatrix(r, 3));
            QCOMPARE(out, ConvertedOrSame(in));
            CheckTable(src, in, db.mvOutDB, out);
        }
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    void viewerShowsRows()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString src = fx.path("v.mdb");
        CopyAccessFixture(QStringLiteral("testUnicodeCompV2003.mdb"), src);
        FrmDBConv& db = OpenSource(src);
        QCOMPARE(db.lstTables->Rows(), 2);
        int rows = -1;
        QString text;
        script.answerDialog([&](QDialog& d) {
            auto* view = d.findChild<QTableView*>(QStringLiteral("fg1"));
            QAbstractItemModel* model = view->model();
            while (model->canFetchMore(QModelIndex()))
                model->fetchMore(QModelIndex());
            rows = model->rowCount();
            text = model->index(4, 1).data().toString();
            d.reject();
        });
        db.lstTables->setRow(1);
        db.MenuProc(QStringLiteral("IDM_VIEW_INFILE"));
        QCOMPARE(rows, 8);
        QCOMPARE(text, QStringLiteral("漢字仮名交じり文"));
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // Files that are no Access database, or are cut short: one message naming the file, and
    // the listed source, its connection and the file itself stay as they were.
    void damagedFileGivesOneMessage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QFile f(AccessFixtureDir() + QStringLiteral("/test2V2000.mdb"));
        f.open(QIODevice::ReadOnly);
        const QByteArray good = f.readAll();
        QByteArray noise(64 * 1024, '\0');
        QRandomGenerator rng(29);
        for (char& c : noise)
            c = static_cast<char>(rng.bounded(256));
        QTest::newRow("cut inside a page") << "cut.mdb" << good.left(good.size() / 2 + 100);
        QTest::newRow("first page only") << "first.mdb" << good.left(4096);
        QTest::newRow("random bytes") << "random.mdb" << noise;
        QTest::newRow("text file") << "notes.accdb" << QByteArray("Standard Jet DB? no, just a text file\n");
        QTest::newRow("empty file") << "empty.mdb" << QByteArray();
        QByteArray version = good;
        version[0x14] = 0x7f;
        QTest::newRow("unknown version") << "version.mdb" << version;
    }

    void damagedFileGivesOneMessage()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString good = fx.path("good.mdb");
        CopyAccessFixture(QStringLiteral("testV1997.mdb"), good);
        FrmDBConv& db = OpenSource(good);
        const QStringList before = ListedTables(db);
        QCOMPARE(before.size(), 4);
        fx.writeFile(name, bytes);
        script.answer(vbOK);
        db.lstTables_OLEDragDrop({fx.path(name)});
        QCOMPARE(script.asked().size(), 1);
        QVERIFY2(script.messages().first().contains(fx.path(name)), qPrintable(script.messages().first()));
        QCOMPARE(ListedTables(db), before);
        QCOMPARE(db.mvDB, good);
        QVERIFY(db.mCnt.IsOpen());
        QCOMPARE(fx.readFile(name), bytes);
        QCOMPARE(ErrorRecords(gsErrFile), 1);
        fx.stop();
    }

    // A file cut at a page boundary opens, but a table whose pages are gone is reported as
    // damaged instead of arriving with fewer rows.
    void tableCutShortIsNotConvertedPartly()
    {
        ProgramFolderFixture fx;
        fx.start();
        QFile f(AccessFixtureDir() + QStringLiteral("/testUnicodeCompV2003.mdb"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray good = f.readAll();
        // The last page holding rows of the table is cut off with everything after it.
        bool reported = false;
        for (qsizetype size = good.size() - 4096; size >= 3 * 4096 && !reported; size -= 4096) {
            fx.writeFile("cut.mdb", good.left(size));
            try {
                data::AccessFile file(fx.path("cut.mdb"));
                auto cursor = file.read(QStringLiteral("Table"));
                int rows = 0;
                while (cursor->next())
                    ++rows;
                QCOMPARE(rows, 8);
            } catch (const data::DataError& e) {
                QVERIFY(e.description().contains(fx.path("cut.mdb")) || e.description().contains("Table"));
                reported = true;
            }
        }
        QVERIFY(reported);
        fx.stop();
    }
};

TEZ_REGISTER_TEST(AccessFilesTest)
#include "test_access_files.moc"
