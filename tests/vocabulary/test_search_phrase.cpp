#include "common/TestMain.h"
#include "test_search_phrase_fixture.h"

#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"
#include "vocabulary/dlgPhraseEdit.h"
#include "vocabulary/dlgSearchPhrase.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTest>

#include <functional>

namespace {

// Opens the search dialog (replace mode when asked), lets act drive it, and returns
// FindString's or ReplaceString's result.
bool RunSearchDialog(bool replaceMode, const std::function<void(DlgSearchPhrase&)>& act, ModalScript& script)
{
    script.answerDialog([act](QDialog& d) { act(static_cast<DlgSearchPhrase&>(d)); });
    return replaceMode ? dlgSearchPhrase().ReplaceString() : dlgSearchPhrase().FindString();
}

void Search(DlgSearchPhrase& dlg, const QString& term)
{
    dlg.txtSearch->setText(term);
    dlg.cmdSearch->click();
}

QStringList GridRows(const FlexGrid& lst)
{
    QStringList rows;
    for (int r = 1; r < lst.Rows(); ++r)
        rows << QStringList{lst.TextMatrix(r, 1), lst.TextMatrix(r, 2), lst.TextMatrix(r, 3), QString::number(lst.RowData(r))}.join(QLatin1Char('|'));
    return rows;
}

// Whether the in-use picture of a row is the picture with that resource number.
bool PictureIs(FlexGrid& lst, int row, int picture)
{
    const int savedRow = lst.Row();
    const int savedCol = lst.Col();
    lst.setRow(row);
    lst.setCol(0);
    const bool same = lst.CellPicture().toImage() == LoadResPicture(picture).toImage();
    lst.setRow(savedRow);
    lst.setCol(savedCol);
    return same;
}

} // namespace

