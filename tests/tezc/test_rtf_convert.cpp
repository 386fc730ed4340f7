// The Word route's RTF converter on top of the library binding.
#include "batch/RtfConvert.h"
#include "common/FileBytes.h"
#include "common/LoadGeneratedTables.h"
#include "common/TestMain.h"
#include "core/Err.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void openLibrary()
{
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    LoadGeneratedTables(ghEnv);
}

}  // namespace

class TestRtfConvert : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { openLibrary(); }

    void convertThenDeclareCodePage()
    {
        QTemporaryDir dir;
        const QString rtf = dir.filePath("doc.wpc"), out = dir.filePath("doc.doc");
        WriteFileBytes(rtf, "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 x;}}\\f0 \\'cd\\'b7\\'b7\\'a2\\par}");
        ConvertStringForRTFFile(rtf, out, false);
        QVERIFY(ReadFileBytes(out).contains("\\u-26579"));  // 頭 (U+982D as a signed 16-bit value)
        RtfChangeCodePage(out, true);
        const QByteArray done = ReadFileBytes(out);
        QVERIFY(done.contains("\\ansicpg950") && done.contains("\\fcharset136") && done.contains("\\u-26579"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"doc.doc", "doc.wpc"}));
    }

    void failureRaises()
    {
        QTemporaryDir dir;
        bool raised = false;
        try {
            ConvertStringForRTFFile(dir.filePath("missing.wpc"), dir.filePath("out.doc"), true);
        } catch (const RuntimeError&) {
            raised = true;
        }
        QVERIFY(raised);
        QVERIFY(!QFile::exists(dir.filePath("out.doc")));
    }
};

TEZ_REGISTER_TEST(TestRtfConvert)
#include "test_rtf_convert.moc"
