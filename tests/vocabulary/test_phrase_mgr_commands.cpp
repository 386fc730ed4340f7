// The vocabulary manager's menus and toolbar, its table-file commands and how its command
// handler treats failures.
#include "common/TestMain.h"
#include "test_phrase_mgr_fixture.h"

#include "core/Log.h"
#include "platform/ModalScript.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"

#include <QAction>
#include <QLabel>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
bool MenuEnabled(const char* name) { return frmMain().Menu(QString::fromLatin1(name))->isEnabled(); }
bool MenuVisible(const char* name) { return frmMain().Menu(QString::fromLatin1(name))->isVisible(); }

std::function<void(QDialog&)> NewTable(const QString& name, bool locked)
{
    return [name, locked](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("txtPCTName"))->setText(name);
        dialog.findChild<QCheckBox*>(QStringLiteral("chbLockPCT"))->setChecked(locked);
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    };
}
} // namespace

class TestPhraseMgrCommands : public QObject {
    Q_OBJECT
private slots:
    void showMenuSetsManagerMenus()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(2)}});
        f.mgr().ShowMenu();
        QVERIFY(MenuVisible("IDM_FILE_NEWPCT"));
        QVERIFY(MenuVisible("IDM_FILE_ITEMINSERT"));
        QVERIFY(MenuVisible("IDM_EDIT_MERGE"));
        QVERIFY(!MenuVisible("IDM_FILE_RUN"));
        QVERIFY(!MenuVisible("IDM_EDIT_PASTE"));
        QVERIFY(!MenuVisible("IDM_VIEW"));
        QVERIFY(!MenuVisible("IDM_OPTION"));
        QCOMPARE(frmMain().Menu(QStringLiteral("IDM_FILE_OPEN"))->text(), QStringLiteral("添加词汇表(&O)..."));
        QVERIFY(frmMain().Menu(QStringLiteral("IDM_WINDOW_PHRASEMGR"))->isChecked());
        QVERIFY(!frmMain().Menu(QStringLiteral("IDM_WINDOW_DOCCONVERT"))->isChecked());
        QCOMPARE(frmMain().StatusPanel1->text(), QStringLiteral("词汇管理"));
    }

    void toolbarAndMenuState_data()
    {
        QTest::addColumn<int>("tables");
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("tableListFocused");
        QTest::addColumn<bool>("copied");
        QTest::newRow("no table, item list") << 0 << 0 << false << false;
        QTest::newRow("no table, table list") << 0 << 0 << true << false;
        QTest::newRow("empty table, item list") << 1 << 0 << false << false;
        QTest::newRow("empty table, copied before") << 1 << 0 << false << true;
        QTest::newRow("items, item list") << 1 << 3 << false << false;
        QTest::newRow("items, table list") << 1 << 3 << true << true;
    }
    void toolbarAndMenuState()
    {
        QFETCH(int, tables);
        QFETCH(int, items);
        QFETCH(bool, tableListFocused);
        QFETCH(bool, copied);
        QList<MgrTable> list;
        if (tables)
            list << MgrTable{"a.pct", NumberedItems(items)};
        if (copied)
            list << MgrTable{"b.pct", NumberedItems(1)};
        PhraseMgrFixture f(list);
        if (copied) {
            f.tables().setRow(2);
            f.mgr().lstPCT_DblClick();
            f.mgr().CopyItems(f.mgr().lstPhrase);
            f.tables().setRow(1);
            f.mgr().lstPCT_DblClick();
        }
        f.mgr().ShowMenu();
        if (tableListFocused)
            f.mgr().lstPCT_GotFocus();
        else
            f.mgr().lstPhrase_GotFocus();

        const bool T = tables > 0;
        const bool I = items > 0;
        auto button = [&](const char* key) { return f.mgr().ToolbarButton(QString::fromLatin1(key)); };
        QCOMPARE(MenuEnabled("IDM_FILE_SAVEPCT"), T);
        QCOMPARE(MenuEnabled("IDM_EDIT_SEARCH"), T);
        QCOMPARE(MenuEnabled("IDM_EDIT_MERGE"), T);
        QCOMPARE(button("lockPCT")->isVisible(), false);
        if (tableListFocused) {
            QVERIFY(button("OPEN")->isVisible());
            QVERIFY(!button("ADDITEM")->isVisible());
            QVERIFY(!button("INSERT")->isVisible());
            QCOMPARE(button("DETECT")->isEnabled(), T);
            QCOMPARE(MenuEnabled("IDM_EDIT_MOVEUP"), T);
            QCOMPARE(MenuEnabled("IDM_EDIT_DELETE"), T);
            QVERIFY(!MenuEnabled("IDM_EDIT_COPY"));
            QVERIFY(!MenuEnabled("IDM_EDIT_ADDITEM"));
            QVERIFY(!MenuEnabled("IDM_EDIT_INSERT"));
        } else {
            QVERIFY(!button("OPEN")->isVisible());
            QVERIFY(button("ADDITEM")->isVisible());
            QCOMPARE(button("ADDITEM")->isEnabled(), T);
            QCOMPARE(MenuEnabled("IDM_EDIT_ADDITEM"), T);
            QCOMPARE(button("MODIFY")->isEnabled(), I);
            QCOMPARE(MenuEnabled("IDM_EDIT_MOVEUP"), I);
            QCOMPARE(MenuEnabled("IDM_EDIT_DELETEALL"), I);
            QCOMPARE(MenuEnabled("IDM_EDIT_COPY"), I);
            QCOMPARE(MenuEnabled("IDM_EDIT_INSERT"), copied);
            QCOMPARE(button("INSERT")->isEnabled(), copied);
        }
    }

    void toolbarButtonsGiveCommands()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(3)}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 2, 2);
        f.mgr().ToolbarButton(QStringLiteral("MOVEUP"))->trigger();
        QCOMPARE(f.currentLibraryItems(), (QStringList{"S2|T2|1", "S1|T1|1", "S3|T3|1"}));
        // A key without a command, like the hidden lock button's, changes nothing.
        f.mgr().tbPhrase_ButtonClick(QStringLiteral("lockPCT"));
        f.mgr().MenuProc(QStringLiteral("idm_edit_moveup"));
        QCOMPARE(f.currentLibraryItems(), (QStringList{"S2|T2|1", "S1|T1|1", "S3|T3|1"}));
    }

    void createTable_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("status");
        QTest::newRow("ordinary") << false << QStringList{"a.pct", "b.pct", "new.pct"} << 1;
        QTest::newRow("proper-noun") << true << QStringList{"new.pct", "a.pct", "b.pct"} << 3;
    }
    void createTable()
    {
        QFETCH(bool, locked);
        QFETCH(QStringList, order);
        QFETCH(int, status);
        PhraseMgrFixture f({{"a.pct", NumberedItems(2)}, {"b.pct", {}}});
        ModalScript script;
        script.answerDialog(NewTable(QStringLiteral("new"), locked));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_NEWPCT"));
        QCOMPARE(script.unexpected(), 0);
        QVERIFY(QFileInfo::exists(f.pathOf("new.pct")));
        QCOMPARE(f.gridTables(), order);
        QCOMPARE(glPCTCount, 3);
        const int index = static_cast<int>(order.indexOf("new.pct"));
        QCOMPARE(giCurPCT, index);
        QCOMPARE(glPCTStatus[static_cast<std::size_t>(index)], status);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), index + 1);
        QCOMPARE(f.items().Rows(), 1);
        int32_t libraryCount = 0;
        _TezGetPCTNum(ghStmt, &libraryCount);
        QCOMPARE(libraryCount, 3);
    }

    void createNameDifferingOnlyInCase()
    {
        PhraseMgrFixture f({{"A.pct", NumberedItems(1)}});
        ModalScript script;
        script.answerDialog(NewTable(QStringLiteral("a"), false));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_NEWPCT"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(f.gridTables(), (QStringList{"A.pct", "a.pct"}));
        QCOMPARE(glPCTCount, 2);
        QCOMPARE(giCurPCT, 1);
    }

    void createAfterOpeningKeepsRoomInHandleArrays()
    {
        PhraseMgrFixture f(QList<MgrTable>{{"a.pct", {}}});
        // Arrays exactly as long as the list: opening and creating must still find room.
        ghPCT.resize(1);
        glPCTStatus.resize(1);
        f.writeTable({"b.pct", {}});
        ModalScript script;
        script.answerFile(f.pathOf("b.pct")).answer(vbNo);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        script.answerDialog(NewTable(QStringLiteral("c"), false));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_NEWPCT"));
        QCOMPARE(glPCTCount, 3);
        QVERIFY(ghPCT.size() > 3);
        QVERIFY(glPCTStatus.size() > 3);
        QCOMPARE(f.gridTables(), (QStringList{"a.pct", "b.pct", "c.pct"}));
        for (int i = 0; i < 3; ++i)
            QVERIFY(ghPCT[static_cast<std::size_t>(i)] != 0);
    }

    void createAtTableLimit()
    {
        QList<MgrTable> many;
        for (int i = 0; i < TEZ_MAX_USER_TABLES; ++i)
            many << MgrTable{QStringLiteral("t%1.pct").arg(i), {}, 1};
        PhraseMgrFixture f(many);
        ModalScript script;
        script.answerDialog(NewTable(QStringLiteral("one-more"), false)).answer(vbOK);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_NEWPCT"));
        QCOMPARE(script.messages(), QStringList{"超过客户自定 PCT 文件数目限制。"});
        QCOMPARE(script.asked().last().icon, vbCritical);
        QCOMPARE(script.asked().last().title, frmMain().Caption());
        QCOMPARE(glPCTCount, TEZ_MAX_USER_TABLES);
        QVERIFY(!QFileInfo::exists(f.pathOf("one-more.pct")));
    }

    void saveTableUnderCursorRow()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}, {"b.pct", {}}, {"c.pct", NumberedItems(2, "c")}});
        f.tables().setRow(3);
        ModalScript script;
        script.answerFile(f.pathOf("copy.pct"));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_SAVEPCT"));
        QCOMPARE(script.asked().at(0).kind, modal::Kind::SaveFile);
        QCOMPARE(script.asked().at(0).flags, 2054);
        QCOMPARE(script.asked().at(0).filter, QStringLiteral("All Files (*.*)|*.*|PCT Files (*.pct)|*.pct"));
        int32_t h = 0;
        QCOMPARE(_TezLoadPCT(ghStmt, ToSystemCodePage(f.pathOf("copy.pct")).constData(), &h), 0);
        QCOMPARE(PhraseMgrFixture::libraryItems(h), (QStringList{"cS1|cT1|1", "cS2|cT2|1"}));
        _TezUnloadPCT(ghStmt, h);
        QCOMPARE(glPCTCount, 3);
    }

    void failedSaveIsReported()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}});
        ModalScript script;
        script.answerFile(f.pathOf("no-such-folder/copy.pct")).answer(vbOK);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_SAVEPCT"));
        QCOMPARE(script.asked().size(), 2);
        QVERIFY(script.asked().at(1).text.startsWith(QStringLiteral("保存词汇表错误。\nReturn : ")));
    }

    void contextCommandActsLikeItsTwin_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("edit command") << QStringLiteral("IDM_EDIT_MOVEDOWN");
        QTest::newRow("context menu") << QStringLiteral("IDM_PCT_RIGHTMOUSE_MOVEDOWN");
    }
    void contextCommandActsLikeItsTwin()
    {
        QFETCH(QString, command);
        PhraseMgrFixture f({{"a.pct", {}}, {"b.pct", {}}, {"c.pct", {}}});
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), 1, 1);
        f.mgr().MenuProc(command);
        QCOMPARE(f.gridTables(), (QStringList{"b.pct", "a.pct", "c.pct"}));
        QCOMPARE(giCurPCT, 1);
        QCOMPARE(f.tables().Row(), 2);
    }

    void failingCommandIsLoggedAndRestoresPointer()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(2)}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 1, 1);
        SetMousePointer(vbArrow);
        const QString errFile = gsErrFile;
        gsErrFile = f.pathOf("tezdesk.ERR");
        {
            NoConversionTables noTables;
            f.mgr().MenuProc(QStringLiteral("IDM_EDIT_MOVEDOWN"));
        }
        QCOMPARE(MousePointer(), vbArrow);
        SetMousePointer(vbDefault);
        QCOMPARE(f.currentLibraryItems(), (QStringList{"S1|T1|1", "S2|T2|1"}));
        QCOMPARE(f.gridItems(), f.currentLibraryItems());
        QFile err(gsErrFile);
        gsErrFile = errFile;
        QVERIFY(err.open(QIODevice::ReadOnly));
        QVERIFY(err.readAll().contains("MenuProc"));
    }

    void cancelledDetectionDirectionLeavesTheLists()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(3)}, {"b.pct", NumberedItems(2, "b")}});
        // The table cursor away from the current table, an item other than the first selected.
        f.tables().setRow(2);
        PhraseMgrFixture::select(f.items(), 3, 3);
        ModalScript script;
        script.answerDialog([](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click(); });
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_DETECT"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.pending(), 0);
        QCOMPARE(f.tables().Row(), 2);
        QCOMPARE(f.items().Row(), 3);
        QCOMPARE(giCurPCT, 0);
    }

    void searchWithoutTablesShowsNoDialog()
    {
        PhraseMgrFixture f({});
        ModalScript script;
        for (const char* cmd : {"IDM_EDIT_SEARCH", "IDM_EDIT_REPLACE", "IDM_EDIT_DETECT"})
            f.mgr().MenuProc(QString::fromLatin1(cmd));
        QCOMPARE(script.asked().size(), 0);
    }
};

TEZ_REGISTER_TEST(TestPhraseMgrCommands)
#include "test_phrase_mgr_commands.moc"
