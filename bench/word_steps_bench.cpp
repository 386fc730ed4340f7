// Where the Word converter's time goes on small documents, beside a plain load and store of
// the same files on the same office process: the office makes Word 97 and .docx documents
// with Chinese text in the body, a header and the properties; each is then loaded and
// stored again, and converted step by step as ConvertDOC does (load, texts, fonts,
// properties, store), and finally by ConvertDOC itself. Prints the seconds of each step
// and the guarded calls into the office.
// usage: word_steps_bench [documents, default 18]
// (run with QT_QPA_PLATFORM=offscreen where there is no display)
#include "common/LoadGeneratedTables.h"
#include "core/ConvertOptions.h"
#include "core/dlgProgress.h"
#include "core/mTezC.h"
#include "office/ConversionSteps.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeFormats.h"
#include "platform/office/OfficeSuite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using office::DocumentKind;
using office::OfficeDocument;

QByteArray RtfText(const QString& text)
{
    QByteArray out;
    for (QChar c : text)
        out += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode())) : "\\u" + QByteArray::number(qint16(c.unicode())) + "?";
    return out;
}

QByteArray Rtf(const QString& text)
{
    const QByteArray body = RtfText(text);
    return "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}{\\info{\\title " + body + "}}"
           "{\\header\\pard " + body + "\\par}\\pard " + body + "\\par\\pard " + body + "\\par}";
}

// Seconds and guarded calls of each step, in the order first met.
struct Steps {
    QStringList order;
    QMap<QString, double> seconds;
    QMap<QString, long> calls;
    template <class F>
    auto Time(const QString& step, F&& f)
    {
        if (!order.contains(step))
            order.append(step);
        office::OfficeSuite& suite = office_session::ProgramOffice();
        const long before = suite.Statistics().calls;
        QElapsedTimer timer;
        timer.start();
        struct Account {
            Steps& steps;
            const QString& step;
            QElapsedTimer& timer;
            long before;
            ~Account()
            {
                steps.seconds[step] += timer.nsecsElapsed() / 1e9;
                steps.calls[step] += office_session::ProgramOffice().Statistics().calls - before;
            }
        } account{*this, step, timer, before};
        return f();
    }
    void Print(const char* title, int documents) const
    {
        double total = 0;
        for (const QString& step : order)
            if (!step.startsWith(QLatin1Char(' ')))
                total += seconds.value(step);
        std::printf("%s: %d documents in %.2f s\n", title, documents, total);
        for (const QString& step : order)
            std::printf("  %-22s %7.3f s  %6.1f ms per document  %ld guarded calls\n", qPrintable(step),
                        seconds.value(step), 1000.0 * seconds.value(step) / documents, calls.value(step));
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("TEZDESK_DATA_DIR"))
        qputenv("TEZDESK_DATA_DIR", TEZDESK_DATA_DIR);
    QApplication app(argc, argv);
    const int documents = argc > 1 ? std::atoi(argv[1]) : 18;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    LoadGeneratedTables(ghEnv);
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = dir.filePath("profile");
    office_session::SetProgramOfficeSettings(settings);
    office_session::SetIdleStopMs(600000);
    office::OfficeSuite& suite = office_session::ProgramOffice();

    QStringList inputs;
    try {
        for (int i = 0; i < documents; ++i) {
            const QString rtf = dir.filePath(QStringLiteral("src%1.rtf").arg(i));
            QFile f(rtf);
            const QByteArray bytes = Rtf(QStringLiteral("第%1号文档：这个软件用鼠标操作，中文文档").arg(i));
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
                return 1;
            f.close();
            const QString target = dir.filePath(QStringLiteral("文档%1.%2").arg(i).arg(i % 2 ? "docx" : "doc"));
            suite.Load(rtf, DocumentKind::Text).StoreAs(target, office::StoreFilterFor(target, office::kFilterWord97));
            inputs << target;
        }
    } catch (const office::OfficeError& e) {
        std::fprintf(stderr, "word_steps_bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    const auto output = [&](const QString& folder, const QString& input) {
        QDir().mkpath(dir.filePath(folder));
        return dir.filePath(folder + '/' + QFileInfo(input).fileName());
    };

    int failed = 0;
    for (int pass = 0; pass < 2; ++pass) {
        Steps plain, steps;
        SetConvertOption(false, true, true, false);
        for (const QString& input : inputs) {
            try {
                OfficeDocument document = plain.Time("load", [&] { return suite.Load(input, DocumentKind::Text); });
                const QString out = output("plain", input);
                plain.Time("store", [&] { document.StoreAs(out, office::StoreFilterFor(out, office::kFilterWord97)); });
                plain.Time("close", [&] { document.Close(); });
            } catch (const office::OfficeError& e) {
                std::fprintf(stderr, "word_steps_bench: %s\n", qPrintable(e.message()));
                ++failed;
            }
        }
        for (const QString& input : inputs) {
            try {
                ConversionFailures failures;
                OfficeDocument document = steps.Time("load", [&] { return suite.Load(input, DocumentKind::Text); });
                steps.Time("texts", [&] {
                    return document.ConvertStoryTexts([&](const QStringList& texts) {
                        return steps.Time("  of which converting", [&] { return ConvertTextsOf("text", texts, failures); });
                    });
                });
                steps.Time("fonts", [&] { document.SetStoriesFont(gsConvFontName); });
                steps.Time("properties", [&] { ConvertTextProperties(document, failures); });
                const QString out = output("steps", input);
                steps.Time("store", [&] { document.StoreAs(out, office::StoreFilterFor(out, office::kFilterWord97)); });
                steps.Time("close", [&] { document.Close(); });
                failed += int(failures.objects.size());
            } catch (const office::OfficeError& e) {
                std::fprintf(stderr, "word_steps_bench: %s\n", qPrintable(e.message()));
                ++failed;
            }
        }
        Steps whole;
        for (const QString& input : inputs)
            if (!whole.Time("ConvertDOC", [&] {
                    return ConvertDOC(dlgProgress(), input, output("whole", input), true, true, false, false);
                }))
                ++failed;
        if (pass == 0)
            continue;
        plain.Print("plain load and store", documents);
        steps.Print("the converter's steps", documents);
        whole.Print("ConvertDOC", documents);
    }
    office_session::StopProgramOffice();
    if (failed > 0)
        std::fprintf(stderr, "word_steps_bench: %d failures\n", failed);
    return failed == 0 ? 0 : 1;
}
