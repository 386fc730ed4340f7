// The two boxes converting into each other on every change, against the real library.
#include "InstantTestSupport.h"
#include "common/TestMain.h"

#include "core/Log.h"
#include "core/mTezC.h"
#include "core/TezText.h"
#include "platform/ModalScript.h"

class TestLiveConversion : public InstantTestBase {
    Q_OBJECT

private slots:
    void liveConversion_data()
    {
        QTest::addColumn<bool>("intoTraditional");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("converted");
        QTest::newRow("Simplified 软件") << false << QStringLiteral("软件") << QStringLiteral("軟件");
        QTest::newRow("Simplified 头发") << false << QStringLiteral("头发") << QStringLiteral("頭髮");
        QTest::newRow("Simplified lines") << false << QStringLiteral("发展\n后来") << QStringLiteral("發展\n後來");
        QTest::newRow("Traditional 頭髮") << true << QStringLiteral("頭髮") << QStringLiteral("头发");
        QTest::newRow("Traditional 軟體") << true << QStringLiteral("軟體") << QStringLiteral("软体");
    }

    void liveConversion()
    {
        QFETCH(bool, intoTraditional);
        QFETCH(QString, typed);
        QFETCH(QString, converted);
        QPlainTextEdit* typedBox = intoTraditional ? w().edtB5 : w().edtGB;
        QPlainTextEdit* otherBox = intoTraditional ? w().edtGB : w().edtB5;
        const int calls = TezConversionCount();
        Type(typedBox, typed);
        QCOMPARE(TezConversionCount() - calls, 1);
        QCOMPARE(otherBox->toPlainText(), converted);
        QCOMPARE(typedBox->toPlainText(), typed);
        QVERIFY(w().bFileChanged);
    }

    // The box written by a conversion does not convert back into the box being typed in:
    // 著 stays 著 in the Simplified box although the way back would make it 着.
    void typedTextIsNotConvertedBack()
    {
        Type(w().edtGB, QStringLiteral("著"));
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("著"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("著"));
    }

    void clearingEitherBoxClearsBoth_data()
    {
        QTest::addColumn<bool>("clearTraditional");
        QTest::newRow("Traditional box") << true;
        QTest::newRow("Simplified box") << false;
    }

    void clearingEitherBoxClearsBoth()
    {
        QFETCH(bool, clearTraditional);
        Type(w().edtGB, QStringLiteral("软件"));
        w().bFileChanged = false;
        QPlainTextEdit* box = clearTraditional ? w().edtB5 : w().edtGB;
        QTextCursor cursor = box->textCursor();
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        QVERIFY(w().edtB5->toPlainText().isEmpty());
        QVERIFY(w().edtGB->toPlainText().isEmpty());
        QVERIFY(!w().bFileChanged);
    }

    // A conversion the library refuses loses no text: it is logged, the boxes keep their
    // text, and where a box had to be emptied Undo brings the text back.
    void failedConversionLosesNothing_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("procedure");
        QTest::newRow("typing") << 0 << QStringLiteral("edtGB_Change");
        QTest::newRow("optimisation") << 1 << QStringLiteral("MenuProc");
        QTest::newRow("Unicode file") << 2 << QStringLiteral("ReadUnicodeTextFile");
        QTest::newRow("Unicode paste") << 3 << QStringLiteral("ConvertClipboard");
    }

    void failedConversionLosesNothing()
    {
        QFETCH(int, action);
        QFETCH(QString, procedure);
        gsErrFile = m_dir->filePath(QStringLiteral("tezdesk.ERR"));
        const QString unicodeFile = m_dir->filePath(QStringLiteral("in.txt"));
        WriteFileBytes(unicodeFile, Bytes({0xFF, 0xFE, 'A', 0}));
        ClipboardSetText(QStringLiteral("頭髮"));
        Type(w().edtGB, QStringLiteral("软件"));
        w().bFileChanged = false;

        ModalScript script;
        const int32_t statement = ghStmt;
        ghStmt = 0; // the library refuses every conversion on this handle
        switch (action) {
        case 0:
            Type(w().edtGB, QStringLiteral("头"));
            break;
        case 1:
            w().MenuProc(QStringLiteral("IDM_FILE_L2R"));
            break;
        case 2:
            script.answerFile(unicodeFile).answerDialog(ChooseFileType(4));
            w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
            break;
        case 3:
            w().strSide = QStringLiteral("B5");
            script.answerDialog(AnswerEncoding(1));
            w().MenuProc(QStringLiteral("IDM_EDIT_PASTE"));
            break;
        }
        ghStmt = statement;
        QVERIFY(QString::fromUtf8(ReadFileBytes(gsErrFile)).contains(procedure));

        if (action == 0) {
            QCOMPARE(w().edtB5->toPlainText(), QString());
            w().edtB5_GotFocus();
            w().MenuProc(QStringLiteral("IDM_EDIT_UNDO"));
            QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("软件"));
            QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟件"));
        } else if (action == 3) {
            // The clipboard's own text goes in unconverted.
            QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("頭髮軟件"));
        } else {
            QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("软件"));
            QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟件"));
        }
    }
};

TEZ_REGISTER_TEST(TestLiveConversion)
#include "test_live_conversion.moc"
