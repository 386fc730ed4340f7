// Reordering and enabling tables and items in the vocabulary manager, and the order the
// library and PCTS.LST take when the manager is left.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "test_phrase_mgr_fixture.h"

#include "platform/ModalScript.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"

#include <QAction>
#include <QTest>

#include <optional>

namespace {
QList<MgrTable> FiveTables()
{
    QList<MgrTable> tables;
    for (const char* name : {"t1.pct", "t2.pct", "t3.pct", "t4.pct", "t5.pct"})
        tables << MgrTable{QString::fromLatin1(name), NumberedItems(2, QString::fromLatin1(name).left(2)), 1};
    return tables;
}
} // namespace

class TestPhraseMgrMove : public QObject {
    Q_OBJECT
private slots:
    void moveTablesUp_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("downwards, entry 1 current") << 3 << 5 << 2 << 4;
        QTest::newRow("upwards, entry 1 current") << 5 << 3 << 2 << 4;
        QTest::newRow("current above the moved rows") << 3 << 5 << 1 << 0;
        QTest::newRow("current inside the block") << 3 << 5 << 3 << 1;
        QTest::newRow("current below the block") << 2 << 3 << 5 << 4;
    }
    void moveTablesUp()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, currentRow);
        QFETCH(int, currentAfter);
        PhraseMgrFixture f(FiveTables());
        f.tables().setRow(currentRow);
        f.mgr().lstPCT_DblClick();
        const QStringList shown = f.gridItems();
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), from, to);
        const int32_t movedHandle = ghPCT[static_cast<std::size_t>(std::min(from, to) - 2)];

        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_MOVEUP"));

        const int first = std::min(from, to);
        const int last = std::max(from, to);
        QCOMPARE(ghPCT[static_cast<std::size_t>(last - 1)], movedHandle);
        QCOMPARE(giCurPCT, currentAfter);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), currentAfter + 1);
        QCOMPARE(std::min(f.tables().Row(), f.tables().RowSel()), first - 1);
        QCOMPARE(std::max(f.tables().Row(), f.tables().RowSel()), last - 1);
        // The item list still shows the current table, and the item commands address it.
        QCOMPARE(f.gridItems(), shown);
        QCOMPARE(f.currentLibraryItems().first(), shown.first());
        for (int r = 1; r <= 5; ++r)
            QCOMPARE(QFileInfo(f.tables().TextMatrix(r, 1)).fileName(),
                     QFileInfo(PCTGetPathForTest(ghPCT[static_cast<std::size_t>(r - 1)])).fileName());
    }

    void movedOrderReachesListFileAndNextStart()
    {
        PhraseMgrFixture f(FiveTables());
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), 3, 5);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_MOVEUP"));
        const QStringList expected{"t1.pct", "t3.pct", "t4.pct", "t5.pct", "t2.pct"};
        QCOMPARE(f.gridTables(), expected);

        QCOMPARE(f.mgr().ExitPhraseMgr(), 0);
        const QByteArray list = ReadFileBytes(f.listFile());
        QVERIFY(list.indexOf("t3.pct") < list.indexOf("t2.pct"));
        QVERIFY(list.indexOf("t5.pct") < list.indexOf("t2.pct"));

        f.restart();
        QCOMPARE(f.gridTables(), expected);
    }

    void moveTablesDown()
    {
        PhraseMgrFixture f(FiveTables());
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), 1, 2);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_MOVEDOWN"));
        QCOMPARE(f.gridTables(), (QStringList{"t3.pct", "t1.pct", "t2.pct", "t4.pct", "t5.pct"}));
        QCOMPARE(giCurPCT, 1);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), 2);
        QCOMPARE(f.tables().Row(), 2);
        QCOMPARE(f.tables().RowSel(), 3);
    }

    void blockAtTheEdgeDoesNotMove_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("up from the first row") << QStringLiteral("IDM_EDIT_MOVEUP") << 1 << 3;
        QTest::newRow("down from the last row") << QStringLiteral("IDM_EDIT_MOVEDOWN") << 5 << 4;
    }
    void blockAtTheEdgeDoesNotMove()
    {
        QFETCH(QString, command);
        QFETCH(int, from);
        QFETCH(int, to);
        PhraseMgrFixture f(FiveTables());
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), from, to);
        const std::vector<int32_t> handles(ghPCT.begin(), ghPCT.begin() + 5);
        f.mgr().MenuProc(command);
        QCOMPARE(std::vector<int32_t>(ghPCT.begin(), ghPCT.begin() + 5), handles);
        QCOMPARE(f.gridTables(), (QStringList{"t1.pct", "t2.pct", "t3.pct", "t4.pct", "t5.pct"}));
    }

    void moveItemUpKeepsTermsAsTyped()
    {
        PhraseMgrFixture f({{"a.pct", {{"软件", "軟體"}, {"鼠标", "滑鼠", 0}, {"头发", "頭髮"}, {"发展", "發展"}, {"x", "y"}}}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 5, 5);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_MOVEUP"));
        const QStringList expected{"软件|軟體|1", "鼠标|滑鼠|0", "头发|頭髮|1", "x|y|1", "发展|發展|1"};
        QCOMPARE(f.gridItems(), expected);
        QCOMPARE(f.currentLibraryItems(), expected);
        QCOMPARE(f.items().Row(), 4);
        QCOMPARE(f.items().RowSel(), 4);

        PhraseMgrFixture::select(f.items(), 1, 2);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_MOVEDOWN"));
        const QStringList down{"头发|頭髮|1", "软件|軟體|1", "鼠标|滑鼠|0", "x|y|1", "发展|發展|1"};
        QCOMPARE(f.gridItems(), down);
        QCOMPARE(f.currentLibraryItems(), down);
    }

    void failedItemMoveLosesNothing_data()
    {
        QTest::addColumn<bool>("termRefused");
        QTest::addColumn<QString>("command");
        QTest::newRow("terms cannot be converted, up") << false << QStringLiteral("IDM_EDIT_MOVEUP");
        QTest::newRow("terms cannot be converted, down") << false << QStringLiteral("IDM_EDIT_MOVEDOWN");
        QTest::newRow("insert refused, up") << true << QStringLiteral("IDM_EDIT_MOVEUP");
        QTest::newRow("insert refused, down") << true << QStringLiteral("IDM_EDIT_MOVEDOWN");
    }
    void failedItemMoveLosesNothing()
    {
        QFETCH(bool, termRefused);
        QFETCH(QString, command);
        PhraseMgrFixture f({{"a.pct", NumberedItems(3)}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 2, 2);
        const QStringList library = f.currentLibraryItems();
        // The neighbour that would be moved shows a term the table cannot store.
        const int neighbour = command == QLatin1String("IDM_EDIT_MOVEUP") ? 1 : 3;
        if (termRefused)
            f.items().setTextMatrix(neighbour, 1, QStringLiteral("a\tb"));
        const QStringList grid = f.gridItems();
        std::optional<NoConversionTables> noTables;
        if (!termRefused)
            noTables.emplace();
        f.mgr().MenuProc(command);
        noTables.reset();
        QCOMPARE(f.gridItems(), grid);
        QCOMPARE(f.currentLibraryItems(), library);
        QCOMPARE(MousePointer(), vbDefault);
    }

    void activeTables_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("after");
        QTest::newRow("not in use, put in use") << 0 << true << 1;
        QTest::newRow("in use, taken out") << 1 << false << 0;
        QTest::newRow("locked out of use, put in use") << 2 << true << 3;
        QTest::newRow("locked in use, taken out") << 3 << false << 2;
    }
    void activeTables()
    {
        QFETCH(int, status);
        QFETCH(bool, active);
        QFETCH(int, after);
        PhraseMgrFixture f({{"a.pct", {}, 1}, {"b.pct", {}, status}});
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), 1, 2);
        f.mgr().MenuProc(active ? QStringLiteral("IDM_PCT_RIGHTMOUSE_ACTIVE") : QStringLiteral("IDM_PCT_RIGHTMOUSE_DEACTIVE"));
        QCOMPARE(glPCTStatus[1], after);
        int32_t libraryStatus = -1;
        _TezGetPCTStatus(ghPCT[1], &libraryStatus);
        QCOMPARE(libraryStatus, after);
        QCOMPARE(f.tables().RowData(2) & 1, active ? 1 : 0);
        // The current table keeps its mark whatever its use.
        QCOMPARE(f.tables().RowData(1) & 2, 2);
        QCOMPARE(f.tables().Row(), 1);
        QCOMPARE(f.tables().RowSel(), 2);
    }

    void activeItems()
    {
        PhraseMgrFixture f({{"a.pct", {{"a", "A", 1}, {"b", "B", 0}, {"c", "C", 1}}}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 1, 2);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_DEACTIVE"));
        QCOMPARE(f.currentLibraryItems(), (QStringList{"a|A|0", "b|B|0", "c|C|1"}));
        PhraseMgrFixture::select(f.items(), 3, 2);
        f.mgr().MenuProc(QStringLiteral("IDM_ITEM_RIGHTMOUSE_ACTIVE"));
        QCOMPARE(f.currentLibraryItems(), (QStringList{"a|A|0", "b|B|1", "c|C|1"}));
        QCOMPARE(f.gridItems(), f.currentLibraryItems());
    }

    void reloadKeepsStatusesAndOrder()
    {
        PhraseMgrFixture f({{"a.pct", {}, 1}, {"b.pct", {}, 3}});
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), 1, 1);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_DEACTIVE"));
        QCOMPARE(f.mgr().ExitPhraseMgr(), 0);
        for (int i = 0; i < 2; ++i) {
            int32_t status = -1;
            _TezGetPCTStatus(ghPCT[static_cast<std::size_t>(i)], &status);
            QCOMPARE(status, glPCTStatus[static_cast<std::size_t>(i)]);
        }
        f.restart();
        QCOMPARE(glPCTStatus[0], 0);
        QCOMPARE(glPCTStatus[1], 3);
    }

    void exitBeforeLoadDoesNothing()
    {
        PhraseMgrFixture f(QList<MgrTable>{{"a.pct", {}}});
        f.dropManager();
        const QByteArray list = ReadFileBytes(f.listFile());
        FrmPhraseMgr unloaded;
        QCOMPARE(unloaded.ExitPhraseMgr(), 0);
        QCOMPARE(ReadFileBytes(f.listFile()), list);
    }

    void exitReportsFailedListSave()
    {
        PhraseMgrFixture f(QList<MgrTable>{{"a.pct", {}}});
        // A folder where the list file should be: the list cannot be written.
        QFile::remove(f.listFile());
        QVERIFY(QDir(f.home()).mkdir(QStringLiteral("PCTS.LST")));
        ModalScript script;
        script.answer(vbOK);
        const int16_t r = f.mgr().ExitPhraseMgr();
        QVERIFY(r != 0);
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().at(0).text, QStringLiteral("保存词汇表错误。\nReturn : ") + QString::number(r));
        QCOMPARE(script.asked().at(0).icon, vbExclamation);
        QCOMPARE(script.asked().at(0).buttons, vbOKOnly);
        QCOMPARE(script.asked().at(0).title, QStringLiteral("词汇管理"));
        QCOMPARE(glPCTCount, 1);
    }

    void windowSwitchCompletesAfterFailedListSave()
    {
        PhraseMgrFixture f({{"a.pct", {}}, {"b.pct", {}}});
        frmMain().SetActiveForm(f.mgr());
        QFile::remove(f.listFile());
        QVERIFY(QDir(f.home()).mkdir(QStringLiteral("PCTS.LST")));
        ModalScript script;
        script.answer(vbOK);
        frmMain().SetActiveForm(f.mgr());
        QCOMPARE(script.messages().size(), 1);
        QVERIFY(script.messages().at(0).startsWith(QStringLiteral("保存词汇表错误。\nReturn : ")));
        QCOMPARE(frmMain().ActiveForm, &f.mgr());
        QVERIFY(frmMain().Menu(QStringLiteral("IDM_WINDOW_PHRASEMGR"))->isChecked());
        frmMain().ActiveForm = nullptr;
    }

    void exitDropsTableThatCannotBeLoadedAgain()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}, {"b.pct", NumberedItems(1)}, {"c.pct", {}}});
        f.tables().setRow(3);
        f.mgr().lstPCT_DblClick();
        QFile::remove(f.pathOf("b.pct"));
        ModalScript script;
        script.answer(vbOK);
        QCOMPARE(f.mgr().ExitPhraseMgr(), 0);
        QCOMPARE(script.asked().size(), 1);
        QVERIFY(script.asked().at(0).text.startsWith(f.pathOf("b.pct")));
        QCOMPARE(glPCTCount, 2);
        QCOMPARE(f.gridTables(), (QStringList{"a.pct", "c.pct"}));
        QCOMPARE(giCurPCT, 1);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), 2);
        // The list file still names the table, in its place.
        QFile list(f.listFile());
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), QByteArray("TEZLST 1\n1\ta.pct\n1\tb.pct\n1\tc.pct\n"));
    }

private:
    static QString PCTGetPathForTest(int32_t h)
    {
        std::vector<char> buffer(1024, '\0');
        int32_t len = 1024;
        _TezPCTGetPath(h, buffer.data(), &len);
        return FromSystemCodePage(QByteArray(buffer.data()));
    }
};

TEZ_REGISTER_TEST(TestPhraseMgrMove)
#include "test_phrase_mgr_move.moc"
