// The program's office conversion beside a plain office round trip, on the same documents in
// one run. The office makes a mix of small documents with Chinese text (Word 97, .docx,
// Excel 97, .xlsx, PowerPoint 97, .pptx, in turn); then
//   1. the office's own command-line conversion writes each document again in its own
//      format (headless, a private profile that is already set up; one call per format, as
//      the command line takes one target format per call);
//   2. one office process (the office layer alone) loads each document and stores it again in
//      its own format;
//   3. the folder-tree run converts the same folder (Simplified to Traditional with
//      vocabulary, Office documents included) on the program's office.
// Both times include their office starts. Prints documents per second of each and the ratio.
// usage: office_mix_bench [documents, default 50]
// (run with QT_QPA_PLATFORM=offscreen where there is no display)
#include "common/LoadGeneratedTables.h"
#include "app/Composition.h"
#include "batch/BatchRuns.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/OfficeAccess.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeSession.h"
#include "platform/FlexGrid.h"
#include "platform/Form.h"
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeFormats.h"
#include "platform/office/OfficeSuite.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

using office::DocumentKind;

struct Format {
    const char* extension;
    DocumentKind kind;
    const char* filter;
};

const Format kMix[] = {
    {"doc", DocumentKind::Text, office::kFilterWord97},
    {"docx", DocumentKind::Text, "MS Word 2007 XML"},
    {"xls", DocumentKind::Spreadsheet, office::kFilterExcel97},
    {"xlsx", DocumentKind::Spreadsheet, "Calc MS Excel 2007 XML"},
    {"ppt", DocumentKind::Presentation, office::kFilterPowerPoint97},
    {"pptx", DocumentKind::Presentation, "Impress MS PowerPoint 2007 XML"},
};

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray Rtf(const QString& text)
{
    QByteArray body;
    for (QChar c : text)
        body += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode())) : "\\u" + QByteArray::number(qint16(c.unicode())) + "?";
    return "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}{\\info{\\title " + body + "}}"
           "{\\header\\pard " + body + "\\par}\\pard " + body + "\\par\\pard " + body + "\\par}";
}

QByteArray FlatSheet(const QString& text)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document "
               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\" "
               "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"><office:body><office:spreadsheet>"
               "<table:table table:name=\"工作表1\"><table:table-row>"
               "<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>"
               "<table:table-cell office:value-type=\"string\"><text:p>网络和数据库</text:p></table:table-cell>"
               "</table:table-row><table:table-row><table:table-cell office:value-type=\"float\" office:value=\"42\">"
               "<text:p>42</text:p></table:table-cell></table:table-row></table:table></office:spreadsheet>"
               "</office:body></office:document>\n")
        .arg(text)
        .toUtf8();
}

QByteArray FlatSlides(const QString& text)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document "
               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
               "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" office:version=\"1.2\" "
               "office:mimetype=\"application/vnd.oasis.opendocument.presentation\"><office:body><office:presentation>"
               "<draw:page draw:name=\"p1\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" svg:height=\"3cm\">"
               "<draw:text-box><text:p>%1</text:p></draw:text-box></draw:frame></draw:page>"
               "<draw:page draw:name=\"p2\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" svg:height=\"3cm\">"
               "<draw:text-box><text:p>网络和数据库</text:p></draw:text-box></draw:frame></draw:page>"
               "</office:presentation></office:body></office:document>\n")
        .arg(text)
        .toUtf8();
}

// The mix, made by the program's office; the paths grouped by format.
bool MakeMix(const QString& folder, int documents, QHash<QString, QStringList>& byFormat)
{
    QDir().mkpath(folder);
    for (int i = 0; i < documents; ++i) {
        const Format& f = kMix[i % std::size(kMix)];
        const QString text = QStringLiteral("第%1号文档：这个软件用鼠标操作，中文文档").arg(i);
        const QString flat = QStringLiteral("%1/src%2.%3").arg(folder).arg(i).arg(
            f.kind == DocumentKind::Text ? "rtf" : f.kind == DocumentKind::Spreadsheet ? "fods" : "fodp");
        const QByteArray bytes = f.kind == DocumentKind::Text          ? Rtf(text)
                                 : f.kind == DocumentKind::Spreadsheet ? FlatSheet(text)
                                                                       : FlatSlides(text);
        const QString target = QStringLiteral("%1/文档%2.%3").arg(folder).arg(i).arg(QString::fromLatin1(f.extension));
        if (!Write(flat, bytes))
            return false;
        try {
            office_session::ProgramOffice().Load(flat, f.kind).StoreAs(target, QString::fromLatin1(f.filter));
        } catch (const office::OfficeError& e) {
            std::fprintf(stderr, "office_mix_bench: %s\n", qPrintable(e.message()));
            return false;
        }
        QFile::remove(flat);
        byFormat[QString::fromLatin1(f.extension)] << target;
    }
    return true;
}

