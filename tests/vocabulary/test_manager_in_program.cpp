// The vocabulary manager inside the whole program, on the tables installed with it.
#include "common/FileBytes.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "core/LoadedTableList.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "vocabulary/dlgSearchPhrase.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// Every table file of the program folder and its bytes.
QMap<QString, QByteArray> TableFiles(const ProgramFolderFixture& fx)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(fx.folder()).entryList({QStringLiteral("*.pct")}, QDir::Files))
        files.insert(name, fx.readFile(name));
    return files;
}
} // namespace

class ManagerInProgramTest : public QObject {
    Q_OBJECT
private slots:
    // B超 / 超音波 taken out of use, then a search that touches nothing left with "退出".
    void searchLeftUntouchedKeepsAnItemOutOfUse()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        main.MenuProc(QStringLiteral("IDM_WINDOW_PHRASEMGR"));
        FrmPhraseMgr& mgr = frmPhraseMgr();
        QVERIFY(mgr.lstPCT->TextMatrix(1, 1).endsWith(QStringLiteral("Regional.pct")));
        QCOMPARE(mgr.lstPhrase->TextMatrix(1, 1), QStringLiteral("B超"));
        QCOMPARE(mgr.lstPhrase->TextMatrix(1, 2), QStringLiteral("超音波"));
        mgr.lstPhrase_GotFocus();
        mgr.lstPhrase->setRow(1);
        mgr.lstPhrase->setRowSel(1);
        mgr.MenuProc(QStringLiteral("IDM_EDIT_DEACTIVE"));
        main.MenuProc(QStringLiteral("IDM_WINDOW_DOCCONVERT"));
        const QMap<QString, QByteArray> before = TableFiles(fx);
        QVERIFY(before.contains(QStringLiteral("Regional.pct")));

        main.MenuProc(QStringLiteral("IDM_WINDOW_PHRASEMGR"));
        script.answerDialog([](QDialog& d) {
            auto& dlg = static_cast<DlgSearchPhrase&>(d);
            dlg.txtSearch->setText(QStringLiteral("超音"));
            dlg.cmdSearch->click();
            QVERIFY(dlg.lst->Rows() > 1);
            dlg.cmdOK->click();
        });
        mgr.MenuProc(QStringLiteral("IDM_EDIT_SEARCH"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(mgr.lstPhrase->RowData(1) & 1, 0);
        main.MenuProc(QStringLiteral("IDM_WINDOW_DOCCONVERT"));
        QCOMPARE(TableFiles(fx), before);
        QCOMPARE(PCTGetItem(ghPCT[0], 0).Status & 1, 0);
    }
};

TEZ_REGISTER_TEST(ManagerInProgramTest)
#include "test_manager_in_program.moc"
