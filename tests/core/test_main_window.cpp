// The main window: its menus and toolbar, command routing, window switching, the project
// commands, the timer, About and help.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "batch/frmDocConv.h"
#include "batch/frmXlsConv.h"
#include "core/EndProcess.h"
#include "core/Globals.h"
#include "core/Help.h"
#include "core/SchedulerTick.h"
#include "core/WorkWindow.h"
#include "core/dlgAbout.h"
#include "core/frmMain.h"
#include "database/frmDBConv.h"
#include "instant/dlgSearchText.h"
#include "instant/frmOnlineConv.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QUrl>

#include <optional>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {
int DataRows(FlexGrid* grid) { return grid->Rows() - 1; }

// Receives the files the desktop is asked to open (stands for a registered browser).
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList files;
public slots:
    void open(const QUrl& url) { files << url.toLocalFile(); }
};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("checked");
        QTest::newRow("open") << "IDM_FILE_OPEN" << "添加文件(&O)..." << "Ctrl+O" << true << false;
        QTest::newRow("new project") << "IDM_FILE_NEWPRJ" << "新建专案(&F)..." << "Ctrl+F" << true << false;
        QTest::newRow("save project") << "IDM_FILE_SAVEPRJ" << "保存专案(&Z)" << "Ctrl+Z" << true << false;
        QTest::newRow("run") << "IDM_FILE_RUN" << "运行(&R)" << "Ctrl+R" << true << false;
        QTest::newRow("delete") << "IDM_EDIT_DELETE" << "删除" << "Del" << true << false;
        QTest::newRow("copy unicode") << "IDM_EDIT_COPYUNICODE" << "复制 UNICODE (&U)" << "" << true << false;
        QTest::newRow("font map") << "IDM_OPTION_FONTMAP" << "字型对映(&F)..." << "" << false << false;
        QTest::newRow("word window") << "IDM_WINDOW_DOCCONVERT" << "Word转换(&D)" << "" << true << true;
        QTest::newRow("powerpoint window") << "IDM_WINDOW_PPTCONVERT" << "PowerPointl转换" << "" << true << false;
        QTest::newRow("about") << "IDM_HELP_ABOUT" << "关于Velmora(&A)..." << "" << true << false;
        QTest::newRow("table context") << "IDM_PCT_RIGHTMOUSE_DEACTIVE" << "不使用" << "" << true << false;
    }
    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, visible);
        QFETCH(bool, checked);
        FrmMain main; // the window as designed, before any work window sets its menus
        QAction* item = main.Menu(name);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), QKeySequence(shortcut));
        QCOMPARE(item->isVisible(), visible);
        QCOMPARE(item->isChecked(), checked);
    }

    void menuLayout()
    {
        FrmMain main;
        const QStringList file = {"IDM_FILE_OPEN", "IDM_FILE_NEWPCT", "IDM_FILE_SAVEAS", "IDM_FILE_SAVEPCT",
                                  "IDM_FILE_SEPERATOR_2", "IDM_FILE_ITEMINSERT", "IDM_FILE_SEPERATOR",
                                  "IDM_FILE_NEWPRJ", "IDM_FILE_OPENPRJ", "IDM_FILE_SAVEPRJ", "IDM_FILE_SAVEASPRJ",
                                  "IDM_FILE_SEPERATOR_3", "IDM_FILE_RUN", "IDM_FILE_L2R", "IDM_FILE_R2L",
                                  "IDM_FEIL_SEPERATOR2", "IDM_FILE_EXIT"};
        QStringList actual;
        for (QAction* a : main.Menu("IDM_FILE")->menu()->actions())
            actual << a->objectName();
        QCOMPARE(actual, file);
        QVERIFY(main.Menu("IDM_FILE_SEPERATOR")->isSeparator());
        QVERIFY(main.PopupMenu("IDM_ITEM_RIGHTMOUSE"));
        QVERIFY(!main.HasMenu("idm_file_open"));
    }

    void functionToolbar()
    {
        FrmMain main;
        const QStringList keys = {"DocConv", "XlsConv", "PptConv", "HtmlConv", "PathConv",
                                  "DBConv", "SpecConv", "OnlineConv", "PhraseMgr", "Schedule"};
        const QStringList captions = {"Word转换", "Excel转换", "Power．转换", "HTML转换", "路径转换",
                                      "数据库转换", "文件转换", "立即转换", "词汇管理", "排程设置"};
        const QList<QAction*> buttons = main.FuncToolbar->actions();
        QCOMPARE(buttons.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(buttons[i]->objectName(), keys[i]);
            QCOMPARE(buttons[i]->text(), captions[i]);
            QVERIFY(buttons[i]->isCheckable());
        }
        QCOMPARE(main.FuncToolbarButton("SpecConv")->toolTip(),
                 QStringLiteral(".txt文件:Big5,GB,繁体Unicode,简体Unicode之互相转换"));
        main.FuncToolbarButton("HtmlConv")->setChecked(true);
        main.FuncToolbarButton("DBConv")->setChecked(true);
        QVERIFY(!main.FuncToolbarButton("HtmlConv")->isChecked()); // one pressed at a time
    }

    void menuAndToolbarSwitchWindows()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        main.Menu("IDM_WINDOW_XLSCONVERT")->trigger();
        QCOMPARE(main.ActiveForm->formName(), QStringLiteral("frmXlsConv"));
        QVERIFY(main.FuncToolbarButton("XlsConv")->isChecked());
        QVERIFY(!frmDocConv().isVisible());
        QVERIFY(frmXlsConv().isVisible());
        QCOMPARE(main.StatusPanel1->text(), QStringLiteral("Excel转换"));
        main.FuncToolbarButton("Schedule")->trigger();
        QCOMPARE(main.ActiveForm->formName(), QStringLiteral("frmSchedule"));
        QVERIFY(main.Menu("IDM_WINDOW_SCHEDULE")->isChecked());
        QVERIFY(!main.Menu("IDM_WINDOW_XLSCONVERT")->isChecked());
        // The current window fills the client area.
        main.resize(1000, 700);
        QCOMPARE(main.ActiveForm->geometry(), main.frmClient->rect());
        QCOMPARE(script.asked().size(), 0);
    }

    void listToolbarDeletesSelectedRows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Word window") << "IDM_WINDOW_DOCCONVERT";
        QTest::newRow("database window") << "IDM_WINDOW_DBCONVERT";
    }
    void listToolbarDeletesSelectedRows()
    {
        QFETCH(QString, command);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        main.MenuProc(command);
        const bool database = command == QLatin1String("IDM_WINDOW_DBCONVERT");
        FlexGrid* grid = database ? frmDBConv().lstTables : frmDocConv().lstDoc;
        grid->AddItem("\t\t/a\t/b");
        grid->AddItem("\t\t/c\t/d");
        grid->setFixedRows(1);
        grid->setRow(1);
        grid->setRowSel(1);
        main.ActiveForm->ShowMenu(); // the row commands follow the rows
        QAction* deleteButton = database ? frmDBConv().ToolbarButton("DELETE") : frmDocConv().ToolbarButton("DELETE");
        QVERIFY(deleteButton->isEnabled());
        deleteButton->trigger();
        QCOMPARE(DataRows(grid), 1);
        QCOMPARE(grid->TextMatrix(1, 2), QStringLiteral("/c"));
        QCOMPARE(script.asked().size(), 0);
    }

    void switchingToTheCurrentWindowLeavesAndShowsAgain()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        frmPhraseMgr(); // the manager was opened once: every switch writes the table list back
        frmOnlineConv();
        LoadForm<dlgSearchText>(); // the instant window's find dialog is open
        QFile::remove(fx.path("PCTS.LST"));
        main.StatusPanel1->setText(QStringLiteral("x"));
        main.MenuProc(QStringLiteral("IDM_WINDOW_DOCCONVERT"));
        QCOMPARE(main.ActiveForm->formName(), QStringLiteral("frmDocConv"));
        QCOMPARE(main.StatusPanel1->text(), QStringLiteral("Word转换")); // ShowMenu ran
        QVERIFY(QFileInfo::exists(fx.path("PCTS.LST")));                // ExitPhraseMgr ran
        QVERIFY(!IsFormLoaded<dlgSearchText>());                         // ExitOnlineConv ran
        QVERIFY(frmDocConv().isVisible());
    }

    void commandsNobodyKnowsDoNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("wrong case copy") << "idm_edit_copy";
        QTest::newRow("wrong case exit") << "idm_file_exit";
        QTest::newRow("wrong case window") << "idm_window_xlsconvert";
        QTest::newRow("undo in the Word window") << "IDM_EDIT_UNDO";
        QTest::newRow("empty") << "";
    }
    void commandsNobodyKnowsDoNothing()
    {
        QFETCH(QString, command);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        frmDocConv().lstDoc->AddItem(QStringLiteral("\t\t/in.txt\t/out.txt"));
        main.MenuProc(command);
        QVERIFY(IsFormLoaded<FrmMain>());
        QVERIFY(!ProcessEnded());
        QCOMPARE(main.ActiveForm->formName(), QStringLiteral("frmDocConv"));
        QCOMPARE(DataRows(frmDocConv().lstDoc), 1);
        QCOMPARE(script.asked().size(), 0);
    }

    void newProject_data()
    {
        QTest::addColumn<QString>("chosen");       // "" cancels the dialog
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("overwriteAnswer");
        QTest::addColumn<QString>("expectedPath"); // "" keeps the old one
        QTest::newRow("cancelled") << "" << false << 0 << "";
        QTest::newRow("existing, refused") << "old.wsp" << true << vbNo << "";
        QTest::newRow("existing, accepted") << "old.wsp" << true << vbYes << "old.wsp";
        QTest::newRow("new name without extension") << "fresh" << false << 0 << "fresh.wsp";
    }
    void newProject()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, exists);
        QFETCH(int, overwriteAnswer);
        QFETCH(QString, expectedPath);
        ProgramFolderFixture fx;
        if (exists)
            fx.writeFile(chosen, "keep");
        ModalScript script;
        FrmMain& main = fx.start();
        frmDocConv().lstDoc->AddItem(QStringLiteral("\t\t/in.txt\t/out.txt"));
        const QString before = gvPrjFile;
        script.answer(vbNo); // do not save the current project
        script.answerFile(chosen.isEmpty() ? QString() : fx.path(chosen));
        if (exists)
            script.answer(overwriteAnswer);
        main.MenuProc(QStringLiteral("IDM_FILE_NEWPRJ"));
        QCOMPARE(script.pending(), 0);
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked()[1].title, QStringLiteral("请输入新的专案档名称。"));
        QCOMPARE(script.asked()[1].kind, modal::Kind::SaveFile);
        if (exists)
            QCOMPARE(script.asked()[2].text, QStringLiteral("已存在，您确定吗？ - ") + fx.path(chosen));
        if (expectedPath.isEmpty()) {
            QCOMPARE(gvPrjFile, before);
            QCOMPARE(DataRows(frmDocConv().lstDoc), 1);
        } else {
            QCOMPARE(gvPrjFile, fx.path(expectedPath));
            QCOMPARE(main.Caption(), QStringLiteral("Velmora - ") + fx.path(expectedPath));
            QCOMPARE(DataRows(frmDocConv().lstDoc), 0);
            QCOMPARE(DataRows(frmXlsConv().lstXls), 0);
        }
        if (exists)
            QCOMPARE(fx.readFile(chosen), QByteArray("keep")); // nothing is written here
    }

    void saveAsWritesTheChosenFile()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        script.answerFile(fx.path("mine.wpp"));
        main.MenuProc(QStringLiteral("IDM_FILE_SAVEASPRJ"));
        QCOMPARE(script.asked().size(), 1); // no question about the old project
        QCOMPARE(gvPrjFile, fx.path("mine.wpp"));
        QVERIFY(fx.readFile("mine.wpp").startsWith("\"Header\","));
        QVERIFY(!QFileInfo::exists(fx.path("default.wsp")));
        main.MenuProc(QStringLiteral("IDM_FILE_SAVEPRJ"));
        QCOMPARE(script.asked().size(), 1);
    }

    void openProjectReadsItAndShowsTheMenusAgain()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        frmDocConv().cbCodeConv->setCurrentIndex(3);
        script.answerFile(fx.path("a.wsp"));
        main.MenuProc(QStringLiteral("IDM_FILE_SAVEASPRJ"));
        frmDocConv().cbCodeConv->setCurrentIndex(0);
        main.StatusPanel1->setText(QStringLiteral("x"));
        script.answer(vbNo).answerFile(fx.path("a.wsp"));
        main.MenuProc(QStringLiteral("IDM_FILE_OPENPRJ"));
        QCOMPARE(script.asked().last().title, QStringLiteral("请选择转换专案档名称。"));
        QCOMPARE(frmDocConv().cbCodeConv->currentIndex(), 3);
        QCOMPARE(main.StatusPanel1->text(), QStringLiteral("Word转换"));
        QCOMPARE(main.Caption(), QStringLiteral("Velmora - ") + fx.path("a.wsp"));
    }

    void timerTickGivesEverythingBack()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        QVERIFY(main.Timer1->isActive());
        QList<bool> enabledDuringCheck;
        ScheduleDueCheckHook() = [&](const QString&, const QString&) { enabledDuringCheck << main.isEnabled(); };
        main.Timer1_Timer();
        QCOMPARE(enabledDuringCheck, QList<bool>{false});
        QVERIFY(main.isEnabled());
        QVERIFY(main.Timer1->isActive());
        QCOMPARE(MousePointer(), vbDefault);
    }

    void aboutShowsTheProgramTitle()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        QString title;
        QString caption;
        script.answerDialog([&](QDialog& dialog) {
            caption = dialog.windowTitle();
            title = dialog.findChild<QLabel*>(QStringLiteral("lblTitle"))->text();
            static_cast<DlgAbout&>(dialog).cmdOK->click();
        });
        main.MenuProc(QStringLiteral("IDM_HELP_ABOUT"));
        QCOMPARE(caption, QStringLiteral("关于 Velmora"));
        QCOMPARE(title, QStringLiteral("Velmora"));
        QVERIFY(!IsFormLoaded<DlgAbout>());
    }

    void helpPageLiesInTheProgramFolder()
    {
        ProgramFolderFixture fx;
        QCOMPARE(HelpFilePath(), fx.path("tezhelp.html"));
        QVERIFY(fx.readFile("tezhelp.html").contains("<html"));
    }

    // Help goes to the browser; without one (the offscreen platform opens nothing) a
    // message names the help file.
    void helpWithoutABrowserNamesTheFile_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::addColumn<QString>("message");
        QTest::newRow("browser") << true << QString();
        QTest::newRow("no browser") << false << QStringLiteral("没有可以显示帮助的浏览器。帮助文件在：\n%1\n可以用任何网页浏览器打开它。");
    }
    void helpWithoutABrowserNamesTheFile()
    {
        QFETCH(bool, browser);
        QFETCH(QString, message);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        const QString path = HelpFilePath();
        std::optional<OpenedFiles> opened;
        if (browser)
            opened.emplace();
        script.answer(vbOK);
        main.MenuProc(QStringLiteral("IDM_HELP_HELP"));
        if (message.isEmpty()) {
            QCOMPARE(script.messages(), QStringList());
            QCOMPARE(opened->files, QStringList{path});
            return;
        }
        QCOMPARE(script.messages(), QStringList{message.arg(path)});
        QCOMPARE(script.asked().first().title, main.Caption());
    }
};

TEZ_REGISTER_TEST(MainWindowTest)
#include "test_main_window.moc"
