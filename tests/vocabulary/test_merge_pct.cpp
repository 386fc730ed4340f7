#include "common/TestMain.h"
#include "test_search_phrase_fixture.h"

#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "vocabulary/dlgMergePCT.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

bool RunMergeDialog(const std::function<void(DlgMergePCT&)>& act, ModalScript& script)
{
    script.answerDialog([act](QDialog& d) { act(static_cast<DlgMergePCT&>(d)); });
    return dlgMergePCT().ShowDlg();
}

QStringList Entries(const QListWidget& list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

// Moves the table at path from the left list into the combination.
void Choose(DlgMergePCT& dlg, const QString& path)
{
    const auto found = dlg.lstCurrentPCT->findItems(path, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    dlg.lstCurrentPCT->setCurrentItem(found.first());
    dlg.cmdGet->click();
}

// Names the new table typed, chooses A.pct and presses "运行", which must leave the dialog
// open; then cancels.
std::function<void(QDialog&)> MergeOfARefused(const VocabFixture& fx, const QString& typed)
{
    return [&fx, typed](QDialog& d) {
        auto& dlg = static_cast<DlgMergePCT&>(d);
        dlg.txtPCTName->setText(typed);
        Choose(dlg, fx.pathOf(QStringLiteral("A.pct")));
        dlg.cmdOK->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        dlg.cmdCancel->click();
    };
}

// Reads a table file through the library: "Traditional|Simplified|in use" per item.
QStringList TableFileItems(const QString& path)
{
    int32_t h = 0;
    if (_TezLoadPCT(ghStmt, ToSystemCodePage(path).constData(), &h) != 0)
        return {QStringLiteral("<not a table>")};
    const QStringList items = VocabFixture::itemTexts(h);
    _TezUnloadPCT(ghStmt, h);
    return items;
}

} // namespace

class MergePCTTest : public QObject {
    Q_OBJECT
private slots:
    void listsMoveBetweenLeftAndRight()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        fx.addTable(QStringLiteral("b.pct"), {{QStringLiteral("滑鼠"), QStringLiteral("鼠标")}}, 3);
        fx.addTable(QStringLiteral("c.pct"), {{QStringLiteral("資訊"), QStringLiteral("信息")}}, 0);
        const QString a = fx.pathOf(QStringLiteral("a.pct"));
        const QString b = fx.pathOf(QStringLiteral("b.pct"));
        const QString c = fx.pathOf(QStringLiteral("c.pct"));
        ModalScript script;
        const bool ok = RunMergeDialog([&](DlgMergePCT& dlg) {
            // Every loaded table is offered, whatever its status.
            QCOMPARE(Entries(*dlg.lstCurrentPCT), (QStringList{a, b, c}));
            QVERIFY(!dlg.cmdOK->isEnabled());
            Choose(dlg, a);
            QVERIFY(dlg.cmdOK->isEnabled());
            Choose(dlg, c);
            QCOMPARE(Entries(*dlg.lstMerge), (QStringList{a, c}));
            dlg.lstMerge->setCurrentRow(0);
            dlg.cmdRemove->click();
            // Back at the end of the left list, not at its old place.
            QCOMPARE(Entries(*dlg.lstCurrentPCT), (QStringList{b, a}));
            QVERIFY(dlg.cmdOK->isEnabled());
            dlg.lstMerge->setCurrentRow(0);
            dlg.cmdRemove->click();
            QVERIFY(!dlg.cmdOK->isEnabled());
            dlg.cmdCancel->click();
        }, script);
        QVERIFY(!ok);
        QCOMPARE(DlgMergePCT::strPCT, QString());
    }

    void movingWithoutASelectionIsExplained_data()
    {
        QTest::addColumn<bool>("fromLeft");
        QTest::addColumn<QString>("message");
        QTest::newRow(">>") << true << "请先从现有的词汇表列示中选择。";
        QTest::newRow("<<") << false << "请先从新组合列示中选择。";
    }
    void movingWithoutASelectionIsExplained()
    {
        QFETCH(bool, fromLeft);
        QFETCH(QString, message);
        VocabFixture fx;
        fx.addTable(QStringLiteral("a.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        ModalScript script;
        script.answerDialog([&](QDialog& d) {
            auto& dlg = static_cast<DlgMergePCT&>(d);
            (fromLeft ? dlg.cmdGet : dlg.cmdRemove)->click();
            QVERIFY(dlg.lstMerge->count() == 0);
            dlg.cmdCancel->click();
        });
        script.answer(vbOK);
        dlgMergePCT().ShowDlg();
        QCOMPARE(script.messages(), QStringList{message});
        QCOMPARE(script.asked().last().icon, vbInformation);
        QCOMPARE(script.asked().last().title, QStringLiteral("合并词汇表"));
    }

    void mergeCreatesTheTableInTheProgramFolderInListOrder()
    {
        VocabFixture fx;
        const int32_t a = fx.addTable(QStringLiteral("A.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")},
                                                                 {QStringLiteral("滑鼠"), QStringLiteral("鼠标"), 0}});
        fx.addTable(QStringLiteral("B.pct"), {{QStringLiteral("𠮷野家"), QStringLiteral("𠮷野家")}});
        fx.addTable(QStringLiteral("C.pct"), {{QStringLiteral("不要"), QStringLiteral("不要")}});
        // An edit not yet saved to A's file is part of what is merged.
        _TezPCTModifyItem(a, 0, ToSystemCodePage(QStringLiteral("軟體包")).constData(), ToSystemCodePage(QStringLiteral("软件包")).constData());
        const QByteArray fileA = ReadFileBytes(fx.pathOf(QStringLiteral("A.pct")));

        ModalScript script;
        const bool ok = RunMergeDialog([&](DlgMergePCT& dlg) {
            dlg.txtPCTName->setText(QStringLiteral("merged"));
            Choose(dlg, fx.pathOf(QStringLiteral("A.pct")));
            Choose(dlg, fx.pathOf(QStringLiteral("B.pct")));
            dlg.cmdOK->click();
        }, script);
        QVERIFY(ok);
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(DlgMergePCT::strPCT, QStringLiteral("merged.pct"));
        const QString merged = fx.pathOf(QStringLiteral("merged.pct"));
        QVERIFY(QFileInfo::exists(merged));
        QCOMPARE(TableFileItems(merged), (QStringList{QStringLiteral("軟體包|软件包|1"), QStringLiteral("滑鼠|鼠标|0"),
                                                      QStringLiteral("𠮷野家|𠮷野家|1")}));
        // The sources and the loaded table list are left as they were.
        QCOMPARE(ReadFileBytes(fx.pathOf(QStringLiteral("A.pct"))), fileA);
        QCOMPARE(glPCTCount, 3);
    }

    void nameChecksKeepTheDialogOpen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << "请输入新的词汇表名称。";
        QTest::newRow("existing, bare") << "merged" << "词汇表名称已使用。请输入新的名称。";
        QTest::newRow("existing, with extension") << "merged.pct" << "词汇表名称已使用。请输入新的名称。";
    }
    void nameChecksKeepTheDialogOpen()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        VocabFixture fx;
        fx.addTable(QStringLiteral("A.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        const QString existing = fx.pathOf(QStringLiteral("merged.pct"));
        WriteFileBytes(existing, "keep");

        ModalScript script;
        script.answerDialog(MergeOfARefused(fx, typed));
        script.answer(vbOK);
        QVERIFY(!dlgMergePCT().ShowDlg());
        QCOMPARE(script.messages(), QStringList{message});
        QCOMPARE(script.asked().last().icon, vbInformation);
        QCOMPARE(script.asked().last().title, QStringLiteral("合并词汇表"));
        QCOMPARE(ReadFileBytes(existing), QByteArray("keep"));
    }

    void theSameNameTwiceIsRefusedTheSecondTime()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("A.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        ModalScript script;
        auto mergeA = [&](DlgMergePCT& dlg) {
            dlg.txtPCTName->setText(QStringLiteral("merged"));
            Choose(dlg, fx.pathOf(QStringLiteral("A.pct")));
            dlg.cmdOK->click();
            if (dlg.result() != QDialog::Accepted)
                dlg.cmdCancel->click();
        };
        QVERIFY(RunMergeDialog(mergeA, script));
        script.answerDialog([&](QDialog& d) { mergeA(static_cast<DlgMergePCT&>(d)); });
        script.answer(vbOK);
        QVERIFY(!dlgMergePCT().ShowDlg());
        QCOMPARE(script.messages(), QStringList{QStringLiteral("词汇表名称已使用。请输入新的名称。")});
    }

    void aTableTheLibraryCannotCreateIsReportedAndLeavesNoFile()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("A.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        // Fill the library's table list up to its limit.
        std::vector<int32_t> filler;
        for (int i = 1; i < TEZ_MAX_USER_TABLES; ++i) {
            int32_t h = 0;
            _TezNewPCT(ghStmt, ToSystemCodePage(fx.pathOf(QStringLiteral("f%1.pct").arg(i))).constData(), &h);
            filler.push_back(h);
        }
        ModalScript script;
        script.answerDialog(MergeOfARefused(fx, QStringLiteral("merged")));
        script.answer(vbOK);
        const bool ok = dlgMergePCT().ShowDlg();
        for (int32_t h : filler)
            _TezUnloadPCT(ghStmt, h);
        QVERIFY(!ok);
        QCOMPARE(script.messages(), QStringList{QStringLiteral("超过客户自定 PCT 文件数目限制。\nReturn : -11")});
        QCOMPARE(script.asked().last().icon, vbExclamation);
        QVERIFY(!QFileInfo::exists(fx.pathOf(QStringLiteral("merged.pct"))));
    }

    void cancelLeavesNoFile()
    {
        VocabFixture fx;
        fx.addTable(QStringLiteral("A.pct"), {{QStringLiteral("軟體"), QStringLiteral("软件")}});
        ModalScript script;
        const bool ok = RunMergeDialog([&](DlgMergePCT& dlg) {
            dlg.txtPCTName->setText(QStringLiteral("merged"));
            Choose(dlg, fx.pathOf(QStringLiteral("A.pct")));
            dlg.cmdCancel->click();
        }, script);
        QVERIFY(!ok);
        QCOMPARE(DlgMergePCT::strPCT, QString());
        QVERIFY(!QFileInfo::exists(fx.pathOf(QStringLiteral("merged.pct"))));
    }
};

TEZ_REGISTER_TEST(MergePCTTest)
#include "test_merge_pct.moc"
