// The new-table dialog.
#include "common/FileBytes.h"
#include "common/TestMain.h"

#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "vocabulary/dlgNewPCT.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestNewPCT : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("TEZDESK_HOME", m_home->path().toUtf8());
    }

    void extensionRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("no dot") << QStringLiteral("abc") << QStringLiteral("abc.pct");
        QTest::newRow("other extension") << QStringLiteral("abc.txt") << QStringLiteral("abc.txt");
        QTest::newRow("trailing dot") << QStringLiteral("abc.") << QStringLiteral("abc.");
        QTest::newRow("Chinese name") << QStringLiteral("词汇") << QStringLiteral("词汇.pct");
    }
    void extensionRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        // Confirmed with Enter: the name box never lost the focus.
        ModalScript script;
        script.answerDialog([typed](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("txtPCTName"))->setText(typed);
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        QVERIFY(dlgNewPCT().ShowDlg());
        QCOMPARE(DlgNewPCT::PCTName, PathJoin(ProgramFolder(), name));
        QVERIFY(!DlgNewPCT::bLockPCT);
        QCOMPARE(script.asked().size(), 1);
    }

    void lostFocusAddsExtension_data()
    {
        QTest::addColumn<bool>("focusEvent");
        QTest::newRow("handler called") << false;
        QTest::newRow("focus leaves the box") << true;
    }
    void lostFocusAddsExtension()
    {
        QFETCH(bool, focusEvent);
        ModalScript script;
        QString shown;
        script.answerDialog([&shown, focusEvent](QDialog& dialog) {
            auto& dlg = static_cast<DlgNewPCT&>(dialog);
            dlg.txtPCTName->setText(QStringLiteral("abc"));
            if (focusEvent) {
                QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
                QCoreApplication::sendEvent(dlg.txtPCTName, &focusOut);
            } else {
                dlg.txtPCTName_LostFocus();
            }
            shown = dlg.txtPCTName->text();
            dlg.chbLockPCT->setChecked(true);
            dlg.cmdOK->click();
        });
        QVERIFY(dlgNewPCT().ShowDlg());
        QCOMPARE(shown, QStringLiteral("abc.pct"));
        QVERIFY(DlgNewPCT::bLockPCT);
    }

    void emptyNameRefused()
    {
        ModalScript script;
        script.answerDialog([](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("txtPCTName"))->text(), QString());
            dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        script.answer(vbOK);
        QVERIFY(!dlgNewPCT().ShowDlg());
        QCOMPARE(script.messages(), QStringList{"请输入词汇表名称。"});
        QCOMPARE(script.asked().at(1).icon, vbInformation);
        QCOMPARE(script.asked().at(1).title, QStringLiteral("新增词汇表"));
    }

    void existingFileRefused_data()
    {
        QTest::addColumn<bool>("inProgramFolder");
        QTest::newRow("in the program folder") << true;
        QTest::newRow("only in the current folder") << false;
    }
    void existingFileRefused()
    {
        QFETCH(bool, inProgramFolder);
        QTemporaryDir elsewhere;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        WriteFileBytes(inProgramFolder ? PathJoin(ProgramFolder(), QStringLiteral("abc.pct")) : QStringLiteral("abc.pct"),
                       QByteArray());

        ModalScript script;
        script.answerDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("txtPCTName"))->setText(QStringLiteral("abc"));
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
            if (dialog.result() != QDialog::Accepted)
                dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        script.answer(vbOK);
        const bool ok = dlgNewPCT().ShowDlg();
        QDir::setCurrent(previous);
        QCOMPARE(ok, !inProgramFolder);
        if (inProgramFolder)
            QCOMPARE(script.messages(), QStringList{"abc.pct 已存在，请输入其他词汇表名称。"});
        else
            QCOMPARE(DlgNewPCT::PCTName, PathJoin(ProgramFolder(), QStringLiteral("abc.pct")));
    }

    void eachShowStartsFresh()
    {
        ModalScript script;
        script.answerDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("txtPCTName"))->setText(QStringLiteral("x"));
            dialog.findChild<QCheckBox*>(QStringLiteral("chbLockPCT"))->setChecked(true);
            dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        QVERIFY(!dlgNewPCT().ShowDlg());
        QString name;
        bool checked = true;
        script.answerDialog([&](QDialog& dialog) {
            name = dialog.findChild<QLineEdit*>(QStringLiteral("txtPCTName"))->text();
            checked = dialog.findChild<QCheckBox*>(QStringLiteral("chbLockPCT"))->isChecked();
            dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        QVERIFY(!dlgNewPCT().ShowDlg());
        QCOMPARE(name, QString());
        QVERIFY(!checked);
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
};

TEZ_REGISTER_TEST(TestNewPCT)
#include "test_new_pct.moc"