int FilesUnder(const QString& folder)
{
    int n = 0;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++n;
    return n;
}

// The office's command line: one call per format, each file written again in its own format.
double PlainRoundTrip(const QString& profile, const QHash<QString, QStringList>& byFormat, const QString& outDir)
{
    const QString program = office::DefaultOfficeSettings().programDir + "/soffice.bin";
    const QString installation = "-env:UserInstallation=" + QUrl::fromLocalFile(profile).toString();
    auto run = [&](const QString& target, const QStringList& files, const QString& out) {
        QProcess p;
        p.start(program, QStringList{"--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
                                     "--nolockcheck", installation, "--convert-to", target, "--outdir", out} + files);
        p.waitForFinished(600000);
        return p.exitCode();
    };
    // Set the fresh profile up first (its first start ends after doing so), untimed.
    const QString warm = QFileInfo(outDir).path() + "/warm";
    for (int attempt = 0; attempt < 2 && FilesUnder(warm) == 0; ++attempt)
        run(QStringLiteral("doc:MS Word 97"), {byFormat.value("doc").value(0)}, warm);
    QElapsedTimer timer;
    timer.start();
    for (const Format& f : kMix)
        run(QString::fromLatin1(f.extension) + ':' + QString::fromLatin1(f.filter), byFormat.value(f.extension), outDir);
    return timer.elapsed() / 1000.0;
}

// Seconds spent by kind of document.
struct KindSeconds {
    double word = 0, excel = 0, powerPoint = 0;
};

// One office process, started for the documents: each loaded and stored again in its own
// format, the nearest a round trip can come to the least an office needs per document.
double OneOfficeRoundTrip(const QString& profile, const QHash<QString, QStringList>& byFormat, const QString& outDir,
                          int& written, KindSeconds& byKind)
{
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = profile;
    office::OfficeSuite suite(settings);
    // Set the fresh profile up first, untimed.
    suite.Start();
    suite.Stop();
    QDir().mkpath(outDir);
    written = 0;
    QElapsedTimer timer;
    timer.start();
    for (const Format& f : kMix) {
        QElapsedTimer kindTimer;
        kindTimer.start();
        auto account = qScopeGuard([&] {
            double& total = f.kind == DocumentKind::Text ? byKind.word
                            : f.kind == DocumentKind::Spreadsheet ? byKind.excel : byKind.powerPoint;
            total += kindTimer.nsecsElapsed() / 1e9;
        });
        for (const QString& file : byFormat.value(f.extension)) {
            try {
                suite.Load(file, f.kind).StoreAs(outDir + '/' + QFileInfo(file).fileName(), QString::fromLatin1(f.filter));
                ++written;
            } catch (const office::OfficeError& e) {
                std::fprintf(stderr, "office_mix_bench: %s\n", qPrintable(e.message()));
            }
        }
    }
    suite.Stop();
    return timer.elapsed() / 1000.0;
}

// Times every office procedure the batch runs call (the Word route's steps on the office, the
// workbook and presentation converters) into seconds.
void TimeOfficeProcedures(KindSeconds& seconds)
{
    OfficeServices& office = Office();
    auto timed = [](double& total, auto procedure) {
        return [&total, procedure](auto&&... args) {
            QElapsedTimer timer;
            timer.start();
            auto restore = qScopeGuard([&] { total += timer.nsecsElapsed() / 1e9; });
            return procedure(std::forward<decltype(args)>(args)...);
        };
    };
    office.ConvertDOC = timed(seconds.word, office.ConvertDOC);
    office.ConvertXLS = timed(seconds.excel, office.ConvertXLS);
    office.ConvertPPT = timed(seconds.powerPoint, office.ConvertPPT);
}