class SearchPhraseTest : public QObject {
    Q_OBJECT
private slots:
    void replaceInString_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("aaaa") << "aaaa" << "aa" << "b" << "bb";
        QTest::newRow("xaaay") << "xaaay" << "aa" << "b" << "xbay";
        QTest::newRow("no overlap") << "aaa" << "aa" << "b" << "ba";
        QTest::newRow("at start and end") << "aaxaa" << "aa" << "b" << "bxb";
        QTest::newRow("inserted text not re-read") << "ab" << "a" << "aa" << "aab";
        QTest::newRow("empty find") << "abc" << "" << "x" << "abc";
        QTest::newRow("case-sensitive") << "Aa" << "a" << "b" << "Ab";
        QTest::newRow("not found") << "軟體" << "件" << "体" << "軟體";
        QTest::newRow("deletes") << "软件包" << "件" << "" << "软包";
        QTest::newRow("outside BMP") << "𠮷野家" << "𠮷" << "吉" << "吉野家";
    }
    void replaceInString()
    {
        QFETCH(QString, source);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceInString(source, find, replacement), expected);
    }

    void buttonsFollowTheBoxes()
    {
        VocabFixture fx;
        ModalScript script;
        RunSearchDialog(false, [](DlgSearchPhrase& dlg) {
            QVERIFY(!dlg.cmdSearch->isEnabled());
            QVERIFY(!dlg.cmdReplace->isEnabled());
            QVERIFY(dlg.txtReplace->isHidden());
            QVERIFY(dlg.cmdReplaceAll->isHidden());
            QCOMPARE(dlg.cmdReplace->text(), QStringLiteral("替换..."));
            dlg.txtSearch->setText(QStringLiteral("软"));
            QVERIFY(dlg.cmdSearch->isEnabled());
            QVERIFY(dlg.cmdReplace->isEnabled());
            dlg.txtSearch->clear();
            QVERIFY(!dlg.cmdSearch->isEnabled());
            dlg.txtSearch->setText(QStringLiteral("软"));

            // "替换..." switches to replace mode with both replace buttons disabled.
            dlg.cmdReplace->click();
            QCOMPARE(dlg.windowTitle(), QStringLiteral("替换词汇"));
            QCOMPARE(dlg.cmdReplace->text(), QStringLiteral("替换"));
            QVERIFY(!dlg.txtReplace->isHidden());
            QVERIFY(!dlg.cmdReplaceAll->isHidden());
            QVERIFY(!dlg.cmdReplace->isEnabled());
            QVERIFY(!dlg.cmdReplaceAll->isEnabled());
            dlg.txtReplace->setText(QStringLiteral("x"));
            QVERIFY(dlg.cmdReplace->isEnabled());
            QVERIFY(dlg.cmdReplaceAll->isEnabled());
            dlg.cmdCancel->click();
        }, script);
        QCOMPARE(script.pending(), 0);
    }

    void searchListsEveryHitOfEveryTable()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}, {QStringLiteral("滑鼠"), QStringLiteral("鼠标"), 0}});
        fx.addTable(QStringLiteral("b.pct"), {{QStringLiteral("資訊"), QStringLiteral("信息")}, {QStringLiteral("軟碟"), QStringLiteral("软盘")}});
        ModalScript script;
        const bool changed = RunSearchDialog(false, [&](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("软"));
            QCOMPARE(GridRows(*dlg.lst), (QStringList{QStringLiteral("1|软件|軟體|1"), QStringLiteral("2|软盘|軟碟|1")}));
            QCOMPARE(dlg.lst->TextMatrix(1, 4), fx.pathOf(QStringLiteral("a.pct")));
            QCOMPARE(dlg.lst->TextMatrix(2, 4), fx.pathOf(QStringLiteral("b.pct")));
            QCOMPARE(dlg.lst->FixedRows(), 1);
            QCOMPARE(dlg.lst->Row(), 1);

            // A second search drops the first one's rows; the not-in-use item keeps status 0.
            Search(dlg, QStringLiteral("鼠"));
            QCOMPARE(GridRows(*dlg.lst), QStringList{QStringLiteral("2|鼠标|滑鼠|0")});
            dlg.cmdCancel->click();
        }, script);
        QVERIFY(!changed);
    }

    void noHitSaysSoUnderTheDialogsCaption()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        ModalScript script;
        script.answerDialog([](QDialog& d) {
            auto& dlg = static_cast<DlgSearchPhrase&>(d);
            Search(dlg, QStringLiteral("无此词"));
            QCOMPARE(dlg.lst->Rows(), 1);
            dlg.cmdOK->click();
        });
        script.answer(vbOK);
        QVERIFY(dlgSearchPhrase().FindString());
        QCOMPARE(script.messages(), QStringList{QStringLiteral("找不到欲搜寻的目标。")});
        QCOMPARE(script.asked().last().title, QStringLiteral("搜寻词汇"));
        QCOMPARE(script.asked().last().icon, 0);
    }

    void replaceAllThenExitWritesTheTerms()
    {
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"),
                                      {{QStringLiteral("aaaa"), QStringLiteral("aaaa")},
                                       {QStringLiteral("xaaay"), QStringLiteral("xaaay")},
                                       {QStringLiteral("other"), QStringLiteral("other")}});
        ModalScript script;
        const bool changed = RunSearchDialog(true, [](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("aa"));
            dlg.txtReplace->setText(QStringLiteral("b"));
            dlg.cmdReplaceAll->click();
            QCOMPARE(GridRows(*dlg.lst), (QStringList{QStringLiteral("1|bb|bb|1"), QStringLiteral("2|xbay|xbay|1")}));
            QCOMPARE(dlg.lst->Row(), 1);
            dlg.cmdOK->click();
        }, script);
        QVERIFY(changed);
        QCOMPARE(VocabFixture::itemTexts(h),
                 (QStringList{QStringLiteral("bb|bb|1"), QStringLiteral("xbay|xbay|1"), QStringLiteral("other|other|1")}));
    }

    void replaceMovesDownAndWrapsToTheFirstRow()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("ka"), QStringLiteral("ka")}, {QStringLiteral("la"), QStringLiteral("la")}});
        ModalScript script;
        RunSearchDialog(true, [](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("a"));
            dlg.txtReplace->setText(QStringLiteral("o"));
            dlg.lst->setRow(2);
            dlg.cmdReplace->click();
            QCOMPARE(GridRows(*dlg.lst), (QStringList{QStringLiteral("1|ka|ka|1"), QStringLiteral("2|lo|lo|1")}));
            QCOMPARE(dlg.lst->Row(), 1);
            QCOMPARE(dlg.lst->RowSel(), 1);
            QCOMPARE(dlg.lst->ColSel(), 4);
            dlg.cmdCancel->click();
        }, script);
    }

    void replacementThatEmptiesATermIsRefused()
    {
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("aa"), QStringLiteral("aa")}, {QStringLiteral("aab"), QStringLiteral("aab")}});
        const QList<RawItem> before = VocabFixture::items(h);
        ModalScript script;
        script.answerDialog([](QDialog& d) {
            auto& dlg = static_cast<DlgSearchPhrase&>(d);
            dlg.txtSearch->setText(QStringLiteral("a"));
            dlg.cmdReplace->click();
            Search(dlg, QStringLiteral("aa"));
            // The search box changed last: replacing with nothing is allowed.
            QVERIFY(dlg.cmdReplaceAll->isEnabled());
            dlg.cmdReplaceAll->click();
            QCOMPARE(GridRows(*dlg.lst), (QStringList{QStringLiteral("1|aa|aa|1"), QStringLiteral("2|b|b|1")}));
            dlg.cmdOK->click();
        });
        script.answer(vbOK);
        QVERIFY(dlgSearchPhrase().FindString());
        QCOMPARE(script.messages().size(), 1);
        QCOMPARE(script.asked().last().title, QStringLiteral("替换词汇"));
        const QList<RawItem> after = VocabFixture::items(h);
        QCOMPARE(after.at(0), before.at(0));
        QCOMPARE(FromSystemCodePage(after.at(1).trad), QStringLiteral("b"));
    }

    void cancelLeavesEveryTableFileAsItWas()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("aaaa"), QStringLiteral("aaaa")}, {QStringLiteral("𠮷aa"), QStringLiteral("吉aa")}});
        fx.addTable(QStringLiteral("b.pct"), {{QStringLiteral("xaaay"), QStringLiteral("xaaay"), 0}});
        const QStringList names{QStringLiteral("a.pct"), QStringLiteral("b.pct")};
        const QByteArray fileA = ReadFileBytes(fx.pathOf(names[0]));
        const QByteArray fileB = ReadFileBytes(fx.pathOf(names[1]));
        QVERIFY(!fileA.isEmpty());
        ModalScript script;
        const bool changed = RunSearchDialog(true, [](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("aa"));
            dlg.txtReplace->setText(QStringLiteral("b"));
            dlg.cmdReplaceAll->click();
            dlg.lst->setRow(1);
            dlg.lst->setRowSel(dlg.lst->Rows() - 1);
            dlg.SetStatus(true);
            dlg.cmdCancel->click();
        }, script);
        QVERIFY(!changed);
        fx.saveAll(names);
        QCOMPARE(ReadFileBytes(fx.pathOf(names[0])), fileA);
        QCOMPARE(ReadFileBytes(fx.pathOf(names[1])), fileB);
    }

    void exitWithOneRowOutOfUseChangesOnlyThatItem()
    {
        VocabFixture fx;
        const QList<FixtureItem> items{{QStringLiteral("軟體"), QStringLiteral("软件")},
                                       {QStringLiteral("𠮷體"), QStringLiteral("𠮷体")},
                                       {QStringLiteral("體育"), QStringLiteral("体育")},
                                       {QStringLiteral("a體"), QStringLiteral("a体"), 0}};
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), items);
        const QList<RawItem> before = VocabFixture::items(h);
        QCOMPARE(before.size(), 4);
        ModalScript script;
        const bool changed = RunSearchDialog(false, [](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("體"));
            QCOMPARE(dlg.lst->Rows(), 5);
            QCOMPARE(dlg.lst->TextMatrix(2, 3), QStringLiteral("𠮷體"));
            dlg.lst->setRow(3);
            dlg.IDM_EDIT_DEACTIVE->trigger();
            QCOMPARE(dlg.lst->RowData(3) & 1, 0);
            dlg.cmdOK->click();
        }, script);
        QVERIFY(changed);
        const QList<RawItem> after = VocabFixture::items(h);
        QCOMPARE(after.size(), 4);
        QCOMPARE(after.at(0), before.at(0));
        QCOMPARE(after.at(1), before.at(1));
        QCOMPARE(FromSystemCodePage(after.at(1).trad), QStringLiteral("𠮷體"));
        QCOMPARE(after.at(2).trad, before.at(2).trad);
        QCOMPARE(after.at(2).simp, before.at(2).simp);
        QCOMPARE(after.at(2).status & 1, 0);
        QCOMPARE(after.at(3), before.at(3));
    }

    // Status bit 0 alone means in use: the direction bits (2, 4) of an item out of use do not
    // put it back in use when the user leaves with "退出" touching nothing.
    void exitTouchingNothingKeepsEveryStatus_data()
    {
        QTest::addColumn<int>("status");
        for (int status : {0, 1, 2, 3, 4, 5, 6, 7})
            QTest::newRow(qPrintable(QStringLiteral("status %1").arg(status))) << status;
    }
    void exitTouchingNothingKeepsEveryStatus()
    {
        QFETCH(int, status);
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("超音波"), QStringLiteral("B超"), status},
                                                                {QStringLiteral("超音"), QStringLiteral("超声"), 1}});
        const QByteArray file = ReadFileBytes(fx.pathOf(QStringLiteral("a.pct")));
        const QList<RawItem> before = VocabFixture::items(h);
        QCOMPARE(before.at(0).status, status);
        ModalScript script;
        const bool changed = RunSearchDialog(false, [status](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("超音"));
            QCOMPARE(dlg.lst->Rows(), 3);
            QVERIFY(PictureIs(*dlg.lst, 1, (status & 1) ? ResPicActive : ResPicInactive));
            dlg.cmdOK->click();
        }, script);
        QVERIFY(changed);
        QCOMPARE(VocabFixture::items(h), before);
        fx.saveAll({QStringLiteral("a.pct")});
        QCOMPARE(ReadFileBytes(fx.pathOf(QStringLiteral("a.pct"))), file);
    }

    void setStatusCoversASelectionDraggedUpwards()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("z1"), QStringLiteral("z1"), 0},
                                              {QStringLiteral("z2"), QStringLiteral("z2"), 0},
                                              {QStringLiteral("z3"), QStringLiteral("z3"), 0},
                                              {QStringLiteral("z4"), QStringLiteral("z4"), 0}});
        ModalScript script;
        RunSearchDialog(false, [](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("z"));
            dlg.lst->setRow(3);
            dlg.lst->setRowSel(1);
            dlg.IDM_EDIT_ACTIVE->trigger();
            QCOMPARE(GridRows(*dlg.lst), (QStringList{QStringLiteral("1|z1|z1|1"), QStringLiteral("2|z2|z2|1"),
                                                      QStringLiteral("3|z3|z3|1"), QStringLiteral("4|z4|z4|0")}));
            QCOMPARE(dlg.lst->Row(), 1);
            QCOMPARE(dlg.lst->RowSel(), 3);
            QVERIFY(PictureIs(*dlg.lst, 3, ResPicActive));
            QVERIFY(PictureIs(*dlg.lst, 4, ResPicInactive));
            dlg.cmdCancel->click();
        }, script);
    }

    void modifyShowsTheEditorsTermsAndExitWritesThem_data()
    {
        QTest::addColumn<int>("tableStatus");
        QTest::addColumn<QString>("typedFrom");
        QTest::addColumn<QString>("typedTo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordinary table") << 1 << "软体" << "軟體" << "軟體|软体|1";
        QTest::newRow("proper-noun table") << 3 << "ignored" << "微軟" << "微軟|微軟|1";
    }
    void modifyShowsTheEditorsTermsAndExitWritesThem()
    {
        QFETCH(int, tableStatus);
        QFETCH(QString, typedFrom);
        QFETCH(QString, typedTo);
        QFETCH(QString, expected);
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟件"), QStringLiteral("软件")}}, tableStatus);
        ModalScript script;
        script.answerDialog([&](QDialog& d) {
            auto& dlg = static_cast<DlgSearchPhrase&>(d);
            Search(dlg, QStringLiteral("件"));
            dlg.IDM_EDIT_MODIFY->trigger();
            dlg.cmdOK->click();
        });
        script.answerDialog([&](QDialog& d) {
            auto& edit = static_cast<DlgPhraseEdit&>(d);
            QCOMPARE(edit.txtTo->text(), QStringLiteral("軟件"));
            edit.txtFrom->setText(typedFrom);
            edit.txtTo->setText(typedTo);
            edit.cmdOK->click();
        });
        QVERIFY(dlgSearchPhrase().FindString());
        QCOMPARE(script.pending(), 0);
        QCOMPARE(VocabFixture::itemTexts(h), QStringList{expected});
    }

    void aTermTheLibraryRefusesLeavesThatItemAsItWas()
    {
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")},
                                                                {QStringLiteral("軟碟"), QStringLiteral("软盘")}});
        const QList<RawItem> before = VocabFixture::items(h);
        ModalScript script;
        RunSearchDialog(false, [](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("软"));
            dlg.lst->setTextMatrix(2, 3, QStringLiteral("軟碟機"));
            // A statement without code pages refuses to encode the edited term.
            const QScopedValueRollback<int32_t> noTables(ghStmt, NewStatementWithoutTables());
            dlg.cmdOK->click();
        }, script);
        const QList<RawItem> after = VocabFixture::items(h);
        QCOMPARE(after.at(0), before.at(0));
        QCOMPARE(after.at(1), before.at(1));
    }

    void termsLongerThanTheFetchBufferSurviveExit()
    {
        VocabFixture fx;
        // 120 bytes on the GB side: more than a 100-byte fetch buffer holds.
        const QString longTerm = QString(QStringLiteral("長")).repeated(60);
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), {{longTerm, QString(QStringLiteral("长")).repeated(60)}});
        const QList<RawItem> before = VocabFixture::items(h);
        QCOMPARE(before.at(0).trad.size(), 120);
        ModalScript script;
        RunSearchDialog(false, [&](DlgSearchPhrase& dlg) {
            Search(dlg, QStringLiteral("長"));
            QCOMPARE(dlg.lst->TextMatrix(1, 3), longTerm);
            dlg.cmdOK->click();
        }, script);
        QCOMPARE(VocabFixture::items(h), before);
    }

    void rightClickOpensThePopupOnlyOverResults()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        ModalScript script;
        RunSearchDialog(false, [](DlgSearchPhrase& dlg) {
            emit dlg.lst->MouseDown(2, 0, 10, 10);
            QVERIFY(!dlg.IDM_EDIT->isVisible());
            Search(dlg, QStringLiteral("软"));
            emit dlg.lst->MouseDown(1, 0, 10, 10);
            QVERIFY(!dlg.IDM_EDIT->isVisible());
            emit dlg.lst->MouseDown(2, 0, 10, 10);
            QVERIFY(dlg.IDM_EDIT->isVisible());
            dlg.IDM_EDIT->hide();
            dlg.cmdCancel->click();
        }, script);
    }
};

TEZ_REGISTER_TEST(SearchPhraseTest)
#include "test_search_phrase.moc"
