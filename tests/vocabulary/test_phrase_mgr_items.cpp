// Adding, modifying, copying, pasting and deleting items and deleting tables in the
// vocabulary manager.
#include "common/TestMain.h"
#include "test_phrase_mgr_fixture.h"

#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "vocabulary/dlgPhraseEdit.h"

#include <QAction>
#include <QLabel>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// Answers the item editor with these terms and OK.
std::function<void(QDialog&)> EditWith(const QString& simp, const QString& trad)
{
    return [simp, trad](QDialog& dialog) {
        if (auto* from = dialog.findChild<QLineEdit*>(QStringLiteral("txtFrom")); from && from->isVisibleTo(&dialog))
            from->setText(simp);
        dialog.findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(trad);
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    };
}

std::function<void(QDialog&)> CancelEdit()
{
    return [](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click(); };
}
} // namespace

class TestPhraseMgrItems : public QObject {
    Q_OBJECT
private slots:
    void addInFrontOfCurrentRow()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(4)}});
        f.mgr().lstPhrase_GotFocus();
        f.items().setRow(3);
        ModalScript script;
        script.answerDialog(EditWith(QStringLiteral("鼠标"), QStringLiteral("滑鼠")));
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_ADDITEM"));
        QCOMPARE(script.unexpected(), 0);
        const QStringList expected{"S1|T1|1", "S2|T2|1", "鼠标|滑鼠|1", "S3|T3|1", "S4|T4|1"};
        QCOMPARE(f.currentLibraryItems(), expected);
        QCOMPARE(f.gridItems(), expected);
        QCOMPARE(f.items().Row(), 3);
    }

    void addToEmptyTable()
    {
        PhraseMgrFixture f(QList<MgrTable>{{"a.pct", {}}});
        ModalScript script;
        script.answerDialog(EditWith(QString(), QStringLiteral("甲")));
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_ADDITEM"));
        QCOMPARE(f.currentLibraryItems(), QStringList{"|甲|1"});
        QCOMPARE(f.gridItems(), QStringList{"|甲|1"});
        QCOMPARE(f.items().FixedRows(), 1);
    }

    void cancelledAddRemovesBlankRow_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("empty list") << 0;
        QTest::newRow("three items") << 3;
    }
    void cancelledAddRemovesBlankRow()
    {
        QFETCH(int, count);
        PhraseMgrFixture f({{"a.pct", NumberedItems(count)}});
        if (count)
            f.items().setRow(2);
        const QStringList before = f.gridItems();
        ModalScript script;
        script.answerDialog(CancelEdit());
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_ADDITEM"));
        QCOMPARE(f.gridItems(), before);
        QCOMPARE(f.items().Rows(), count + 1);
        QCOMPARE(f.currentLibraryItems(), before);
    }

    void refusedAddLeavesListAsItWas()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(2)}});
        f.items().setRow(2);
        ModalScript script;
        // A term the table cannot store: the library refuses the insert.
        script.answerDialog(EditWith(QStringLiteral("x"), QStringLiteral("a\tb")));
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_ADDITEM"));
        QCOMPARE(f.currentLibraryItems(), (QStringList{"S1|T1|1", "S2|T2|1"}));
        QCOMPARE(f.gridItems(), f.currentLibraryItems());
    }

    void addToProperNounTableStoresOneTerm()
    {
        PhraseMgrFixture f({{"p.pct", {}, 3}});
        ModalScript script;
        script.answerDialog(EditWith(QStringLiteral("ignored"), QStringLiteral("王小明")));
        f.mgr().MenuProc(QStringLiteral("IDM_ITEM_RIGHTMOUSE_ADD"));
        QCOMPARE(f.currentLibraryItems(), QStringList{"王小明|王小明|1"});
        QCOMPARE(f.gridItems(), QStringList{"王小明|王小明|1"});
    }

    void modifyOnlyCurrentRow()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(5)}});
        f.mgr().lstPhrase_GotFocus();
        f.items().setRow(2);
        f.items().setRowSel(5);
        ModalScript script;
        script.answerDialog([](QDialog& dialog) {
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("txtFrom"))->text(), QStringLiteral("S2"));
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("txtTo"))->text(), QStringLiteral("T2"));
            EditWith(QStringLiteral("软件"), QStringLiteral("軟體"))(dialog);
        });
        f.mgr().lstPhrase_DblClick();
        QCOMPARE(f.currentLibraryItems(), (QStringList{"S1|T1|1", "软件|軟體|1", "S3|T3|1", "S4|T4|1", "S5|T5|1"}));
        QCOMPARE(f.gridItems(), f.currentLibraryItems());
    }

    void cancelledModifyChangesNothing()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(2)}});
        ModalScript script;
        script.answerDialog(CancelEdit());
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_MODIFY"));
        QCOMPARE(f.currentLibraryItems(), (QStringList{"S1|T1|1", "S2|T2|1"}));
        QCOMPARE(f.mgr().CurrentListKind, QStringLiteral("Phrase"));
    }

    void typedTraditionalTermSurvivesRestart()
    {
        PhraseMgrFixture f(QList<MgrTable>{{"a.pct", {}}});
        ModalScript script;
        script.answerDialog(EditWith(QStringLiteral("软件"), QStringLiteral("軟體")));
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_ADDITEM"));
        QCOMPARE(f.mgr().ExitPhraseMgr(), 0);
        f.restart();
        QCOMPARE(f.gridItems(), QStringList{"软件|軟體|1"});
        QCOMPARE(f.items().TextMatrix(1, 2), QStringLiteral("軟體"));
    }

    void longTermsShowWhole()
    {
        const QString simp = QString(60, QChar(u'软'));
        const QString trad = QString(60, QChar(u'軟'));
        PhraseMgrFixture f({{"a.pct", {{simp, trad}}}});
        QCOMPARE(f.gridItems(), QStringList{simp + "|" + trad + "|1"});
    }

    void deleteItemBlock()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(9)}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 7, 3);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_DELETE"));
        const QStringList expected{"S1|T1|1", "S2|T2|1", "S8|T8|1", "S9|T9|1"};
        QCOMPARE(f.currentLibraryItems(), expected);
        QCOMPARE(f.gridItems(), expected);
        QCOMPARE(f.items().TextMatrix(3, 1), QStringLiteral("S8"));
        QCOMPARE(frmMain().StatusPanel1->text(), QStringLiteral("删除完成"));
    }

    void deleteAllItems()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(4)}});
        f.mgr().lstPhrase_GotFocus();
        f.items().setRow(2);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
        QVERIFY(f.currentLibraryItems().isEmpty());
        QCOMPARE(f.items().Rows(), 1);
    }

    void deleteTables_data()
    {
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<int>("currentAfter");
        QTest::addColumn<bool>("itemsShown");
        QTest::newRow("current above the block") << 1 << 0 << true;
        QTest::newRow("current inside the block") << 3 << -1 << false;
        QTest::newRow("current below the block") << 5 << 1 << true;
    }
    void deleteTables()
    {
        QFETCH(int, currentRow);
        QFETCH(int, currentAfter);
        QFETCH(bool, itemsShown);
        QList<MgrTable> five;
        for (int i = 1; i <= 5; ++i)
            five << MgrTable{QStringLiteral("t%1.pct").arg(i), NumberedItems(1, QStringLiteral("t%1").arg(i)), i % 2 ? 1 : 0};
        PhraseMgrFixture f(five);
        f.tables().setRow(currentRow);
        f.mgr().lstPCT_DblClick();
        const QStringList shown = f.gridItems();
        f.mgr().lstPCT_GotFocus();
        PhraseMgrFixture::select(f.tables(), 2, 4);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_DELETE"));

        QCOMPARE(glPCTCount, 2);
        QCOMPARE(f.gridTables(), (QStringList{"t1.pct", "t5.pct"}));
        QCOMPARE(glPCTStatus[0], 1);
        QCOMPARE(glPCTStatus[1], 1);
        QCOMPARE(ghPCT[2], 0);
        QCOMPARE(giCurPCT, currentAfter);
        QCOMPARE(f.gridItems(), itemsShown ? shown : QStringList());
        if (itemsShown)
            QCOMPARE(f.currentLibraryItems(), shown);
        int32_t libraryCount = 0;
        _TezGetPCTNum(ghStmt, &libraryCount);
        QCOMPARE(libraryCount, 2);

        // With the shown table gone, item commands do nothing.
        if (!itemsShown) {
            ModalScript script;
            f.mgr().lstPhrase_GotFocus();
            f.mgr().MenuProc(QStringLiteral("IDM_EDIT_ADDITEM"));
            f.mgr().MenuProc(QStringLiteral("IDM_EDIT_INSERT"));
            f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
            QCOMPARE(script.asked().size(), 0);
            QCOMPARE(f.items().Rows(), 1);
        }
    }

    void copyAndPasteIntoAnotherTable()
    {
        PhraseMgrFixture f({{"a.pct", {{"a1", "A1", 1}, {"a2", "A2", 0}, {"a3", "A3", 1}, {"a4", "A4", 1}}},
                            {"b.pct", NumberedItems(6)}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 4, 2);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_COPY"));
        QCOMPARE(f.mgr().CopiedItems(), (QStringList{"0,\ta2\tA2", "1,\ta3\tA3", "1,\ta4\tA4"}));
        QVERIFY(frmMain().Menu(QStringLiteral("IDM_EDIT_INSERT"))->isEnabled());

        f.tables().setRow(2);
        f.mgr().lstPCT_DblClick();
        f.items().setRow(5);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_INSERT"));
        const QStringList expected{"S1|T1|1", "S2|T2|1", "S3|T3|1", "S4|T4|1", "a2|A2|0", "a3|A3|1",
                                   "a4|A4|1", "S5|T5|1", "S6|T6|1"};
        QCOMPARE(f.currentLibraryItems(), expected);
        QCOMPARE(f.gridItems(), expected);
    }

    void pasteIntoEmptyTable()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(3)}, {"b.pct", {}}});
        f.mgr().lstPhrase_GotFocus();
        PhraseMgrFixture::select(f.items(), 1, 3);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_COPY"));
        f.tables().setRow(2);
        f.mgr().lstPCT_DblClick();
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_INSERT"));
        const QStringList expected{"S3|T3|1", "S2|T2|1", "S1|T1|1"};
        QCOMPARE(f.currentLibraryItems(), expected);
        QCOMPARE(f.gridItems(), expected);
        QCOMPARE(f.items().FixedRows(), 1);
    }

    void pasteWithoutCopyAsks()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}});
        ModalScript script;
        script.answer(vbOK);
        f.mgr().MenuProc(QStringLiteral("IDM_EDIT_INSERT"));
        QCOMPARE(script.messages(), QStringList{"请先复制项目。"});
        QCOMPARE(script.asked().at(0).title, QStringLiteral("词汇管理"));
        QCOMPARE(script.asked().at(0).icon, 0);
        QCOMPARE(f.currentLibraryItems(), QStringList{"S1|T1|1"});
    }
};

TEZ_REGISTER_TEST(TestPhraseMgrItems)
#include "test_phrase_mgr_items.moc"
