// The office layer against a real headless office: its start and stop, documents loaded and
// stored, replace-all and the texts of a document, bad documents, a killed or hanging office.
// One office serves the whole test; tests that need an office of their own say so.
#include "common/OfficeTestSupport.h"
#include "common/TestMain.h"

#include "platform/office/OfficeError.h"
#include "platform/office/OfficeSuite.h"
#include "platform/office/UserOffice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <memory>

using office::DocumentKind;
using office::OfficeError;
using office::OfficeFailure;
using office_tests::DocumentTexts;
using office_tests::FiveTexts;
using office_tests::SortedTexts;

namespace {

// Whether a process is gone (or only waits to be reaped).
bool ProcessGone(long pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
}

bool WaitUntilGone(long pid, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!ProcessGone(pid)) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

}  // namespace

class TestOfficeSuite : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<office::OfficeSuite> m_suite;

    office::OfficeSettings settings(const QString& profileName) const
    {
        office::OfficeSettings s = office::DefaultOfficeSettings();
        s.profileDir = m_dir.filePath(profileName);
        return s;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString writeRtf(const QString& name, const DocumentTexts& texts) const
    {
        const QString file = path(name);
        office_tests::WriteBytes(file, office_tests::RtfDocument(texts));
        return file;
    }
    // A Word 97 document with the five texts.
    QString writeDoc(const QString& name, const DocumentTexts& texts) const
    {
        office::OfficeDocument document = m_suite->Load(writeRtf(name + QStringLiteral(".rtf"), texts), DocumentKind::Text);
        document.StoreAs(path(name), QString::fromLatin1(office::kFilterWord97));
        return path(name);
    }
    QStringList filesIn(const QString& folder) const { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_suite = std::make_unique<office::OfficeSuite>(settings(QStringLiteral("profile")));
        m_suite->Start();
    }
    void cleanupTestCase()
    {
        const long pid = m_suite->ProcessId();
        m_suite->Stop();
        QVERIFY(!m_suite->IsRunning());
        QVERIFY(WaitUntilGone(pid, 5000));
        m_suite->Stop();
    }

    void officeIsTheProgramsOwn()
    {
        QVERIFY(m_suite->IsRunning());
        QVERIFY(!m_suite->ProductName().isEmpty());
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(m_suite->ProcessId()));
        QVERIFY(cmdline.open(QIODevice::ReadOnly));
        const QByteArray arguments = cmdline.readAll();
        QVERIFY(arguments.contains("pipe,name=" + office::OwnPipePrefix().toLatin1()));
        QVERIFY(arguments.contains(QFile::encodeName(path(QStringLiteral("profile")))));
        QVERIFY(arguments.startsWith("/"));
        QVERIFY(QFile::exists(path(QStringLiteral("profile/user/registrymodifications.xcu"))));
    }

    void fiveTextsSurviveWordFormatAndRtf()
    {
        const QString doc = writeDoc(QStringLiteral("five.doc"), FiveTexts());
        office::OfficeDocument reloaded = m_suite->Load(doc, DocumentKind::Text);
        QCOMPARE(reloaded.FilterName(), QStringLiteral("MS Word 97"));
        QCOMPARE(SortedTexts(reloaded.Texts()), SortedTexts(FiveTexts()));
        reloaded.StoreAs(path(QStringLiteral("five.rtf")), QString::fromLatin1(office::kFilterRtf));
        QVERIFY(office_tests::ReadBytes(path(QStringLiteral("five.rtf"))).startsWith("{\\rtf"));
        office::OfficeDocument rtf = m_suite->Load(path(QStringLiteral("five.rtf")), DocumentKind::Text);
        QCOMPARE(rtf.FilterName(), QStringLiteral("Rich Text Format"));
        QCOMPARE(SortedTexts(rtf.Texts()), SortedTexts(FiveTexts()));
    }

    void replaceAllMatchesCaseThroughTheDocument()
    {
        DocumentTexts t;
        t.body = QStringLiteral("軟件 Soft soft 軟件");
        t.header = QStringLiteral("軟件 in the header");
        t.footer = QStringLiteral("soft footer");
        office::OfficeDocument document = m_suite->Load(writeRtf(QStringLiteral("replace.rtf"), t), DocumentKind::Text);
        QCOMPARE(document.ReplaceAll(QStringLiteral("軟件"), QStringLiteral("軟體"), true), 3);
        QCOMPARE(document.ReplaceAll(QStringLiteral("soft"), QStringLiteral("hard"), true), 2);
        QCOMPARE(document.ReplaceAll(QStringLiteral("absent"), QStringLiteral("x"), true), 0);
        QCOMPARE(SortedTexts(document.Texts()),
                 SortedTexts(QStringList{QStringLiteral("軟體 Soft hard 軟體"), QStringLiteral("軟體 in the header"),
                                    QStringLiteral("hard footer")}));
    }

    void storeInPlaceReplacesTheFileWhole()
    {
        const QString doc = writeDoc(QStringLiteral("inplace.doc"), FiveTexts());
        {
            office::OfficeDocument document = m_suite->Load(doc, DocumentKind::Text);
            document.ReplaceAll(QStringLiteral("正文"), QStringLiteral("本文"), true);
            document.Store();
        }
        office::OfficeDocument reloaded = m_suite->Load(doc, DocumentKind::Text);
        QCOMPARE(reloaded.FilterName(), QStringLiteral("MS Word 97"));
        QVERIFY(reloaded.Texts().first().startsWith(QStringLiteral("本文軟件")));
        QCOMPARE(filesIn(m_dir.path()).filter(QStringLiteral(".tmp")), QStringList{});
    }

    void badDocumentsFailAndTheOfficeGoesOn_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<int>>("failures");
        const auto load = int(OfficeFailure::LoadFailed);
        const auto wrong = int(OfficeFailure::WrongFormat);
        QTest::newRow("missing") << QStringLiteral("missing") << QList<int>{int(OfficeFailure::FileMissing)};
        QTest::newRow("random bytes") << QStringLiteral("random") << QList<int>{wrong};
        QTest::newRow("truncated") << QStringLiteral("truncated") << QList<int>{load, wrong};
        QTest::newRow("encrypted") << QStringLiteral("encrypted") << QList<int>{load};
        QTest::newRow("a workbook named .doc") << QStringLiteral("workbook") << QList<int>{wrong};
    }
    void badDocumentsFailAndTheOfficeGoesOn()
    {
        QFETCH(QString, kind);
        QFETCH(QList<int>, failures);
        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("a.doc"));
        if (kind == QStringLiteral("random")) {
            QByteArray bytes;
            for (int i = 0; i < 4096; ++i)
                bytes += char((i * 7919 + 13) % 251);
            office_tests::WriteBytes(bad, bytes);
        } else if (kind == QStringLiteral("truncated")) {
            const QByteArray whole = office_tests::ReadBytes(writeDoc(QStringLiteral("whole.doc"), FiveTexts()));
            office_tests::WriteBytes(bad, whole.left(whole.size() / 3));
        } else if (kind == QStringLiteral("encrypted")) {
            QFile::copy(office_tests::EncryptedDocFixture(), bad);
        } else if (kind == QStringLiteral("workbook")) {
            office_tests::WriteBytes(bad, "a,b,c\n1,2,3\n");
        }
        const long pid = m_suite->ProcessId();
        try {
            office::OfficeDocument document = m_suite->Load(bad, DocumentKind::Text);
            QFAIL("a bad document loaded");
        } catch (const OfficeError& e) {
            QVERIFY2(failures.contains(int(e.failure())), qPrintable(e.message()));
        }
        office::OfficeDocument good = m_suite->Load(writeRtf(QStringLiteral("good.rtf"), FiveTexts()), DocumentKind::Text);
        QCOMPARE(SortedTexts(good.Texts()), SortedTexts(FiveTexts()));
        QCOMPARE(m_suite->ProcessId(), pid);
    }

    void failedStoreLeavesTheTargetAsItWas()
    {
        office::OfficeDocument document = m_suite->Load(writeRtf(QStringLiteral("store.rtf"), FiveTexts()), DocumentKind::Text);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target.doc"));
        office_tests::WriteBytes(target, "the user's file");
        QVERIFY_THROWS_EXCEPTION(OfficeError, document.StoreAs(target, QStringLiteral("No Such Filter")));
        QCOMPARE(office_tests::ReadBytes(target), QByteArray("the user's file"));
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("target.doc")});
        QVERIFY_THROWS_EXCEPTION(OfficeError,
                                 document.StoreAs(dir.filePath(QStringLiteral("no/such/folder.doc")),
                                                  QString::fromLatin1(office::kFilterWord97)));
    }

    void closeAllClosesTheKindsDocuments()
    {
        office::OfficeDocument a = m_suite->Load(writeRtf(QStringLiteral("a.rtf"), FiveTexts()), DocumentKind::Text);
        office::OfficeDocument b = m_suite->Load(writeRtf(QStringLiteral("b.rtf"), FiveTexts()), DocumentKind::Text);
        QCOMPARE(m_suite->CloseAll(DocumentKind::Spreadsheet), 0);
        QCOMPARE(m_suite->CloseAll(DocumentKind::Text), 2);
        QVERIFY_THROWS_EXCEPTION(OfficeError, a.Texts());
    }

    // A call that hangs past its limit ends the office and fails; the next load starts a
    // fresh office.
    void hangingCallEndsTheOffice()
    {
        const QString rtf = writeRtf(QStringLiteral("hang.rtf"), FiveTexts());
        const long pid = m_suite->ProcessId();
        m_suite->SetCallTimeout(std::chrono::milliseconds(1));
        try {
            m_suite->Load(rtf, DocumentKind::Text);
            m_suite->SetCallTimeout(std::chrono::minutes(2));
            QSKIP("the office answered within a millisecond");
        } catch (const OfficeError& e) {
            m_suite->SetCallTimeout(std::chrono::minutes(2));
            QVERIFY2(e.failure() == OfficeFailure::TimedOut, qPrintable(e.message()));
        }
        QVERIFY(!m_suite->IsRunning());
        QVERIFY(WaitUntilGone(pid, 5000));
        office::OfficeDocument next = m_suite->Load(rtf, DocumentKind::Text);
        QCOMPARE(SortedTexts(next.Texts()), SortedTexts(FiveTexts()));
        QVERIFY(m_suite->ProcessId() != pid);
    }

    void killedOfficeFailsTheDocumentOnly()
    {
        const QString rtf = writeRtf(QStringLiteral("killed.rtf"), FiveTexts());
        QTemporaryDir out;
        office::OfficeDocument document = m_suite->Load(rtf, DocumentKind::Text);
        const long pid = m_suite->ProcessId();
        ::kill(pid_t(pid), SIGKILL);
        QVERIFY(WaitUntilGone(pid, 5000));
        QVERIFY_THROWS_EXCEPTION(OfficeError, document.StoreAs(out.filePath(QStringLiteral("k.doc")),
                                                               QString::fromLatin1(office::kFilterWord97)));
        QCOMPARE(filesIn(out.path()), QStringList{});
        document.Close();
        office::OfficeDocument next = m_suite->Load(rtf, DocumentKind::Text);
        next.StoreAs(out.filePath(QStringLiteral("k.doc")), QString::fromLatin1(office::kFilterWord97));
        QCOMPARE(filesIn(out.path()), QStringList{QStringLiteral("k.doc")});
    }

    void officeIsRestartedAfterItsShareOfDocuments()
    {
        office::OfficeSettings s = settings(QStringLiteral("restart-profile"));
        s.documentsPerProcess = 1;
        office::OfficeSuite suite(s);
        const QString rtf = writeRtf(QStringLiteral("restart.rtf"), FiveTexts());
        suite.Load(rtf, DocumentKind::Text);
        const long first = suite.ProcessId();
        suite.Load(rtf, DocumentKind::Text);
        QVERIFY(suite.ProcessId() != first);
        QVERIFY(WaitUntilGone(first, 5000));
        suite.Stop();
    }

    void officeDoesNotOutliveACrashedProgram()
    {
        QProcess helper;
        helper.start(QStringLiteral(TEZDESK_OFFICE_ORPHAN), {path(QStringLiteral("orphan-profile"))});
        QVERIFY(helper.waitForFinished(90000));
        bool ok = false;
        const long pid = helper.readAllStandardOutput().trimmed().toLong(&ok);
        QVERIFY2(ok && pid > 0, helper.readAllStandardError().constData());
        QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
        QVERIFY(WaitUntilGone(pid, 5000));
    }
};

TEZ_REGISTER_TEST(TestOfficeSuite)
#include "test_office_suite.moc"
