// Speed of the presentation converter on the program's office: a deck of many slides (one
// text box, a table and a group each) and a deck of one slide with very many shapes. Prints
// seconds and guarded calls into the office for each conversion.
// usage: ppt_convert_bench [slides, default 200] [shapes, default 10000]
// (run with QT_QPA_PLATFORM=offscreen where there is no display)
#include "common/GeneratedTables.h"
#include "core/Globals.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/CodePage.h"
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeSuite.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using office::DocumentKind;

const char kHead[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:body><office:presentation>
)";
const char kTail[] = "</office:presentation></office:body></office:document>\n";

QString Box(int n)
{
    return QStringLiteral("<draw:rect svg:x=\"%1mm\" svg:y=\"%2mm\" svg:width=\"20mm\" svg:height=\"5mm\"><text:p>软件%3</text:p></draw:rect>")
        .arg(10 + n % 20 * 12)
        .arg(10 + n / 20 % 30 * 6)
        .arg(n);
}

QByteArray ManySlides(int slides)
{
    QString xml = QString::fromLatin1(kHead);
    for (int s = 0; s < slides; ++s)
        xml += QStringLiteral("<draw:page draw:name=\"p%1\">").arg(s + 1) + Box(s) +
               QStringLiteral("<draw:frame svg:x=\"2cm\" svg:y=\"8cm\" svg:width=\"8cm\" svg:height=\"2cm\"><table:table>"
                              "<table:table-column table:number-columns-repeated=\"2\"/><table:table-row>"
                              "<table:table-cell><text:p>鼠标</text:p></table:table-cell><table:table-cell><text:p>网络"
                              "</text:p></table:table-cell></table:table-row></table:table></draw:frame><draw:g>") +
               Box(s + 1) + Box(s + 2) + QStringLiteral("</draw:g></draw:page>\n");
    return (xml + QString::fromLatin1(kTail)).toUtf8();
}

QByteArray ManyShapes(int shapes)
{
    QString xml = QString::fromLatin1(kHead) + QStringLiteral("<draw:page draw:name=\"p1\">");
    for (int n = 0; n < shapes; ++n)
        xml += Box(n);
    return (xml + QStringLiteral("</draw:page>\n") + QString::fromLatin1(kTail)).toUtf8();
}

bool MakePpt(const QString& flatPath, const QByteArray& flat, const QString& pptPath)
{
    QFile file(flatPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(flat) != flat.size())
        return false;
    file.close();
    office_session::ProgramOffice().Load(flatPath, DocumentKind::Presentation)
        .StoreAs(pptPath, QString::fromLatin1(office::kFilterPowerPoint97));
    return true;
}

bool Measure(const char* what, const QString& ppt, const QString& output)
{
    const office::CallStatistics before = office_session::ProgramOffice().Statistics();
    QElapsedTimer timer;
    timer.start();
    const bool ok = ConvertPPT(dlgProgress(), ppt, output, true, false, false, false);
    const double seconds = timer.elapsed() / 1000.0;
    const office::CallStatistics after = office_session::ProgramOffice().Statistics();
    std::printf("%s: %s in %.2f s, %ld guarded calls into the office (%.1f%% of the time inside them)\n", what,
                ok ? "converted" : "FAILED", seconds, after.calls - before.calls,
                100.0 * (after.seconds - before.seconds) / seconds);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int slides = argc > 1 ? std::atoi(argv[1]) : 200;
    const int shapes = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (qEnvironmentVariableIsEmpty("TEZDESK_DATA_DIR"))
        qputenv("TEZDESK_DATA_DIR", TEZDESK_BUILD_DATA_DIR);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    qputenv("TEZDESK_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
    QDir().mkpath(dir.filePath(QStringLiteral("home")));
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = dir.filePath(QStringLiteral("profile"));
    office_session::SetProgramOfficeSettings(settings);
    FormSlot<FrmMain>() = new FrmMain;
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    for (int i = 0; i < 10; ++i)
        _TezLoadCCT(ghEnv, i, ToSystemCodePage(generated_tables::tablePath(i)).constData(), 0, 0);
    if (!InitPowerPointApp()) {
        std::fprintf(stderr, "ppt_convert_bench: the office does not start\n");
        return 1;
    }
    bool ok = false;
    try {
        const QString slidesPpt = dir.filePath(QStringLiteral("slides.ppt"));
        const QString shapesPpt = dir.filePath(QStringLiteral("shapes.ppt"));
        ok = MakePpt(dir.filePath(QStringLiteral("slides.fodp")), ManySlides(slides), slidesPpt) &&
             MakePpt(dir.filePath(QStringLiteral("shapes.fodp")), ManyShapes(shapes), shapesPpt);
        std::printf("%d slides, %d shapes on one slide\n", slides, shapes);
        ok = ok && Measure("many slides", slidesPpt, dir.filePath(QStringLiteral("slides.out.ppt")));
        ok = Measure("many shapes", shapesPpt, dir.filePath(QStringLiteral("shapes.out.ppt"))) && ok;
    } catch (const office::OfficeError& e) {
        std::fprintf(stderr, "ppt_convert_bench: %s\n", qPrintable(e.message()));
    }
    ExitPowerPointApp();
    office_session::StopProgramOffice();
    return ok ? 0 : 1;
}
