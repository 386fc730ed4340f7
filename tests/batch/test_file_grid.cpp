#include "core/FileGrid.h"
#include "common/TestMain.h"
#include "core/Log.h"
#include "platform/KeyCodes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A file grid with a fixed header row and `count` data rows; row r has the input text "in<r>"
// (or the path given) and the row word 0x20 | r << 12, so rows can be recognised after a removal.
std::unique_ptr<FlexGrid> MakeFileGrid(int count, const QStringList& inputs = {})
{
    auto grid = std::make_unique<FlexGrid>();
    grid->setCols(4);
    grid->setRows(1);
    grid->setFixedRows(0);
    grid->setTextMatrix(0, 2, QStringLiteral("输入文件"));
    for (int r = 1; r <= count; ++r) {
        const QString input = r <= inputs.size() ? inputs[r - 1] : QStringLiteral("in%1").arg(r);
        grid->AddItem(QStringLiteral("\t\t") + input + QStringLiteral("\tout%1").arg(r));
        grid->setRowData(r, 0x20 | (r << 12));
    }
    if (count > 0)
        grid->setFixedRows(1);
    return grid;
}

// The original numbers of the data rows left, checked against their row words.
QList<int> RowsLeft(const FlexGrid& grid)
{
    QList<int> rows;
    for (int r = 1; r < grid.Rows(); ++r) {
        const int number = grid.RowData(r) >> 12;
        if (grid.TextMatrix(r, 3) != QStringLiteral("out%1").arg(number))
            return { -1 }; // a row word got separated from its row
        rows << number;
    }
    return rows;
}

void Touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class FileGridTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void init()
    {
        gsErrFile = dir.filePath(QStringLiteral("tezdesk.ERR"));
        QFile::remove(gsErrFile);
    }

    void deleteRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QList<int>>("left");
        QTest::addColumn<int>("newRow");
        QTest::addColumn<int>("fixedRows");
        QTest::newRow("one row in the middle") << 3 << 3 << 46 << 0 << QList<int> { 1, 2, 4, 5 } << 3 << 1;
        QTest::newRow("block downwards") << 2 << 4 << 46 << 0 << QList<int> { 1, 5 } << 2 << 1;
        QTest::newRow("same block upwards") << 4 << 2 << 46 << 0 << QList<int> { 1, 5 } << 2 << 1;
        QTest::newRow("block at the end") << 5 << 4 << 46 << 0 << QList<int> { 1, 2, 3 } << 3 << 1;
        QTest::newRow("every data row") << 5 << 1 << 46 << 0 << QList<int> {} << 0 << 0;
        QTest::newRow("shift state does not matter") << 1 << 1 << 46 << vbShiftMask << QList<int> { 2, 3, 4, 5 } << 1 << 1;
        QTest::newRow("other key") << 3 << 3 << 45 << 0 << QList<int> { 1, 2, 3, 4, 5 } << 3 << 1;
        QTest::newRow("header current") << 0 << 0 << 46 << 0 << QList<int> { 1, 2, 3, 4, 5 } << 0 << 1;
        QTest::newRow("selection end on the header keeps the header")
            << 2 << 0 << 46 << 0 << QList<int> { 3, 4, 5 } << 1 << 1;
    }
    void deleteRows()
    {
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        QFETCH(QList<int>, left);
        QFETCH(int, newRow);
        QFETCH(int, fixedRows);
        auto grid = MakeFileGrid(5);
        grid->setRow(row);
        grid->setRowSel(rowSel);
        const bool acts = keyCode == vbKeyDelete && row >= 1;

        FileListDeleteRows(grid.get(), keyCode, shift);

        QCOMPARE(RowsLeft(*grid), left);
        QCOMPARE(grid->TextMatrix(0, 2), QStringLiteral("输入文件"));
        QCOMPARE(grid->FixedRows(), fixedRows);
        QCOMPARE(grid->Row(), newRow);
        QVERIFY(grid->Redraw());
        if (acts) {
            QCOMPARE(grid->RowSel(), newRow);
            QCOMPARE(grid->Col(), 0);
            QCOMPARE(grid->ColSel(), 3);
        }
    }

    void listCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QList<int>>("left");
        QTest::addColumn<int>("rowSel");
        QTest::newRow("delete the selected rows") << "IDM_EDIT_DELETE" << true << QList<int>{1, 4} << 2;
        QTest::newRow("select all") << "IDM_EDIT_SELECTALL" << true << QList<int>{1, 2, 3, 4} << 4;
        QTest::newRow("delete all") << "IDM_EDIT_DELETEALL" << true << QList<int>{} << 0;
        QTest::newRow("another window's command") << "IDM_EDIT_UNDO" << false << QList<int>{1, 2, 3, 4} << 3;
    }
    void listCommands()
    {
        QFETCH(QString, command);
        QFETCH(bool, known);
        QFETCH(QList<int>, left);
        QFETCH(int, rowSel);
        auto grid = MakeFileGrid(4);
        grid->setRow(2);
        grid->setRowSel(3);
        QCOMPARE(RunListCommand(grid.get(), command), known);
        QCOMPARE(RowsLeft(*grid), left);
        QCOMPARE(grid->RowSel(), rowSel);
    }

    void deleteRowsLeavesRedrawToTheCaller()
    {
        auto grid = MakeFileGrid(3);
        grid->setRow(2);
        grid->setRedraw(false);
        FileListDeleteRows(grid.get(), vbKeyDelete, 0, true);
        QVERIFY(!grid->Redraw());
        grid->setRedraw(true);
        QCOMPARE(RowsLeft(*grid), (QList<int> { 1, 3 }));
    }

    void deleteRowsKeepsHiddenRowsWithTheirWords()
    {
        auto grid = MakeFileGrid(6);
        grid->setRowHeight(5, 0);
        grid->setRow(2);
        grid->setRowSel(3);
        FileListDeleteRows(grid.get(), vbKeyDelete, 0);
        QCOMPARE(RowsLeft(*grid), (QList<int> { 1, 4, 5, 6 }));
        QCOMPARE(grid->RowHeight(3), 0);
        QVERIFY(grid->RowHeight(2) > 0);
    }

    void clearFG_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("fixedRows");
        QTest::newRow("header only: nothing happens") << 0 << false << 1 << 0;
        QTest::newRow("data rows") << 4 << false << 1 << 0;
        QTest::newRow("whole grid") << 4 << true << 0 << 0;
    }
    void clearFG()
    {
        QFETCH(int, count);
        QFETCH(bool, whole);
        QFETCH(int, rows);
        QFETCH(int, fixedRows);
        auto grid = MakeFileGrid(count);
        grid->setRow(grid->Rows() - 1);
        ClearFG(grid.get(), whole);
        QCOMPARE(grid->Rows(), rows);
        QCOMPARE(grid->FixedRows(), fixedRows);
        QVERIFY(grid->Redraw());
        if (rows > 0) {
            QCOMPARE(grid->TextMatrix(0, 2), QStringLiteral("输入文件"));
            QCOMPARE(grid->Row(), 0);
            QCOMPARE(grid->RowSel(), 0);
            QCOMPARE(grid->Col(), 0);
        }
        if (count > 0 && !whole)
            QCOMPARE(grid->ColSel(), 3);
        QVERIFY(!QFile::exists(gsErrFile));
    }

    // Rows marked "." and rows whose input is gone are dropped before a project is saved.
    void clearFGQMarkFile()
    {
        const QString present = dir.filePath(QStringLiteral("present.txt"));
        const QString failed = dir.filePath(QStringLiteral("failed.txt"));
        const QString folder = dir.filePath(QStringLiteral("site"));
        Touch(present);
        Touch(failed);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("site")));
        auto grid = MakeFileGrid(5,
            { present, dir.filePath(QStringLiteral("gone.txt")), failed, folder, QString() });
        grid->setTextMatrix(3, 0, QStringLiteral("."));

        QCOMPARE(ClearFGQMarkFile(grid.get()), 2);
        QCOMPARE(RowsLeft(*grid), (QList<int> { 1, 4 }));
        QCOMPARE(grid->FixedRows(), 1);
        QVERIFY(grid->Redraw());
    }

    void clearFGQMarkFileDropsEverything()
    {
        auto grid = MakeFileGrid(2, { dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b")) });
        QCOMPARE(ClearFGQMarkFile(grid.get()), 0);
        QCOMPARE(grid->Rows(), 1);
        QCOMPARE(grid->FixedRows(), 0);
    }

    void clearFGQMarkFileOnAnEmptyGrid()
    {
        auto grid = MakeFileGrid(0);
        QCOMPARE(ClearFGQMarkFile(grid.get()), 0);
        QCOMPARE(grid->Rows(), 1);
        QCOMPARE(grid->TextMatrix(0, 2), QStringLiteral("输入文件"));
    }

    // A grid without the input column fails; the failure is logged under the procedure's
    // name, the result is 0 and the grid is left painting with its header fixed.
    void clearFGQMarkFileLogsFailures()
    {
        FlexGrid grid;
        grid.setCols(2);
        grid.setRows(3);
        QCOMPARE(ClearFGQMarkFile(&grid), 0);
        QVERIFY(grid.Redraw());
        QCOMPARE(grid.FixedRows(), 1);
        QFile err(gsErrFile);
        QVERIFY(err.open(QIODevice::ReadOnly));
        QVERIFY(err.readAll().contains("(ClearFGQMarkFile)"));
    }
};

TEZ_REGISTER_TEST(FileGridTest)
#include "test_file_grid.moc"
