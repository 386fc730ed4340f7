// The font mapping dialog: which windows offer it, the table that starts empty at every
// showing, and adding, changing and deleting pairs through the buttons, the popup menu, the
// double-click and the Delete key.
#include "ListWindows.h"
#include "batch/FileListWindow.h"
#include "batch/dlgFontMap.h"
#include "batch/dlgFontMapEdit.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/KeyCodes.h"
#include "platform/ModalScript.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

// The pairs of the table as "traditional/simplified" texts.
QStringList Pairs(const FlexGrid& lst)
{
    QStringList pairs;
    for (int row = 1; row < lst.Rows(); ++row)
        pairs << lst.TextMatrix(row, 0) + QLatin1Char('/') + lst.TextMatrix(row, 1);
    return pairs;
}

// Answers the pair editor: OK with the two names, or Cancel when cancel.
std::function<void(QDialog&)> EditPair(const QString& b5, const QString& gb, bool cancel = false)
{
    return [=](QDialog&) {
        DlgFontMapEdit& edit = dlgFontMapEdit();
        if (cancel) {
            edit.cmdCancel_Click();
            return;
        }
        edit.txtB5->setText(b5);
        edit.txtGB->setText(gb);
        edit.cmdOK_Click();
    };
}

} // namespace

class FontMapTest : public QObject {
    Q_OBJECT

private slots:
    // Pairs entered and OK: the next showing starts from the header row, and a header-only
    // grid opens no popup menu.
    void reopenedWithTheHeaderOnly()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        QStringList entered;
        bool popupWithPairs = false;
        script.answerDialog([&](QDialog&) {
            DlgFontMap& dlg = dlgFontMap();
            dlg.cmdAdd_Click();
            entered = Pairs(*dlg.lst);
            emit dlg.lst->MouseDown(vbRightButton, 0, 100, 100);
            popupWithPairs = dlg.IDM_EDIT->isVisible();
            dlg.IDM_EDIT->hide();
            dlg.cmdOK_Click();
        });
        script.answerDialog(EditPair(QStringLiteral("細明體"), QStringLiteral("宋体")));
        frmDocConv().MenuProc(QStringLiteral("IDM_OPTION_FONTMAP"));
        QCOMPARE(script.asked().at(0).title, QStringLiteral("字型对映"));
        QCOMPARE(script.asked().at(1).title, QStringLiteral("繁简字型对映"));
        QCOMPARE(entered, QStringList{QStringLiteral("細明體/宋体")});
        QVERIFY(popupWithPairs);

