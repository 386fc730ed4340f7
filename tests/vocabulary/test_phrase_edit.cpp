// The vocabulary item editor.
#include "common/TestMain.h"

#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "core/LoadedTableList.h"
#include "vocabulary/dlgPhraseEdit.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
struct EditorSeen {
    QString from;
    QString to;
    bool fromShown = false;
    QString upperLabel;
    int upperLabelTop = 0;
    int fromTop = 0;
};

// The editor's inputs: the terms and the first table, of the given status.
void SetEditorInputs(int32_t status, const QString& from, const QString& to)
{
    glPCTStatus.assign(2, 0);
    glPCTStatus[0] = status;
    DlgPhraseEdit::strFrom = from;
    DlgPhraseEdit::strTo = to;
    DlgPhraseEdit::spct = 0;
}

// Shows the editor for a table of the given status; the drive records what it shows,
// types the texts and presses the button.
bool RunEditor(int32_t status, const QString& from, const QString& to, const QString& typeFrom, const QString& typeTo,
               const char* button, EditorSeen& seen, ModalScript& script)
{
    SetEditorInputs(status, from, to);
    script.answerDialog([&, typeFrom, typeTo, button](QDialog& dialog) {
        auto* txtFrom = dialog.findChild<QLineEdit*>(QStringLiteral("txtFrom"));
        auto* txtTo = dialog.findChild<QLineEdit*>(QStringLiteral("txtTo"));
        auto* label2 = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
        seen.from = txtFrom->text();
        seen.to = txtTo->text();
        seen.fromShown = txtFrom->isVisibleTo(&dialog);
        seen.upperLabel = label2->text();
        seen.upperLabelTop = label2->y();
        seen.fromTop = txtFrom->y();
        txtFrom->setText(typeFrom);
        txtTo->setText(typeTo);
        dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    });
    return dlgPhraseEdit().LoadForm();
}
} // namespace

class TestPhraseEdit : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { glPCTStatus.assign(2, 0); }

    void ordinaryTable()
    {
        ModalScript script;
        EditorSeen seen;
        QVERIFY(RunEditor(1, QStringLiteral("软件"), QStringLiteral("軟件"), QString(), QStringLiteral("軟體"), "cmdOK", seen, script));
        QCOMPARE(seen.from, QStringLiteral("软件"));
        QCOMPARE(seen.to, QStringLiteral("軟件"));
        QVERIFY(seen.fromShown);
        QCOMPARE(seen.upperLabel, QStringLiteral("简体用词： "));
        QCOMPARE(seen.upperLabelTop, seen.fromTop);
        // An empty Simplified term is accepted.
        QCOMPARE(DlgPhraseEdit::strFrom, QString());
        QCOMPARE(DlgPhraseEdit::strTo, QStringLiteral("軟體"));
    }

    void escapeDoesNotCancel()
    {
        SetEditorInputs(1, QStringLiteral("软件"), QStringLiteral("軟件"));
        ModalScript script;
        int rejectedByEscape = -1;
        script.answerDialog([&rejectedByEscape](QDialog& dialog) {
            QSignalSpy rejected(&dialog, &QDialog::rejected);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            rejectedByEscape = static_cast<int>(rejected.count());
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        QVERIFY(dlgPhraseEdit().LoadForm());
        QCOMPARE(rejectedByEscape, 0);
    }

    void properNounTable_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("locked, not in use") << 2;
        QTest::newRow("locked, in use") << 3;
    }
    void properNounTable()
    {
        QFETCH(int, status);
        ModalScript script;
        EditorSeen seen;
        QVERIFY(RunEditor(status, QStringLiteral("other"), QStringLiteral("王"), QStringLiteral("other"), QStringLiteral("王小明"),
                          "cmdOK", seen, script));
        QVERIFY(!seen.fromShown);
        QCOMPARE(seen.upperLabel, QStringLiteral("专有名词： "));
        QCOMPARE(DlgPhraseEdit::strFrom, QStringLiteral("王小明"));
        QCOMPARE(DlgPhraseEdit::strTo, QStringLiteral("王小明"));
    }

    void emptyTraditionalTermRefused()
    {
        ModalScript script;
        SetEditorInputs(0, QString(), QString());
        bool stayedOpen = false;
        script.answerDialog([&](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("txtFrom"))->setText(QStringLiteral("软件"));
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
            stayedOpen = dialog.result() != QDialog::Accepted;
            dialog.findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(QStringLiteral(" "));
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        script.answer(vbOK);
        QVERIFY(dlgPhraseEdit().LoadForm());
        QVERIFY(stayedOpen);
        QCOMPARE(script.messages(), QStringList{"您必须填入原文字段。"});
        QCOMPARE(script.asked().at(1).icon, vbInformation);
        QCOMPARE(script.asked().at(1).title, QStringLiteral("词汇编辑"));
        QCOMPARE(DlgPhraseEdit::strTo, QStringLiteral(" "));
    }

    void cancelKeepsInputs()
    {
        ModalScript script;
        EditorSeen seen;
        QVERIFY(!RunEditor(0, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("x"), QStringLiteral("y"), "cmdCancel", seen, script));
        QCOMPARE(DlgPhraseEdit::strFrom, QStringLiteral("a"));
        QCOMPARE(DlgPhraseEdit::strTo, QStringLiteral("b"));
    }

    void closingWithoutButtonIsNotOk()
    {
        ModalScript script;
        SetEditorInputs(0, QStringLiteral("a"), QStringLiteral("b"));
        script.answerDialog([](QDialog& dialog) { dialog.close(); });
        QVERIFY(!dlgPhraseEdit().LoadForm());
    }

    void secondUseShowsSecondInputs()
    {
        ModalScript script;
        EditorSeen first;
        EditorSeen second;
        RunEditor(3, QStringLiteral("x"), QStringLiteral("x"), QString(), QStringLiteral("x"), "cmdOK", first, script);
        RunEditor(0, QStringLiteral("s"), QStringLiteral("t"), QStringLiteral("s"), QStringLiteral("t"), "cmdOK", second, script);
        QCOMPARE(second.from, QStringLiteral("s"));
        QCOMPARE(second.to, QStringLiteral("t"));
        QVERIFY(second.fromShown);
        QCOMPARE(second.upperLabelTop, second.fromTop);
    }
};

TEZ_REGISTER_TEST(TestPhraseEdit)
#include "test_phrase_edit.moc"
