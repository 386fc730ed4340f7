#include "common/TestMain.h"
#include "platform/FlexGrid.h"
#include "platform/KeyCodes.h"
#include "platform/Twips.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// A grid with a header row and `count` data rows; row r holds the text "r<r>" in column 0 and
// the row word 100 + r, so that each row can be recognised after rows have moved.
std::unique_ptr<FlexGrid> MakeGrid(int count, int cols = 3)
{
    auto grid = std::make_unique<FlexGrid>();
    grid->setCols(cols);
    grid->setRows(1);
    grid->setFixedRows(0);
    grid->setTextMatrix(0, 0, QStringLiteral("header"));
    for (int r = 1; r <= count; ++r) {
        grid->AddItem(QStringLiteral("r%1\tb%1").arg(r));
        grid->setRowData(r, 100 + r);
    }
    if (count > 0)
        grid->setFixedRows(1);
    return grid;
}

// "r3:h" for a hidden row 3, "r3" for a shown one; rows listed top to bottom, data rows only.
QStringList Rows(const FlexGrid& grid)
{
    QStringList rows;
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
        rows << grid.TextMatrix(r, 0) + (grid.RowHeight(r) == 0 ? QStringLiteral(":h") : QString());
    return rows;
}

QTableView* View(FlexGrid& grid) { return grid.findChild<QTableView*>(); }

QPoint CellCenter(FlexGrid& grid, int row, int col)
{
    QTableView* view = View(grid);
    return view->visualRect(view->model()->index(row - grid.FixedRows(), col)).center();
}

// Makes (row, 0) the current cell and gives it a centred 8x8 red picture.
void PutRedPicture(FlexGrid& grid, int row)
{
    QPixmap red(8, 8);
    red.fill(Qt::red);
    grid.setRow(row);
    grid.setCol(0);
    grid.setCellPicture(red);
    grid.setCellPictureAlignment(flexAlignCenterCenter);
}

void ShowGrid(FlexGrid& grid, int heightPx)
{
    grid.resize(300, heightPx);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

} // namespace

