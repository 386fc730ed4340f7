#include "common/TestMain.h"
#include "platform/App.h"
#include "platform/CommonDialog.h"
#include "platform/CommonDialogUi.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QDialog>
#include <QGuiApplication>
#include <QTest>

class ModalSeamTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxReportsWhatWasAsked()
    {
        SetAppTitle(QStringLiteral("Velmora"));
        ModalScript script;
        script.answer(vbNo);
        QCOMPARE(MsgBox(QStringLiteral("保存?"), vbYesNo + vbQuestion), vbNo);
        QCOMPARE(script.asked().size(), 1);
        const auto& r = script.asked().first();
        QCOMPARE(r.text, QStringLiteral("保存?"));
        QCOMPARE(r.title, QStringLiteral("Velmora"));
        QCOMPARE(r.icon, vbQuestion);
        QCOMPARE(r.buttons, vbYesNo);
        QCOMPARE(r.defaultButton, 1);

        MsgBox(QStringLiteral("专有?"), vbYesNo + vbDefaultButton2);
        QCOMPARE(script.asked().last().defaultButton, 2);
        QCOMPARE(script.asked().last().buttons, vbYesNo);
        QCOMPARE(script.asked().last().icon, 0);
    }

    void unscriptedQuestionGetsSafeAnswer_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << (vbOKOnly + vbCritical) << vbOK;
        QTest::newRow("ok/cancel") << vbOKCancel << vbCancel;
        QTest::newRow("yes/no") << (vbYesNo + vbExclamation) << vbNo;
        QTest::newRow("yes/no/cancel") << vbYesNoCancel << vbCancel;
    }
    void unscriptedQuestionGetsSafeAnswer()
    {
        QFETCH(int, style);
        QFETCH(int, expected);
        ModalScript script;
        QCOMPARE(MsgBox(QStringLiteral("x"), style, QStringLiteral("t")), expected);
        QCOMPARE(script.unexpected(), 1);
    }

    // With no script and no screen a user could see, a box does not wait for ever: it
    // gets the answer that loses nothing.
    void boxWithoutAScreenIsNotWaitedFor_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << (vbOKOnly + vbCritical) << vbOK;
        QTest::newRow("yes/no/cancel") << (vbYesNoCancel + vbQuestion) << vbCancel;
    }
    void boxWithoutAScreenIsNotWaitedFor()
    {
        QFETCH(int, style);
        QFETCH(int, expected);
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
        QVERIFY(!modal::hasHandler());
        QCOMPARE(MsgBox(QStringLiteral("无法载入"), style), expected);
    }

    void seamTellsWhileItWaits()
    {
        QVERIFY(!modal::isWaiting());
        bool waitingInside = false;
        modal::Handler previous = modal::setHandler([&](const modal::Request&) {
            waitingInside = modal::isWaiting();
            return modal::Answer{vbOK, {}, 0, {}};
        });
        MsgBox(QStringLiteral("?"));
        QVERIFY(waitingInside);
        waitingInside = false;
        QDialog dialog;
        modal::execDialog(dialog);
        QVERIFY(waitingInside);
        modal::setHandler(std::move(previous));
        QVERIFY(!modal::isWaiting());
    }

    void scriptsNestInOrder()
    {
        ModalScript script;
        script.answerDialog([](QDialog& d) {
            // A question asked from inside the dialog takes the next answer.
            if (MsgBox(QStringLiteral("inner"), vbYesNo) == vbYes)
                d.accept();
        });
        script.answer(vbYes);
        QDialog dialog;
        dialog.setObjectName(QStringLiteral("dlgTest"));
        QCOMPARE(modal::execDialog(dialog), int(QDialog::Accepted));
        QCOMPARE(script.asked().size(), 2);
        QCOMPARE(script.asked()[0].dialogName, QStringLiteral("dlgTest"));
        QCOMPARE(script.pending(), 0);
    }

    void fileDialogCancelKeepsName()
    {
        ModalScript script;
        script.cancelFile();
        CommonDialog dlg;
        dlg.FileName = QStringLiteral("/tmp/old.txt");
        dlg.ShowSave();
        QVERIFY(dlg.Cancelled);
        QCOMPARE(dlg.FileName, QStringLiteral("/tmp/old.txt"));
    }

    void fileDialogAddsDefaultExtension()
    {
        ModalScript script;
        script.answerFile(QStringLiteral("/tmp/project"));
        CommonDialog dlg;
        dlg.DefaultExt = QStringLiteral("wsp");
        dlg.Filter = QStringLiteral("WSP Files (*.wsp)|*.wsp|WPP Files (*.wpp)|*.wpp|");
        dlg.Flags = cdlOFNHideReadOnly;
        dlg.ShowSave();
        QCOMPARE(dlg.FileName, QStringLiteral("/tmp/project.wsp"));
        QCOMPARE(script.asked().first().filter, dlg.Filter);
        QCOMPARE(script.asked().first().flags, cdlOFNHideReadOnly);
    }

    // Several files: their common folder, then each file's path under it, NUL-separated;
    // files from several folders keep the paths the dialog gave.
    void multipleSelectionJoinsWithNul_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("joined");
        QTest::newRow("one folder") << QStringList{"/d/a.doc", "/d/b.doc"} << QStringList{"/d", "a.doc", "b.doc"};
        QTest::newRow("second file in a subfolder")
            << QStringList{"/w/a.txt", "/w/sub/b.txt"} << QStringList{"/w", "a.txt", "sub/b.txt"};
        QTest::newRow("first file in a subfolder")
            << QStringList{"/w/sub/b.txt", "/w/a.txt"} << QStringList{"/w", "sub/b.txt", "a.txt"};
        QTest::newRow("sibling folders") << QStringList{"/w/x/a.txt", "/w/xy/b.txt"}
                                         << QStringList{"/w", "x/a.txt", "xy/b.txt"};
        QTest::newRow("only the root in common") << QStringList{"/a.txt", "/home/b.txt"}
                                                 << QStringList{"/", "a.txt", "home/b.txt"};
    }
    void multipleSelectionJoinsWithNul()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, joined);
        ModalScript script;
        script.answerFiles(files);
        CommonDialog dlg;
        dlg.Flags = cdlOFNAllowMultiselect | cdlOFNExplorer;
        dlg.ShowOpen();
        QCOMPARE(dlg.FileName, joined.join(QChar(0)));
    }

    void filtersBecomeQtFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("trailing bar") << QStringLiteral("WSP Files (*.wsp)|*.wsp|WPP Files (*.wpp)|*.wpp|")
                                      << QStringList{"WSP Files (*.wsp)", "WPP Files (*.wpp)"};
        QTest::newRow("no space, two patterns")
            << QStringLiteral("All Files (*.*)|*.*|PCT Files(*.txt;*.pct)|*.txt;*.pct")
            << QStringList{"All Files (*.*)", "PCT Files (*.txt *.pct)"};
    }
    void filtersBecomeQtFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(QtNameFilters(filter), expected);
    }
};

TEZ_REGISTER_TEST(ModalSeamTest)
#include "test_modal.moc"