        int rows = 0;
        bool popupOnHeader = true;
        QString header;
        script.answerDialog([&](QDialog&) {
            DlgFontMap& dlg = dlgFontMap();
            rows = dlg.lst->Rows();
            header = dlg.lst->TextMatrix(0, 0) + QLatin1Char('/') + dlg.lst->TextMatrix(0, 1);
            emit dlg.lst->MouseDown(vbRightButton, 0, 100, 100);
            popupOnHeader = dlg.IDM_EDIT->isVisible();
            dlg.cmdCancel_Click();
        });
        frmDocConv().MenuProc(QStringLiteral("IDM_OPTION_FONTMAP"));
        QCOMPARE(rows, 1);
        QCOMPARE(header, QStringLiteral("繁体字型/简体字型"));
        QVERIFY(!popupOnHeader);
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.pending(), 0);
        fx.stop();
    }

    // The Word, Excel and PowerPoint windows offer the command; the others hide it and do
    // nothing on it.
    void offeredBy_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("offered");
        QTest::newRow("Word") << "frmDocConv" << true;
        QTest::newRow("Excel") << "frmXlsConv" << true;
        QTest::newRow("PowerPoint") << "frmPptConv" << true;
        QTest::newRow("HTML") << "frmHtmlConv" << false;
        QTest::newRow("folder tree") << "frmPathConv" << false;
        QTest::newRow("encoding pair") << "frmSpecConv" << false;
    }
    void offeredBy()
    {
        QFETCH(QString, window);
        QFETCH(bool, offered);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FileListWindow& w = ListWindow(window);
        w.ShowMenu();
        QCOMPARE(frmMain().Menu(QStringLiteral("IDM_OPTION_FONTMAP"))->isVisible(), offered);
        if (offered)
            script.answerDialog([](QDialog&) { dlgFontMap().cmdOK_Click(); });
        w.MenuProc(QStringLiteral("IDM_OPTION_FONTMAP"));
        QCOMPARE(script.asked().size(), offered ? 1 : 0);
        if (offered)
            QCOMPARE(script.asked().first().dialogName, QStringLiteral("dlgFontMap"));
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // Editing a table of two pairs (a/A, b/B): the action, the row whose cell is current,
    // the pair editor's answer, and what the table and the editor then hold.
    void edit_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("editor"); // "": not asked; "cancel"; "close"; "b5/gb" for OK
        QTest::addColumn<QStringList>("shown"); // names the editor was opened with
        QTest::addColumn<QStringList>("pairs");
        const QStringList two{QStringLiteral("a/A"), QStringLiteral("b/B")};
        QTest::newRow("add") << "add" << 1 << "c/C" << QStringList{"", ""} << QStringList{"a/A", "b/B", "c/C"};
        QTest::newRow("add empty names") << "add" << 1 << "/" << QStringList{"", ""} << QStringList{"a/A", "b/B", "/"};
        QTest::newRow("add cancelled") << "add" << 1 << "cancel" << QStringList{"", ""} << two;
        QTest::newRow("add closed") << "add" << 1 << "close" << QStringList{"", ""} << two;
        QTest::newRow("popup add") << "popup add" << 2 << "c/C" << QStringList{"", ""}
                                   << QStringList{"a/A", "b/B", "c/C"};
        QTest::newRow("double-click changes") << "double-click" << 2 << "x/X" << QStringList{"b", "B"}
                                              << QStringList{"a/A", "x/X"};
        QTest::newRow("change cancelled") << "double-click" << 1 << "cancel" << QStringList{"a", "A"} << two;
        QTest::newRow("popup change") << "popup change" << 1 << "/" << QStringList{"a", "A"}
                                      << QStringList{"/", "b/B"};
        QTest::newRow("double-click on the header") << "double-click" << 0 << "" << QStringList{} << two;
        QTest::newRow("Delete key") << "delete key" << 1 << "" << QStringList{} << QStringList{"b/B"};
        QTest::newRow("popup delete") << "popup delete" << 2 << "" << QStringList{} << QStringList{"a/A"};
        QTest::newRow("Delete key on the header") << "delete key" << 0 << "" << QStringList{} << two;
    }
    void edit()
    {
        QFETCH(QString, action);
        QFETCH(int, row);
        QFETCH(QString, editor);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, pairs);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        DlgFontMap& dlg = dlgFontMap();
        QStringList opened;
        QStringList after;
        int selectedFrom = -1, selectedTo = -1;
        script.answerDialog([&](QDialog&) {
            for (const char* pair : {"a/A", "b/B"}) {
                const QStringList names = QString::fromLatin1(pair).split(QLatin1Char('/'));
                script.answerDialog(EditPair(names[0], names[1]));
                dlg.cmdAdd_Click();
            }
            dlg.lst->setRow(row);
            dlg.lst->setCol(0);
            if (!editor.isEmpty()) {
                script.answerDialog([&](QDialog& d) {
                    DlgFontMapEdit& edit = dlgFontMapEdit();
                    opened = QStringList{edit.txtB5->text(), edit.txtGB->text()};
                    if (editor == QLatin1String("cancel"))
                        edit.cmdCancel_Click();
                    else if (editor == QLatin1String("close"))
                        d.reject();
                    else
                        EditPair(editor.section(QLatin1Char('/'), 0, 0), editor.section(QLatin1Char('/'), 1))(d);
                });
            }
            if (action == QLatin1String("add"))
                dlg.cmdAdd_Click();
            else if (action == QLatin1String("popup add"))
                dlg.IDM_EDIT_ADD->trigger();
            else if (action == QLatin1String("double-click"))
                emit dlg.lst->DblClick();
            else if (action == QLatin1String("popup change"))
                dlg.IDM_EDIT_MODIFY->trigger();
            else if (action == QLatin1String("popup delete"))
                dlg.IDM_EDIT_DELETE->trigger();
            else if (action == QLatin1String("delete key")) {
                int key = vbKeyDelete;
                emit dlg.lst->KeyDown(key, 0);
            }
            after = Pairs(*dlg.lst);
            selectedFrom = dlg.lst->Col();
            selectedTo = dlg.lst->ColSel();
            dlg.cmdOK_Click();
        });
        dlg.ShowDlg();
        QCOMPARE(opened, shown);
        QCOMPARE(after, pairs);
        QCOMPARE(dlg.lst->FixedRows(), 1); // the header stays the fixed row
        if (action.contains(QLatin1String("change")) || (action == QLatin1String("double-click") && row > 0)) {
            QCOMPARE(dlg.lst->Row(), row);
            QCOMPARE(selectedFrom, 0);
            QCOMPARE(selectedTo, 1); // the whole row, whatever the editor answered
        }
        QVERIFY(!IsFormLoaded<DlgFontMapEdit>());
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.pending(), 0);
        fx.stop();
    }
};

TEZ_REGISTER_TEST(FontMapTest)
#include "test_font_map.moc"
