// Start-up and shut-down of the whole program in a temporary program folder.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "batch/frmDocConv.h"
#include "batch/frmOutputSetting.h"
#include "core/EndProcess.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "app/StartUp.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "instant/frmOnlineConv.h"
#include "platform/CodePage.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "core/LoadedTableList.h"
#include "core/TableListFile.h"
#include "vocabulary/frmPhraseMgr.h"
#include "platform/FlexGrid.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// Writes the installed list with more tables than the library takes; returns its bytes.
QByteArray WriteListOverTableLimit(ProgramFolderFixture& fx)
{
    QByteArray list = fx.readFile("PCTS.LST");
    const QByteArray entry = list.mid(list.indexOf('\n') + 1);
    for (int i = 0; i < 70; ++i)
        list += entry;
    fx.writeFile("PCTS.LST", list);
    return list;
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void secondCopyShowsMessageAndEnds()
    {
        ProgramFolderFixture fx;
        SingleInstance first(fx.folder());
        QVERIFY(first.acquire());
        ModalScript script;
        script.answer(vbOK);
        FrmMain& main = fx.start();
        QVERIFY(ProcessEnded());
        QCOMPARE(script.messages(), QStringList{QStringLiteral("Velmora已运行")});
        QCOMPARE(script.asked().first().title, QStringLiteral("Velmora"));
        QCOMPARE(script.asked().first().icon, vbCritical);
        QVERIFY(!main.isVisible());
        QVERIFY(gvPrjFile.isEmpty());
        QVERIFY(!IsFormLoaded<FrmDocConv>());
        // The first copy keeps its lock, and nothing of the second was written.
        QVERIFY(first.acquire());
        QVERIFY(!QFileInfo::exists(fx.path("tezdesk.ERR")));
    }

    void refusedConversionTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("pathShown");
        QTest::newRow("big5-gb") << 0 << "big5-gb.cct" << -5 << true << true;
        QTest::newRow("gb-big5") << 1 << "gb-big5.cct" << -7 << true << true;
        QTest::newRow("TD-TU") << 2 << "TD-TU.CCT" << -5 << false << false;
        QTest::newRow("TU-TD") << 8 << "TU-TD.CCT" << -3 << false << false;
        QTest::newRow("SU-SD") << 9 << "SU-SD.CCT" << -5 << true << false;
    }
    void refusedConversionTable()
    {
        QFETCH(int, index);
        QFETCH(QString, fileName);
        QFETCH(int, code);
        QFETCH(bool, ends);
        QFETCH(bool, pathShown);
        ProgramFolderFixture fx;
        QList<int> attempted;
        StartUpLibrary().LoadCCT = [&](int32_t env, int32_t i, const char* path, int32_t a, int32_t b) {
            attempted << i;
            return i == index ? code : _TezLoadCCT(env, i, path, a, b);
        };
        ModalScript answers;
        if (ends)
            answers.answer(vbOK);
        fx.start();
        QCOMPARE(ProcessEnded(), ends);
        if (ends) {
            const QString text = (pathShown ? fx.path(fileName) + QStringLiteral(" ") : QString())
                + QStringLiteral("不是合法的文件\nReturn : ") + QString::number(code);
            QCOMPARE(answers.messages(), QStringList{text});
            QCOMPARE(answers.asked().first().icon, vbCritical);
            QCOMPARE(answers.asked().first().title, QStringLiteral("Velmora"));
            QCOMPARE(attempted.last(), index); // no later table is tried
            QVERIFY(!IsFormLoaded<FrmDocConv>());
        } else {
            QCOMPARE(answers.asked().size(), 0);
            QCOMPARE(attempted.size(), 10);
            QVERIFY(IsFormLoaded<FrmDocConv>());
        }
    }

    void tableListOverLimitLeavesEmptyWindow()
    {
        ProgramFolderFixture fx;
        const QByteArray list = WriteListOverTableLimit(fx);
        ModalScript script;
        script.answer(vbOK);
        FrmMain& main = fx.start();
        QVERIFY(!ProcessEnded());
        QCOMPARE(script.messages(), QStringList{QStringLiteral("超过客户自定 PCT 文件数目限制。")});
        QCOMPARE(script.asked().first().icon, vbCritical);
        QVERIFY(main.isVisible());
        QVERIFY(main.ActiveForm == nullptr);
        QVERIFY(gvPrjFile.isEmpty());
        QVERIFY(!IsFormLoaded<FrmDocConv>());
        // A command for the missing work window does nothing.
        main.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().size(), 1);
        // Closing asks nothing, ends, and leaves the list as it was.
        main.close();
        QCOMPARE(script.asked().size(), 1);
        QVERIFY(ProcessEnded());
        QVERIFY(!IsFormLoaded<FrmMain>());
        QCOMPARE(fx.readFile("PCTS.LST"), list);
    }

    // Over the limit, visiting the vocabulary manager writes the list back whole.
    void tableListOverLimitSurvivesTheManager()
    {
        ProgramFolderFixture fx;
        const QByteArray list = WriteListOverTableLimit(fx);
        ModalScript script;
        script.answer(vbOK);
        FrmMain& main = fx.start();
        main.MenuProc(QStringLiteral("IDM_WINDOW_PHRASEMGR"));
        main.MenuProc(QStringLiteral("IDM_WINDOW_DOCCONVERT"));
        QCOMPARE(glPCTCount, 0);
        QCOMPARE(fx.readFile("PCTS.LST"), list);
    }

    // A list naming a missing table, or holding a line that names none: the tables that do
    // load are listed and edited as always, and the list keeps the other line as it was.
    void failedTableListLoadKeepsEveryEntry_data()
    {
        QTest::addColumn<QByteArray>("otherLine");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing table") << QByteArray("1\tGone.pct")
                                       << QStringLiteral("有些 PCT 文件 不是合法的文件或不存在\n%1/Gone.pct  Return : -3");
        QTest::newRow("broken line") << QByteArray("not a table line")
                                     << QStringLiteral("词汇表清单 %1/PCTS.LST 中有 1 行无法读取，这些行已原样保留。");
    }
    void failedTableListLoadKeepsEveryEntry()
    {
        QFETCH(QByteArray, otherLine);
        QFETCH(QString, message);
        ProgramFolderFixture fx;
        QVERIFY(QFile::copy(fx.path("Regional.pct"), fx.path("A.pct")));
        fx.writeFile("PCTS.LST", "TEZLST 1\n1\tA.pct\n" + otherLine + "\n");
        ModalScript script;
        script.answer(vbOK);
        FrmMain& main = fx.start();
        QCOMPARE(script.messages(), QStringList{message.arg(fx.folder())});
        int32_t libraryCount = 0;
        _TezGetPCTNum(ghStmt, &libraryCount);
        QCOMPARE(glPCTCount, 1);
        QCOMPARE(libraryCount, glPCTCount);

        main.MenuProc(QStringLiteral("IDM_WINDOW_PHRASEMGR"));
        QCOMPARE(frmPhraseMgr().lstPCT->Rows(), 2);
        script.answerDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("txtPCTName"))->setText(QStringLiteral("N"));
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        main.MenuProc(QStringLiteral("IDM_FILE_NEWPCT"));
        script.answerDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("txtFrom"))->setText(QStringLiteral("鼠标"));
            dialog.findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(QStringLiteral("滑鼠"));
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        main.MenuProc(QStringLiteral("IDM_EDIT_ADDITEM"));
        main.MenuProc(QStringLiteral("IDM_WINDOW_DOCCONVERT"));
        script.answer(vbYes);
        main.close();
        QVERIFY(ProcessEnded());
        QCOMPARE(script.unexpected(), 0);
        QVERIFY(fx.readFile("N.pct").contains(QStringLiteral("滑鼠\t鼠标").toUtf8()));
        QCOMPARE(fx.readFile("PCTS.LST"), "TEZLST 1\n1\tA.pct\n" + otherLine + "\n1\tN.pct\n");
    }

    // A list the library cannot read at all is not taken for a bad table, and stays as it was.
    void unreadableTableListIsKeptWhole()
    {
        ProgramFolderFixture fx;
        const QByteArray list = "a list of another kind\nwith lines\n";
        fx.writeFile("PCTS.LST", list);
        ModalScript script;
        script.answer(vbOK);
        FrmMain& main = fx.start();
        QCOMPARE(script.messages(),
                 QStringList{QStringLiteral("词汇表清单 %1/PCTS.LST 中有 2 行无法读取，这些行已原样保留。").arg(fx.folder())});
        QCOMPARE(glPCTCount, 0);
        main.MenuProc(QStringLiteral("IDM_WINDOW_PHRASEMGR"));
        main.MenuProc(QStringLiteral("IDM_WINDOW_DOCCONVERT"));
        script.answer(vbNo);
        main.close();
        QCOMPARE(fx.readFile("PCTS.LST"), "TEZLST 1\n" + list);
    }

    void normalStart()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        QVERIFY(!ProcessEnded());
        QCOMPARE(script.asked().size(), 0);
        QCOMPARE(main.Caption(), QStringLiteral("Velmora - ") + fx.path("default.wsp"));
        QCOMPARE(gvPrjFile, fx.path("default.wsp"));
        QVERIFY(main.ActiveForm == &frmDocConv());
        QVERIFY(frmDocConv().isVisible());
        QVERIFY(main.FuncToolbarButton(QStringLiteral("DocConv"))->isChecked());
        QCOMPARE(main.StatusPanel1->text(), QStringLiteral("Word转换"));
        QVERIFY(glPCTCount > 0);
        int32_t libraryCount = 0;
        _TezGetPCTNum(ghStmt, &libraryCount);
        QCOMPARE(glPCTCount, libraryCount);
        QCOMPARE(KeptListLineCount(), 0);
        for (int i = 0; i < glPCTCount; ++i)
            QCOMPARE(glPCTStatus[i], 0);
        QCOMPARE(gsLogFile, fx.path("tezdesk.LOG"));
        QCOMPARE(gsErrFile, fx.path("tezdesk.ERR"));
        QVERIFY(main.Timer1->isActive());
        QVERIFY(main.Timer1->interval() <= 30000);
        QVERIFY(IsFormLoaded<FrmOutputSetting>());
        QVERIFY(!frmOutputSetting().isVisible());
    }

    void oversizedLogsAreTrimmed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("kept");
        QTest::newRow("run log over 200 KB") << "tezdesk.LOG" << 200 * 1024 + 1 << false;
        QTest::newRow("run log at 200 KB") << "tezdesk.LOG" << 200 * 1024 << true;
        QTest::newRow("error log over 100 KB") << "tezdesk.ERR" << 100 * 1024 + 1 << false;
        QTest::newRow("error log at 100 KB") << "tezdesk.ERR" << 100 * 1024 << true;
    }
    void oversizedLogsAreTrimmed()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(bool, kept);
        ProgramFolderFixture fx;
        fx.writeFile(name, QByteArray(size, 'x'));
        ModalScript script;
        fx.start();
        QCOMPARE(QFileInfo::exists(fx.path(name)), kept);
    }

    void defaultProjectIsRead()
    {
        ProgramFolderFixture fx;
        const QString project = QStringLiteral(
            "\"Header\",0,-1,-1,-1,-1,-1\r\n\"OutputSetting\",\"False\",\"/elsewhere\"\r\n"
            "\"DocConvOption\",-1,-1\r\n\"XlsConvOption\",-1,-1\r\n\"PptConvOption\",-1,-1\r\n"
            "\"HtmlConvOption\",-1,-1,\"htm;html\"\r\n\"SpecConvOption\",-1,-1,-1\r\n\"-\",9\r\n0,\"-\",\"-\",99\r\n");
        fx.writeFile("default.wsp", ToSystemCodePage(project));
        ModalScript script;
        fx.start();
        QCOMPARE(script.asked().size(), 0);
        QVERIFY(gbOutputSettingOK);
        QVERIFY(frmOutputSetting().opAutoName->isChecked());
        QCOMPARE(frmOutputSetting().strDir, QStringLiteral("/elsewhere"));
    }

    void shutDownQuestions_data()
    {
        QTest::addColumn<bool>("changedText");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("projectWritten");
        QTest::newRow("no changes, save") << false << QList<int>{vbYes} << true << true;
        QTest::newRow("no changes, do not save") << false << QList<int>{vbNo} << true << false;
        QTest::newRow("changed text, cancel") << true << QList<int>{vbCancel} << false << false;
        QTest::newRow("changed text, no, then save") << true << QList<int>{vbNo, vbYes} << true << true;
    }
    void shutDownQuestions()
    {
        QFETCH(bool, changedText);
        QFETCH(QList<int>, answers);
        QFETCH(bool, ends);
        QFETCH(bool, projectWritten);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        if (changedText)
            frmOnlineConv().bFileChanged = true;
        for (int a : answers)
            script.answer(a);
        main.close();
        QCOMPARE(ProcessEnded(), ends);
        QCOMPARE(IsFormLoaded<FrmMain>(), !ends);
        QCOMPARE(QFileInfo::exists(fx.path("default.wsp")), projectWritten);
        QCOMPARE(script.asked().size(), answers.size());
        QCOMPARE(script.unexpected(), 0);
        const modal::Request& last = script.asked().last();
        if (ends) {
            QCOMPARE(last.text, QStringLiteral("是否要将当前转换内容存入专案档 - ") + fx.path("default.wsp") + "?");
            QCOMPARE(last.buttons, vbYesNo);
            QCOMPARE(last.icon, vbQuestion);
            QCOMPARE(last.title, QStringLiteral("Velmora"));
        }
        if (changedText) {
            const modal::Request& first = script.asked().first();
            QCOMPARE(first.text, QStringLiteral("立即转换内容已被更改，您要保存吗？"));
            QCOMPARE(first.title, QStringLiteral("立即转换"));
            QCOMPARE(first.buttons, vbYesNoCancel);
            if (!ends)
                QVERIFY(frmOnlineConv().bFileChanged);
        }
    }
};

TEZ_REGISTER_TEST(StartUpTest)
#include "test_startup.moc"
