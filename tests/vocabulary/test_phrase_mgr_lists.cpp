// The vocabulary manager's window and lists: what it shows after loading, the selection
// status texts, showing another table, and opening table files.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "test_phrase_mgr_fixture.h"

#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "resources/Pictures.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

namespace {
QString StatusText() { return frmMain().StatusPanel1 ? frmMain().StatusPanel1->text() : QString(); }

bool SamePicture(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }

QPixmap PictureOf(FlexGrid& grid, int row)
{
    grid.setRow(row);
    grid.setCol(0);
    return grid.CellPicture();
}

bool RowBold(FlexGrid& grid, int row)
{
    bool bold = true;
    for (int c = 0; c < grid.Cols(); ++c) {
        grid.setRow(row);
        grid.setCol(c);
        bold = bold && grid.CellFontBold();
    }
    return bold;
}

QList<MgrTable> ThreeTables()
{
    return {{"a.pct", NumberedItems(3, "a"), 1}, {"b.pct", NumberedItems(2, "b"), 0}, {"c.pct", NumberedItems(1, "c"), 3}};
}
} // namespace

class TestPhraseMgrLists : public QObject {
    Q_OBJECT
private slots:
    void loadWithoutTablesShowsHeadersOnly()
    {
        PhraseMgrFixture f({});
        QCOMPARE(f.tables().Rows(), 1);
        QCOMPARE(f.items().Rows(), 1);
        QCOMPARE(f.tables().TextMatrix(0, 1), QStringLiteral("文件名"));
        QCOMPARE(f.items().TextMatrix(0, 1), QStringLiteral("简体用词"));
        QCOMPARE(f.items().TextMatrix(0, 2), QStringLiteral("繁体用词"));
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), -1);
        QCOMPARE(f.mgr().CurrentListKind, QStringLiteral("Phrase"));
        QVERIFY(f.mgr().ManagerLoaded());
        QCOMPARE(StatusText(), QStringLiteral("项目次序：0"));
    }

    void loadShowsTablesStatusesAndFirstTableItems()
    {
        PhraseMgrFixture f(ThreeTables());
        QCOMPARE(f.gridTables(), (QStringList{"a.pct", "b.pct", "c.pct"}));
        QCOMPARE(glPCTStatus[0], 1);
        QCOMPARE(glPCTStatus[1], 0);
        QCOMPARE(glPCTStatus[2], 3);
        QCOMPARE(f.tables().RowData(1), 1 | 2); // in use, current
        QCOMPARE(f.tables().RowData(2), 0);
        QCOMPARE(f.tables().RowData(3), 1);
        QCOMPARE(giCurPCT, 0);
        QCOMPARE(f.tables().Row(), 1); // the cursor rests on the current table
        QVERIFY(RowBold(f.tables(), 1));
        QVERIFY(!RowBold(f.tables(), 2));
        QVERIFY(SamePicture(PictureOf(f.tables(), 1), LoadResPicture(ResPicActive)));
        QVERIFY(SamePicture(PictureOf(f.tables(), 2), LoadResPicture(ResPicInactive)));
        QVERIFY(SamePicture(PictureOf(f.tables(), 3), LoadResPicture(ResPicLocked)));
        QCOMPARE(f.gridItems(), (QStringList{"aS1|aT1|1", "aS2|aT2|1", "aS3|aT3|1"}));
        QCOMPARE(StatusText(), QStringLiteral("项目次序：1"));
    }

    void deleteKeyDeletesFromTheListItIsPressedIn_data()
    {
        QTest::addColumn<bool>("tableList");
        QTest::newRow("table list") << true;
        QTest::newRow("item list") << false;
    }
    void deleteKeyDeletesFromTheListItIsPressedIn()
    {
        QFETCH(bool, tableList);
        PhraseMgrFixture f(ThreeTables());
        FlexGrid& grid = tableList ? f.tables() : f.items();
        if (tableList)
            f.mgr().lstPCT_GotFocus();
        else
            f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(grid, 2, 2);
        QTest::keyClick(grid.findChild<QAbstractItemView*>(), Qt::Key_Delete);
        if (tableList) {
            QCOMPARE(f.gridTables(), (QStringList{"a.pct", "c.pct"}));
            QCOMPARE(f.gridItems().size(), 3);
        } else {
            QCOMPARE(f.gridTables().size(), 3);
            QCOMPARE(f.currentLibraryItems(), (QStringList{"aS1|aT1|1", "aS3|aT3|1"}));
        }
    }

    void layoutFillsTheWidthOnlyWhenThereIsRoom()
    {
        PhraseMgrFixture f(ThreeTables());
        f.mgr().resize(600, 400);
        f.mgr().Picture1_Resize();
        QCOMPARE(f.tables().ColWidth(1), 600 * 15 - 800 - 170);
        QCOMPARE(f.items().ColWidth(2), 600 * 15 - 800 - 3000 - 150);
        f.mgr().resize(200, 400);
        f.mgr().Picture1_Resize();
        QCOMPARE(f.tables().ColWidth(1), 200 * 15 - 800 - 170);
        QCOMPARE(f.items().ColWidth(2), 600 * 15 - 800 - 3000 - 150); // no room: kept
    }

    void lockedPicturesOnlyInTableList()
    {
        PhraseMgrFixture f({{"p.pct", {{"x", "x", 0}, {"y", "y", 1}}, 2}});
        QVERIFY(SamePicture(PictureOf(f.tables(), 1), LoadResPicture(ResPicLockedInactive)));
        QVERIFY(SamePicture(PictureOf(f.items(), 1), LoadResPicture(ResPicInactive)));
        QVERIFY(SamePicture(PictureOf(f.items(), 2), LoadResPicture(ResPicActive)));
    }

    void selectionStatusText_data()
    {
        QTest::addColumn<bool>("tableList");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("text");
        QTest::newRow("tables dragged upwards") << true << 4 << 2 << QStringLiteral("词汇表次序：2-4");
        QTest::newRow("one table") << true << 3 << 3 << QStringLiteral("词汇表次序：3");
        QTest::newRow("items bottom up") << false << 5 << 2 << QStringLiteral("项目次序：2-5");
    }
    void selectionStatusText()
    {
        QFETCH(bool, tableList);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, text);
        PhraseMgrFixture f({{"a.pct", NumberedItems(6)}, {"b.pct", {}}, {"c.pct", {}}, {"d.pct", {}}});
        FlexGrid& grid = tableList ? f.tables() : f.items();
        PhraseMgrFixture::select(grid, from, to);
        if (tableList)
            f.mgr().lstPCT_Click();
        else
            f.mgr().lstPhrase_Click();
        QCOMPARE(StatusText(), text);
    }

    void doubleClickShowsThatTable()
    {
        PhraseMgrFixture f(ThreeTables());
        f.tables().setRow(2);
        f.mgr().lstPCT_DblClick();
        QCOMPARE(giCurPCT, 1);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), 2);
        QVERIFY(RowBold(f.tables(), 2));
        QVERIFY(!RowBold(f.tables(), 1));
        QCOMPARE(f.gridItems(), (QStringList{"bS1|bT1|1", "bS2|bT2|1"}));
    }

    void openTableAnsweredNo()
    {
        PhraseMgrFixture f(ThreeTables());
        f.writeTable({"new.pct", NumberedItems(2, "n")});
        ModalScript script;
        script.answerFile(f.pathOf("new.pct")).answer(vbNo);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked().at(0).filter, QStringLiteral("All Files (*.*)|*.*|PCT Files(*.pct)|*.pct"));
        QCOMPARE(script.asked().at(0).filterIndex, 2);
        QCOMPARE(script.asked().at(1).text, QStringLiteral("您正添加之词汇表是否为专有名词词汇表?"));
        QCOMPARE(script.asked().at(1).buttons, vbYesNo);
        QCOMPARE(script.asked().at(1).defaultButton, 2);
        QCOMPARE(f.gridTables(), (QStringList{"a.pct", "b.pct", "c.pct", "new.pct"}));
        QCOMPARE(glPCTCount, 4);
        QCOMPARE(giCurPCT, 3);
        QCOMPARE(glPCTStatus[3], 1);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), 4);
        QCOMPARE(f.gridItems(), (QStringList{"nS1|nT1|1", "nS2|nT2|1"}));
    }

    void openTableAnsweredYesBecomesLockedFirst()
    {
        PhraseMgrFixture f(ThreeTables());
        f.writeTable({"names.pct", {{"张三", "张三", 1}}});
        ModalScript script;
        script.answerFile(f.pathOf("names.pct")).answer(vbYes);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(f.gridTables(), (QStringList{"names.pct", "a.pct", "b.pct", "c.pct"}));
        QCOMPARE(glPCTStatus[0], 3);
        QCOMPARE(glPCTStatus[1], 1);
        QCOMPARE(glPCTStatus[3], 3);
        int32_t status = 0;
        _TezGetPCTStatus(ghPCT[0], &status);
        QCOMPARE(status, 3);
        QCOMPARE(giCurPCT, 0);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), 1);
        QVERIFY(RowBold(f.tables(), 1));
        QVERIFY(!RowBold(f.tables(), 4));
        QVERIFY(SamePicture(PictureOf(f.tables(), 1), LoadResPicture(ResPicLocked)));
        QCOMPARE(f.gridItems(), (QStringList{"张三|张三|1"}));
        QCOMPARE(f.mgr().CurrentListKind, QStringLiteral("PCT"));
    }

    void openLockedTableIntoEmptyList()
    {
        PhraseMgrFixture f({});
        f.writeTable({"names.pct", {{"李四", "李四", 1}}});
        ModalScript script;
        script.answerFile(f.pathOf("names.pct")).answer(vbYes);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(f.gridTables(), QStringList{"names.pct"});
        QCOMPARE(glPCTStatus[0], 3);
        QCOMPARE(giCurPCT, 0);
        QCOMPARE(f.gridItems(), QStringList{"李四|李四|1"});
    }

    void openRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        // The same table file, reached by another spelling of its path, is already listed.
        QTest::newRow("listed") << QStringLiteral("a.pct") << QStringLiteral("listed");
        QTest::newRow("listed, other spelling") << QStringLiteral("./a.pct") << QStringLiteral("listed");
        // File names differ in letter case as the file system has them: A.PCT is not a.pct.
        QTest::newRow("other case, no such file") << QStringLiteral("A.PCT") << QStringLiteral("Return : -3");
        QTest::newRow("missing file") << QStringLiteral("missing.pct") << QStringLiteral("Return : -3");
        QTest::newRow("not a table") << QStringLiteral("text.txt") << QStringLiteral("Return : -7");
    }
    void openRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        PhraseMgrFixture f(ThreeTables());
        WriteFileBytes(f.pathOf("text.txt"), "not a table\n");
        f.tables().setRow(2);
        f.mgr().lstPCT_DblClick();
        const QStringList before = f.gridItems();

        ModalScript script;
        script.answerFile(f.pathOf(name)).answer(vbOK);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked().size(), 2); // no proper-noun question
        const modal::Request& box = script.asked().at(1);
        if (expected == QLatin1String("listed")) {
            QCOMPARE(box.icon, 0);
            QVERIFY(box.text.endsWith(QStringLiteral("已开启")));
        } else {
            QCOMPARE(box.icon, vbCritical);
            QCOMPARE(box.text, f.pathOf(name) + QStringLiteral(" 不是合法的文件\n") + expected);
            QCOMPARE(box.title, frmMain().Caption());
        }
        QCOMPARE(glPCTCount, 3);
        QCOMPARE(giCurPCT, 1);
        QCOMPARE(f.gridTables(), (QStringList{"a.pct", "b.pct", "c.pct"}));
        QCOMPARE(f.gridItems(), before);
    }

    void tooLongPathRefusedWhenOpened()
    {
        PhraseMgrFixture f(ThreeTables());
        // A folder name long enough that the table's path exceeds what a path fetch holds.
        QDir home(f.home());
        const QString part = QString(60, QChar(u'长'));
        const QString folder = part + QStringLiteral("/") + part;
        QVERIFY(home.mkpath(folder));
        const QString name = folder + QStringLiteral("/long.pct");
        f.writeTable({name, NumberedItems(1)});
        QVERIFY(QFileInfo::exists(f.pathOf(name)));

        ModalScript script;
        script.answerFile(f.pathOf(name)).answer(vbOK);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked().at(1).icon, vbCritical);
        QVERIFY(script.asked().at(1).text.startsWith(f.pathOf(name) + QStringLiteral(" 不是合法的文件")));
        QCOMPARE(glPCTCount, 3);
        QCOMPARE(f.tables().Rows(), 4);
    }

    void openAtTableLimit()
    {
        QList<MgrTable> many;
        for (int i = 0; i < TEZ_MAX_USER_TABLES; ++i)
            many << MgrTable{QStringLiteral("t%1.pct").arg(i), {}, 1};
        PhraseMgrFixture f(many);
        QCOMPARE(glPCTCount, TEZ_MAX_USER_TABLES);
        f.writeTable({"extra.pct", NumberedItems(1)});
        ModalScript script;
        script.answerFile(f.pathOf("extra.pct")).answer(vbOK);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().at(1).text, QStringLiteral("超过客户自定 PCT 文件数目限制。"));
        QCOMPARE(script.asked().at(1).icon, vbCritical);
        QCOMPARE(glPCTCount, TEZ_MAX_USER_TABLES);
        QCOMPARE(giCurPCT, 0);
    }

    void cancelledOpenChangesNothing()
    {
        PhraseMgrFixture f(ThreeTables());
        ModalScript script;
        script.cancelFile();
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(glPCTCount, 3);
        QCOMPARE(f.gridItems().size(), 3);
    }
};

TEZ_REGISTER_TEST(TestPhraseMgrLists)
#include "test_phrase_mgr_lists.moc"
