// Golden project files: a project with every part the file carries is written byte for byte
// as the files under tests/core/golden (the folder of the test program folder stands for
// "@DIR@" there), and reading them back gives the windows the state they were saved from.
#include "common/FileBytes.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "core/FileTypes.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmOutputSetting.h"
#include "batch/frmPathConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "core/Globals.h"
#include "core/LoadedTableList.h"
#include "core/ProjectDBList.h"
#include "core/ProjectFile.h"
#include "database/frmDBConv.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kDirMark = QStringLiteral("@DIR@");

QString GoldenPath(const char* name)
{
    return QStringLiteral(TEZDESK_TESTS_DIR "/core/golden/") + QString::fromUtf8(name);
}

QByteArray Utf16Le(const QString& text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

// A golden project file with its folder mark replaced by the fixture's folder.
QByteArray GoldenProject(const char* name, const ProgramFolderFixture& fx)
{
    return ReadFileBytes(GoldenPath(name)).replace(ToSystemCodePage(kDirMark), ToSystemCodePage(fx.folder()));
}

// A golden side file (UTF-16LE lines) with its folder mark replaced.
QByteArray GoldenSideFile(const char* name, const ProgramFolderFixture& fx)
{
    return ReadFileBytes(GoldenPath(name)).replace(Utf16Le(kDirMark), Utf16Le(fx.folder()));
}

// A file with this content and modification time; the saved rows carry both.
void MakeFile(const QString& path, const QByteArray& bytes, const QDateTime& time)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    WriteFileBytes(path, bytes);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
}

const QDateTime kInputTime(QDate(2024, 3, 5), QTime(14, 7, 9));
const QDateTime kOutputTime(QDate(2024, 3, 6), QTime(9, 30, 0));

void AddRow(FlexGrid* grid, const QString& input, const QString& output, uint32_t flags)
{
    grid->AddItem(QStringLiteral("\t\t") + input + QLatin1Char('\t') + output);
    grid->setRowData(grid->Rows() - 1, static_cast<int32_t>(flags));
}

// The inputs and outputs the file lists name, and the two extra vocabulary tables.
void MakeFixtureFiles(const ProgramFolderFixture& fx)
{
    QFile::copy(fx.path("Regional.pct"), fx.path("A.pct"));
    QFile::copy(fx.path("Regional.pct"), fx.path("B.pct"));
    fx.writeFile("PCTS.LST", "TEZLST 1\n1\tA.pct\n0\tB.pct\n");
    MakeFile(fx.path("文档一.txt"), "abc", kInputTime);
    MakeFile(fx.path("输出/文档一.txt"), "xyz", kOutputTime);
    MakeFile(fx.path("报告.doc"), "document", kInputTime);
    MakeFile(fx.path("站点/首页.htm"), "<html></html>", kInputTime);
    MakeFile(fx.path("繁体.txt"), "1234567", kInputTime);
    QDir(fx.folder()).mkpath(QStringLiteral("网站"));
}

// Every part of the window state that a project file carries, as text.
QStringList GridState(const char* name, FlexGrid* grid)
{
    QStringList state;
    for (int r = 1; r < grid->Rows(); ++r)
        state << QStringLiteral("%1[%2]: %3 | %4 | %5 | %6").arg(QString::fromUtf8(name)).arg(r)
                     .arg(grid->TextMatrix(r, 0), grid->TextMatrix(r, 2), grid->TextMatrix(r, 3))
                     .arg(grid->RowData(r));
    return state;
}

QString Combos(std::initializer_list<QComboBox*> combos)
{
    QStringList indexes;
    for (QComboBox* c : combos)
        indexes << QString::number(c->currentIndex());
    return indexes.join(QLatin1Char(','));
}

