// Office services without a running office: detection of a user's office, what the start,
// the word-processor operations and the converters do when the office cannot be started or
// the document is not there, and the names of RTF intermediates.
#include "common/OfficeTestSupport.h"
#include "common/TestMain.h"

#include "core/Err.h"
#include "core/LoadedTableList.h"
#include "core/dlgProgress.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "office/basMSOUtil.h"
#include "platform/office/OfficeDocument.h"
#include "platform/office/UserOffice.h"

#include <QFile>
#include <QProcess>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using office_tests::ErrorLogFile;

namespace {

// A process whose program is named like the office's: a copy of the shell that waits.
class FakeOffice {
public:
    explicit FakeOffice(const QStringList& extraArguments = {})
    {
        const QString program = m_dir.filePath(QStringLiteral("soffice.bin"));
        QFile::copy(QStringLiteral("/bin/sh"), program);
        m_process.start(program, QStringList{QStringLiteral("-c"), QStringLiteral("sleep 30; true")} + extraArguments);
        m_process.waitForStarted();
    }
    ~FakeOffice()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

// While alive, the program's office is one that cannot start (its program folder is empty).
class OfficeNotInstalled {
public:
    OfficeNotInstalled()
    {
        office::OfficeSettings settings;
        settings.programDir = m_dir.path();
        settings.profileDir = m_dir.filePath(QStringLiteral("profile"));
        office_session::SetProgramOfficeSettings(settings);
    }
    ~OfficeNotInstalled() { office_session::SetProgramOfficeSettings(office::DefaultOfficeSettings()); }

private:
    QTemporaryDir m_dir;
};

}  // namespace

class TestOfficeServices : public QObject {
    Q_OBJECT
private slots:
    void detectionFindsAUsersOfficeButNotTheProgramsOwn()
    {
        if (office::UserOfficeRunning())
            QSKIP("an office of this user is running on this machine");
        ErrorLogFile log;
        QVERIFY(!DetectWord());
        {
            FakeOffice own({QStringLiteral("--accept=pipe,name=") + office::OwnPipePrefix() + QStringLiteral("1-0;urp;")});
            QVERIFY(!DetectWord());
            QVERIFY(!DetectExcel());
            QVERIFY(!DetectPowerPoint());
        }
        {
            FakeOffice users;
            QVERIFY(DetectWord());
            QVERIFY(DetectExcel());
            QVERIFY(DetectPowerPoint());
        }
        QVERIFY(log.procedures().isEmpty());
    }

    void startFailsWithOneRecordUnderTheStartsName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Word") << QStringLiteral("InitWordApp");
        QTest::newRow("Excel") << QStringLiteral("InitExcelApp");
        QTest::newRow("PowerPoint") << QStringLiteral("InitPowerPointApp");
    }
    void startFailsWithOneRecordUnderTheStartsName()
    {
        QFETCH(QString, name);
        const std::map<QString, std::function<bool()>> starts{
            {QStringLiteral("InitWordApp"), InitWordApp},
            {QStringLiteral("InitExcelApp"), InitExcelApp},
            {QStringLiteral("InitPowerPointApp"), InitPowerPointApp}};
        OfficeNotInstalled notInstalled;
        ErrorLogFile log;
        QVERIFY(!starts.at(name)());
        QCOMPARE(log.procedures(), QStringList{name});
        QVERIFY(!gWordApp && !gExcelApp && !gPPTApp);
        QVERIFY(!office_session::IsHeld());
        QCOMPARE(Err().Number, errCannotCreateObject);
    }

    void quitWithoutAStartSucceeds()
    {
        ErrorLogFile log;
        QVERIFY(ExitWordApp());
        QVERIFY(ExitExcelApp());
        QVERIFY(ExitPowerPointApp());
        QVERIFY(log.procedures().isEmpty());
    }

