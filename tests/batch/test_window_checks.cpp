// The six file-list windows as a user meets them: the vocabulary items that follow the
// conversion type, the output settings asked once, the row commands of an empty list, the
// list-view buttons across a window switch, the encoding-pair table, the folder window's add,
// drop and schedule command, the running-Office messages, commands and drops during a run, and
// a project's lists run unattended.
#include "ListWindows.h"

#include "batch/dlgHtmlSelect.h"
#include "batch/frmOutputSetting.h"
#include "common/FileBytes.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "core/BatchRunning.h"
#include "core/FileRowFlags.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/OfficeAccess.h"
#include "core/ProjectFile.h"
#include "core/UnattendedRun.h"
#include "core/frmMain.h"
#include "platform/App.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/LastFolder.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "schedule/frmSchedule.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const char kWordFilter[] = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|Doc Files (*.doc;*.docx;*.docm;*.dotx)|*.doc;*.docx;*.docm;*.dotx|Other Files "
                           "(*.rtf;*.pab;*.olk;*.scd;*.xls;*.xlw;*.wk1;*.wk3;*.wk4;*.sam;*mcw;*.wri;*.cwi)|*.rtf;*.pab;"
                           "*.olk;*.scd;*.xls;*.xlw;*.wk1;*.wk3;*.wk4;*.sam;*mcw;*.wri;*.cwi";

QStringList ComboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// How often the output-settings dialog was asked.
int OutputSettingsAsked(const ModalScript& script)
{
    int n = 0;
    for (const modal::Request& r : script.asked())
        n += (r.kind == modal::Kind::Dialog && r.dialogName == QLatin1String("frmOutputSetting")) ? 1 : 0;
    return n;
}

void ConfirmOwnFolderOutput(QDialog&)
{
    frmOutputSetting().opAutoName_Click();
    frmOutputSetting().cmdOK_Click();
}

// Drives the website dialog to OK with this folder.
std::function<void(QDialog&)> ChooseFolder(const QString& folder, bool addTag = true)
{
    return [folder, addTag](QDialog&) {
        dlgHtmlSelect().txtDir->setText(folder);
        dlgHtmlSelect().chkAddTag->setChecked(addTag);
        dlgHtmlSelect().cmdOK_Click();
    };
}

void AddListRow(FlexGrid* grid, const QString& input, const QString& output, int32_t word)
{
    grid->AddItem(QStringLiteral("\t\t%1\t%2").arg(input, output));
    grid->setRowData(grid->Rows() - 1, word);
    grid->setFixedRows(1);
}

const char* const kRowMenuItems[] = {"IDM_EDIT_DIRSETTING", "IDM_EDIT_DELETE", "IDM_EDIT_SELECTALL",
                                     "IDM_EDIT_DELETEALL", "IDM_EDIT_TYPE", "IDM_EDIT_CLEARTYPE",
                                     "IDM_FILE_RUN", "IDM_VIEW_INFILE", "IDM_VIEW_OUTFILE"};
const char* const kRowButtons[] = {"DELETE", "FILEDIR", "VIEWIN", "VIEWOUT", "LISTALL", "LISTNEW", "TYPECONV", "RUN"};

// The row-dependent menu items and buttons follow the rows; OPEN, OUTDIR (and SCHEDULE) never.
void CompareRowCommands(FileListWindow& w, bool rows)
{
    // A hidden item reports itself disabled whatever it was set to; it is checked once shown.
    FrmMain& main = frmMain();
    for (const char* item : kRowMenuItems)
        if (main.Menu(QString::fromLatin1(item))->isVisible() || !rows)
            QVERIFY2(main.Menu(QString::fromLatin1(item))->isEnabled() == rows, qPrintable(QStringLiteral("%1 rows %2").arg(QString::fromLatin1(item)).arg(rows)));
    for (const char* key : kRowButtons) {
        QAction* button = w.ToolbarButton(QString::fromLatin1(key));
        if (!button) {
            QVERIFY2(w.formName() == QLatin1String("frmPathConv") && qstrcmp(key, "TYPECONV") == 0, key);
            continue;
        }
        if (button->isVisible() || !rows)
            QVERIFY2(button->isEnabled() == rows, qPrintable(QStringLiteral("%1 rows %2").arg(QString::fromLatin1(key)).arg(rows)));
    }
    QVERIFY(w.ToolbarButton(QStringLiteral("OPEN"))->isEnabled());
    QVERIFY(w.ToolbarButton(QStringLiteral("OUTDIR"))->isEnabled());
    if (QAction* schedule = w.ToolbarButton(QStringLiteral("SCHEDULE")))
        QVERIFY(schedule->isEnabled());
}

} // namespace

