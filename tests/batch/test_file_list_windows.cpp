// The file-list windows: the add-files dialog's result, the conversion flags from the combos
// and the encoding-pair table.
#include "batch/SelectFiles.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/dlgHtmlSelect.h"
#include "platform/LastFolder.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QDir>
#include <QFile>
#include "batch/frmXlsConv.h"
#include "core/FileRowFlags.h"
#include "batch/frmSpecConv.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "core/Globals.h"
#include "platform/ModalScript.h"
#include "platform/FlexGrid.h"
#include "batch/frmOutputSetting.h"
#include "core/OutputSettingGate.h"
#include "core/frmMain.h"
#include "core/OfficeAccess.h"
#include "platform/MsgBox.h"
#include "platform/App.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QDialog>

#include <QComboBox>
#include <QTest>

class TestFileListWindows : public QObject {
    Q_OBJECT

private slots:
    void selectedFiles_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("paths");
        const QChar nul(u'\0');
        QTest::newRow("cancelled") << QString() << QStringList();
        QTest::newRow("one file") << QStringLiteral("/w/a.txt") << QStringList{QStringLiteral("/w/a.txt")};
        QTest::newRow("several") << (QStringLiteral("/w") + nul + QStringLiteral("a.txt") + nul + QStringLiteral("b.doc"))
                                 << QStringList{QStringLiteral("/w/a.txt"), QStringLiteral("/w/b.doc")};
        QTest::newRow("root folder") << (QStringLiteral("/") + nul + QStringLiteral("a.txt") + nul + QStringLiteral("b.doc"))
                                     << QStringList{QStringLiteral("/a.txt"), QStringLiteral("/b.doc")};
    }
    void selectedFiles()
    {
        QFETCH(QString, result);
        QFETCH(QStringList, paths);
        QCOMPARE(ParseSelectedFiles(result), paths);
    }

    // Order bCode, bPhrase, bB52GB, bL2R.
    void wordFlags_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("phrase");
        QTest::addColumn<QList<bool>>("flags");
        QTest::newRow("0,0") << 0 << 0 << QList<bool>{true, true, false, false};
        QTest::newRow("0,1") << 0 << 1 << QList<bool>{true, false, false, false};
        QTest::newRow("1,0") << 1 << 0 << QList<bool>{true, true, true, true};
        QTest::newRow("2,0") << 2 << 0 << QList<bool>{false, true, false, true};
        QTest::newRow("2,1") << 2 << 1 << QList<bool>{false, true, false, false};
        QTest::newRow("3,1") << 3 << 1 << QList<bool>{false, true, true, false};
    }
    void wordFlags()
    {
        QFETCH(int, code);
        QFETCH(int, phrase);
        QFETCH(QList<bool>, flags);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        gbOutputSettingOK = true;
        FrmDocConv& w = frmDocConv();
        w.cbCodeConv->setCurrentIndex(code);
        QCOMPARE(w.cbPhraseConv->currentIndex(), 0);
        w.cbPhraseConv->setCurrentIndex(phrase);
        bool ok = false;
        w.GetConvSetting(ok);
        QVERIFY(ok);
        QCOMPARE((QList<bool>{w.bCode, w.bPhrase, w.bB52GB, w.bL2R}), flags);
        fx.stop();
    }

    // (input, output, vocabulary item) gives (FileConvType, PhraseMode).
    void encodingPairs_data()
    {
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::addColumn<int>("phrase");
        QTest::addColumn<int>("nIOD");
        QTest::addColumn<int>("nIOP");
        QTest::newRow("fresh") << 0 << 0 << 0 << 0 << 1;
        QTest::newRow("big5 big5 first") << 0 << 2 << 0 << 1 << 2;
        QTest::newRow("big5 big5 second") << 0 << 2 << 1 << 1 << 3;
        QTest::newRow("big5 trad unicode") << 0 << 3 << 0 << 10 << 0;
        QTest::newRow("big5 trad unicode second") << 0 << 3 << 1 << 10 << 1;
        QTest::newRow("gb simp unicode") << 2 << 1 << 0 << 11 << 1;
        QTest::newRow("gb simp unicode second") << 2 << 1 << 1 << 11 << 0;
        QTest::newRow("simp unicode big5 code only") << 3 << 2 << 1 << 15 << 0;
    }
    void encodingPairs()
    {
        QFETCH(int, in);
        QFETCH(int, out);
        QFETCH(int, phrase);
        QFETCH(int, nIOD);
        QFETCH(int, nIOP);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        gbOutputSettingOK = true;
        FrmSpecConv& w = frmSpecConv();
        w.cbInput->setCurrentIndex(in);
        w.cbOutput->setCurrentIndex(out);
        QCOMPARE(w.cbPhraseConv->currentIndex(), 0);
        w.cbPhraseConv->setCurrentIndex(phrase);
        bool ok = false;
        w.GetConvSetting(ok);
        QVERIFY(ok);
        QCOMPARE(int(w.nIOD), nIOD);
        QCOMPARE(int(w.nIOP), nIOP);
        QVERIFY(w.bCode);
        QCOMPARE(w.bB52GB, in < 2);
        QCOMPARE(w.bPhrase, nIOP != 0);
        QCOMPARE(w.bL2R, nIOP != 2);
        fx.stop();
    }

    // The add-file dialog opens in the folder of the files chosen last.
    void addFilesOpensInTheFolderUsedLast()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        gbOutputSettingOK = true;
        frmOutputSetting().opSelectDir = false;
        QDir().mkpath(fx.path(QStringLiteral("docs")));
        FrmDocConv& w = frmDocConv();
        script.answerFiles({fx.path(QStringLiteral("docs/a.txt"))});
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        script.cancelFile();
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().size(), 2);
        QCOMPARE(script.asked().last().initDir, fx.path(QStringLiteral("docs")));
        QCOMPARE(script.unexpected(), 0);
    }

    // The file dialog comes first; Cancel in the output settings adds nothing and the next add
    // asks them again; after OK no later add asks.
    void addFilesAsksOutputSettingsOnce()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        RegisterOutputSettingDialog([] { return frmOutputSetting().ShowDlg(); });
        gbOutputSettingOK = false;
        FrmDocConv& w = frmDocConv();
        const QStringList chosen{QStringLiteral("/w/a.txt"), QStringLiteral("/w/b.doc")};
        // No folder used yet (the one remembered is gone): the dialog opens in the home folder.
        RememberUsedFolder(fx.path(QStringLiteral("gone")));

        script.cancelFile();
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().at(0).kind, modal::Kind::OpenFile);
        QCOMPARE(script.asked().at(0).filterIndex, 2);
        QCOMPARE(script.asked().at(0).flags, 0x281204);
        QCOMPARE(script.asked().at(0).initDir, QDir::homePath());

        script.answerFiles(chosen).answerDialog([](QDialog&) { frmOutputSetting().cmdCancel_Click(); });
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w.lstDoc->Rows(), 1);
        QVERIFY(!gbOutputSettingOK);

        frmOutputSetting().opSelectDir = false;
        script.answerFiles(chosen).answerDialog([](QDialog&) {
            frmOutputSetting().opAutoName_Click();
            frmOutputSetting().cmdOK_Click();
        });
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QVERIFY(gbOutputSettingOK);
        QCOMPARE(w.lstDoc->Rows(), 3);
        QCOMPARE(w.lstDoc->TextMatrix(1, 2), QStringLiteral("/w/a.txt"));
        QCOMPARE(w.lstDoc->TextMatrix(2, 2), QStringLiteral("/w/b.doc"));

        script.answerFiles({QStringLiteral("/w/c.txt")});
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w.lstDoc->Rows(), 4);
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.pending(), 0);

        // Row commands follow the rows; the list views swap the two buttons.
        QVERIFY(w.ToolbarButton(QStringLiteral("RUN"))->isEnabled());
        w.MenuProc(QStringLiteral("IDM_VIEW_LISTNEW"));
        QVERIFY(w.ToolbarButton(QStringLiteral("LISTALL"))->isVisible());
        QVERIFY(!w.ToolbarButton(QStringLiteral("LISTNEW"))->isVisible());
        w.MenuProc(QStringLiteral("IDM_VIEW_LISTALL"));
        QVERIFY(!w.ToolbarButton(QStringLiteral("LISTALL"))->isVisible());
        QVERIFY(w.ToolbarButton(QStringLiteral("LISTNEW"))->isVisible());
        w.MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
        QCOMPARE(w.lstDoc->Rows(), 1);
        for (const char* key : {"DELETE", "FILEDIR", "VIEWIN", "VIEWOUT", "LISTALL", "LISTNEW", "TYPECONV", "RUN"})
            QVERIFY2(!w.ToolbarButton(QString::fromLatin1(key))->isEnabled(), key);
        QVERIFY(w.ToolbarButton(QStringLiteral("OPEN"))->isEnabled());
        QVERIFY(w.ToolbarButton(QStringLiteral("OUTDIR"))->isEnabled());
        fx.stop();
    }

    // A running Word at load is reported, and the window works afterwards.
    void runningWordReportedAtLoad()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        const OfficeServices saved = Office();
        Office().DetectWord = [] { return true; };
        fx.start();
        frmDocConv();
        Office() = saved;
        const QString text = QStringLiteral("Word程序正在运行，请先关闭再进行转档。");
        QVERIFY(script.messages().contains(text));
        for (const modal::Request& r : script.asked()) {
            if (r.text == text) {
                QCOMPARE(r.icon, vbCritical);
                QCOMPARE(r.title, AppTitle());
            }
        }
        QVERIFY(frmDocConv().ToolbarButton(QStringLiteral("OPEN"))->isEnabled());
        fx.stop();
    }

    // A run the output-settings gate dropped reports failure to the scheduler.
    void droppedRunReportsFailure()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        RegisterOutputSettingDialog([] { return frmOutputSetting().ShowDlg(); });
        gbOutputSettingOK = false;
        script.answerDialog([](QDialog&) { frmOutputSetting().cmdCancel_Click(); });
        QCOMPARE(frmDocConv().LastRunOutcome(), RunOutcome::NotRun);
        frmDocConv().MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(frmDocConv().LastRunOutcome(), RunOutcome::Failed);
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // The Excel run disables the main window while it works and enables it after, also when
    // Excel cannot be started.
    void excelRunDisablesMainWindow()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        gbOutputSettingOK = true;
        FrmXlsConv& w = frmXlsConv();
        w.lstXls->AddItem(QStringLiteral("\t\t/w/a.xls\t/w/out/a.xls"));
        w.lstXls->setRowData(1, FileRowExcel);
        const OfficeServices saved = Office();
        int started = 0;
        bool enabledWhileRunning = true;
        Office().InitExcelApp = [&] {
            ++started;
            enabledWhileRunning = main.isEnabled();
            return false;
        };
        script.answer(vbOK);
        w.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        Office() = saved;
        QCOMPARE(started, 1);
        QVERIFY(!enabledWhileRunning);
        QVERIFY(main.isEnabled());
        QCOMPARE(w.LastRunOutcome(), RunOutcome::Failed);
        fx.stop();
    }

    // The HTML window adds a website's tree; Cancel in the website dialog asks nothing more.
    void htmlWebsiteAdd()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        RegisterOutputSettingDialog([] { return frmOutputSetting().ShowDlg(); });
        gbOutputSettingOK = false;
        QTemporaryDir site;
        QDir().mkpath(site.filePath(QStringLiteral("sub")));
        for (const char* name : {"index.htm", "page.HTML", "logo.gif", "sub/a.htm"}) {
            QFile f(site.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        FrmHtmlConv& w = frmHtmlConv();
        script.answerDialog([](QDialog&) { dlgHtmlSelect().cmdCancel_Click(); });
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(w.lstHtml->Rows(), 1);

        frmOutputSetting().opSelectDir = false;
        script.answerDialog([&](QDialog&) {
                  dlgHtmlSelect().txtDir->setText(site.path());
                  dlgHtmlSelect().chkAddTag->setChecked(false);
                  dlgHtmlSelect().cmdOK_Click();
              })
            .answerDialog([](QDialog&) {
                frmOutputSetting().opAutoName_Click();
                frmOutputSetting().cmdOK_Click();
            });
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w.lstHtml->Rows(), 5);
        int pages = 0;
        for (int row = 1; row < w.lstHtml->Rows(); ++row) {
            pages += (w.lstHtml->RowData(row) & FileRowText) ? 1 : 0;
            QCOMPARE(w.lstHtml->RowData(row) & FileRowAddTag, 0);
        }
        QCOMPARE(pages, 3);
        QCOMPARE(script.unexpected(), 0);
        // The folder chosen is offered again, also to the file dialogs.
        UnloadForm<DlgHtmlSelect>();
        QCOMPARE(dlgHtmlSelect().txtDir->text(), site.path());
        script.cancelFile();
        frmDocConv().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().last().initDir, site.path());
        fx.stop();
    }
};

TEZ_REGISTER_TEST(TestFileListWindows)
#include "test_file_list_windows.moc"
