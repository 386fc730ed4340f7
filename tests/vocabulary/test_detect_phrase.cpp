#include "common/TestMain.h"
#include "test_search_phrase_fixture.h"

#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "vocabulary/dlgDetectPhrase.h"
#include "vocabulary/dlgPhraseDetectDir.h"
#include "vocabulary/dlgPhraseEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace {

// Three asymmetric groups. Simplified to Traditional: 干 → 乾 / 幹, 吉 → 吉 / 𠮷, and 幹
// reached from 干 and 榦; Traditional to Simplified reports the 幹 group first. Item 1 (幹 / 干)
// lies in two groups.
const QList<FixtureItem> kGroupedItems{{QStringLiteral("乾"), QStringLiteral("干")},
                                       {QStringLiteral("幹"), QStringLiteral("干")},
                                       {QStringLiteral("吉"), QStringLiteral("吉")},
                                       {QStringLiteral("𠮷"), QStringLiteral("吉")},
                                       {QStringLiteral("幹"), QStringLiteral("榦")},
                                       {QStringLiteral("軟體"), QStringLiteral("软件")}};

// Chooses the direction in the direction dialog, then runs the detection dialog with act.
bool RunDetection(bool tradToSimp, const std::function<void(DlgDetectPhrase&)>& act, ModalScript& script)
{
    script.answerDialog([tradToSimp](QDialog& d) {
        auto& dir = static_cast<DlgPhraseDetectDir&>(d);
        (tradToSimp ? dir.optB52GB : dir.optGB2B5)->setChecked(true);
        dir.cmdOK->click();
    });
    if (!dlgPhraseDetectDir().ShowDlg())
        return false;
    script.answerDialog([act](QDialog& d) { act(static_cast<DlgDetectPhrase&>(d)); });
    return dlgDetectPhrase().ShowDlg();
}

// The rows of the group on display: "position|Simplified|Traditional|in use".
QStringList GroupRows(const FlexGrid& lst)
{
    QStringList rows;
    for (int r = 1; r < lst.Rows(); ++r)
        rows << QStringList{lst.TextMatrix(r, 1), lst.TextMatrix(r, 2), lst.TextMatrix(r, 3), QString::number(lst.RowData(r) & 1)}.join(QLatin1Char('|'));
    return rows;
}

} // namespace

class DetectPhraseTest : public QObject {
    Q_OBJECT
private slots:
    void directionDialogKeepsTheLastChoice()
    {
        UnloadForm<DlgPhraseDetectDir>();
        ModalScript script;
        script.answerDialog([](QDialog& d) {
            auto& dir = static_cast<DlgPhraseDetectDir&>(d);
            // First use: Simplified to Traditional, shown on the upper row.
            QVERIFY(dir.optGB2B5->isChecked());
            QVERIFY(dir.optGB2B5->y() < dir.optB52GB->y());
            dir.optB52GB->setChecked(true);
            dir.cmdOK->click();
        });
        QVERIFY(dlgPhraseDetectDir().ShowDlg());
        QVERIFY(dlgPhraseDetectDir().bDetectB52GB);

        script.answerDialog([](QDialog& d) {
            auto& dir = static_cast<DlgPhraseDetectDir&>(d);
            QVERIFY(dir.optB52GB->isChecked());
            QVERIFY(dir.optGB2B5->y() < dir.optB52GB->y());
            dir.cmdCancel->click();
        });
        QVERIFY(!dlgPhraseDetectDir().ShowDlg());

        // Closed without a button after an earlier OK: not confirmed.
        script.answerDialog([](QDialog&) {});
        QVERIFY(!dlgPhraseDetectDir().ShowDlg());
        QCOMPARE(script.pending(), 0);
    }

