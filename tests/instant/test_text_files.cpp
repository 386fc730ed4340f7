// Opening, dropping and saving text files in the four encodings.
#include "InstantTestSupport.h"
#include "common/TestMain.h"

#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include <QDir>

class TestTextFiles : public InstantTestBase {
    Q_OBJECT

private slots:
    void saveWritesTheSideBox_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<bool>("typeTraditional");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Simplified 你好") << QStringLiteral("GB") << false << QStringLiteral("你好")
                                         << Bytes({0xC4, 0xE3, 0xBA, 0xC3, 0x0D, 0x0A});
        QTest::newRow("Simplified two lines") << QStringLiteral("GB") << false << QStringLiteral("你好\n世界")
                                              << Bytes({0xC4, 0xE3, 0xBA, 0xC3, 0x0D, 0x0A, 0xCA, 0xC0, 0xBD, 0xE7, 0x0D, 0x0A});
        QTest::newRow("Traditional 軟體") << QStringLiteral("B5") << true << QStringLiteral("軟體")
                                          << Bytes({0xB3, 0x6E, 0xC5, 0xE9, 0x0D, 0x0A});
        QTest::newRow("Traditional box of Simplified typing") << QStringLiteral("B5") << false << QStringLiteral("软件")
                                                              << Bytes({0xB3, 0x6E, 0xA5, 0xF3, 0x0D, 0x0A});
    }

    void saveWritesTheSideBox()
    {
        QFETCH(QString, side);
        QFETCH(bool, typeTraditional);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        Type(typeTraditional ? w().edtB5 : w().edtGB, text);
        w().strSide = side;
        const QString path = m_dir->filePath(QStringLiteral("out.txt"));
        ModalScript script;
        script.answerFile(path);
        QVERIFY(w().SaveToFile());
        QCOMPARE(ReadFileBytes(path), bytes);
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().first().kind, modal::Kind::SaveFile);
        QCOMPARE(script.asked().first().filter, QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
        QCOMPARE(script.asked().first().flags, cdlOFNHideReadOnly);
    }

    void saveWithEmptyTraditionalBoxSaysSo()
    {
        ModalScript script;
        script.answer(vbOK);
        w().MenuProc(QStringLiteral("IDM_FILE_SAVEAS"));
        QCOMPARE(script.messages(), QStringList{QStringLiteral("没有内容可存。")});
        QCOMPARE(script.asked().first().title, QStringLiteral("立即转换"));
        QCOMPARE(script.asked().first().buttons, vbOKOnly);
        QCOMPARE(script.unexpected(), 0);

        ModalScript again;
        again.answer(vbOK);
        QVERIFY(!w().SaveToFile());
    }

    // Nothing was saved: the caller (the shut-down question) must not go on as after a save.
    void cancelledSaveWritesNothingAndSaysSo()
    {
        Type(w().edtGB, QStringLiteral("你好"));
        ModalScript script;
        script.cancelFile();
        QVERIFY(!w().SaveToFile());
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void failedSaveKeepsTheOldFile()
    {
        Type(w().edtGB, QStringLiteral("你好"));
        const QString path = m_dir->filePath(QStringLiteral("missing/out.txt"));
        ModalScript script;
        script.answerFile(path);
        QVERIFY(!w().SaveToFile());
        QVERIFY(!QFile::exists(path));
    }

    void openThenSaveGivesTheSameFile_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray nihao = Bytes({0xC4, 0xE3, 0xBA, 0xC3});
        const QByteArray crlf("\r\n");
        QTest::newRow("GB line") << 3 << nihao + crlf << QStringLiteral("你好") << nihao + crlf;
        QTest::newRow("GB two lines") << 3 << nihao + crlf + Bytes({0xCA, 0xC0, 0xBD, 0xE7}) + crlf
                                      << QStringLiteral("你好\n世界") << nihao + crlf + Bytes({0xCA, 0xC0, 0xBD, 0xE7}) + crlf;
        QTest::newRow("GB empty last line") << 3 << nihao + crlf + crlf << QStringLiteral("你好\n") << nihao + crlf + crlf;
        QTest::newRow("GB no last line end") << 3 << nihao << QStringLiteral("你好") << nihao + crlf;
        QTest::newRow("CR line ends") << 3 << QByteArray("a\rb\r") << QStringLiteral("a\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("LF line ends") << 3 << QByteArray("a\nb\n") << QStringLiteral("a\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("Big5") << 1 << Bytes({0xB3, 0x6E, 0xC5, 0xE9}) + crlf << QStringLiteral("軟體")
                              << Bytes({0xB3, 0x6E, 0xC5, 0xE9}) + crlf;
        QTest::newRow("UTF-8") << 3 << QStringLiteral("你好\r\n").toUtf8() << QStringLiteral("你好")
                               << QStringLiteral("你好\r\n").toUtf8();
        QTest::newRow("UTF-8 with mark") << 3 << QByteArray("\xEF\xBB\xBF" "abc\r\n") << QStringLiteral("abc")
                                         << QByteArray("\xEF\xBB\xBF" "abc\r\n");
        QTest::newRow("UTF-8 Traditional") << 1 << QStringLiteral("軟體\r\n").toUtf8() << QStringLiteral("軟體")
                                           << QStringLiteral("軟體\r\n").toUtf8();
        QTest::newRow("empty file") << 3 << QByteArray() << QString() << QByteArray();
        QTest::newRow("UTF-16 taken for GB") << 3 << Bytes({0xFF, 0xFE, 0x60, 0x4F, 0x7D, 0x59, '\r', 0, '\n', 0})
                                             << QStringLiteral("你好") << Bytes({0xC4, 0xE3, 0xBA, 0xC3, 0x0D, 0x0A});
    }

    void openThenSaveGivesTheSameFile()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(QByteArray, saved);
        const QString in = m_dir->filePath(QStringLiteral("in.txt"));
        const QString out = m_dir->filePath(QStringLiteral("out.txt"));
        WriteFileBytes(in, file);
        Type(w().edtGB, QStringLiteral("旧"));
        w().bFileChanged = false;

        ModalScript script;
        script.answerFile(in).answerDialog(ChooseFileType(type));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QPlainTextEdit* target = type == 1 ? w().edtB5 : w().edtGB;
        QCOMPARE(target->toPlainText(), text);
        QVERIFY(!w().bFileChanged);
        QCOMPARE(script.unexpected(), 0);
        if (text.isEmpty())
            return;

        w().strSide = type == 1 ? QStringLiteral("B5") : QStringLiteral("GB");
        script.answerFile(out);
        QVERIFY(w().SaveToFile());
        QCOMPARE(ReadFileBytes(out), saved);
    }

    void openUnicodeFile_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("other");
        QTest::newRow("NUL becomes a blank") << 4 << Bytes({0xFF, 0xFE, 'A', 0, 0, 0, 'B', 0}) << QStringLiteral("A B")
                                             << QStringLiteral("A B");
        QTest::newRow("big-endian") << 4 << Bytes({0xFE, 0xFF, 0x4F, 0x60, 0x59, 0x7D}) << QStringLiteral("你好")
                                    << QStringLiteral("你好");
        QTest::newRow("odd last byte") << 4 << Bytes({0xFF, 0xFE, 'A', 0, 'B'}) << QStringLiteral("A") << QStringLiteral("A");
        QTest::newRow("lines") << 4 << Bytes({0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 'b', 0, '\r', 0, '\n', 0})
                               << QStringLiteral("a\nb") << QStringLiteral("a\nb");
        QTest::newRow("Traditional") << 2 << Bytes({0xFF, 0xFE, 0xDF, 0x8E, 0xD4, 0x9A}) << QStringLiteral("軟體")
                                     << QStringLiteral("软体");
    }

    void openUnicodeFile()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(QString, other);
        const QString in = m_dir->filePath(QStringLiteral("in.txt"));
        WriteFileBytes(in, file);
        ModalScript script;
        script.answerFile(in).answerDialog(ChooseFileType(type));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QPlainTextEdit* target = type == 2 ? w().edtB5 : w().edtGB;
        QPlainTextEdit* otherBox = type == 2 ? w().edtGB : w().edtB5;
        QCOMPARE(target->toPlainText(), text);
        QCOMPARE(otherBox->toPlainText(), other);
        QCOMPARE(script.unexpected(), 0);
    }

    void openAsksOnceAboutUnsavedText_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("No") << vbNo << true;
        QTest::newRow("Cancel") << vbCancel << false;
    }

    void openAsksOnceAboutUnsavedText()
    {
        QFETCH(int, answer);
        QFETCH(bool, loaded);
        const QString in = m_dir->filePath(QStringLiteral("in.txt"));
        WriteFileBytes(in, QByteArray("new\r\n"));
        Type(w().edtGB, QStringLiteral("old"));
        QVERIFY(w().bFileChanged);
        ModalScript script;
        script.answer(answer);
        if (loaded)
            script.answerFile(in).answerDialog(ChooseFileType(3));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.messages(), QStringList{QStringLiteral("内容已被更改，您要保存吗？")});
        QCOMPARE(script.asked().first().title, QStringLiteral("立即转换"));
        QCOMPARE(script.asked().first().buttons, vbYesNoCancel);
        QCOMPARE(script.asked().first().icon, vbQuestion);
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(w().edtGB->toPlainText(), loaded ? QStringLiteral("new") : QStringLiteral("old"));
        QCOMPARE(w().bFileChanged, !loaded);
    }

    void unreadableFileChangesNothing_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("8-bit") << 3;
        QTest::newRow("Unicode") << 4;
    }

    void unreadableFileChangesNothing()
    {
        QFETCH(int, type);
        Type(w().edtGB, QStringLiteral("软件"));
        ModalScript script;
        script.answer(vbNo).answerFile(m_dir->filePath(QStringLiteral("missing.txt"))).answerDialog(ChooseFileType(type));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("软件"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟件"));
    }

    void undoAfterOpenBringsBackTheEarlierText()
    {
        const QString in = m_dir->filePath(QStringLiteral("in.txt"));
        WriteFileBytes(in, QByteArray("abc\r\n"));
        Type(w().edtB5, QStringLiteral("軟件"));
        w().bFileChanged = false;
        ModalScript script;
        script.answerFile(in).answerDialog(ChooseFileType(3));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("abc"));
        w().strSide = QStringLiteral("B5");
        w().MenuProc(QStringLiteral("IDM_EDIT_UNDO"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟件"));
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("软件"));
    }

    void dropFile_data()
    {
        QTest::addColumn<bool>("onTraditional");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("text");
        QTest::newRow("GB on Simplified") << false << 0 << Bytes({0xC4, 0xE3, 0xBA, 0xC3, 0x0D, 0x0A}) << kOwnQuestion
                                          << QStringLiteral("你好");
        QTest::newRow("Unicode on Simplified") << false << 1 << Bytes({0xFF, 0xFE, 'A', 0, 0, 0, 'B', 0}) << kOwnQuestion
                                               << QStringLiteral("A B");
        QTest::newRow("Big5 on Traditional") << true << 0 << Bytes({0xB3, 0x6E, 0xC5, 0xE9}) << kKeyQuestion
                                             << QStringLiteral("軟體");
        QTest::newRow("Unicode on Traditional") << true << 1 << Bytes({0xFF, 0xFE, 0xDF, 0x8E, 0xD4, 0x9A})
                                                << kKeyQuestion << QStringLiteral("軟體");
    }

    void dropFile()
    {
        QFETCH(bool, onTraditional);
        QFETCH(int, answer);
        QFETCH(QByteArray, file);
        QFETCH(QString, question);
        QFETCH(QString, text);
        const QString in = m_dir->filePath(QStringLiteral("dropped.txt"));
        WriteFileBytes(in, file);
        Type(w().edtB5, QStringLiteral("舊"));
        w().bFileChanged = false;
        QString asked;
        ModalScript script;
        script.answerDialog(AnswerEncoding(answer, &asked));
        Drop(onTraditional ? w().edtB5 : w().edtGB, in);
        QCOMPARE(asked, question);
        QCOMPARE((onTraditional ? w().edtB5 : w().edtGB)->toPlainText(), text);
        QVERIFY(!w().bFileChanged);
        QCOMPARE(w().strUndo, QStringLiteral("舊"));
        QCOMPARE(script.unexpected(), 0);
    }

    void dropAsksAboutUnsavedTextOnlyFor8Bit()
    {
        const QString in = m_dir->filePath(QStringLiteral("dropped.txt"));
        WriteFileBytes(in, Bytes({0xFF, 0xFE, 'A', 0}));
        Type(w().edtGB, QStringLiteral("old"));
        {
            ModalScript script;
            script.answerDialog(AnswerEncoding(1));
            Drop(w().edtGB, in);
            QVERIFY(script.messages().isEmpty());
            QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("A"));
        }
        Type(w().edtGB, QStringLiteral("B"));
        {
            ModalScript script;
            script.answerDialog(AnswerEncoding(0)).answer(vbCancel);
            Drop(w().edtGB, in);
            QCOMPARE(script.messages(), QStringList{QStringLiteral("内容已被更改，您要保存吗？")});
            QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("AB"));
        }
    }
};

TEZ_REGISTER_TEST(TestTextFiles)
#include "test_text_files.moc"
