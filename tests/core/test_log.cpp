#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "core/Err.h"
#include "core/Log.h"
#include "platform/App.h"
#include "platform/CodePage.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class LogTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private slots:
    void init()
    {
        gsLogFile = dir.filePath("tezdesk.LOG");
        gsErrFile = dir.filePath("tezdesk.ERR");
        QFile::remove(gsLogFile);
        QFile::remove(gsErrFile);
        gbRunLog = false;
    }

    void errorRecordLayout_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("codeLine");
        QTest::newRow("positive") << 53 << QStringLiteral("运行错误, 代码:  53");
        QTest::newRow("negative") << -5 << QStringLiteral("运行错误, 代码: -5");
        QTest::newRow("zero") << 0 << QStringLiteral("运行错误, 代码:  0");
    }
    void errorRecordLayout()
    {
        QFETCH(int, number);
        QFETCH(QString, codeLine);
        try {
            throw RuntimeError(number, QStringLiteral("File not found"));
        } catch (...) {
            ErrorLog(QStringLiteral("InitMain"));
        }
        const QByteArray bytes = ReadFileBytes(gsErrFile);
        const QString text = FromGB(bytes);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 7); // six lines, each ended by CR LF
        QVERIFY(QRegularExpression(QStringLiteral("^\\*\\*记录时间 - \\d\\d/\\d\\d/\\d\\d, \\d\\d:\\d\\d:\\d\\d $"))
                    .match(lines[0]).hasMatch());
        QCOMPARE(lines[1], QStringLiteral("处理程序: (InitMain)"));
        QCOMPARE(lines[2], codeLine);
        QCOMPARE(lines[3], QStringLiteral("消息: "));
        QCOMPARE(lines[4], QStringLiteral("     File not found"));
        QCOMPARE(lines[5], QString());
        QVERIFY(!bytes.contains('\n' + QByteArray("\n")));
        QCOMPARE(bytes.count("\r\n"), 6);
    }

    void recordsAppend()
    {
        Err().Number = 75;
        Err().Description = QStringLiteral("Path/File access error");
        ErrorLogQuiet(QStringLiteral("A"));
        ErrorLogQuiet(QStringLiteral("B"));
        const QString text = FromGB(ReadFileBytes(gsErrFile));
        QVERIFY(text.indexOf("处理程序: (A)") < text.indexOf("处理程序: (B)"));
    }

    void askReturnsAnswerAndShowsRecord_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << vbYes;
        QTest::newRow("no") << vbNo;
    }
    void askReturnsAnswerAndShowsRecord()
    {
        QFETCH(int, answer);
        SetAppTitle(QStringLiteral("Velmora"));
        ModalScript script;
        script.answer(answer);
        int result = 0;
        try {
            throw RuntimeError(53, QString());
        } catch (...) {
            result = ErrorLogAsk(QStringLiteral("ExecuteDocConv"));
        }
        QCOMPARE(result, answer);
        const auto& asked = script.asked().first();
        QVERIFY(asked.text.startsWith(QStringLiteral("处理程序: (ExecuteDocConv)\r\n")));
        QVERIFY(asked.text.endsWith(QStringLiteral("\r\n\r\n  是否要继续运行作业?")));
        QCOMPARE(asked.icon, vbExclamation);
        QCOMPARE(asked.buttons, vbYesNo);
        QCOMPARE(asked.title, QStringLiteral("Velmora"));
    }

    void runLogOnlyWhileSwitchedOn()
    {
        WriteLog(QStringLiteral("nothing"));
        QVERIFY(!QFile::exists(gsLogFile));
        gbRunLog = true;
        WriteLog(QStringLiteral("启动"));
        gbRunLog = false;
        const QString text = FromGB(ReadFileBytes(gsLogFile));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d => 启动\r\n$"))
                    .match(text).hasMatch());
    }

    void writeTextAlwaysAppends()
    {
        const QString path = dir.filePath("SchedLog.txt");
        QFile::remove(path);
        WriteTEXT(QStringLiteral("一"), path);
        WriteTEXT(QStringLiteral("二"), path);
        QCOMPARE(FromGB(ReadFileBytes(path)), QStringLiteral("一\r\n二\r\n"));
    }

    void sizeChecks_data()
    {
        QTest::addColumn<bool>("errorLog");
        QTest::addColumn<int>("limit");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("kept");
        QTest::newRow("err at limit") << true << 100 << qint64(102400) << true;
        QTest::newRow("err over limit") << true << 100 << qint64(102401) << false;
        QTest::newRow("log at limit") << false << 200 << qint64(204800) << true;
        QTest::newRow("log over limit") << false << 200 << qint64(204801) << false;
    }
    void sizeChecks()
    {
        QFETCH(bool, errorLog);
        QFETCH(int, limit);
        QFETCH(qint64, size);
        QFETCH(bool, kept);
        const QString path = errorLog ? gsErrFile : gsLogFile;
        WriteFileBytes(path, QByteArray(size, 'x'));
        if (errorLog)
            CheckErrFileSize(limit);
        else
            CheckLogFileSize(limit);
        QCOMPARE(QFile::exists(path), kept);
    }

    void missingLogIsNoError()
    {
        CheckLogFileSize(200);
        CheckErrFileSize(100);
        QVERIFY(!QFile::exists(gsErrFile));
    }
};

TEZ_REGISTER_TEST(LogTest)
#include "test_log.moc"
