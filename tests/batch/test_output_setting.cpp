#include "BatchFixture.h"

#include "batch/frmSelectDir.h"
#include "common/TestMain.h"
#include "platform/LastFolder.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Puts the output settings dialog into a known state: the folder option with strDir "/before".
FrmOutputSetting& FreshSettings()
{
    FrmOutputSetting& dlg = frmOutputSetting();
    dlg.opDir_Click();
    dlg.opSelectDir = true;
    dlg.strDir = QStringLiteral("/before");
    dlg.txtDir->setText(QStringLiteral("/before"));
    return dlg;
}

QString Rooted(const BatchFixture& fx, QString text) { return text.replace(QLatin1Char('~'), fx.root()); }

} // namespace

class OutputSettingTest : public QObject {
    Q_OBJECT

private slots:
    // The folder offered is a visible one in the user's documents folder, made when the
    // settings are first accepted.
    void startValues()
    {
        BatchFixture fx;
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        const QString home = fx.root() + QStringLiteral("/home");
        QDir().mkpath(home);
        qputenv("HOME", QFile::encodeName(home));
        qunsetenv("XDG_CONFIG_HOME");
        UnloadForm<FrmOutputSetting>();
        FrmOutputSetting& dlg = frmOutputSetting();
        qputenv("HOME", oldHome);
        if (hadConfig)
            qputenv("XDG_CONFIG_HOME", oldConfig);
        const QString expected = home + QStringLiteral("/Documents/") + QFileInfo(ProgramFolder()).fileName();
        QCOMPARE(dlg.strDir, expected);
        QCOMPARE(dlg.txtDir->text(), dlg.strDir);
        QVERIFY(dlg.opSelectDir);
        QVERIFY(dlg.opDir->isChecked());
        QVERIFY(!QFileInfo::exists(dlg.strDir));

        ModalScript script;
        script.answerDialog([&](QDialog&) { dlg.cmdOK_Click(); });
        QVERIFY(dlg.ShowDlg());
        QCOMPARE(script.unexpected(), 0);
        QVERIFY(QFileInfo(expected).isDir());
        UnloadForm<FrmOutputSetting>();
    }

