// Runs that convert several files at once: rows are still marked, counted and logged in row
// order (a large first row finishing last, failing rows in the middle), the outputs are those
// of the one-at-a-time routes, the pool threads convert with the vocabulary tables as they
// stand in memory, and a group of outputs is committed in order with failures alone.
#include "RunFixture.h"
#include "batch/BatchRuns.h"
#include "batch/DurableOutputs.h"
#include "batch/FileListWalk.h"
#include "batch/RowRoutes.h"
#include "common/TestMain.h"
#include "core/FileTypes.h"
#include "core/dlgProgress.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QProgressBar>

#include <sys/stat.h>

namespace {

const QString kLine = QStringLiteral("软件和鼠标，头发发展，网络与计算机。\r\n");

QByteArray Text(int lines)
{
    QByteArray bytes;
    const QByteArray line = Gb(kLine);
    for (int n = 0; n < lines; ++n)
        bytes += line;
    return bytes;
}

// How a run marks a grid: at every step of the progress bar the processed rows must be the
// rows above some row and no other.
struct OrderWatch {
    const FlexGrid* grid = nullptr;
    QStringList violations;
    int steps = 0;
    void check()
    {
        ++steps;
        bool gap = false;
        for (int i = 1; i < grid->Rows(); ++i) {
            const bool processed = grid->RowData(i) & FileRowProcessed;
            if (processed && gap)
                violations << QStringLiteral("row %1 marked before an earlier row").arg(i);
            gap = gap || !processed;
        }
    }
};

// The positions at which the names appear in the error log (-1: missing).
QList<qsizetype> PositionsInLog(const QByteArray& log, const QStringList& names)
{
    QList<qsizetype> positions;
    for (const QString& name : names)
        positions << log.indexOf(name.toUtf8());
    return positions;
}

bool Ascending(const QList<qsizetype>& positions)
{
    for (qsizetype n = 0; n < positions.size(); ++n)
        if (positions[n] < 0 || (n > 0 && positions[n] <= positions[n - 1]))
            return false;
    return true;
}

enum class Window { Html, Spec, Doc };

void RunWindow(Window window, FlexGrid* grid)
{
    switch (window) {
    case Window::Html: ExecuteHtmlConv(grid, true, true, false, false); break;
    case Window::Spec: ExecuteSpecConv(grid, 3, 1); break;
    case Window::Doc: ExecuteDocConv(grid, true, true, false, false); break;
    }
}

}  // namespace