    // The word-processor operations trap nothing: the failure reaches the caller, nothing
    // is logged, and no output appears.
    void wordOperationsFailTowardTheCaller_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("inputExists");
        QTest::addColumn<int>("number");
        for (const char* op : {"WordSaveAsRtf", "WordSaveAsWord8", "WordClearFindFormatting"}) {
            QTest::addRow("%s, office not installed", op) << QString::fromLatin1(op) << true << errCannotCreateObject;
            QTest::addRow("%s, document missing", op) << QString::fromLatin1(op) << false << errFileNotFound;
        }
    }
    void wordOperationsFailTowardTheCaller()
    {
        QFETCH(QString, operation);
        QFETCH(bool, inputExists);
        QFETCH(int, number);
        OfficeNotInstalled notInstalled;
        ErrorLogFile log;
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("in.doc"));
        const QString output = dir.filePath(QStringLiteral("out.doc"));
        if (inputExists)
            QVERIFY(office_tests::WriteBytes(input, office_tests::RtfBody(QStringLiteral("正文"))));
        const std::map<QString, std::function<void()>> operations{
            {QStringLiteral("WordSaveAsRtf"), [&] { WordSaveAsRtf(input, output); }},
            {QStringLiteral("WordSaveAsWord8"), [&] { WordSaveAsWord8(input, output); }},
            {QStringLiteral("WordClearFindFormatting"), [&] { WordClearFindFormatting(input, true); }}};
        try {
            operations.at(operation)();
            QFAIL("no failure reached the caller");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), number);
        }
        QVERIFY(!QFile::exists(output));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), inputExists ? 1 : 0);
        QVERIFY(log.procedures().isEmpty());
    }

    void rtfCopyNeverReplacesItsSource_data()
    {
        QTest::addColumn<QString>("outputName");
        QTest::newRow("same path") << QStringLiteral("in.doc");
        QTest::newRow("through a dot folder") << QStringLiteral("./sub/../in.doc");
        QTest::newRow("through a link") << QStringLiteral("link.doc");
    }
    void rtfCopyNeverReplacesItsSource()
    {
        QFETCH(QString, outputName);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("sub")));
        const QString input = dir.filePath(QStringLiteral("in.doc"));
        const QByteArray bytes = office_tests::RtfBody(QStringLiteral("正文"));
        QVERIFY(office_tests::WriteBytes(input, bytes));
        QFile::link(input, dir.filePath(QStringLiteral("link.doc")));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, WordSaveAsRtf(input, dir.filePath(outputName)));
        QCOMPARE(office_tests::ReadBytes(input), bytes);
    }

    // Without loaded tables, or with an empty extra table, nothing is started or touched:
    // the office here could not even start.
    void vocabularyOperationsWithNothingToApplyStartNothing()
    {
        OfficeNotInstalled notInstalled;
        QScopedValueRollback<int32_t> noTables(glPCTCount, 0);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("doc.doc"));
        const QByteArray bytes = office_tests::RtfBody(QStringLiteral("软件"));
        QVERIFY(office_tests::WriteBytes(file, bytes));
        WordReplaceAllPhrases(file, true, true);
        QCOMPARE(office_tests::ReadBytes(file), bytes);
    }

    void intermediateNamesNeverMeetAnExistingFile_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << QStringList{} << QStringLiteral("a.doc.wpc");
        QTest::newRow("taken") << QStringList{QStringLiteral("a.doc.wpc")} << QStringLiteral("a.doc.1.wpc");
        QTest::newRow("two taken") << QStringList{QStringLiteral("a.doc.wpc"), QStringLiteral("a.doc.1.wpc")}
                                   << QStringLiteral("a.doc.2.wpc");
    }
    void intermediateNamesNeverMeetAnExistingFile()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString& name : existing)
            QVERIFY(office_tests::WriteBytes(dir.filePath(name), "user's own"));
        QCOMPARE(RtfIntermediatePath(dir.filePath(QStringLiteral("a.doc"))), dir.filePath(expected));
    }

    // A converter whose output is its input converts nothing and writes a record.
    void convertersRefuseTheirOwnInput()
    {
        ErrorLogFile log;
        QTemporaryDir dir;
        DlgProgress progress;
        const QString src = dir.filePath(QStringLiteral("a.doc"));
        QVERIFY(!ConvertDOC(progress, src, src, true, true, true, true));
        QVERIFY(!ConvertXLS(progress, src, src, true, true, true, true));
        QVERIFY(!ConvertPPT(progress, src, src, true, true, true, true));
        QCOMPARE(log.procedures(), (QStringList{QStringLiteral("ConvertDOC"), QStringLiteral("ConvertXLS"),
                                                QStringLiteral("ConvertPPT")}));
    }

    void loadFiltersByKind_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("accepted");
        const int text = int(office::DocumentKind::Text);
        const int sheet = int(office::DocumentKind::Spreadsheet);
        const int slides = int(office::DocumentKind::Presentation);
        QTest::newRow("doc") << QStringLiteral("MS Word 97") << text << true;
        QTest::newRow("docx") << QStringLiteral("MS Word 2007 XML") << text << true;
        QTest::newRow("rtf") << QStringLiteral("Rich Text Format") << text << true;
        QTest::newRow("plain text as doc") << QStringLiteral("Text") << text << false;
        QTest::newRow("html as doc") << QStringLiteral("HTML (StarWriter)") << text << false;
        QTest::newRow("xls as doc") << QStringLiteral("MS Excel 97") << text << false;
        QTest::newRow("xls") << QStringLiteral("MS Excel 97") << sheet << true;
        QTest::newRow("xlsx") << QStringLiteral("Calc MS Excel 2007 XML") << sheet << true;
        QTest::newRow("csv as xls") << QStringLiteral("Text - txt - csv (StarCalc)") << sheet << false;
        QTest::newRow("ppt") << QStringLiteral("MS PowerPoint 97") << slides << true;
        QTest::newRow("pptx") << QStringLiteral("Impress MS PowerPoint 2007 XML") << slides << true;
        QTest::newRow("doc as ppt") << QStringLiteral("MS Word 97") << slides << false;
    }
    void loadFiltersByKind()
    {
        QFETCH(QString, filter);
        QFETCH(int, kind);
        QFETCH(bool, accepted);
        QCOMPARE(office::FilterIsOfKind(filter, office::DocumentKind(kind)), accepted);
    }
};

TEZ_REGISTER_TEST(TestOfficeServices)
#include "test_office_services.moc"