    void ok_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("autoName");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("buttons"); // of the last message
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("strDir");
        QTest::addColumn<int>("makeDirRecords");
        QTest::newRow("empty text") << "" << false << QList<int> { vbOK } << QStringList { "请输入信息夹。" } << vbOKOnly
                                    << false << "/before" << 0;
        QTest::newRow("existing folder, confirmed")
            << "~/t/x" << false << QList<int> { vbOK } << QStringList { "信息夹:~/t/x 已存在，您确定吗？" } << vbOKCancel
            << true << "~/t/x" << 0;
        QTest::newRow("existing folder, cancelled")
            << "~/t/x" << false << QList<int> { vbCancel } << QStringList { "信息夹:~/t/x 已存在，您确定吗？" }
            << vbOKCancel << false << "/before" << 0;
        QTest::newRow("a file") << "~/t/f" << false << QList<int> { vbOK } << QStringList { "~/t/f 不是合法信息夹。" }
                                << vbOKOnly << false << "/before" << 0;
        QTest::newRow("a new folder is made with its parents")
            << "~/t/new/a" << false << QList<int> {} << QStringList {} << 0 << true << "~/t/new/a" << 0;
        QTest::newRow("a folder that cannot be made")
            << "~/t/f/x" << false << QList<int> { vbOK } << QStringList { "~/t/f/x 不是合法信息夹。" } << vbOKOnly << false
            << "/before" << 1;
        QTest::newRow("auto-naming asks nothing") << "~/t/f" << true << QList<int> {} << QStringList {} << 0 << true << ""
                                                  << 0;
    }
    void ok()
    {
        QFETCH(QString, text);
        QFETCH(bool, autoName);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, messages);
        QFETCH(int, buttons);
        QFETCH(bool, accepted);
        QFETCH(QString, strDir);
        QFETCH(int, makeDirRecords);
        BatchFixture fx;
        fx.makeFolder(QStringLiteral("t/x"));
        fx.makeFile(QStringLiteral("t/f"));
        FrmOutputSetting& dlg = FreshSettings();
        ModalScript script;
        script.answerDialog([&](QDialog&) {
            if (autoName)
                dlg.opAutoName_Click();
            dlg.txtDir->setText(Rooted(fx, text));
            dlg.cmdOK_Click();
        });
        for (int answer : answers)
            script.answer(answer);

        QCOMPARE(dlg.ShowDlg(), accepted);

        QStringList asked = script.messages();
        QCOMPARE(asked, QStringList(messages).replaceInStrings(QStringLiteral("~"), fx.root()));
        if (!messages.isEmpty()) {
            QCOMPARE(script.asked().last().buttons, buttons);
            QCOMPARE(script.asked().last().icon, 0);
            QCOMPARE(script.asked().last().title, QStringLiteral("文件信息夹设置"));
        }
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(dlg.strDir, Rooted(fx, strDir));
        QCOMPARE(dlg.opSelectDir, !(accepted && autoName));
        QCOMPARE(dlg.txtDir->text(), Rooted(fx, text)); // the box keeps what was typed
        if (accepted && !autoName)
            QVERIFY(QFileInfo(Rooted(fx, text)).isDir());
        QCOMPARE(fx.errorRecords(QStringLiteral("MakeDir")), makeDirRecords);
    }

    // Cancel restores the option group from the accepted setting; the box keeps the typed text.
    void cancel()
    {
        BatchFixture fx;
        FrmOutputSetting& dlg = FreshSettings();
        ModalScript script;
        script.answerDialog([&](QDialog&) {
            dlg.opAutoName_Click();
            dlg.txtDir->setText(QStringLiteral("/typed"));
            dlg.cmdCancel_Click();
        });
        QVERIFY(!dlg.ShowDlg());
        QVERIFY(dlg.opDir->isChecked());
        QVERIFY(dlg.txtDir->isEnabled() && dlg.cmdBrowse->isEnabled() && dlg.lbDir->isEnabled());
        QCOMPARE(dlg.txtDir->text(), QStringLiteral("/typed"));
        QCOMPARE(dlg.strDir, QStringLiteral("/before"));
        QVERIFY(dlg.opSelectDir);
    }

    void autoNameDisablesTheFolderControls()
    {
        BatchFixture fx;
        FrmOutputSetting& dlg = FreshSettings();
        dlg.opAutoName_Click();
        QVERIFY(!dlg.txtDir->isEnabled() && !dlg.cmdBrowse->isEnabled() && !dlg.lbDir->isEnabled());
        dlg.opDir_Click();
        QVERIFY(dlg.txtDir->isEnabled() && dlg.cmdBrowse->isEnabled() && dlg.lbDir->isEnabled());
    }

    // Browse opens the picker at the folder in the box (the program folder for an empty box);
    // OK puts the picker's path into the box, Cancel leaves the box alone.
    void browse_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("list"); // the folder list's current folder
        QTest::addColumn<QString>("after");
        QTest::newRow("picked") << "~/t/x" << true << "~/t/x" << "~/t/x" << "~/picked";
        QTest::newRow("cancelled") << "~/t/x" << false << "~/t/x" << "~/t/x" << "~/t/x";
        QTest::newRow("empty box starts at the folder used last") << "" << false << "~/t/x" << "~/t/x" << "";
        QTest::newRow("a folder still to be made") << "~/t/x/new" << true << "~/t/x/new" << "~/t/x" << "~/picked";
    }
    void browse()
    {
        QFETCH(QString, box);
        QFETCH(bool, confirm);
        QFETCH(QString, start);
        QFETCH(QString, list);
        QFETCH(QString, after);
        BatchFixture fx;
        fx.makeFolder(QStringLiteral("t/x"));
        RememberUsedFolder(fx.path(QStringLiteral("t/x")));
        FrmOutputSetting& dlg = FreshSettings();
        dlg.txtDir->setText(Rooted(fx, box));
        QString startShown;
        QString listShown;
        ModalScript script;
        script.answerDialog([&](QDialog& d) {
            auto& picker = static_cast<FrmSelectDir&>(d);
            startShown = picker.txtDir->text();
            listShown = picker.Dir1Path();
            if (confirm) {
                picker.txtDir->setText(fx.path(QStringLiteral("picked")));
                picker.cmdOK_Click();
            } else {
                picker.cmdCancel_Click();
            }
        });
        dlg.cmdBrowse_Click();
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().first().dialogName, QStringLiteral("frmSelectDir"));
        QCOMPARE(startShown, Rooted(fx, start));
        QCOMPARE(listShown, Rooted(fx, list));
        QCOMPARE(dlg.txtDir->text(), Rooted(fx, after));
        QCOMPARE(FrmSelectDir::path, confirm ? fx.path(QStringLiteral("picked")) : QString());
        QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("picked"))));
    }

    // Without presets the picker opens at the current folder; closing it otherwise than by OK
    // is a Cancel.
    void pickerOnItsOwn_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("result");
        QTest::newRow("OK") << "ok" << true;
        QTest::newRow("Cancel") << "cancel" << false;
        QTest::newRow("close box") << "close" << false;
        QTest::newRow("not answered") << "none" << false;
    }
    void pickerOnItsOwn()
    {
        QFETCH(QString, how);
        QFETCH(bool, result);
        BatchFixture fx;
        QDir::setCurrent(fx.makeFolder(QStringLiteral("cur")));
        FrmSelectDir::path = QStringLiteral("/last");
        QString shown;
        ModalScript script;
        script.answerDialog([&](QDialog& d) {
            auto& picker = static_cast<FrmSelectDir&>(d);
            shown = picker.txtDir->text();
            if (how == QLatin1String("ok"))
                picker.cmdOK_Click();
            else if (how == QLatin1String("cancel"))
                picker.cmdCancel_Click();
            else if (how == QLatin1String("close"))
                picker.close();
        });
        QCOMPARE(frmSelectDir().OpenForm(), result);
        QCOMPARE(shown, fx.path(QStringLiteral("cur")));
        QCOMPARE(FrmSelectDir::path, result ? fx.path(QStringLiteral("cur")) : QString());
        QVERIFY(!IsFormLoaded<FrmSelectDir>());
    }
};

TEZ_REGISTER_TEST(OutputSettingTest)
#include "test_output_setting.moc"
