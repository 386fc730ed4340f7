// The connection dialog's saved connections on a full program folder: saving and removing
// that cannot be written say so, naming ConnParam.sys and why; the file keeps its lines and
// the dialog its fields.
#include "common/ProgramFolderFixture.h"
#include "common/SmallFileSystem.h"
#include "common/TestMain.h"

#include "database/frmSelectADODB.h"
#include "platform/CodePage.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

class ConnectionDialogSaveTest : public QObject {
    Q_OBJECT
private slots:
    void failedWritesSaySoAndKeepEverything_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::newRow("save") << false;
        QTest::newRow("remove") << true;
    }
    void failedWritesSaySoAndKeepEverything()
    {
        QFETCH(bool, remove);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        SmallFileSystem fs;
        SKIP_UNLESS_MOUNTED(fs);
        const QString path = QDir::cleanPath(fs.path(QStringLiteral("ConnParam.sys")));
        const QByteArray saved = ToSystemCodePage(QStringLiteral("srv,数据,sa,\r\nother,db,u,\r\n"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(saved);
        }
        qputenv("TEZDESK_HOME", QFile::encodeName(fs.path(QString())));
        ProgramFolder(); // the program folder now, full
        fs.fill();
        UnloadForm<FrmSelectADODB>(); // loaded again, it reads the full folder's file
        FrmSelectADODB& dialog = frmSelectADODB();
        QCOMPARE(dialog.cboDB->currentText(), QStringLiteral("数据"));
        if (!remove)
            dialog.cboDB->setCurrentText(QStringLiteral("新库"));
        script.answer(vbOK);
        if (remove)
            dialog.cmdRemove_Click();
        else
            dialog.cmdSave_Click();
        qputenv("TEZDESK_HOME", QFile::encodeName(fx.folder()));

        QCOMPARE(script.messages().size(), 1);
        QVERIFY(script.messages().first().contains(path));
        QVERIFY(script.messages().first().contains(QStringLiteral("No space left on device")));
        QCOMPARE(script.asked().first().icon, vbCritical);
        QCOMPARE(dialog.cboServer->currentText(), QStringLiteral("srv"));
        QCOMPARE(dialog.cboDB->currentText(), remove ? QStringLiteral("数据") : QStringLiteral("新库"));
        QCOMPARE(dialog.txtUserID->text(), QStringLiteral("sa"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
        UnloadForm<FrmSelectADODB>(); // the next test's dialog reads its own program folder
        fx.stop();
    }
};

TEZ_REGISTER_TEST(ConnectionDialogSaveTest)
#include "test_connection_dialog_save.moc"