QStringList FileListState()
{
    QStringList state;
    state << QStringLiteral("output: %1 %2 %3").arg(frmOutputSetting().opDir->isChecked())
                 .arg(frmOutputSetting().txtDir->text(), frmOutputSetting().strDir);
    state << QStringLiteral("doc: ") + Combos({frmDocConv().cbCodeConv, frmDocConv().cbPhraseConv});
    state << GridState("doc", frmDocConv().lstDoc);
    state << QStringLiteral("xls: ") + Combos({frmXlsConv().cbCodeConv, frmXlsConv().cbPhraseConv});
    state << GridState("xls", frmXlsConv().lstXls);
    state << QStringLiteral("html: ") + Combos({frmHtmlConv().cbCodeConv, frmHtmlConv().cbPhraseConv});
    state << GridState("html", frmHtmlConv().lstHtml);
    state << QStringLiteral("ext: ") + dlgHtmlSelect().txtExt->toPlainText() + QStringLiteral(" / ")
                 + gcolHtmlExt.join(QLatin1Char(';'));
    state << QStringLiteral("text files: ") + Combos({frmSpecConv().cbInput, frmSpecConv().cbOutput, frmSpecConv().cbPhraseConv});
    state << GridState("text files", frmSpecConv().lstDoc);
    FrmPhraseMgr& mgr = frmPhraseMgr();
    state << QStringLiteral("table: %1 %2").arg(mgr.GetRowSelected(mgr.lstPCT)).arg(giCurPCT);
    return state;
}

QStringList FolderAndDatabaseState()
{
    QStringList state;
    state << QStringLiteral("path: %1 %2").arg(Combos({frmPathConv().cbCodeConv, frmPathConv().cbPhraseConv}))
                 .arg(frmPathConv().chkConvMSOFiles->isChecked());
    state << GridState("path", frmPathConv().lstPath);
    FrmDBConv& db = frmDBConv();
    state << QStringLiteral("db: ") + Combos({db.cbCodeConv, db.cbPhraseConv, db.cboDBType});
    state << GridState("db", db.lstTables);
    return state;
}

// The state of the word-list windows saved by both projects.
void SetFileListWindows(const ProgramFolderFixture& fx)
{
    frmOutputSetting().opDir->setChecked(true);
    frmOutputSetting().txtDir->setText(fx.path("输出"));
    frmOutputSetting().strDir = fx.path("输出");
    frmDocConv().cbCodeConv->setCurrentIndex(1);
    frmDocConv().cbPhraseConv->setCurrentIndex(0);
    AddRow(frmDocConv().lstDoc, fx.path("文档一.txt"), fx.path("输出/文档一.txt"), 0x80000020u);
    AddRow(frmDocConv().lstDoc, fx.path("报告.doc"), fx.path("输出/报告.doc"), 0x40u);
    frmXlsConv().cbCodeConv->setCurrentIndex(2);
    frmXlsConv().cbPhraseConv->setCurrentIndex(1);
    frmHtmlConv().cbCodeConv->setCurrentIndex(0);
    frmHtmlConv().cbPhraseConv->setCurrentIndex(1);
    AddRow(frmHtmlConv().lstHtml, fx.path("站点/首页.htm"), fx.path("输出/首页.htm"), 0x30u);
    dlgHtmlSelect().txtExt->setPlainText(QStringLiteral("*.htm\n*.html\n*.asp"));
    ParseExtList(gcolHtmlExt, QStringLiteral("*.htm\r\n*.html\r\n*.asp"));
    frmSpecConv().cbInput->setCurrentIndex(0);
    frmSpecConv().cbOutput->setCurrentIndex(1);
    frmSpecConv().cbPhraseConv->setCurrentIndex(1);
    AddRow(frmSpecConv().lstDoc, fx.path("繁体.txt"), fx.path("输出/繁体.txt"), 0x20u);
    FrmPhraseMgr& mgr = frmPhraseMgr();
    mgr.SetRowSelected(mgr.lstPCT, 2); // the second table is the current one
    giCurPCT = 1;
}

