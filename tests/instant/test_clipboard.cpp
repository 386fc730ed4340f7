// Copy as Unicode, the pastes into the two boxes and their encoding question.
#include "InstantTestSupport.h"
#include "common/TestMain.h"

#include "platform/ModalScript.h"

class TestClipboard : public InstantTestBase {
    Q_OBJECT

private slots:
    void copyUnicode_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("Simplified abc") << QStringLiteral("GB") << QStringLiteral("abc") << 3 << QStringLiteral("abc\r\n");
        QTest::newRow("Simplified nothing selected") << QStringLiteral("GB") << QStringLiteral("abc") << 0
                                                     << QStringLiteral("\r\n");
        QTest::newRow("Traditional") << QStringLiteral("B5") << QStringLiteral("軟體") << 2 << QStringLiteral("軟體\r\n");
        QTest::newRow("Traditional lines") << QStringLiteral("B5") << QStringLiteral("頭\n髮") << 3
                                           << QStringLiteral("頭\n髮\r\n");
    }

    void copyUnicode()
    {
        QFETCH(QString, side);
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, clipboard);
        QPlainTextEdit* box = side == QLatin1String("B5") ? w().edtB5 : w().edtGB;
        Type(box, text);
        Select(box, 0, length);
        w().strUndo = QStringLiteral("x");
        w().MenuProc(QStringLiteral("IDM_EDIT_COPYUNICODE"));
        QCOMPARE(ClipboardGetText(), clipboard);
        QVERIFY(w().strUndo.isEmpty());
    }

    void pasteIntoTraditional_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::newRow("Unicode") << 1 << QStringLiteral("頭髮") << QStringLiteral("ab頭髮") << QStringLiteral("ab頭髮\r\n");
        QTest::newRow("Big5") << 0 << QStringLiteral("頭髮") << QStringLiteral("ab頭髮") << QStringLiteral("頭髮");
        QTest::newRow("closed without a choice") << -1 << QStringLiteral("頭髮") << QStringLiteral("ab頭髮")
                                                 << QStringLiteral("頭髮");
        QTest::newRow("Unicode without clipboard text") << 1 << QString() << QStringLiteral("ab") << QString();
    }

    void pasteIntoTraditional()
    {
        QFETCH(int, answer);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        QFETCH(QString, clipboardAfter);
        Type(w().edtB5, QStringLiteral("ab"));
        if (!clipboard.isEmpty())
            ClipboardSetText(clipboard);
        QString asked;
        ModalScript script;
        script.answerDialog(AnswerEncoding(answer, &asked));
        w().MenuProc(QStringLiteral("IDM_EDIT_PASTE"));
        QCOMPARE(asked, kMenuQuestion);
        QCOMPARE(w().edtB5->toPlainText(), text);
        QCOMPARE(ClipboardGetText(), clipboardAfter);
        QCOMPARE(SelLength(w().edtB5), 0);
        QCOMPARE(script.unexpected(), 0);
    }

    void pasteIntoSimplifiedAsksNothing()
    {
        ClipboardSetText(QStringLiteral("软件"));
        w().strSide = QStringLiteral("GB");
        ModalScript script;
        w().MenuProc(QStringLiteral("IDM_EDIT_PASTE"));
        QVERIFY(script.asked().isEmpty());
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("软件"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟件"));
    }

    // The paste keys of the Traditional box ask the question and paste exactly once.
    void pasteKeysOfTheTraditionalBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("asks");
        QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << true;
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << true;
        QTest::newRow("Ctrl+Shift+V") << int(Qt::Key_V) << int(Qt::ControlModifier | Qt::ShiftModifier) << false;
    }

    void pasteKeysOfTheTraditionalBox()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, asks);
        ClipboardSetText(QStringLiteral("頭髮"));
        w().edtB5_GotFocus();
        QString asked;
        ModalScript script;
        if (asks)
            script.answerDialog(AnswerEncoding(0, &asked));
        QTest::keyClick(w().edtB5, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.pending(), 0);
        if (asks) {
            QVERIFY(asked.startsWith(QStringLiteral("正从剪贴板或文件拖曳之内码是")));
            QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("頭髮"));
        }
    }

    void convertClipboard_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("converted");
        QTest::newRow("Traditional text") << QStringLiteral("軟體") << QStringLiteral("軟體");
        QTest::newRow("only up to the text's end") << QStringLiteral("ab") << QStringLiteral("ab");
    }

    void convertClipboard()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, converted);
        ClipboardSetText(clipboard);
        w().ConvertClipboard();
        QCOMPARE(ClipboardGetText(), converted);
    }
};

TEZ_REGISTER_TEST(TestClipboard)
#include "test_clipboard.moc"
