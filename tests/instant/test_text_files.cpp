// Opening, dropping and saving text files in the four encodings.
#include "InstantTestSupport.h"
#include "common/TestMain.h"

#include "platform/ModalScript.h"
#include "common/SmallFileSystem.h"
#include "platform/MsgBox.h"
#include <QDir>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const QString kSaveFailed = QStringLiteral("无法保存文件（磁盘已满或不能写入），原有文件未被更改：");

const QString kSimplified = QStringLiteral("软件和鼠标的使用说明\n这个软件可以把简体中文转换成繁体中文，也可以把繁体中文转换成简体中文。"
                                           "请先选择文件，然后按“转换”。");
const QString kTraditional = QStringLiteral("軟體和滑鼠的使用說明\n這個軟體可以把簡體中文轉換成繁體中文，也可以把繁體中文轉換成簡體中文。"
                                            "請先選擇檔案，然後按「轉換」。");

QString DataFile(const QString& name)
{
    // __FILE__ is relative to the folder the test was built in, that of the executable.
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(__FILE__));
    return QFileInfo(source).dir().filePath(QStringLiteral("data/") + name);
}

// Accepts the file-type question as it is offered; the option offered is kept in *offered.
std::function<void(QDialog&)> AcceptOfferedType(int* offered)
{
    return [offered](QDialog& dialog) {
        auto& d = static_cast<dlgFileType&>(dialog);
        const QRadioButton* options[] = {d.opTBig5, d.opTUnicode, d.opSGB, d.opSUnicode};
        *offered = 0;
        for (int i = 0; i < 4; ++i)
            if (options[i]->isChecked())
                *offered = i + 1;
        d.cmdOK->click();
    };
}
} // namespace

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
        script.answer(vbOK);
        QVERIFY(!w().SaveToFile());
        QVERIFY(!QFile::exists(path));
        QCOMPARE(script.messages(), QStringList{kSaveFailed + path});
        QCOMPARE(script.asked().last().icon, vbCritical);
    }

    void saveOnAFullDiskSaysSoAndKeepsTheOldFile()
    {
        SmallFileSystem fs;
        SKIP_UNLESS_MOUNTED(fs);
        const QString path = fs.path(QStringLiteral("out.txt"));
        WriteFileBytes(path, QByteArray("old\r\n"));
        fs.fill();
        Type(w().edtGB, QStringLiteral("你好"));
        ModalScript script;
        script.answerFile(path).answer(vbOK);
        QVERIFY(!w().SaveToFile());
        QCOMPARE(script.messages(), QStringList{kSaveFailed + path});
        QCOMPARE(ReadFileBytes(path), QByteArray("old\r\n"));
        QCOMPARE(fs.names(), QStringList{QStringLiteral("out.txt")});
        QVERIFY(w().bFileChanged);
    }

    // "No" to the question, then no file: the text is still unsaved, and exit asks about it.
    void cancelledOpenKeepsTheTextChanged_data()
    {
        QTest::addColumn<bool>("fileChosen");
        QTest::newRow("file dialog cancelled") << false;
        QTest::newRow("file type cancelled") << true;
    }
    void cancelledOpenKeepsTheTextChanged()
    {
        QFETCH(bool, fileChosen);
        const QString in = m_dir->filePath(QStringLiteral("in.txt"));
        WriteFileBytes(in, QByteArray("new\r\n"));
        Type(w().edtGB, QStringLiteral("old"));
        ModalScript script;
        script.answer(vbNo);
        if (fileChosen)
            script.answerFile(in).answerDialog([](QDialog& d) { static_cast<dlgFileType&>(d).cmdCancel->click(); });
        else
            script.cancelFile();
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("old"));
        QVERIFY(w().bFileChanged);

        ModalScript exit;
        exit.answer(vbCancel);
        int cancel = 0;
        frmMain().Form_Unload(cancel);
        QCOMPARE(exit.messages(), QStringList{QStringLiteral("立即转换内容已被更改，您要保存吗？")});
        QCOMPARE(exit.asked().first().buttons, vbYesNoCancel);
        QCOMPARE(cancel, 1);
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
        // A Unicode file taken for an 8-bit one is read as Unicode and written back as it was.
        QTest::newRow("UTF-16 taken for GB") << 3 << Bytes({0xFF, 0xFE, 0x60, 0x4F, 0x7D, 0x59, '\r', 0, '\n', 0})
                                             << QStringLiteral("你好") << Bytes({0xFF, 0xFE, 0x60, 0x4F, 0x7D, 0x59, '\r', 0, '\n', 0});
        QTest::newRow("UTF-16 big-endian taken for Big5") << 1 << Bytes({0xFE, 0xFF, 0x8E, 0xDF, 0, '\r', 0, '\n'})
                                                          << QStringLiteral("軟") << Bytes({0xFE, 0xFF, 0x8E, 0xDF, 0, '\r', 0, '\n'});
        // GB codes that are valid UTF-8 too, opened as GB and as Big5.
        QTest::newRow("GB that is valid UTF-8") << 3 << Bytes({0xD0, 0xA1, 0xD1, 0xA7}) + crlf << QStringLiteral("小学")
                                                << Bytes({0xD0, 0xA1, 0xD1, 0xA7}) + crlf;
        QTest::newRow("Big5 user-defined code") << 1 << Bytes({0x81, 0x40, 0xA4, 0x40}) + crlf << QStringLiteral("\uEEB8一")
                                                << Bytes({0x81, 0x40, 0xA4, 0x40}) + crlf;
        QTest::newRow("GB euro 80") << 3 << Bytes({0x80, 0x41}) + crlf << QStringLiteral("€A") << Bytes({0x80, 0x41}) + crlf;
        QTest::newRow("Big5 second codes of box drawing") << 1 << Bytes({0xA4, 0x40, 0xF9, 0xF9, 0xF9, 0xFA, 0xA2, 0xA4}) + crlf
                                                          << QStringLiteral("一\u2550\u256D\u2550")
                                                          << Bytes({0xA4, 0x40, 0xF9, 0xF9, 0xF9, 0xFA, 0xA2, 0xA4}) + crlf;
        QTest::newRow("GB user-defined code on LF lines") << 3 << Bytes({'a', '\n', 0xAA, 0xA1, '\n', 0x80, '\n'})
                                                          << QStringLiteral("a\n\uE000\n€")
                                                          << Bytes({'a', '\r', '\n', 0xAA, 0xA1, '\r', '\n', 0x80, '\r', '\n'});
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

    // The question offers what the file is (the box of its code page or, for Unicode text,
    // of its script); accepted as offered, the text lands in that box and converts.
    void openOffersWhatTheFileIs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("offered");
        QTest::addColumn<QString>("text");
        QTest::newRow("GB") << DataFile(QStringLiteral("simplified-gb.txt")) << 3 << kSimplified;
        QTest::newRow("Big5") << DataFile(QStringLiteral("traditional-big5.txt")) << 1 << kTraditional;
        QTest::newRow("UTF-8 Simplified") << DataFile(QStringLiteral("simplified-utf8.txt")) << 3 << kSimplified;
        QTest::newRow("UTF-16 Traditional") << DataFile(QStringLiteral("traditional-utf16.txt")) << 2 << kTraditional;
        QTest::newRow("UTF-16 Simplified") << DataFile(QStringLiteral("simplified-utf16.txt")) << 4 << kSimplified;
        QTest::newRow("nothing tells: Big5") << QString() << 1 << QStringLiteral("plain text");
    }
    void openOffersWhatTheFileIs()
    {
        QFETCH(QString, file);
        QFETCH(int, offered);
        QFETCH(QString, text);
        if (file.isEmpty()) {
            file = m_dir->filePath(QStringLiteral("plain.txt"));
            WriteFileBytes(file, "plain text\r\n");
        }
        int shown = -1;
        ModalScript script;
        script.answerFile(file).answerDialog(AcceptOfferedType(&shown));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(shown, offered);
        const bool traditional = offered == 1 || offered == 2;
        QCOMPARE((traditional ? w().edtB5 : w().edtGB)->toPlainText(), text);
        const QString other = (traditional ? w().edtGB : w().edtB5)->toPlainText();
        QCOMPARE(other.size(), text.size());
        QVERIFY2(!other.contains(QLatin1Char('?')), qPrintable(other));
    }

    // A choice that cannot read the file without loss says so before it fills a box: "No"
    // asks again (offering what the file is), "Yes" opens the file as chosen.
    void choiceThatLosesTextAsksFirst_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text");
        const QString gbFile = DataFile(QStringLiteral("simplified-gb.txt"));
        const QString lostInBig5 = QStringLiteral("此文件有 17 个字符不能用“繁体 BIG5”表示（如“软”），打开后会丢失。");
        QTest::newRow("GB as Big5, asked again") << gbFile << 1 << int(vbNo) << lostInBig5 << kSimplified;
        QTest::newRow("GB as Big5, opened anyway") << gbFile << 1 << int(vbYes) << lostInBig5 << kSimplified;
        QTest::newRow("UTF-8 as Unicode, asked again")
            << DataFile(QStringLiteral("simplified-utf8.txt")) << 4 << int(vbNo)
            << QStringLiteral("此文件不是 UNICODE (UTF-16) 文件，按“简体 UNICODE”打开会读成乱码。") << kSimplified;
        QTest::newRow("GB that is valid UTF-8 as Big5, opened anyway")
            << QString() << 1 << int(vbYes) << QStringLiteral("此文件有 1 个字符不能用“繁体 BIG5”表示（如“学”），打开后会丢失。")
            << QStringLiteral("小学");
    }
    void choiceThatLosesTextAsksFirst()
    {
        QFETCH(QString, file);
        QFETCH(int, choice);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(QString, text);
        const QByteArray smallGb = Bytes({0xD0, 0xA1, 0xD1, 0xA7, '\r', '\n'});
        if (file.isEmpty()) {
            file = m_dir->filePath(QStringLiteral("in.txt"));
            WriteFileBytes(file, smallGb);
        }
        Type(w().edtGB, QStringLiteral("旧"));
        w().bFileChanged = false;
        int offeredAgain = 0;
        ModalScript script;
        script.answerFile(file).answerDialog(ChooseFileType(choice)).answer(answer);
        if (answer == vbNo)
            script.answerDialog(AcceptOfferedType(&offeredAgain));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.pending(), 0);
        QCOMPARE(script.messages().size(), 1);
        QVERIFY2(script.messages().first().startsWith(message), qPrintable(script.messages().first()));
        QCOMPARE(script.asked().at(2).kind, modal::Kind::Message);
        QCOMPARE(script.asked().at(2).defaultButton, 2);
        if (answer == vbNo) {
            QCOMPARE(offeredAgain, 3);
            QCOMPARE(w().edtGB->toPlainText(), text);
            return;
        }
        QCOMPARE(w().edtB5->toPlainText(), text);
        if (file.startsWith(m_dir->path())) {
            // Saved again, the file keeps its codes.
            const QString out = m_dir->filePath(QStringLiteral("out.txt"));
            w().strSide = QStringLiteral("B5");
            script.answerFile(out);
            QVERIFY(w().SaveToFile());
            QCOMPARE(ReadFileBytes(out), smallGb);
        }
    }

    // Codes of the file stand where the text was not edited; the edited stretch is normalised.
    void editedTextKeepsTheCodesOutsideTheEdit()
    {
        const QString in = m_dir->filePath(QStringLiteral("in.txt"));
        const QString out = m_dir->filePath(QStringLiteral("out.txt"));
        const QByteArray boxes = Bytes({0xF9, 0xF9, 0xA4, 0x40, 0xF9, 0xF9, 0x0D, 0x0A, 0xF9, 0xFA, 0x0D, 0x0A});
        WriteFileBytes(in, boxes);
        ModalScript script;
        script.answerFile(in).answerDialog(ChooseFileType(1));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("\u2550一\u2550\n\u256D"));
        // Replace 一 by 二: the box drawing before and after it keeps its codes.
        Select(w().edtB5, 1, 1);
        w().edtB5->insertPlainText(QStringLiteral("二"));
        w().strSide = QStringLiteral("B5");
        script.answerFile(out);
        QVERIFY(w().SaveToFile());
        QCOMPARE(ReadFileBytes(out), Bytes({0xF9, 0xF9, 0xA4, 0x47, 0xF9, 0xF9, 0x0D, 0x0A, 0xF9, 0xFA, 0x0D, 0x0A}));
        QCOMPARE(script.unexpected(), 0);
    }

    // After a UTF-8 file, a cleared box starts a new text, saved in the box's code page.
    void clearedTextSavesInTheCodePage_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("Traditional box: Big5") << QStringLiteral("B5") << Bytes({0xB3, 0x6E, 0xC5, 0xE9, 0x0D, 0x0A});
        QTest::newRow("Simplified box: GB") << QStringLiteral("GB") << Bytes({0xC8, 0xED, 0xCC, 0xE5, 0x0D, 0x0A});
    }
    void clearedTextSavesInTheCodePage()
    {
        QFETCH(QString, side);
        QFETCH(QByteArray, saved);
        const QString in = m_dir->filePath(QStringLiteral("in.txt"));
        const QString out = m_dir->filePath(QStringLiteral("out.txt"));
        WriteFileBytes(in, QStringLiteral("軟體 UTF-8\r\n").toUtf8());
        ModalScript script;
        script.answerFile(in).answerDialog(ChooseFileType(1));
        w().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟體 UTF-8"));
        w().MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
        Type(w().edtB5, QStringLiteral("軟體"));
        w().strSide = side;
        script.answerFile(out);
        QVERIFY(w().SaveToFile());
        QCOMPARE(ReadFileBytes(out), saved);
        QCOMPARE(script.unexpected(), 0);
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