class FlexGridTest : public QObject {
    Q_OBJECT
private slots:
    void twipsConversion_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("one twip hides") << 1 << 0;
        QTest::newRow("half pixel rounds up") << 8 << 1;
        QTest::newRow("status column") << 800 << 53;
        QTest::newRow("exact") << 3000 << 200;
    }
    void twipsConversion()
    {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(TwipsToPixels(twips), pixels);
        QCOMPARE(TwipsToPixels(PixelsToTwips(pixels)), pixels);
    }

    // Each script step is "add:<index>" (a new row "n<k>", row word 900 + k), "remove:<index>"
    // or "hide:<index>"; afterwards every original row must still carry its own row word and
    // its own hidden state, wherever it went.
    void rowDataFollowsItsRow_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("redraw");
        const QList<std::tuple<const char*, QString, QStringList>> cases {
            { "insert above", "add:2", { "r1", "n1", "r2", "r3", "r4", "r5" } },
            { "append", "add:-1", { "r1", "r2", "r3", "r4", "r5", "n1" } },
            { "remove middle", "remove:3", { "r1", "r2", "r4", "r5" } },
            { "remove last", "remove:5", { "r1", "r2", "r3", "r4" } },
            { "hide then insert above it", "hide:3;add:1", { "n1", "r1", "r2", "r3:h", "r4", "r5" } },
            { "hide then remove above it", "hide:4;remove:2", { "r1", "r3", "r4:h", "r5" } },
            { "remove a hidden row", "hide:2;remove:2", { "r1", "r3", "r4", "r5" } },
            { "hidden rows survive fixed-row changes", "hide:5;fixed:0;remove:1;fixed:1", { "r2", "r3", "r4", "r5:h" } },
            { "mixed", "hide:1;add:3;remove:4;add:6;hide:6", { "r1:h", "r2", "n1", "r4", "r5", "n2:h" } },
        };
        for (bool redraw : { true, false }) {
            for (const auto& [name, script, expected] : cases) {
                QTest::addRow("%s, redraw %s", name, redraw ? "on" : "off") << script << expected << redraw;
            }
        }
    }
    void rowDataFollowsItsRow()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QFETCH(bool, redraw);
        auto grid = MakeGrid(5);
        grid->setRedraw(redraw);
        int added = 0;
        for (const QString& step : script.split(QLatin1Char(';'))) {
            const QString op = step.section(QLatin1Char(':'), 0, 0);
            const int arg = step.section(QLatin1Char(':'), 1).toInt();
            if (op == QLatin1String("add")) {
                ++added;
                grid->AddItem(QStringLiteral("n%1").arg(added), arg);
                grid->setRowData(arg == -1 ? grid->Rows() - 1 : arg, 900 + added);
            } else if (op == QLatin1String("remove")) {
                grid->RemoveItem(arg);
            } else if (op == QLatin1String("hide")) {
                grid->setRowHeight(arg, 0);
            } else if (op == QLatin1String("fixed")) {
                grid->setFixedRows(arg);
            }
        }
        grid->setRedraw(true);
        QCOMPARE(Rows(*grid), expected);
        for (int r = 1; r < grid->Rows(); ++r) {
            const QString text = grid->TextMatrix(r, 0);
            const int number = text.mid(1).toInt();
            QCOMPARE(grid->RowData(r), (text.startsWith('n') ? 900 : 100) + number);
        }
        // The view agrees with the grid about which rows are hidden.
        QTableView* view = View(*grid);
        for (int r = grid->FixedRows(); r < grid->Rows(); ++r)
            QCOMPARE(view->isRowHidden(r - grid->FixedRows()), grid->RowHeight(r) == 0);
    }

    void textMatrixWorksOnHiddenRows()
    {
        auto grid = MakeGrid(3);
        grid->setRowHeight(2, 0);
        grid->setTextMatrix(2, 1, QStringLiteral("changed"));
        QCOMPARE(grid->TextMatrix(2, 1), QStringLiteral("changed"));
        grid->setRowHeight(2, 300);
        QCOMPARE(grid->RowHeight(2), 300);
        QCOMPARE(grid->TextMatrix(2, 1), QStringLiteral("changed"));
    }

    void addItemSplitsTabs_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("file row") << "\t\tC:\\in.txt\tD:\\out.txt" << QStringList { "", "", "C:\\in.txt", "D:\\out.txt" };
        QTest::newRow("fewer fields") << "a" << QStringList { "a", "", "", "" };
        QTest::newRow("extra fields ignored") << "a\tb\tc\td\te" << QStringList { "a", "b", "c", "d" };
        QTest::newRow("empty") << "" << QStringList { "", "", "", "" };
    }
    void addItemSplitsTabs()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, cells);
        auto grid = MakeGrid(0, 4);
        grid->AddItem(item);
        QCOMPARE(grid->Rows(), 2);
        QCOMPARE(grid->RowData(1), 0);
        for (int c = 0; c < 4; ++c)
            QCOMPARE(grid->TextMatrix(1, c), cells[c]);
    }

    // Row and RowSel keep their numbers when rows come and go, clamped to the last row.
    void cursorAfterAddAndRemove_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("expectedRow");
        QTest::addColumn<int>("expectedRowSel");
        QTest::newRow("add at the current row: the number denotes the new row") << "add" << 3 << 3 << 3 << 3 << 3;
        QTest::newRow("remove the current row") << "remove" << 3 << 3 << 3 << 3 << 3;
        QTest::newRow("remove the last row while it is current") << "remove" << 5 << 5 << 5 << 4 << 4;
        QTest::newRow("block end clamped") << "remove" << 5 << 2 << 5 << 2 << 4;
        QTest::newRow("remove above the block") << "remove" << 1 << 4 << 2 << 4 << 2;
    }
    void cursorAfterAddAndRemove()
    {
        QFETCH(QString, op);
        QFETCH(int, index);
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(int, expectedRow);
        QFETCH(int, expectedRowSel);
        auto grid = MakeGrid(5);
        grid->setRow(row);
        grid->setRowSel(rowSel);
        if (op == QLatin1String("add"))
            grid->AddItem(QStringLiteral("new"), index);
        else
            grid->RemoveItem(index);
        QCOMPARE(grid->Row(), expectedRow);
        QCOMPARE(grid->RowSel(), expectedRowSel);
    }

    void settingRowOrColCollapsesSelection()
    {
        auto grid = MakeGrid(5);
        grid->setRow(2);
        grid->setCol(0);
        grid->setRowSel(4);
        grid->setColSel(2);
        QCOMPARE(grid->RowSel(), 4);
        grid->setRow(3);
        QCOMPARE(grid->RowSel(), 3);
        QCOMPARE(grid->ColSel(), 0);
        grid->setColSel(2);
        grid->setCol(1);
        QCOMPARE(grid->ColSel(), 1);
    }

    // Raising FixedRows moves a current row inside the fixed part to the first scrolling row;
    // this is what makes "add at row 1 of an empty list, then fix the header" land on row 1.
    void fixingTheHeaderMovesTheCurrentRow()
    {
        auto grid = MakeGrid(0);
        QCOMPARE(grid->FixedRows(), 0);
        QCOMPARE(grid->Row(), 0);
        grid->AddItem(QStringLiteral("\tS\tT"), 1);
        QCOMPARE(grid->Row(), 0);
        grid->setFixedRows(1);
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->RowSel(), 1);
    }

    void invalidIndexesThrow()
    {
        auto grid = MakeGrid(2);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid->TextMatrix(3, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid->setRowData(-1, 1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid->RemoveItem(3));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid->AddItem(QString(), 5));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid->setFixedRows(4));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid->setRow(3));
        QCOMPARE(grid->Rows(), 3);
    }

    void cellFormatsBelongToTheCurrentCell()
    {
        auto grid = MakeGrid(3);
        PutRedPicture(*grid, 2);
        grid->setText(QStringLiteral("."));
        grid->setCellAlignment(flexAlignCenterCenter);
        grid->setCol(1);
        grid->setCellFontBold(true);
        QVERIFY(grid->CellPicture().isNull());
        grid->setCol(0);
        QVERIFY(!grid->CellPicture().isNull());
        QCOMPARE(grid->CellPictureAlignment(), flexAlignCenterCenter);
        QCOMPARE(grid->CellAlignment(), flexAlignCenterCenter);
        QVERIFY(!grid->CellFontBold());
        grid->setCellPicture(QPixmap());
        QVERIFY(grid->CellPicture().isNull());
        // Formats travel with their row.
        grid->RemoveItem(1);
        grid->setRow(1);
        grid->setCol(1);
        QVERIFY(grid->CellFontBold());
        QCOMPARE(grid->TextMatrix(1, 0), QStringLiteral("."));
    }

    void colWidthInTwips()
    {
        auto grid = MakeGrid(1, 5);
        QTableView* view = View(*grid);
        grid->setColWidth(0, 800);
        grid->setColWidth(4, 1);
        QCOMPARE(grid->ColWidth(0), 800);
        QCOMPARE(view->columnWidth(0), TwipsToPixels(800));
        QCOMPARE(grid->ColWidth(4), 1);
        QVERIFY(view->isColumnHidden(4));
        // Widths outlast bulk changes and sorting.
        grid->setRedraw(false);
        grid->AddItem(QStringLiteral("z"));
        grid->setRedraw(true);
        grid->setSort(flexSortStringAscending);
        QCOMPARE(view->columnWidth(0), TwipsToPixels(800));
        QVERIFY(view->isColumnHidden(4));
        grid->setColWidth(4, 1500);
        QVERIFY(!view->isColumnHidden(4));
        QCOMPARE(view->columnWidth(4), 100);
        QCOMPARE(grid->ColWidth(4), 1500);
    }

    // A stretching grid's last shown column fills the width the others leave, and keeps
    // its own width where they leave less; ColWidth still tells the width set.
    void lastColumnStretches()
    {
        auto grid = MakeGrid(1, 4);
        QTableView* view = View(*grid);
        grid->setColWidth(0, 1500);
        grid->setColWidth(1, 1500);
        grid->setColWidth(2, 1500);
        grid->setColWidth(3, 1);  // hidden: column 2 is the last one shown
        grid->resize(600, 200);
        grid->setStretchLastCol(true);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        const int viewport = view->viewport()->width();
        QCOMPARE(view->columnWidth(2), viewport - 2 * 100);
        QCOMPARE(grid->ColWidth(2), 1500);
        grid->resize(250, 200);
        QTRY_COMPARE(view->columnWidth(2), 100);
        grid->resize(800, 200);
        QTRY_COMPARE(view->columnWidth(2), view->viewport()->width() - 2 * 100);
        grid->setColWidth(1, 4500);
        QCOMPARE(view->columnWidth(2), std::max(100, view->viewport()->width() - 100 - 300));
    }

    // The header row never scrolls and cannot be selected, by mouse or by keyboard.
    void fixedHeaderRowStaysFixed()
    {
        auto grid = MakeGrid(40);
        grid->setSelectionMode(flexSelectionByRow);
        ShowGrid(*grid, 200);
        grid->setTopRow(20);
        QCOMPARE(grid->TopRow(), 20);
        QVERIFY(grid->RowIsVisible(0));
        QVERIFY(!grid->RowIsVisible(1));
        QVERIFY(grid->RowIsVisible(20));

        // A click on the header does not move the current row.
        grid->setRow(21);
        QHeaderView* header = View(*grid)->horizontalHeader();
        QVERIFY(header->isVisible());
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, header->height() / 2));
        QCOMPARE(grid->Row(), 21);
        QCOMPARE(grid->MouseRow(), 0);

        // Up from the first data row stays there.
        grid->setTopRow(1);
        grid->setRow(1);
        grid->SetFocus();
        QTest::keyClick(View(*grid), Qt::Key_Up);
        QCOMPARE(grid->Row(), 1);
        QTest::keyClick(View(*grid), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid->Row(), 1);
        QVERIFY(grid->RowIsVisible(0));
    }

    void rowIsVisibleSkipsHiddenRows()
    {
        auto grid = MakeGrid(30);
        ShowGrid(*grid, 200);
        const int rowPx = TwipsToPixels(grid->RowHeight(1));
        for (int r = 2; r <= 20; ++r)
            grid->setRowHeight(r, 0);
        QVERIFY(!grid->RowIsVisible(5));
        QVERIFY(grid->RowIsVisible(21)); // hidden rows take no room
        QVERIFY(rowPx > 0);
        // The first row that is not visible lies below the rows that fit.
        int firstHidden = 21;
        while (firstHidden < grid->Rows() && grid->RowIsVisible(firstHidden))
            ++firstHidden;
        QVERIFY(firstHidden > 22);
        QVERIFY(firstHidden < grid->Rows());
    }

    // Mouse and keyboard selections made upwards leave RowSel above Row.
    void selectionUpwards_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("shift click") << "shift click";
        QTest::newRow("drag") << "drag";
        QTest::newRow("shift arrows") << "shift arrows";
    }
    void selectionUpwards()
    {
        QFETCH(QString, how);
        auto grid = MakeGrid(8);
        grid->setSelectionMode(flexSelectionByRow);
        ShowGrid(*grid, 300);
        QWidget* viewport = View(*grid)->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, CellCenter(*grid, 5, 1));
        QCOMPARE(grid->Row(), 5);
        QCOMPARE(grid->Col(), 0);
        QCOMPARE(grid->ColSel(), 2);
        if (how == QLatin1String("shift click")) {
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, CellCenter(*grid, 3, 2));
        } else if (how == QLatin1String("drag")) {
            QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, CellCenter(*grid, 5, 1));
            QMouseEvent move(QEvent::MouseMove, CellCenter(*grid, 3, 1), viewport->mapToGlobal(CellCenter(*grid, 3, 1)),
                Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
            QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, CellCenter(*grid, 3, 1));
        } else {
            grid->SetFocus();
            QTest::keyClick(View(*grid), Qt::Key_Up, Qt::ShiftModifier);
            QTest::keyClick(View(*grid), Qt::Key_Up, Qt::ShiftModifier);
        }
        QCOMPARE(grid->Row(), 5);
        QCOMPARE(grid->RowSel(), 3);
    }

    void clickEventsAndMouseCell()
    {
        auto grid = MakeGrid(4);
        ShowGrid(*grid, 300);
        QWidget* viewport = View(*grid)->viewport();
        QSignalSpy clicks(grid.get(), &FlexGrid::Click);
        QSignalSpy doubles(grid.get(), &FlexGrid::DblClick);
        QSignalSpy downs(grid.get(), &FlexGrid::MouseDown);
        QSignalSpy rowColChanges(grid.get(), &FlexGrid::RowColChange);

        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, CellCenter(*grid, 3, 2));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(rowColChanges.count(), 1);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->Col(), 2);

        // The right button reports its press but leaves the selection alone.
        QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, CellCenter(*grid, 1, 0));
        QCOMPARE(downs.count(), 2);
        QCOMPARE(downs.last().at(0).toInt(), vbRightButton);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->MouseRow(), 1);
        QCOMPARE(grid->MouseCol(), 0);

        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, CellCenter(*grid, 2, 1));
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(grid->Row(), 2);
    }

    void focusEvents()
    {
        auto grid = MakeGrid(2);
        ShowGrid(*grid, 200);
        View(*grid)->clearFocus();
        QSignalSpy got(grid.get(), &FlexGrid::GotFocus);
        QSignalSpy lost(grid.get(), &FlexGrid::LostFocus);
        grid->SetFocus();
        QCOMPARE(got.count(), 1);
        View(*grid)->clearFocus();
        QCOMPARE(lost.count(), 1);
    }

    void keyDownReportsKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::newRow("delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << vbKeyDelete << 0;
        QTest::newRow("shift delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier) << vbKeyDelete << vbShiftMask;
        QTest::newRow("ctrl c") << int(Qt::Key_C) << int(Qt::ControlModifier) << 67 << vbCtrlMask;
        QTest::newRow("f5") << int(Qt::Key_F5) << int(Qt::NoModifier) << 116 << 0;
    }
    void keyDownReportsKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        auto grid = MakeGrid(3);
        ShowGrid(*grid, 200);
        int seenCode = -1;
        int seenShift = -1;
        connect(grid.get(), &FlexGrid::KeyDown, this, [&](int& code, int s) {
            seenCode = code;
            seenShift = s;
        });
        grid->SetFocus();
        QTest::keyClick(View(*grid), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(seenCode, keyCode);
        QCOMPARE(seenShift, shift);
    }

    void keyDownCanCancelTheKey()
    {
        auto grid = MakeGrid(3);
        ShowGrid(*grid, 200);
        connect(grid.get(), &FlexGrid::KeyDown, this, [](int& code, int) { code = 0; });
        grid->setRow(1);
        grid->SetFocus();
        QTest::keyClick(View(*grid), Qt::Key_Down);
        QCOMPARE(grid->Row(), 1);
    }

    void keyboardSkipsHiddenRows()
    {
        auto grid = MakeGrid(5);
        grid->setSelectionMode(flexSelectionByRow);
        ShowGrid(*grid, 300);
        grid->setRowHeight(2, 0);
        grid->setRowHeight(3, 0);
        grid->setRow(1);
        grid->SetFocus();
        QTest::keyClick(View(*grid), Qt::Key_Down);
        QCOMPARE(grid->Row(), 4);
        QCOMPARE(grid->RowSel(), 4);
    }

    void sortKeepsRowData_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("text, no case, ascending") << flexSortStringNoCaseAscending << QStringList { "r3", "r1", "r2" };
        QTest::newRow("text, no case, descending") << flexSortStringNoCaseDescending << QStringList { "r2", "r1", "r3" };
        QTest::newRow("text with case") << flexSortStringAscending << QStringList { "r2", "r3", "r1" };
    }
    void sortKeepsRowData()
    {
        QFETCH(int, how);
        QFETCH(QStringList, order);
        auto grid = MakeGrid(3);
        grid->setTextMatrix(1, 1, QStringLiteral("b"));
        grid->setTextMatrix(2, 1, QStringLiteral("C"));
        grid->setTextMatrix(3, 1, QStringLiteral("a"));
        grid->setRowHeight(2, 0);
        grid->setCol(1);
        grid->setSort(how);
        QCOMPARE(grid->TextMatrix(0, 0), QStringLiteral("header"));
        QStringList seen;
        for (int r = 1; r <= 3; ++r) {
            seen << grid->TextMatrix(r, 0);
            QCOMPARE(grid->RowData(r), 100 + grid->TextMatrix(r, 0).mid(1).toInt());
            QCOMPARE(grid->RowHeight(r) == 0, grid->TextMatrix(r, 0) == QLatin1String("r2"));
        }
        QCOMPARE(seen, order);
    }

    void droppedFilesArriveAsNativePaths()
    {
        auto grid = MakeGrid(1);
        grid->setOLEDropMode(flexOLEDropManual);
        ShowGrid(*grid, 200);
        QSignalSpy drops(grid.get(), &FlexGrid::OLEDragDrop);
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(QStringLiteral("/tmp/a b.txt")), QUrl::fromLocalFile(QStringLiteral("/tmp/dir")) });
        QWidget* viewport = View(*grid)->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
        QCOMPARE(drops.count(), 1);
        QCOMPARE(drops.first().first().toStringList(), (QStringList { "/tmp/a b.txt", "/tmp/dir" }));
    }

    // What the user sees: pictures where they were put, the selected rows highlighted as
    // the HighLight setting says, the fixed row in the header colour.
    void paintsPicturesSelectionAndHeader_data()
    {
        QTest::addColumn<int>("highLight");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("rowShownSelected");
        QTest::newRow("always") << flexHighlightAlways << false << true;
        QTest::newRow("never") << flexHighlightNever << true << false;
        QTest::newRow("with focus, focused") << flexHighlightWithFocus << true << true;
        QTest::newRow("with focus, not focused") << flexHighlightWithFocus << false << false;
    }
    void paintsPicturesSelectionAndHeader()
    {
        QFETCH(int, highLight);
        QFETCH(bool, focused);
        QFETCH(bool, rowShownSelected);
        auto grid = MakeGrid(4);
        grid->setSelectionMode(flexSelectionByRow);
        grid->setHighLight(highLight);
        grid->setFocusRect(flexFocusNone);
        grid->setColWidth(0, 600);
        grid->setColWidth(1, 1500);
        ShowGrid(*grid, 200);
        PutRedPicture(*grid, 3);
        grid->setTextMatrix(2, 1, QString());
        grid->setTextMatrix(3, 1, QString());
        grid->setRow(2);
        grid->setColSel(2);
        if (focused) {
            grid->SetFocus();
            QVERIFY(View(*grid)->hasFocus());
        } else {
            View(*grid)->clearFocus();
        }

        const QImage image = grid->grab().toImage();
        QTableView* view = View(*grid);
        const auto at = [&](int row, int col) {
            const QPoint p = view->viewport()->mapTo(grid.get(), CellCenter(*grid, row, col));
            return image.pixelColor(p);
        };
        QCOMPARE(at(3, 0), QColor(Qt::red));
        const QPalette& pal = grid->palette();
        QCOMPARE(at(2, 1), rowShownSelected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        QCOMPARE(at(3, 1), pal.color(QPalette::Base));
        QHeaderView* header = view->horizontalHeader();
        const QPoint headerCell = header->mapTo(grid.get(), QPoint(header->sectionPosition(1) + 3, 3));
        QCOMPARE(image.pixelColor(headerCell), pal.color(QPalette::Button));
    }

    // Bulk changes with redrawing off: the view catches up when redrawing comes back, and
    // geometry questions asked in between see the grid as it is.
    void redrawOffKeepsViewInStep()
    {
        auto grid = MakeGrid(200);
        ShowGrid(*grid, 200);
        grid->setTopRow(100);
        grid->setRedraw(false);
        QVERIFY(!View(*grid)->viewport()->updatesEnabled());
        grid->setFixedRows(0);
        grid->RemoveItem(150);
        grid->setRowHeight(120, 0);
        grid->setFixedRows(1);
        QVERIFY(!grid->RowIsVisible(120));
        QVERIFY(grid->RowIsVisible(100));
        grid->RemoveItem(199);
        grid->setRedraw(true);
        QVERIFY(View(*grid)->viewport()->updatesEnabled());
        QCOMPARE(grid->Rows(), 199);
        QCOMPARE(grid->TopRow(), 100);
        QVERIFY(View(*grid)->isRowHidden(119));
        QCOMPARE(View(*grid)->model()->rowCount(), 198);
    }
};

TEZ_REGISTER_TEST(FlexGridTest)
#include "test_flexgrid.moc"
