// The row-type command of the file-list windows and its dialog, the re-typing of rows by the
// web-page extensions, and the website dialog's checks.
#include "ListWindows.h"
#include "BatchFixture.h"

#include "batch/CheckHtmlExt.h"
#include "batch/dlgChangeType.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "core/FileGrid.h"
#include "core/FileRowFlags.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kDesignedExt = QStringLiteral("*.htm\n*.html\n");

// Appends a file row as the fillers make it: input, output, row word and type picture.
void AddRow(FlexGrid* grid, const QString& input, int32_t word)
{
    grid->AddItem(QStringLiteral("\t\t") + input + QStringLiteral("\t") + input + QStringLiteral(".out"));
    if (grid->FixedRows() == 0)
        grid->setFixedRows(1);
    const int row = grid->Rows() - 1;
    grid->setRowData(row, word);
    SetCellPicture(grid, row, 1, RowTypePicture(word));
}

// What the row-type dialog showed when it was asked.
struct Shown {
    QString title;
    QString selected;
    QStringList enabled;
    int height = 0;
    bool extShown = false;
    QString ext;
};

Shown Look(DlgChangeType& dlg)
{
    Shown shown;
    shown.title = dlg.windowTitle();
    for (QRadioButton* option : {dlg.optTxt, dlg.optDoc, dlg.optXls, dlg.optPPT, dlg.optHtml, dlg.optOther}) {
        if (option->isChecked())
            shown.selected = option->objectName();
        if (option->isEnabled())
            shown.enabled << option->objectName();
    }
    shown.height = dlg.Height();
    shown.extShown = dlg.txtExt->isVisibleTo(&dlg);
    shown.ext = dlg.txtExt->toPlainText();
    return shown;
}

QRadioButton* Option(DlgChangeType& dlg, const QString& name) { return dlg.findChild<QRadioButton*>(name); }

} // namespace