class TestParallelRuns : public QObject {
    Q_OBJECT

private slots:
    // Forty rows: a large first row that finishes after the others, text and copied rows, and
    // three failing rows in the middle (missing inputs, an output that is a folder). Every
    // row is marked in row order, the failures are logged in row order, and the other rows
    // are converted.
    void rowsAreMarkedAndLoggedInRowOrder_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("HTML") << int(Window::Html);
        QTest::newRow("encoding pair") << int(Window::Spec);
        QTest::newRow("Word window, text rows") << int(Window::Doc);
    }
    void rowsAreMarkedAndLoggedInRowOrder()
    {
        QFETCH(int, window);
        RunFixture f;
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        QStringList failing;
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/big.txt"), Text(60000)), f.path(QStringLiteral("out/big.txt")),
               FileRowText);
        for (int n = 0; n < 39; ++n) {
            const QString name = QStringLiteral("r%1").arg(n, 2, 10, QLatin1Char('0'));
            if (n == 7 || n == 21) {
                const QString missing = f.path(QStringLiteral("in/%1-missing.txt").arg(name));
                AddRow(grid.get(), missing, f.path(QStringLiteral("out/%1.txt").arg(name)), n == 7 ? FileRowText : 0);
                failing << missing;
            } else if (n == 30) {
                const QString input = f.makeFile(QStringLiteral("in/%1-onto-folder.txt").arg(name), Text(3));
                f.makeFolder(QStringLiteral("out/%1.txt").arg(name));
                AddRow(grid.get(), input, f.path(QStringLiteral("out/%1.txt").arg(name)), FileRowText);
                failing << input;
            } else if (n % 4 == 3) {
                AddRow(grid.get(), f.makeFile(QStringLiteral("in/%1.gif").arg(name), QByteArray(5000, char(n))),
                       f.path(QStringLiteral("out/%1.gif").arg(name)), 0);
            } else {
                AddRow(grid.get(), f.makeFile(QStringLiteral("in/%1.txt").arg(name), Text(20 + n)),
                       f.path(QStringLiteral("out/%1.txt").arg(name)), FileRowText);
            }
        }
        OrderWatch watch;
        watch.grid = grid.get();
        dlgProgress();
        connect(dlgProgress().ProgressBar1, &QProgressBar::valueChanged, this, [&] { watch.check(); });
        ModalScript modal;
        modal.answer(vbOK);
        RunWindow(Window(window), grid.get());
        QCOMPARE(watch.violations, QStringList());
        QVERIFY(watch.steps >= 30);
        for (int i = 1; i < grid->Rows(); ++i) {
            QVERIFY(grid->RowData(i) & FileRowProcessed);
            const bool shouldFail = failing.contains(grid->TextMatrix(i, 2));
            QCOMPARE(RowFailed(*grid, i), shouldFail);
            if (!shouldFail)
                QVERIFY2(QFileInfo(grid->TextMatrix(i, 3)).isFile(), qPrintable(grid->TextMatrix(i, 3)));
        }
        QVERIFY2(Ascending(PositionsInLog(f.errorLog(), failing)), f.errorLog().constData());
        QCOMPARE(f.tree(QStringLiteral("out")).filter(QStringLiteral(".tezc-")), QStringList());
    }

    // The rows converted at once give the bytes of the one-at-a-time routes, also with a
    // vocabulary table loaded and changed in memory and not saved, and with two rows
    // writing one output (the later row's output stays).
    void outputsEqualThoseOfTheSerialRoutes()
    {
        RunFixture f;
        int32_t table = 0;
        QCOMPARE(_TezNewPCT(ghStmt, ToSystemCodePage(f.path(QStringLiteral("mine.pct"))).constData(), &table), 0);
        QCOMPARE(_TezPCTInsertItem(table, 0, ToSystemCodePage(QStringLiteral("戊己庚")).constData(),
                                   ToSystemCodePage(QStringLiteral("甲乙丙")).constData(), 1),
                 0);
        QCOMPARE(_TezSetPCTStatus(table, 1), 0);
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        QStringList inputs;
        for (int n = 0; n < 24; ++n) {
            const QString name = QStringLiteral("p%1").arg(n);
            QByteArray text = Text(10 + 7 * n) + Gb(QStringLiteral("甲乙丙。\r\n"));
            if (n % 3 == 0)
                text = "<html><head></head><body>" + text + "</body></html>";
            const QString input =
                f.makeFile(QStringLiteral("in/%1.%2").arg(name, n % 3 == 0 ? QStringLiteral("htm") : QStringLiteral("txt")), text);
            const QString output = n == 23 ? f.path(QStringLiteral("out/p0.htm")) : f.path(QStringLiteral("out/%1").arg(QFileInfo(input).fileName()));
            AddRow(grid.get(), input, output, FileRowText | (n % 3 == 0 ? FileRowAddTag : 0));
            inputs << input;
        }
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        QDir().mkpath(f.path(QStringLiteral("serial")));
        for (int n = 0; n < inputs.size(); ++n) {
            const QString serial = f.path(QStringLiteral("serial/%1").arg(n));
            ConvertTextFile(inputs[n], serial, true, true, false, false, n % 3 == 0 ? -1 : 0);
            if (n == 0)
                continue; // row 24 wrote p0.htm after it
            QVERIFY(!RowFailed(*grid, n + 1));
            QCOMPARE(f.read(grid->TextMatrix(n + 1, 3)), f.read(serial));
        }
        QVERIFY(f.read(QStringLiteral("out/p1.txt")).contains(Big5(QStringLiteral("戊己庚"))));
        QCOMPARE(_TezUnloadPCT(ghStmt, table), 0);
    }

    // A folder tree converted at once: the bytes of the one-at-a-time routes for converted
    // and copied files, failures logged in the walk's order, and the counts of the run log.
    void folderTreeEqualsTheSerialRoutes()
    {
        RunFixture f;
        gbRunLog = true;
        for (int d = 0; d < 4; ++d)
            for (int n = 0; n < 12; ++n) {
                const QString base = QStringLiteral("tree/d%1/f%2").arg(d).arg(n);
                if (n % 4 == 0)
                    f.makeFile(base + QStringLiteral(".gif"), QByteArray(3000 + n, char(d * 16 + n)));
                else if (n % 4 == 1)
                    f.makeFile(base + QStringLiteral(".htm"), "<html><head></head><body>" + Text(5 + n) + "</body></html>");
                else
                    f.makeFile(base + QStringLiteral(".txt"), Text(5 + n + d));
            }
        // Two outputs that cannot be written: folders in their place.
        f.makeFolder(QStringLiteral("out/d1/f2.txt"));
        f.makeFolder(QStringLiteral("out/d2/f7.txt"));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(grid.get(), f.path(QStringLiteral("tree")), f.path(QStringLiteral("out")), FileRowAddTag);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        PathCollection files;
        FindAllFiles(f.path(QStringLiteral("tree")), files);
        QStringList failing;
        QDir().mkpath(f.path(QStringLiteral("serial")));
        for (int n = 0; n < files.count(); ++n) {
            const QString& file = files.at(n);
            const QString output = f.path(QStringLiteral("out/")) + QDir(f.path(QStringLiteral("tree"))).relativeFilePath(file);
            if (QFileInfo(output).isDir()) {
                failing << file;
                continue;
            }
            const QString serial = f.path(QStringLiteral("serial/%1").arg(n));
            if (file.endsWith(QLatin1String(".gif")))
                CopyUnchanged(file, serial);
            else
                ConvertTextFile(file, serial, true, true, false, false, file.endsWith(QLatin1String(".htm")) ? -1 : 0);
            QCOMPARE(f.read(output), f.read(serial));
        }
        QCOMPARE(failing.size(), 2);
        QVERIFY2(Ascending(PositionsInLog(f.errorLog(), failing)), f.errorLog().constData());
        QVERIFY(f.runLog().contains("...Files In Path:48, Skipped:12"));
        QCOMPARE(f.tree(QStringLiteral("out")).filter(QStringLiteral(".tezc-")), QStringList());
    }

    // A tree of many more files than one group of outputs: whenever the progress moves, every
    // file counted so far has its complete output in place (the groups are committed while
    // the next ones are collected, and a file counts only once its group is on the disk).
    void folderTreeCountsFilesOnlyOnceWritten()
    {
        RunFixture f;
        for (int d = 0; d < 6; ++d)
            for (int n = 0; n < 120; ++n) {
                const QString base = QStringLiteral("tree/d%1/f%2").arg(d).arg(n, 3, 10, QLatin1Char('0'));
                if (n % 3 == 0)
                    f.makeFile(base + QStringLiteral(".gif"), QByteArray(2000 + n, char(d * 16 + n)));
                else
                    f.makeFile(base + QStringLiteral(".txt"), Text(2 + n % 5));
            }
        PathCollection files;
        FindAllFiles(f.path(QStringLiteral("tree")), files);
        const int total = files.count();
        auto outputOf = [&](int n) {
            return f.path(QStringLiteral("out/")) + QDir(f.path(QStringLiteral("tree"))).relativeFilePath(files.at(n));
        };
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(grid.get(), f.path(QStringLiteral("tree")), f.path(QStringLiteral("out")), FileRowAddTag);
        int checked = 0;
        QStringList early;
        dlgProgress();
        connect(dlgProgress().ProgressBar1, &QProgressBar::valueChanged, this, [&](int value) {
            // Item n moves the bar to 100 * (n + 1) / total: when it shows value, the items
            // below that value are finished.
            while (checked < total && 100 * (checked + 1) / total < value) {
                const QString output = outputOf(checked);
                const bool copied = files.at(checked).endsWith(QLatin1String(".gif"));
                const QByteArray bytes = f.read(output);
                if (bytes.isEmpty() || (copied && bytes != f.read(files.at(checked))))
                    early << output;
                ++checked;
            }
        });
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QCOMPARE(early, QStringList());
        QCOMPARE(checked, total - 1);
        QVERIFY(!RowFailed(*grid, 1));
        QCOMPARE(f.tree(QStringLiteral("out")).filter(QStringLiteral(".tezc-")), QStringList());
    }

    // A group of outputs: each good one replaces its target with the target's permissions,
    // a later one for the same target wins, and one whose target is a folder fails alone
    // and leaves no temporary.
    void durableOutputsCommitInOrder()
    {
        RunFixture f;
        const QString old = f.makeFile(QStringLiteral("g/old.txt"), "old");
        QVERIFY(::chmod(QFile::encodeName(old).constData(), 0604) == 0);
        f.makeFolder(QStringLiteral("g/folder"));
        DurableOutputs outputs;
        std::vector<DurableOutputs::Entry> entries;
        const QStringList targets{old, f.path(QStringLiteral("g/folder")), f.path(QStringLiteral("g/new.txt")),
                                  f.path(QStringLiteral("g/new.txt"))};
        for (int n = 0; n < targets.size(); ++n) {
            entries.push_back(outputs.reserve(QFile::encodeName(targets[n])));
            WriteFileBytes(QFile::decodeName(entries.back().temporary), QByteArray::number(n));
        }
        std::vector<DurableOutputs::Entry*> group;
        for (DurableOutputs::Entry& entry : entries)
            group.push_back(&entry);
        outputs.commit(group);
        QVERIFY(entries[0].failure.isNull());
        QVERIFY(!entries[1].failure.isNull());
        QVERIFY(entries[2].failure.isNull() && entries[3].failure.isNull());
        QCOMPARE(f.read(QStringLiteral("g/old.txt")), QByteArray("0"));
        QCOMPARE(f.read(QStringLiteral("g/new.txt")), QByteArray("3"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(old).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 07777), 0604);
        QCOMPARE(f.tree(QStringLiteral("g")), (QStringList{"folder", "new.txt", "old.txt"}));
    }
};

TEZ_REGISTER_TEST(TestParallelRuns)
#include "test_parallel_runs.moc"