    void theChosenDirectionReachesTheLibrary_data()
    {
        QTest::addColumn<bool>("tradToSimp");
        QTest::addColumn<QStringList>("firstGroup");
        QTest::newRow("Simplified to Traditional") << false << QStringList{QStringLiteral("1|干|乾|1"), QStringLiteral("2|干|幹|1")};
        QTest::newRow("Traditional to Simplified") << true << QStringList{QStringLiteral("2|干|幹|1"), QStringLiteral("5|榦|幹|1")};
    }
    void theChosenDirectionReachesTheLibrary()
    {
        QFETCH(bool, tradToSimp);
        QFETCH(QStringList, firstGroup);
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), kGroupedItems);
        ModalScript script;
        const bool ok = RunDetection(tradToSimp, [&](DlgDetectPhrase& dlg) {
            QCOMPARE(GroupRows(*dlg.lst), firstGroup);
            QCOMPARE(dlg.lst->TextMatrix(1, 4), fx.pathOf(QStringLiteral("a.pct")));
            dlg.cmdCancel->click();
        }, script);
        QVERIFY(!ok);
    }

    void navigationStopsAtTheFirstAndTheLastGroup()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), kGroupedItems);
        ModalScript script;
        RunDetection(false, [](DlgDetectPhrase& dlg) {
            QCOMPARE(dlg.labGroup->text(), QStringLiteral("3"));
            QCOMPARE(dlg.labNumber->text(), QStringLiteral("6"));
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("1"));
            QVERIFY(dlg.cmdNext->isEnabled());
            QVERIFY(dlg.cmdPrev->isEnabled());
            // Room for one spare group and one spare entry.
            QCOMPARE(dlg.Entries().size(), std::size_t(4));
            QCOMPARE(dlg.Entries().front().size(), std::size_t(3));

            dlg.cmdPrev->click();
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("1"));
            QCOMPARE(GroupRows(*dlg.lst), (QStringList{QStringLiteral("1|干|乾|1"), QStringLiteral("2|干|幹|1")}));
            dlg.cmdNext->click();
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("2"));
            QCOMPARE(GroupRows(*dlg.lst), (QStringList{QStringLiteral("3|吉|吉|1"), QStringLiteral("4|吉|𠮷|1")}));
            dlg.cmdNext->click();
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("3"));
            QCOMPARE(GroupRows(*dlg.lst), (QStringList{QStringLiteral("2|干|幹|1"), QStringLiteral("5|榦|幹|1")}));
            dlg.cmdNext->click();
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("3"));
            QCOMPARE(GroupRows(*dlg.lst).size(), 2);
            dlg.cmdPrev->click();
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("2"));
            QCOMPARE(dlg.labNumber->text(), QStringLiteral("6"));
            dlg.cmdCancel->click();
        }, script);
    }

    void aChangeShowsInEveryGroupHoldingTheItem()
    {
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), kGroupedItems);
        const QList<RawItem> before = VocabFixture::items(h);
        ModalScript script;
        script.answerDialog([](QDialog& d) {
            auto& dir = static_cast<DlgPhraseDetectDir&>(d);
            dir.optGB2B5->setChecked(true);
            dir.cmdOK->click();
        });
        QVERIFY(dlgPhraseDetectDir().ShowDlg());
        script.answerDialog([](QDialog& d) {
            auto& dlg = static_cast<DlgDetectPhrase&>(d);
            // Group 1, row 2 is item 2 (幹 / 干), which group 3 lists first.
            dlg.lst->setRow(2);
            dlg.IDM_EDIT_DEACTIVE->trigger();
            dlg.lst->setRow(2);
            dlg.IDM_EDIT_MODIFY->trigger();
            QCOMPARE(GroupRows(*dlg.lst).at(1), QStringLiteral("2|干部|幹部|0"));
            dlg.cmdNext->click();
            dlg.cmdNext->click();
            QCOMPARE(GroupRows(*dlg.lst), (QStringList{QStringLiteral("2|干部|幹部|0"), QStringLiteral("5|榦|幹|1")}));
            dlg.cmdOK->click();
        });
        script.answerDialog([](QDialog& d) {
            auto& edit = static_cast<DlgPhraseEdit&>(d);
            QCOMPARE(edit.txtFrom->text(), QStringLiteral("干"));
            QCOMPARE(edit.txtTo->text(), QStringLiteral("幹"));
            edit.txtFrom->setText(QStringLiteral("干部"));
            edit.txtTo->setText(QStringLiteral("幹部"));
            edit.cmdOK->click();
        });
        QVERIFY(dlgDetectPhrase().ShowDlg());
        QCOMPARE(script.pending(), 0);

        const QList<RawItem> after = VocabFixture::items(h);
        QCOMPARE(FromSystemCodePage(after.at(1).trad), QStringLiteral("幹部"));
        QCOMPARE(FromSystemCodePage(after.at(1).simp), QStringLiteral("干部"));
        QCOMPARE(after.at(1).status & 1, 0);
        for (int i : {0, 2, 3, 4, 5})
            QCOMPARE(after.at(i), before.at(i));
    }

    void modifyCancelledInTheEditorMarksNothing()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), kGroupedItems);
        ModalScript script;
        script.answerDialog([](QDialog& d) { static_cast<DlgPhraseDetectDir&>(d).cmdOK->click(); });
        QVERIFY(dlgPhraseDetectDir().ShowDlg());
        script.answerDialog([](QDialog& d) {
            auto& dlg = static_cast<DlgDetectPhrase&>(d);
            dlg.lst->setRow(1);
            dlg.IDM_EDIT_MODIFY->trigger();
            QVERIFY(!dlg.Entries()[0][0].Changed);
            QCOMPARE(GroupRows(*dlg.lst).at(0).section(QLatin1Char('|'), 1, 2), QStringLiteral("干|乾"));
            dlg.cmdCancel->click();
        });
        script.answerDialog([](QDialog& d) {
            auto& edit = static_cast<DlgPhraseEdit&>(d);
            edit.txtTo->setText(QStringLiteral("變了"));
            edit.cmdCancel->click();
        });
        QVERIFY(!dlgDetectPhrase().ShowDlg());
        QCOMPARE(script.pending(), 0);
    }

    void outOfUseRowsAreWrittenWithTheirTermsUnchanged()
    {
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), kGroupedItems);
        const QList<RawItem> before = VocabFixture::items(h);
        ModalScript script;
        const bool ok = RunDetection(false, [](DlgDetectPhrase& dlg) {
            dlg.cmdNext->click();
            // Both rows of group 2 (吉 and 𠮷), selected upwards.
            dlg.lst->setRow(2);
            dlg.lst->setRowSel(1);
            dlg.IDM_EDIT_DEACTIVE->trigger();
            QCOMPARE(GroupRows(*dlg.lst), (QStringList{QStringLiteral("3|吉|吉|0"), QStringLiteral("4|吉|𠮷|0")}));
            QVERIFY(dlg.Entries()[1][0].Changed);
            QVERIFY(dlg.Entries()[1][1].Changed);
            dlg.cmdOK->click();
        }, script);
        QVERIFY(ok);
        const QList<RawItem> after = VocabFixture::items(h);
        for (int i : {2, 3}) {
            QCOMPARE(after.at(i).trad, before.at(i).trad);
            QCOMPARE(after.at(i).simp, before.at(i).simp);
            QCOMPARE(after.at(i).status & 1, 0);
        }
        for (int i : {0, 1, 4, 5})
            QCOMPARE(after.at(i), before.at(i));
    }

    void cancelWritesNothing()
    {
        VocabFixture fx;
        const int32_t h = fx.addTable(QStringLiteral("a.pct"), kGroupedItems);
        const QList<RawItem> before = VocabFixture::items(h);
        ModalScript script;
        const bool ok = RunDetection(true, [](DlgDetectPhrase& dlg) {
            dlg.lst->setRow(1);
            dlg.lst->setRowSel(2);
            dlg.IDM_EDIT_DEACTIVE->trigger();
            dlg.cmdCancel->click();
        }, script);
        QVERIFY(!ok);
        QCOMPARE(VocabFixture::items(h), before);
    }

    void nothingFoundShowsAnEmptyGroup()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}, {QStringLiteral("滑鼠"), QStringLiteral("鼠标")}});
        ModalScript script;
        RunDetection(false, [](DlgDetectPhrase& dlg) {
            QCOMPARE(dlg.labGroup->text(), QStringLiteral("0"));
            QCOMPARE(dlg.labNumber->text(), QStringLiteral("0"));
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("1"));
            QVERIFY(!dlg.cmdNext->isEnabled());
            QVERIFY(!dlg.cmdPrev->isEnabled());
            QCOMPARE(dlg.lst->Rows(), 1);
            emit dlg.lst->MouseDown(2, 0, 10, 10);
            QVERIFY(!dlg.IDM_EDIT->isVisible());
            dlg.cmdNext->click();
            QCOMPARE(dlg.txtNo->text(), QStringLiteral("1"));
            dlg.cmdOK->click();
        }, script);
        QCOMPARE(script.unexpected(), 0);
    }
};

TEZ_REGISTER_TEST(DetectPhraseTest)
#include "test_detect_phrase.moc"