class TestChangeType : public QObject {
    Q_OBJECT

private slots:
    // Each window's variant of the dialog: options offered and preselected, height, extension
    // box, and the row word and picture the choice leaves.
    void changeType_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("pick"); // "" = options untouched
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("preselected");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("ext"); // "-" = the extension box is not shown
        QTest::addColumn<int>("newWord");
        QTest::addColumn<QString>("picture");
        const QStringList word{"optTxt", "optDoc", "optOther"};
        const QStringList xls{"optTxt", "optXls", "optOther"};
        const QStringList ppt{"optTxt", "optPPT", "optOther"};
        const QStringList html{"optHtml", "optOther"};
        const QStringList pairOptions{"optTxt", "optOther"};
        const QString siteExt = QStringLiteral("*.htm\n*.html\n*.shtml\n");
        QTest::newRow("word: OK untouched makes a document text") << "frmDocConv" << 0x4F << "" << true << "optTxt" << word << 4100
                                                                  << "-" << 0x2F << "txt";
        QTest::newRow("word: document") << "frmDocConv" << int(0x80000021) << "optDoc" << true << "optTxt" << word << 4100 << "-"
                                        << int(0x80000041) << "office";
        QTest::newRow("word: other clears every type bit") << "frmDocConv" << 0x1EF << "optOther" << true << "optTxt" << word
                                                           << 4100 << "-" << 0x0F << "other";
        QTest::newRow("excel: text row to workbook, processed kept")
            << "frmXlsConv" << int(0x80000023) << "optXls" << true << "optXls" << xls << 4100 << "-" << int(0x80000083) << "office";
        QTest::newRow("excel: cancel changes nothing") << "frmXlsConv" << int(0x80000023) << "optOther" << false << "optXls" << xls
                                                       << 4100 << "-" << int(0x80000023) << "txt";
        QTest::newRow("powerpoint: presentation to text") << "frmPptConv" << 0x104 << "optTxt" << true << "optPPT" << ppt << 4100
                                                          << "-" << 0x24 << "txt";
        QTest::newRow("html: OK untouched makes a page") << "frmHtmlConv" << 0x10 << "" << true << "optHtml" << html << 6000
                                                         << siteExt << 0x30 << "txt";
        QTest::newRow("html: other keeps the tag bit") << "frmHtmlConv" << 0x30 << "optOther" << true << "optHtml" << html << 6000
                                                       << siteExt << 0x10 << "other";
        QTest::newRow("encoding pair: keeps the row's type") << "frmSpecConv" << int(0x80000020) << "" << true << "optTxt" << pairOptions
                                                             << 6000 << "" << int(0x80000020) << "txt";
        QTest::newRow("encoding pair: other") << "frmSpecConv" << 0x20 << "optOther" << true << "optTxt" << pairOptions << 6000 << ""
                                              << 0 << "other";
        QTest::newRow("encoding pair: cancel") << "frmSpecConv" << 0x20 << "optOther" << false << "optTxt" << pairOptions << 6000 << ""
                                               << 0x20 << "txt";
    }
    void changeType()
    {
        QFETCH(QString, window);
        QFETCH(int, word);
        QFETCH(QString, pick);
        QFETCH(bool, accept);
        QFETCH(QString, preselected);
        QFETCH(QStringList, enabled);
        QFETCH(int, height);
        QFETCH(QString, ext);
        QFETCH(int, newWord);
        QFETCH(QString, picture);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        dlgHtmlSelect().txtExt->setPlainText(QStringLiteral("*.htm\n*.html\n*.shtml\n"));
        FileListWindow& w = ListWindow(window);
        FlexGrid* grid = w.Grid();
        AddRow(grid, QStringLiteral("/w/a.file"), word);
        grid->setTextMatrix(1, 0, QStringLiteral("."));
        grid->setRow(1);

        Shown shown;
        script.answerDialog([&](QDialog& d) {
            auto& dlg = static_cast<DlgChangeType&>(d);
            shown = Look(dlg);
            if (!pick.isEmpty())
                Option(dlg, pick)->click();
            accept ? dlg.cmdOK_Click() : dlg.cmdCancel_Click();
        });
        w.MenuProc(QStringLiteral("IDM_EDIT_TYPE"));

        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().first().dialogName, QStringLiteral("dlgChangeType"));
        QCOMPARE(shown.title, QStringLiteral("改变转换类型"));
        QCOMPARE(shown.selected, preselected);
        QCOMPARE(shown.enabled, enabled);
        QCOMPARE(shown.height, height);
        QCOMPARE(shown.extShown, ext != QLatin1String("-"));
        if (shown.extShown)
            QCOMPARE(shown.ext, ext);
        QCOMPARE(grid->RowData(1), newWord);
        // The HTML window's re-typing walks the rows after the change and moves the current cell.
        if (accept && window != QLatin1String("frmHtmlConv"))
            QCOMPARE((QList<int>{grid->Row(), grid->Col(), grid->RowSel(), grid->ColSel()}), (QList<int>{1, 0, 1, 3}));
        QCOMPARE(grid->TextMatrix(1, 0), QStringLiteral("."));
        QCOMPARE(grid->TextMatrix(1, 3), QStringLiteral("/w/a.file.out"));
        QCOMPARE(CellPictureName(*grid, 1, 1), picture);
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // With several rows selected only the current one changes.
    void onlyTheCurrentRowChanges()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FlexGrid* grid = frmDocConv().lstDoc;
        for (const char* name : {"/w/a.doc", "/w/b.doc", "/w/c.doc"})
            AddRow(grid, QString::fromLatin1(name), FileRowWord | FileRowCode);
        grid->setRow(1);
        grid->setRowSel(3);
        script.answerDialog([](QDialog& d) { static_cast<DlgChangeType&>(d).cmdOK_Click(); });
        frmDocConv().MenuProc(QStringLiteral("IDM_EDIT_TYPE"));
        QCOMPARE(RowWords(*grid), (QList<int>{FileRowText | FileRowCode, FileRowWord | FileRowCode, FileRowWord | FileRowCode}));
        QCOMPARE(CellPictureName(*grid, 2, 1), QStringLiteral("office"));
        QCOMPARE(CellPictureName(*grid, 3, 1), QStringLiteral("office"));
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // An empty list has no row to change: nothing is asked and the header row stays as it is.
    // The folder-tree window offers no type change at all.
    void nothingToChange_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("withRow");
        for (const char* name : {"frmDocConv", "frmXlsConv", "frmPptConv", "frmHtmlConv", "frmSpecConv"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
        QTest::newRow("folder tree with a row") << "frmPathConv" << true;
    }
    void nothingToChange()
    {
        QFETCH(QString, window);
        QFETCH(bool, withRow);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FileListWindow& w = ListWindow(window);
        if (withRow)
            AddRow(w.Grid(), QStringLiteral("/w/site"), FileRowText);
        const int headerWord = w.Grid()->RowData(0);
        w.MenuProc(QStringLiteral("IDM_EDIT_TYPE"));
        QCOMPARE(script.asked().size(), 0);
        QCOMPARE(w.Grid()->RowData(0), headerWord);
        if (withRow)
            QCOMPARE(w.Grid()->RowData(1), FileRowText);
        fx.stop();
    }

    // The load step's order of tests, seen through the variant that keeps its choice.
    void loadStep_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("selected");
        QTest::newRow("text") << 0x20 << "optTxt";
        QTest::newRow("text before workbook") << 0xA0 << "optTxt";
        QTest::newRow("workbook before document") << 0xC0 << "optXls";
        QTest::newRow("presentation before document") << 0x140 << "optPPT";
        QTest::newRow("document") << 0x40 << "optDoc";
        QTest::newRow("no type bit") << int(0x8000001F) << "optOther";
    }
    void loadStep()
    {
        QFETCH(int, word);
        QFETCH(QString, selected);
        BatchFixture fx;
        ModalScript script;
        QString seen;
        script.answerDialog([&](QDialog& d) {
            seen = Look(static_cast<DlgChangeType&>(d)).selected;
            static_cast<DlgChangeType&>(d).cmdCancel_Click();
        });
        DlgChangeType::lDocType = word;
        QVERIFY(!DlgChangeType::ShowDlgSpec());
        QCOMPARE(seen, selected);
        QCOMPARE(DlgChangeType::lDocType, word);
    }

    // The web-page option in the HTML window: the typed extensions become the program's and
    // the website dialog's; the rows are re-typed by them, except a row whose input is gone.
    void webPageOption()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        QTemporaryDir site;
        const auto file = [&](const char* name) {
            const QString path = site.filePath(QString::fromLatin1(name));
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            return path;
        };
        FlexGrid* grid = frmHtmlConv().lstHtml;
        AddRow(grid, file("logo.gif"), FileRowAddTag);
        AddRow(grid, file("page.asp"), FileRowAddTag);
        AddRow(grid, file("gone.asp"), FileRowAddTag);
        AddRow(grid, file("a.html"), FileRowText);
        QFile::remove(site.filePath(QStringLiteral("gone.asp")));
        grid->setRow(1);

        QString typed;
        script.answerDialog([&](QDialog& d) {
            auto& dlg = static_cast<DlgChangeType&>(d);
            QCOMPARE(dlg.txtExt->toPlainText(), kDesignedExt);
            dlg.txtExt->setPlainText(QStringLiteral("*.htm\r\n*.asp"));
            typed = dlg.txtExt->toPlainText();
            dlg.optHtml->click();
            dlg.cmdOK_Click();
        });
        frmHtmlConv().MenuProc(QStringLiteral("IDM_EDIT_TYPE"));

        QCOMPARE(gcolHtmlExt, (QStringList{"htm", "asp"}));
        QCOMPARE(dlgHtmlSelect().txtExt->toPlainText(), typed);
        QStringList fromWebsiteDialog;
        ParseExtList(fromWebsiteDialog, dlgHtmlSelect().txtExt->toPlainText());
        QCOMPARE(fromWebsiteDialog, (QStringList{"htm", "asp"}));
        QCOMPARE(RowWords(*grid), (QList<int>{0x30, 0x30, 0x10, 0x20}));
        QCOMPARE(CellPictureName(*grid, 2, 1), QStringLiteral("txt"));
        QCOMPARE(CellPictureName(*grid, 3, 1), QStringLiteral("other"));
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // An extension box naming no extension is refused: message 4004, the dialog stays open.
    void webPageOptionWithoutExtension_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   \n  ";
        QTest::newRow("separators only") << ";, \r\n;";
    }
    void webPageOptionWithoutExtension()
    {
        QFETCH(QString, text);
        BatchFixture fx;
        UnloadForm<DlgHtmlSelect>();
        ModalScript script;
        bool stayedOpen = false;
        script.answerDialog([&](QDialog& d) {
                  auto& dlg = static_cast<DlgChangeType&>(d);
                  dlg.txtExt->setPlainText(text);
                  dlg.cmdOK_Click();
                  stayedOpen = IsFormLoaded<DlgChangeType>() && dlg.result() != QDialog::Accepted;
                  dlg.cmdCancel_Click();
              })
            .answer(vbOK);
        DlgChangeType::lDocType = FileRowAddTag;
        QVERIFY(!DlgChangeType::ShowDlgHtml());
        QVERIFY(stayedOpen);
        QCOMPARE(script.messages(), QStringList{"请输入附加档名。"});
        QCOMPARE(script.asked().last().title, QStringLiteral("改变转换类型"));
        QCOMPARE(script.asked().last().buttons, vbOKOnly);
        QCOMPARE(script.asked().last().icon, 0);
        QCOMPARE(DlgChangeType::lDocType, FileRowAddTag);
        QCOMPARE(gcolHtmlExt, (QStringList{"htm", "html"}));
        QCOMPARE(dlgHtmlSelect().txtExt->toPlainText(), kDesignedExt);
        QCOMPARE(script.unexpected(), 0);
    }

    // Re-typing by the extension list: rows not yet text whose existing input has a listed
    // extension (case ignored) gain 0x20 and the text picture; nothing else changes.
    void checkHtmlExt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("newWord");
        QTest::addColumn<QString>("picture");
        QTest::newRow("listed page") << "page.asp" << true << 0x10 << 0x30 << "txt";
        QTest::newRow("case ignored") << "PAGE.ASP" << true << int(0x80000000) << int(0x80000020) << "txt";
        QTest::newRow("input deleted") << "gone.asp" << false << 0x10 << 0x10 << "other";
        QTest::newRow("not listed") << "logo.gif" << true << 0 << 0 << "other";
        QTest::newRow("other type bits stay") << "doc.htm" << true << 0x40 << 0x60 << "txt";
        QTest::newRow("already text, never un-typed") << "a.txt" << true << 0x20 << 0x20 << "txt";
    }
    void checkHtmlExt()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFETCH(int, word);
        QFETCH(int, newWord);
        QFETCH(QString, picture);
        BatchFixture fx;
        const QString input = exists ? fx.makeFile(name) : fx.path(name);
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        AddRow(grid.get(), input, word);
        CheckHtmlExt(grid.get(), QStringList{"htm", "asp"});
        QCOMPARE(grid->RowData(1), newWord);
        QCOMPARE(CellPictureName(*grid, 1, 1), picture);
        QVERIFY(grid->Redraw());
        QCOMPARE(fx.errorRecords(QStringLiteral("CheckHtmlExt")), 0);
    }

    void checkHtmlExtOnHeaderOnly()
    {
        BatchFixture fx;
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        grid->setRedraw(false);
        CheckHtmlExt(grid.get(), gcolHtmlExt);
        QCOMPARE(grid->Rows(), 1);
        QVERIFY(!grid->Redraw());
    }

    // The website dialog's OK checks, in order; each leaves the dialog open and changes nothing.
    void websiteChecks_data()
    {
        QTest::addColumn<QString>("dir"); // "~" = an existing folder
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty folder") << "" << kDesignedExt << "请输入信息夹。";
        QTest::newRow("empty folder before empty extensions") << "" << "" << "请输入信息夹。";
        QTest::newRow("missing folder") << "/nope" << kDesignedExt << "/nope 不是合法信息夹。";
        QTest::newRow("empty extensions") << "~" << "" << "请输入附加档名。";
        QTest::newRow("blank extensions") << "~" << "  \n \n" << "请输入附加档名。";
        QTest::newRow("separators only") << "~" << ";,\n ;" << "请输入附加档名。";
    }
    void websiteChecks()
    {
        QFETCH(QString, dir);
        QFETCH(QString, ext);
        QFETCH(QString, message);
        BatchFixture fx;
        UnloadForm<DlgHtmlSelect>();
        DlgHtmlSelect& select = dlgHtmlSelect();
        const QString folder = dir == QLatin1String("~") ? fx.root() : dir;
        ModalScript script;
        bool stayedOpen = false;
        script.answerDialog([&](QDialog& d) {
                  select.txtDir->setText(folder);
                  select.txtExt->setPlainText(ext);
                  select.cmdOK_Click();
                  stayedOpen = d.result() != QDialog::Accepted;
                  select.cmdCancel_Click();
              })
            .answer(vbOK);
        QVERIFY(!select.OpenDlg());
        QVERIFY(stayedOpen);
        QCOMPARE(script.messages(), QStringList{message});
        QCOMPARE(script.asked().last().title, QStringLiteral("站台转换"));
        QCOMPARE(script.asked().last().buttons, vbOKOnly);
        QCOMPARE(script.asked().last().icon, 0);
        QCOMPARE(select.path, QString());
        QCOMPARE(gcolHtmlExt, (QStringList{"htm", "html"}));
        QCOMPARE(select.txtDir->text(), folder);
        QCOMPARE(select.txtExt->toPlainText(), ext);
        QCOMPARE(script.unexpected(), 0);
    }

    // A second showing shows what the user left: after OK, and after Cancel.
    void websiteDialogKeepsEntries()
    {
        BatchFixture fx;
        UnloadForm<DlgHtmlSelect>();
        DlgHtmlSelect& select = dlgHtmlSelect();
        ModalScript script;
        QStringList seen;
        const auto look = [&] {
            seen = QStringList{select.txtDir->text(), select.txtExt->toPlainText(),
                               select.chkAddTag->isChecked() ? "checked" : "unchecked"};
        };
        script.answerDialog([&](QDialog&) {
            select.txtDir->setText(fx.root());
            select.txtExt->setPlainText(QStringLiteral("*.asp\n"));
            select.chkAddTag->setChecked(false);
            select.cmdOK_Click();
        });
        QVERIFY(select.OpenDlg());
        QCOMPARE(select.path, fx.root());
        QCOMPARE(gcolHtmlExt, QStringList{"asp"});

        script.answerDialog([&](QDialog&) {
            look();
            select.txtDir->setText(QStringLiteral("/typed"));
            select.cmdCancel_Click();
        });
        QVERIFY(!select.OpenDlg());
        QCOMPARE(seen, (QStringList{fx.root(), "*.asp\n", "unchecked"}));

        script.answerDialog([&](QDialog&) {
            look();
            select.cmdCancel_Click();
        });
        QVERIFY(!select.OpenDlg());
        QCOMPARE(seen, (QStringList{"/typed", "*.asp\n", "unchecked"}));
        QCOMPARE(select.path, fx.root());
        QCOMPARE(script.unexpected(), 0);
    }
};

TEZ_REGISTER_TEST(TestChangeType)
#include "test_change_type.moc"