class TestWindowChecks : public QObject {
    Q_OBJECT

private slots:
    // The vocabulary items follow the conversion type, item 0 selected after each change.
    void phraseItemsFollowTheConversionType_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("items");
        const QStringList both{QStringLiteral("转码与转词"), QStringLiteral("只转码")};
        const QStringList usage{QStringLiteral("简体用词最佳化"), QStringLiteral("繁体用词最佳化")};
        QTest::newRow("S to T") << 0 << both;
        QTest::newRow("T to S") << 1 << both;
        QTest::newRow("Simplified file") << 2 << usage;
        QTest::newRow("Traditional file") << 3 << usage;
    }
    void phraseItemsFollowTheConversionType()
    {
        QFETCH(int, code);
        QFETCH(QStringList, items);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDocConv& w = frmDocConv();
        QCOMPARE(w.cbCodeConv->currentIndex(), 0);
        w.cbCodeConv->setCurrentIndex(code == 1 ? 2 : 1);
        w.cbPhraseConv->setCurrentIndex(1);
        w.cbCodeConv->setCurrentIndex(code);
        QCOMPARE(ComboItems(w.cbPhraseConv), items);
        QCOMPARE(w.cbPhraseConv->currentIndex(), 0);
    }

    // The first add asks the files, then the output settings; Cancel there adds nothing and the
    // next add asks again; after OK no add or run of any window asks them.
    void outputSettingsAskedOnceForEveryWindow()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        QTemporaryDir site;
        WriteFileBytes(site.filePath(QStringLiteral("index.htm")), "<html></html>");
        FrmDocConv& word = frmDocConv();
        const QStringList chosen{QStringLiteral("/w/a.txt"), QStringLiteral("/w/b.doc")};

        const QString lastUsed = LastUsedFolder();
        script.answerFiles(chosen).answerDialog([](QDialog&) { frmOutputSetting().cmdCancel_Click(); });
        word.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.asked().size(), 2);
        const modal::Request& open = script.asked().at(0);
        QCOMPARE(open.kind, modal::Kind::OpenFile);
        QCOMPARE(open.filter, QString::fromLatin1(kWordFilter));
        QCOMPARE(open.filterIndex, 2);
        QCOMPARE(open.flags, 0x281204);
        QCOMPARE(open.initDir, lastUsed);
        QCOMPARE(OutputSettingsAsked(script), 1);
        QCOMPARE(word.lstDoc->Rows(), 1);

        script.answerFiles(chosen).answerDialog(ConfirmOwnFolderOutput);
        word.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(OutputSettingsAsked(script), 2);
        QCOMPARE(word.lstDoc->Rows(), 3);
        QCOMPARE(word.lstDoc->TextMatrix(1, 2), QStringLiteral("/w/a.txt"));
        QCOMPARE(word.lstDoc->TextMatrix(2, 2), QStringLiteral("/w/b.doc"));
        QCOMPARE(script.unexpected(), 0);

        for (const char* form : {"frmXlsConv", "frmPptConv", "frmSpecConv"}) {
            script.answerFiles({QStringLiteral("/w/c.txt")});
            ListWindow(QString::fromLatin1(form)).MenuProc(QStringLiteral("IDM_FILE_OPEN"));
            QVERIFY2(ListWindow(QString::fromLatin1(form)).Grid()->Rows() == 2, form);
        }
        for (const char* form : {"frmHtmlConv", "frmPathConv"}) {
            script.answerDialog(ChooseFolder(site.path()));
            ListWindow(QString::fromLatin1(form)).MenuProc(QStringLiteral("IDM_FILE_OPEN"));
            QVERIFY2(ListWindow(QString::fromLatin1(form)).Grid()->Rows() == 2, form);
        }
        QCOMPARE(script.unexpected(), 0);
        // The runs' own messages (missing files, no office) get the safe answer.
        for (const char* form : {"frmDocConv", "frmXlsConv", "frmPptConv", "frmHtmlConv", "frmPathConv", "frmSpecConv"})
            ListWindow(QString::fromLatin1(form)).MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(OutputSettingsAsked(script), 2);
    }

    // After a project was read, neither an add nor a run asks the output settings.
    void projectReadConfirmsOutputSettings()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        QVERIFY(PrjFileSave(fx.path(QStringLiteral("p.wsp"))));
        fx.stop();
        fx.start();
        QVERIFY(!gbOutputSettingOK);
        QVERIFY(PrjFileShow(fx.path(QStringLiteral("p.wsp"))));
        script.answerFiles({QStringLiteral("/w/a.txt")});
        frmDocConv().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(frmDocConv().lstDoc->Rows(), 2);
        frmSpecConv().MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(OutputSettingsAsked(script), 0);
    }

    // With no data row the row commands are disabled and the project save items untouched;
    // with rows they are enabled; Delete all disables them again.
    void rowCommandsFollowTheRows_data() { AddListWindowRows(); }
    void rowCommandsFollowTheRows()
    {
        QFETCH(QString, form);
        QFETCH(QString, windowCommand);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        main.Menu(windowCommand)->trigger();
        FileListWindow& w = ListWindow(form);
        QCOMPARE(main.ActiveForm, &w);
        QAction* save = main.Menu(QStringLiteral("IDM_FILE_SAVEPRJ"));
        QAction* saveAs = main.Menu(QStringLiteral("IDM_FILE_SAVEASPRJ"));
        for (bool enabled : {false, true}) {
            save->setEnabled(enabled);
            saveAs->setEnabled(!enabled);
            w.EnableMenu();
            QCOMPARE(save->isEnabled(), enabled);
            QCOMPARE(saveAs->isEnabled(), !enabled);
        }
        CompareRowCommands(w, false);

        save->setEnabled(false);
        AddListRow(w.Grid(), fx.path(QStringLiteral("a.txt")), fx.path(QStringLiteral("o.txt")), FileRowText);
        AddListRow(w.Grid(), fx.path(QStringLiteral("b.txt")), fx.path(QStringLiteral("p.txt")), FileRowText);
        w.MenuProc(QStringLiteral("IDM_EDIT_SELECTALL"));
        CompareRowCommands(w, true);
        QVERIFY(save->isEnabled());
        QVERIFY(saveAs->isEnabled());
        if (w.ToolbarButton(QStringLiteral("LISTNEW"))->isVisible()) {
            w.MenuProc(QStringLiteral("IDM_VIEW_LISTNEW"));
            QVERIFY(w.ToolbarButton(QStringLiteral("LISTALL"))->isEnabled());
            w.MenuProc(QStringLiteral("IDM_VIEW_LISTALL"));
            QVERIFY(w.ToolbarButton(QStringLiteral("LISTNEW"))->isEnabled());
        }

        w.MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
        QCOMPARE(w.Grid()->Rows(), 1);
        CompareRowCommands(w, false);
        QVERIFY(save->isEnabled());
        QCOMPARE(script.unexpected(), 0);
    }

    // The list views swap the two buttons; every switch back to a window offers LISTNEW.
    void listViewButtonsAfterAWindowSwitch()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        FrmDocConv& w = frmDocConv();
        AddListRow(w.lstDoc, fx.path(QStringLiteral("a.txt")), fx.path(QStringLiteral("o.txt")), FileRowText | FileRowProcessed);
        QAction* all = w.ToolbarButton(QStringLiteral("LISTALL"));
        QAction* fresh = w.ToolbarButton(QStringLiteral("LISTNEW"));
        QVERIFY(!all->isVisible());
        QVERIFY(fresh->isVisible());
        w.MenuProc(QStringLiteral("IDM_VIEW_LISTNEW"));
        QVERIFY(all->isVisible());
        QVERIFY(!fresh->isVisible());
        main.Menu(QStringLiteral("IDM_WINDOW_XLSCONVERT"))->trigger();
        QVERIFY(!frmXlsConv().ToolbarButton(QStringLiteral("LISTALL"))->isVisible());
        QVERIFY(frmXlsConv().ToolbarButton(QStringLiteral("LISTNEW"))->isVisible());
        main.Menu(QStringLiteral("IDM_WINDOW_DOCCONVERT"))->trigger();
        QCOMPARE(main.ActiveForm, &w);
        QVERIFY(!all->isVisible());
        QVERIFY(fresh->isVisible());
        w.MenuProc(QStringLiteral("IDM_VIEW_LISTNEW"));
        w.MenuProc(QStringLiteral("IDM_VIEW_LISTALL"));
        QVERIFY(!all->isVisible());
        QVERIFY(fresh->isVisible());
    }

    // Pages added through the website dialog take the check box; dropped pages always get the
    // charset-tag bit.
    void htmlDropAddsTheTagBit()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        gbOutputSettingOK = true;
        frmOutputSetting().opSelectDir = false;
        QTemporaryDir site;
        QDir().mkpath(site.filePath(QStringLiteral("sub")));
        for (const char* name : {"index.htm", "page.HTML", "logo.gif", "sub/a.htm", "later.htm"})
            WriteFileBytes(site.filePath(QString::fromLatin1(name)), "x");
        QTemporaryDir added;
        for (const char* name : {"index.htm", "page.HTML", "logo.gif"})
            QFile::copy(site.filePath(QString::fromLatin1(name)), added.filePath(QString::fromLatin1(name)));
        FrmHtmlConv& w = frmHtmlConv();
        script.answerDialog(ChooseFolder(added.path(), false));
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w.lstHtml->Rows(), 4);
        for (int row = 1; row < 4; ++row)
            QCOMPARE(w.lstHtml->RowData(row) & FileRowAddTag, 0);
        QVERIFY(!dlgHtmlSelect().chkAddTag->isChecked());
        w.lstDoc_OLEDragDrop({site.filePath(QStringLiteral("later.htm")), site.filePath(QStringLiteral("logo.gif"))});
        QCOMPARE(w.lstHtml->Rows(), 6);
        QCOMPARE(w.lstHtml->RowData(4) & (FileRowAddTag | FileRowText), FileRowAddTag | FileRowText);
        QCOMPARE(w.lstHtml->RowData(5) & (FileRowAddTag | FileRowText), FileRowAddTag);
        QCOMPARE(script.unexpected(), 0);
    }

    // Every cell of the encoding-pair table with both vocabulary items, and the items listed.
    void encodingPairCells_data()
    {
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::addColumn<int>("convType");
        QTest::addColumn<int>("firstMode");
        QTest::addColumn<int>("secondMode");
        struct Cell {
            int convType, firstMode, secondMode;
        };
        const Cell cells[4][4] = {
            {{0, 1, 0}, {8, 1, 0}, {1, 2, 3}, {10, 0, 1}},
            {{14, 1, 0}, {4, 1, 0}, {12, 0, 1}, {5, 2, 3}},
            {{2, 2, 3}, {11, 1, 0}, {3, 1, 0}, {9, 1, 0}},
            {{13, 1, 0}, {7, 2, 3}, {15, 1, 0}, {6, 1, 0}},
        };
        const char* inNames[] = {"Big5", "TradUnicode", "GB", "SimpUnicode"};
        const char* outNames[] = {"GB", "SimpUnicode", "Big5", "TradUnicode"};
        for (int in = 0; in < 4; ++in)
            for (int out = 0; out < 4; ++out)
                QTest::addRow("%s to %s", inNames[in], outNames[out])
                    << in << out << cells[in][out].convType << cells[in][out].firstMode << cells[in][out].secondMode;
    }
    void encodingPairCells()
    {
        QFETCH(int, in);
        QFETCH(int, out);
        QFETCH(int, convType);
        QFETCH(int, firstMode);
        QFETCH(int, secondMode);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        gbOutputSettingOK = true;
        FrmSpecConv& w = frmSpecConv();
        w.cbInput->setCurrentIndex(in);
        w.cbOutput->setCurrentIndex(out);
        const bool sameScript = (in < 2) == (out >= 2);
        const QStringList items = sameScript ? QStringList{QStringLiteral("繁体用词最佳化"), QStringLiteral("简体用词最佳化")}
                                             : QStringList{QStringLiteral("转码与转词"), QStringLiteral("只转码")};
        QCOMPARE(ComboItems(w.cbPhraseConv), items);
        for (int item : {0, 1}) {
            w.cbPhraseConv->setCurrentIndex(item);
            bool ok = false;
            w.GetConvSetting(ok);
            QVERIFY(ok);
            const int mode = item == 0 ? firstMode : secondMode;
            QCOMPARE(int(w.nIOD), convType);
            QCOMPARE(int(w.nIOP), mode);
            QCOMPARE((QList<bool>{w.bCode, w.bPhrase, w.bB52GB, w.bL2R}),
                     (QList<bool>{true, mode != 0, in < 2, mode != 2}));
        }
    }

    // A new encoding-pair window shows Big5 to GB with code and vocabulary; each encoding
    // change selects the first vocabulary item again, also when the items stay the same.
    void encodingPairWindowStartsAndResets()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        gbOutputSettingOK = true;
        FrmSpecConv& w = frmSpecConv();
        QCOMPARE(w.cbInput->currentText(), QStringLiteral("繁体Big5"));
        QCOMPARE(w.cbOutput->currentText(), QStringLiteral("简体GB"));
        QCOMPARE(w.cbPhraseConv->currentText(), QStringLiteral("转码与转词"));
        bool ok = false;
        w.GetConvSetting(ok);
        QVERIFY(ok);
        QCOMPARE(int(w.nIOD), 0);
        QCOMPARE(int(w.nIOP), 1);
        QCOMPARE((QList<bool>{w.bCode, w.bPhrase, w.bB52GB, w.bL2R}), (QList<bool>{true, true, true, true}));
        w.cbPhraseConv->setCurrentIndex(1);
        w.cbOutput->setCurrentIndex(1); // still different scripts
        QCOMPARE(w.cbPhraseConv->currentIndex(), 0);
        w.cbPhraseConv->setCurrentIndex(1);
        w.cbInput->setCurrentIndex(1);
        QCOMPARE(w.cbPhraseConv->currentIndex(), 0);
    }

    // The folder window: an own-folder add gives the folder with "1"; a drop lists the
    // folders in drop order and passes over the files; its menus and status.
    void folderWindowAddAndDrop()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        gbOutputSettingOK = true;
        frmOutputSetting().opSelectDir = false;
        QTemporaryDir dir;
        const QString docs = dir.filePath(QStringLiteral("docs"));
        QDir().mkpath(docs);
        main.Menu(QStringLiteral("IDM_WINDOW_PATHCONVERT"))->trigger();
        FrmPathConv& w = frmPathConv();
        script.answerDialog(ChooseFolder(docs, false));
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w.lstPath->Rows(), 2);
        QCOMPARE(w.lstPath->TextMatrix(1, 2), docs);
        QCOMPARE(w.lstPath->TextMatrix(1, 3), docs + QStringLiteral("1"));
        QCOMPARE(w.lstPath->RowData(1) & (FileRowAddTag | FileRowText), FileRowAddTag | FileRowText);

        QStringList dropped;
        for (const char* name : {"c", "f1.txt", "a", "f2.doc", "b"}) {
            const QString path = dir.filePath(QString::fromLatin1(name));
            if (path.contains(QLatin1Char('.')))
                WriteFileBytes(path, "x");
            else
                QDir().mkpath(path);
            dropped << path;
        }
        w.lstDoc_OLEDragDrop(dropped);
        QCOMPARE(w.lstPath->Rows(), 5);
        QCOMPARE(w.lstPath->TextMatrix(2, 2), dropped.at(0));
        QCOMPARE(w.lstPath->TextMatrix(3, 2), dropped.at(2));
        QCOMPARE(w.lstPath->TextMatrix(4, 2), dropped.at(4));

        QCOMPARE(frmMain().StatusPanel1->text(), QStringLiteral("路径转换"));
        QVERIFY(main.Menu(QStringLiteral("IDM_WINDOW_PATHCONVERT"))->isChecked());
        QVERIFY(!main.Menu(QStringLiteral("IDM_WINDOW_DOCCONVERT"))->isChecked());
        QVERIFY(!main.Menu(QStringLiteral("IDM_EDIT_TYPE"))->isVisible());
        QVERIFY(!main.Menu(QStringLiteral("IDM_OPTION_FONTMAP"))->isVisible());
        QVERIFY(!w.ToolbarButton(QStringLiteral("LISTALL"))->isVisible());
        QVERIFY(!w.ToolbarButton(QStringLiteral("LISTNEW"))->isVisible());
        QVERIFY(main.Menu(QStringLiteral("IDM_VIEW_OUTFILE"))->isEnabled());
        QCOMPARE(script.unexpected(), 0);
    }

    // The schedule button on an empty folder list: the scheduler's timer stops while the
    // schedule window is shown and runs again after it.
    void folderScheduleOnAnEmptyList()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        main.Menu(QStringLiteral("IDM_WINDOW_PATHCONVERT"))->trigger();
        FrmPathConv& w = frmPathConv();
        QCOMPARE(w.lstPath->Rows(), 1);
        QAction* schedule = w.ToolbarButton(QStringLiteral("SCHEDULE"));
        QVERIFY(schedule->isEnabled());
        QVERIFY(main.Timer1->isActive());
        bool stoppedWhileShown = false;
        bool shown = false;
        script.answerDialog([&](QDialog& dialog) {
            stoppedWhileShown = !main.Timer1->isActive();
            FrmSchedule* window = dialog.findChild<FrmSchedule*>();
            shown = window != nullptr;
            if (window)
                window->cmdCancel->click();
        });
        schedule->trigger();
        QVERIFY(shown);
        QVERIFY(stoppedWhileShown);
        QVERIFY(main.Timer1->isActive());
        QCOMPARE(script.pending(), 0);
        QCOMPARE(w.lstPath->Rows(), 1);
    }

    // A running Excel or PowerPoint when its window loads: the critical message with the
    // program title, and the window works.
    void runningOfficeReportedAtLoad_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("text");
        QTest::newRow("Excel") << QStringLiteral("frmXlsConv") << QStringLiteral("Excel程序正在运行，请先关闭再进行转档。");
        QTest::newRow("PowerPoint") << QStringLiteral("frmPptConv")
                                    << QStringLiteral("PowerPoint程序正在运行，请先关闭再进行转档。");
    }
    void runningOfficeReportedAtLoad()
    {
        QFETCH(QString, form);
        QFETCH(QString, text);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        Office().DetectExcel = Office().DetectPowerPoint = [] { return true; };
        script.answer(vbOK);
        FileListWindow& w = ListWindow(form);
        Office().DetectExcel = Office().DetectPowerPoint = [] { return false; };
        QCOMPARE(script.messages(), QStringList{text});
        QCOMPARE(script.asked().at(0).icon, vbCritical);
        QCOMPARE(script.asked().at(0).title, AppTitle());
        gbOutputSettingOK = true;
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath(QStringLiteral("d.txt")), "x");
        w.lstDoc_OLEDragDrop({dir.filePath(QStringLiteral("d.txt"))});
        QCOMPARE(w.Grid()->Rows(), 2);
    }

    // While a run works, no command, key or drop of any list window changes a list or asks.
    void listWindowsIdleDuringARun_data() { AddListWindowRows(); }
    void listWindowsIdleDuringARun()
    {
        QFETCH(QString, form);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        gbOutputSettingOK = false;
        FileListWindow& w = ListWindow(form);
        QTemporaryDir dir;
        const bool folders = form == QLatin1String("frmPathConv");
        const QString item = folders ? dir.path() : dir.filePath(QStringLiteral("d.txt"));
        WriteFileBytes(dir.filePath(QStringLiteral("d.txt")), "x");
        AddListRow(w.Grid(), fx.path(QStringLiteral("a.txt")), fx.path(QStringLiteral("o.txt")), FileRowText);
        {
            BatchRunningScope running;
            for (const char* cmd : {"IDM_FILE_OPEN", "IDM_FILE_RUN", "IDM_EDIT_DIRSETTING", "IDM_EDIT_TYPE",
                                    "IDM_EDIT_SELECTALL", "IDM_EDIT_DELETE", "IDM_EDIT_DELETEALL", "IDM_EDIT_CLEARTYPE",
                                    "IDM_OPTION_SETTING", "IDM_OPTION_FONTMAP", "IDM_VIEW_LISTNEW", "IDM_SCHEDULE"})
                w.MenuProc(QString::fromLatin1(cmd));
            w.lstDoc_DblClick();
            w.Grid()->setRow(1);
            w.Grid()->setRowSel(1);
            int key = 46;
            w.lstDoc_KeyDown(key, 0);
            w.lstDoc_OLEDragDrop({item});
        }
        QCOMPARE(script.asked().size(), 0);
        QCOMPARE(w.Grid()->Rows(), 2);
        QCOMPARE(w.Grid()->RowData(1), FileRowText);
        gbOutputSettingOK = true;
        w.lstDoc_OLEDragDrop({item});
        QCOMPARE(w.Grid()->Rows(), 3);
    }

    // A project's HTML list, read and run unattended: nothing is asked and the page converted.
    void projectListRunsUnattended()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        QDir().mkpath(fx.path(QStringLiteral("site")));
        const QString page = fx.path(QStringLiteral("site/page.htm"));
        WriteFileBytes(page, ToGB(QStringLiteral("<html><body>软件</body></html>\r\n")));
        FrmOutputSetting& settings = frmOutputSetting();
        settings.opDir->setChecked(true);
        settings.txtDir->setText(fx.path(QStringLiteral("out")));
        settings.opSelectDir = true;
        settings.strDir = fx.path(QStringLiteral("out"));
        gbOutputSettingOK = true;
        frmHtmlConv().lstDoc_OLEDragDrop({page});
        QCOMPARE(frmHtmlConv().lstHtml->Rows(), 2);
        QVERIFY(PrjFileSave(fx.path(QStringLiteral("p.wsp"))));
        fx.stop();

        fx.start();
        QVERIFY(PrjFileShow(fx.path(QStringLiteral("p.wsp"))));
        FlexGrid* grid = frmHtmlConv().lstHtml;
        QCOMPARE(grid->Rows(), 2);
        const QString output = grid->TextMatrix(1, 3);
        QVERIFY(output.startsWith(fx.path(QStringLiteral("out/"))));
        {
            UnattendedRun run;
            frmHtmlConv().MenuProc(QStringLiteral("IDM_FILE_RUN"));
        }
        QCOMPARE(script.asked().size(), 0);
        QVERIFY(!ReadFileBytes(gsLogFile).contains("Unattended run"));
        QVERIFY(grid->RowData(1) & FileRowProcessed);
        QCOMPARE(grid->TextMatrix(1, 0), QString());
        QVERIFY(FromBig5(ReadFileBytes(output)).contains(QStringLiteral("軟")));
    }
};

TEZ_REGISTER_TEST(TestWindowChecks)
#include "test_window_checks.moc"
