// Speed of the office conversion. First the office layer alone: one office process loads,
// stores under a new name in the same format and closes 100 small Word, Excel and PowerPoint
// documents (the Word documents once more through the RTF route). Then the converters on the
// program's one office: 100 small workbooks through ConvertXLS and 100 small presentations
// through ConvertPPT, one sheet of 100,000 text cells, and one presentation of 200 slides.
// Prints documents per second, seconds, and the guarded calls into the office (each a group
// of cross-process calls) with the share of the time spent inside them.
// usage: office_bench [documents, default 100]
// (run with QT_QPA_PLATFORM=offscreen where there is no display)
#include "common/LoadGeneratedTables.h"
#include "core/ConvertOptions.h"
#include "core/Globals.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/Form.h"
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeSuite.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

using office::DocumentKind;

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const char kFlatSheet[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet><table:table table:name="工作表1">
<table:table-row><table:table-cell><text:p>软件</text:p></table:table-cell><table:table-cell><text:p>鼠标</text:p></table:table-cell></table:table-row>
<table:table-row><table:table-cell><text:p>网络</text:p></table:table-cell><table:table-cell><text:p>数据库</text:p></table:table-cell></table:table-row>
</table:table></office:spreadsheet></office:body></office:document>
)";

const char kFlatSlides[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:body><office:presentation><draw:page draw:name="page1">
<draw:frame svg:x="2cm" svg:y="2cm" svg:width="10cm" svg:height="3cm"><draw:text-box><text:p>软件和鼠标</text:p></draw:text-box></draw:frame>
</draw:page></office:presentation></office:body></office:document>
)";

const char kRtf[] = "{\\rtf1\\ansi{\\header\\pard \\u36575?\\u20214?\\par}\\pard \\u36575?\\u20214?\\u21644?\\u40736?\\u27161?\\par}";

// The three small source documents in Word 97, Excel 97 and PowerPoint 97 format, made once
// by the office's own command-line conversion.
bool MakeSources(const QString& dir)
{
    if (!Write(dir + "/s.rtf", kRtf) || !Write(dir + "/s.fods", kFlatSheet) || !Write(dir + "/s.fodp", kFlatSlides))
        return false;
    const QString program = office::DefaultOfficeSettings().programDir + "/soffice.bin";
    const QString profile = "-env:UserInstallation=" + QUrl::fromLocalFile(dir + "/cli-profile").toString();
    for (const auto& [format, input] : {std::pair("doc", "s.rtf"), std::pair("xls", "s.fods"), std::pair("ppt", "s.fodp")}) {
        // The first start on a fresh profile only sets it up and ends (code 81): run again.
        for (int attempt = 0; attempt < 2 && !QFile::exists(dir + "/s." + format); ++attempt) {
            QProcess p;
            p.start(program, {"--headless", "--norestore", profile, "--convert-to", format, "--outdir", dir,
                              dir + "/" + input});
            if (!p.waitForFinished(120000))
                return false;
        }
    }
    return QFile::exists(dir + "/s.doc") && QFile::exists(dir + "/s.xls") && QFile::exists(dir + "/s.ppt");
}

// A flat spreadsheet of one sheet holding rows x columns text cells.
QByteArray BigSheet(int rows, int columns)
{
    QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet><table:table table:name="数据">
)";
    const QByteArray cell = QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>软件和鼠标%1</text:p></table:table-cell>").toUtf8();
    for (int r = 0; r < rows; ++r) {
        xml += "<table:table-row>";
        for (int c = 0; c < columns; ++c)
            xml += QByteArray(cell).replace("%1", QByteArray::number(r * columns + c));
        xml += "</table:table-row>\n";
    }
    return xml + "</table:table></office:spreadsheet></office:body></office:document>\n";
}

// A flat presentation of the given number of slides, each with a text frame and a notes page.
QByteArray ManySlides(int slides)
{
    QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:body><office:presentation>
)";
    for (int i = 0; i < slides; ++i)
        xml += QStringLiteral("<draw:page draw:name=\"p%1\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" "
                              "svg:height=\"3cm\"><draw:text-box><text:p>软件和鼠标 %1</text:p></draw:text-box></draw:frame>"
                              "<presentation:notes><draw:frame presentation:class=\"notes\" svg:x=\"2cm\" svg:y=\"14cm\" "
                              "svg:width=\"17cm\" svg:height=\"10cm\"><draw:text-box><text:p>网络 %1</text:p></draw:text-box>"
                              "</draw:frame></presentation:notes></draw:page>\n").arg(i).toUtf8();
    return xml + "</office:presentation></office:body></office:document>\n";
}

// A document of the kind written in the format through the program's office.
QString Through(const QString& flat, const QByteArray& bytes, const QString& target, DocumentKind kind, const char* filter)
{
    if (!Write(flat, bytes))
        return QString();
    office_session::ProgramOffice().Load(flat, kind).StoreAs(target, QString::fromLatin1(filter));
    return target;
}

using Converter = bool (*)(DlgProgress&, const QString&, const QString&, bool, bool, bool, bool);