int ErrorRecords(const QString& errFile)
{
    QFile f(errFile);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return int(f.readAll().count("处理程序"));
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("TEZDESK_DATA_DIR"))
        qputenv("TEZDESK_DATA_DIR", TEZDESK_DATA_DIR);
    QApplication app(argc, argv);
    const int documents = argc > 1 ? std::atoi(argv[1]) : 50;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    LoadGeneratedTables(ghEnv);
    FormSlot<FrmMain>() = new FrmMain;
    ComposeProgram();
    InitFileTypes();
    gbSchedRun = true;
    gsErrFile = dir.filePath("tezdesk.ERR");
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = dir.filePath("program-profile");
    office_session::SetProgramOfficeSettings(settings);

    const QString in = dir.filePath("in");
    QHash<QString, QStringList> byFormat;
    if (!MakeMix(in, documents, byFormat)) {
        std::fprintf(stderr, "office_mix_bench: cannot make the documents\n");
        return 1;
    }
    office_session::StopProgramOffice();
    std::printf("%d documents:", documents);
    for (const Format& f : kMix)
        std::printf(" %lld %s", qsizetype(byFormat.value(f.extension).size()), f.extension);
    std::printf("\n");

    const QString plainOut = dir.filePath("plain");
    const double plainSeconds = PlainRoundTrip(dir.filePath("cli-profile"), byFormat, plainOut);
    const int plainWritten = FilesUnder(plainOut);

    int oneWritten = 0;
    KindSeconds oneByKind;
    const double oneSeconds =
        OneOfficeRoundTrip(dir.filePath("one-profile"), byFormat, dir.filePath("one"), oneWritten, oneByKind);

    const QString ourOut = dir.filePath("ours");
    FlexGrid grid;
    grid.setCols(4);
    grid.setRows(2);
    grid.setFixedRows(1);
    grid.setTextMatrix(1, 2, in);
    grid.setTextMatrix(1, 3, ourOut);
    grid.setRowData(1, FileRowText);
    KindSeconds kindSeconds;
    TimeOfficeProcedures(kindSeconds);
    const int starts = office_session::ProgramOffice().Starts();
    const office::CallStatistics before = office_session::ProgramOffice().Statistics();
    QElapsedTimer timer;
    timer.start();
    const bool done = ExecutePathConv(&grid, true, true, false, false, gcolHtmlExt, true, true);
    const double ourSeconds = timer.elapsed() / 1000.0;
    const int ourWritten = FilesUnder(ourOut);
    const int ourStarts = office_session::ProgramOffice().Starts() - starts;
    const office::CallStatistics after = office_session::ProgramOffice().Statistics();

    const double plainRate = plainWritten / plainSeconds;
    const double oneRate = oneWritten / oneSeconds;
    const double ourRate = ourWritten / ourSeconds;
    std::printf("command-line round trip, %d calls (one per format): %3d documents in %6.2f s: %5.2f documents per second\n",
                int(std::size(kMix)), plainWritten, plainSeconds, plainRate);
    std::printf("round trip on one office process (load, store):     %3d documents in %6.2f s: %5.2f documents per second\n",
                oneWritten, oneSeconds, oneRate);
    std::printf("folder-tree run, converting (%d office start%s):      %3d documents in %6.2f s: %5.2f documents per second%s\n",
                ourStarts, ourStarts == 1 ? "" : "s", ourWritten, ourSeconds, ourRate,
                done ? "" : " (the run reported failures)");
    std::printf("one-process round trip by kind: Word documents %.2f s, workbooks %.2f s, presentations %.2f s\n",
                oneByKind.word, oneByKind.excel, oneByKind.powerPoint);
    std::printf("the run's office procedures: Word documents %.2f s (ConvertDOC: load, convert, store), "
                "workbooks %.2f s, presentations %.2f s\n",
                kindSeconds.word, kindSeconds.excel, kindSeconds.powerPoint);
    std::printf("the run's guarded calls into the office: %ld, %.2f s inside them; error-log records: %d\n",
                after.calls - before.calls, after.seconds - before.seconds, ErrorRecords(gsErrFile));
    std::printf("ratio to the command-line round trip: %.0f%%; to the one-process round trip: %.0f%% (target at least 90%%)\n",
                100.0 * ourRate / plainRate, 100.0 * ourRate / oneRate);
    office_session::StopProgramOffice();
    return done && ourWritten == documents ? 0 : 1;
}
