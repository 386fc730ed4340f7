// Speed of the office layer: one office process converts 100 small Word, Excel and
// PowerPoint documents (load, store under a new name in the same format, close) and the
// Word documents once more through the RTF route. Prints documents per second and the share
// of the time spent inside calls to the office.
// usage: office_bench [documents, default 100]
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeSuite.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
    return failed == 0 ? 0 : 1;
}