// Runs the converter over the sources; prints seconds, documents per second and calls.
void TimeConverter(const char* what, Converter convert, const QStringList& sources, const QString& outDir)
{
    const office::CallStatistics before = office_session::ProgramOffice().Statistics();
    QElapsedTimer timer;
    timer.start();
    int failed = 0;
    for (int i = 0; i < sources.size(); ++i) {
        const QString target = QDir(outDir).filePath(QStringLiteral("c%1-").arg(i) + QFileInfo(sources.at(i)).fileName());
        if (!convert(dlgProgress(), sources.at(i), target, true, false, false, false))
            ++failed;
    }
    const double seconds = timer.elapsed() / 1000.0;
    const office::CallStatistics after = office_session::ProgramOffice().Statistics();
    std::printf("%-34s %4d documents (%d failed) in %7.2f s: %6.1f documents per second; "
                "%ld guarded calls, %.1f%% of the time inside them\n",
                what, int(sources.size()), failed, seconds, sources.size() / seconds, after.calls - before.calls,
                seconds > 0 ? 100.0 * (after.seconds - before.seconds) / seconds : 0.0);
}

void ConverterCases(const QString& dir, int documents)
{
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    LoadGeneratedTables(ghEnv);
    FormSlot<FrmMain>() = new FrmMain;
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = dir + "/program-profile";
    office_session::SetProgramOfficeSettings(settings);
    if (!InitExcelApp() || !InitPowerPointApp()) {
        std::fprintf(stderr, "office_bench: the program's office does not start\n");
        return;
    }
    const QString outDir = dir + "/converted";
    QDir().mkpath(outDir);
    QStringList workbooks, presentations;
    for (int i = 0; i < documents; ++i) {
        workbooks << dir + "/s.xls";
        presentations << dir + "/s.ppt";
    }
    TimeConverter("ConvertXLS, small workbooks", ConvertXLS, workbooks, outDir);
    TimeConverter("ConvertPPT, small presentations", ConvertPPT, presentations, outDir);
    try {
        const QString sheet = Through(dir + "/big.fods", BigSheet(10000, 10), dir + "/big.xls", DocumentKind::Spreadsheet,
                                      office::kFilterExcel97);
        TimeConverter("ConvertXLS, 100,000 text cells", ConvertXLS, {sheet}, outDir);
        const QString deck = Through(dir + "/many.fodp", ManySlides(200), dir + "/many.ppt", DocumentKind::Presentation,
                                     office::kFilterPowerPoint97);
        TimeConverter("ConvertPPT, 200 slides", ConvertPPT, {deck}, outDir);
    } catch (const office::OfficeError& e) {
        std::fprintf(stderr, "office_bench: %s\n", qPrintable(e.message()));
    }
    ExitExcelApp();
    ExitPowerPointApp();
    office_session::StopProgramOffice();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("TEZDESK_DATA_DIR"))
        qputenv("TEZDESK_DATA_DIR", TEZDESK_DATA_DIR);
    QApplication app(argc, argv);
    const int documents = argc > 1 ? std::atoi(argv[1]) : 100;
    QTemporaryDir dir;
    if (!dir.isValid() || !MakeSources(dir.path())) {
        std::fprintf(stderr, "office_bench: cannot make the source documents\n");
        return 1;
    }
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = dir.filePath("profile");
    office::OfficeSuite suite(settings);
    QElapsedTimer timer;
    timer.start();
    suite.Start();
    std::printf("office start: %lld ms\n", timer.elapsed());

    struct Kind {
        const char* extension;
        DocumentKind kind;
        const char* filter;
    };
    const Kind kinds[] = {{"doc", DocumentKind::Text, office::kFilterWord97},
                          {"xls", DocumentKind::Spreadsheet, office::kFilterExcel97},
                          {"ppt", DocumentKind::Presentation, office::kFilterPowerPoint97}};
    const office::CallStatistics before = suite.Statistics();
    timer.restart();
    int failed = 0;
    for (int i = 0; i < documents; ++i) {
        const Kind& k = kinds[i % 3];
        const QString source = dir.filePath(QString("s.") + k.extension);
        const QString target = dir.filePath(QString("out%1.").arg(i) + k.extension);
        try {
            office::OfficeDocument document = suite.Load(source, k.kind);
            document.StoreAs(target, QString::fromLatin1(k.filter));
            if (k.kind == DocumentKind::Text) {
                document.StoreAs(target + ".wpc", QString::fromLatin1(office::kFilterRtf));
                office::OfficeDocument rtf = suite.Load(target + ".wpc", DocumentKind::Text);
                rtf.StoreAs(target, QString::fromLatin1(office::kFilterWord97));
            }
        } catch (const office::OfficeError& e) {
            ++failed;
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        }
    }
    const double seconds = timer.elapsed() / 1000.0;
    const office::CallStatistics after = suite.Statistics();
    suite.Stop();
    std::printf("%d documents (%d failed) in %.2f s: %.1f documents per second\n", documents, failed, seconds,
                documents / seconds);
    std::printf("guarded calls into the office: %ld, %.1f%% of the time inside them\n", after.calls - before.calls,
                100.0 * (after.seconds - before.seconds) / seconds);
    ConverterCases(dir.path(), documents);
    return failed == 0 ? 0 : 1;
}