void SetFolderAndDatabaseWindows(const ProgramFolderFixture& fx)
{
    frmPathConv().cbCodeConv->setCurrentIndex(1);
    frmPathConv().cbPhraseConv->setCurrentIndex(1);
    frmPathConv().chkConvMSOFiles->setChecked(true);
    AddRow(frmPathConv().lstPath, fx.path("网站"), fx.path("输出/网站"), 0x80000030u);
    FrmDBConv& db = frmDBConv();
    db.cbCodeConv->setCurrentIndex(3);
    db.cbPhraseConv->setCurrentIndex(1);
    db.cboDBType->setCurrentIndex(1);
}

} // namespace

class ProjectGoldenTest : public QObject {
    Q_OBJECT
private slots:
    void projects_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("sideFile");
        QTest::newRow("folder layout with the database window") << "folders.wsp" << "folders.DBL";
        QTest::newRow("file lists only") << "files.wpp" << "";
    }
    void projects()
    {
        QFETCH(QString, project);
        QFETCH(QString, sideFile);
        const bool folders = !sideFile.isEmpty();
        ProgramFolderFixture fx;
        MakeFixtureFiles(fx);
        ModalScript script;
        fx.start();
        SetFileListWindows(fx);
        if (folders)
            SetFolderAndDatabaseWindows(fx);

        PrjFileSave(fx.path(project));
        QCOMPARE(fx.readFile(project), GoldenProject(qPrintable(project), fx));
        if (folders)
            QCOMPARE(fx.readFile(sideFile), GoldenSideFile(qPrintable(sideFile), fx));
        const QStringList saved = FileListState();
        const QStringList savedFolders = folders ? FolderAndDatabaseState() : QStringList();

        fx.stop();
        fx.start();
        PrjFileShow(fx.path(project));
        QCOMPARE(FileListState(), saved);
        if (folders)
            QCOMPARE(FolderAndDatabaseState(), savedFolders);
        QCOMPARE(script.asked().size(), 0);
    }

    void sideFileWithTables()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = frmDBConv();
        db.cbCodeConv->setCurrentIndex(1);
        db.cbPhraseConv->setCurrentIndex(1);
        db.cboDBType->setCurrentIndex(0);
        db.mCnt.ConnectionString = QStringLiteral("Provider=SQLOLEDB;Data Source=srv;Initial Catalog=销售");
        db.mvDB = QStringLiteral("销售");
        db.mvOutDB = QStringLiteral("销售_繁体");
        db.mcollTbl = TableEntries{{QString(), QStringLiteral("客户")}, {QString(), QStringLiteral("orders")}};
        db.mcollOutTbl = TableEntries{{QString(), QStringLiteral("客戶")}, {QString(), QStringLiteral("orders")}};
        db.lstTables->AddItem(QStringLiteral("\t\t客户\t客戶\t1"));
        db.lstTables->AddItem(QStringLiteral("\t\torders\torders\t2"));
        db.lstTables->setRowData(1, 0x20);
        db.lstTables->setRowData(2, static_cast<int32_t>(0x80000020u));
        PrjLstDBSave(db.lstTables, fx.path("tables.DBL"));
        QCOMPARE(fx.readFile("tables.DBL"), GoldenSideFile("tables.DBL", fx));

        // Everything comes back; the server is not reached (nor its password asked) until a
        // run or a viewer needs it.
        fx.stop();
        fx.start();
        PrjLstDBShow(frmDBConv().lstTables, fx.path("tables.DBL"));
        QCOMPARE(Combos({frmDBConv().cbCodeConv, frmDBConv().cbPhraseConv, frmDBConv().cboDBType}),
                 QStringLiteral("1,1,0"));
        QCOMPARE(frmDBConv().lstTables->Rows(), 3);
        QCOMPARE(frmDBConv().mCnt.ConnectionString,
                 QStringLiteral("Provider=SQLOLEDB;Data Source=srv;Initial Catalog=销售"));
        QCOMPARE(script.asked().size(), 0);
        QCOMPARE(script.unexpected(), 0);
    }
};

TEZ_REGISTER_TEST(ProjectGoldenTest)
#include "test_project_golden.moc"
