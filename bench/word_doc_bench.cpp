// Speed of the text-document steps of the Word converter on one office process: a document
// of many paragraphs, a table and a header gets the output font on every story and a long
// vocabulary list (most of whose terms occur nowhere) replaced in every story. Prints the
// seconds and the guarded calls into the office of each step.
// usage: word_doc_bench [paragraphs, default 2000] [terms, default 20000]
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeSuite.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

QByteArray RtfText(const QString& text)
{
    QByteArray out;
    for (QChar c : text)
        out += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode())) : "\\u" + QByteArray::number(qint16(c.unicode())) + "?";
    return out;
}

QByteArray Document(int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n";
    rtf += "{\\header\\pard\\plain " + RtfText(QStringLiteral("页首的软件")) + "\\par}\n";
    for (int i = 0; i < paragraphs; ++i)
        rtf += "\\pard\\plain " + RtfText(QStringLiteral("第%1段：软件和鼠标，网络与数据库。").arg(i)) + "\\par\n";
    for (int i = 0; i < 50; ++i)
        rtf += "\\trowd\\cellx3000\\cellx6000\\pard\\intbl " + RtfText(QStringLiteral("软件")) + "\\cell " +
               RtfText(QStringLiteral("鼠标")) + "\\cell\\row\n";
    rtf += "\\pard\\par}\n";
    return rtf;
}

template <class F>
void Timed(office::OfficeSuite& suite, const char* what, F&& step)
{
    const office::CallStatistics before = suite.Statistics();
    QElapsedTimer timer;
    timer.start();
    step();
    const office::CallStatistics after = suite.Statistics();
    std::printf("%s: %.2f s, %ld guarded calls\n", what, timer.elapsed() / 1000.0, after.calls - before.calls);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int paragraphs = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int terms = argc > 2 ? std::atoi(argv[2]) : 20000;
    QTemporaryDir dir;
    const QString rtf = dir.filePath(QStringLiteral("s.rtf"));
    QFile file(rtf);
    if (!file.open(QIODevice::WriteOnly) || file.write(Document(paragraphs)) < 0)
        return 1;
    file.close();
    QList<std::pair<QString, QString>> replacements;
    for (int i = 0; i < terms; ++i)
        replacements.append({QStringLiteral("词%1条").arg(i), QStringLiteral("詞%1條").arg(i)});
    replacements.append({QStringLiteral("软件"), QStringLiteral("軟體")});
    replacements.append({QStringLiteral("鼠标"), QStringLiteral("滑鼠")});
    try {
        office::OfficeSettings settings = office::DefaultOfficeSettings();
        settings.profileDir = dir.filePath(QStringLiteral("profile"));
        office::OfficeSuite suite(settings);
        suite.Start();
        office::OfficeDocument document = suite.Load(rtf, office::DocumentKind::Text);
        Timed(suite, "font on every story", [&] { document.SetStoriesFont(QStringLiteral("細明體")); });
        int replaced = 0;
        Timed(suite, "vocabulary in every story", [&] { replaced = document.ReplaceInStories(replacements); });
        std::printf("%d paragraphs, %d terms: %d replacements\n", paragraphs, terms + 2, replaced);
        Timed(suite, "store", [&] { document.StoreAs(dir.filePath(QStringLiteral("out.doc")), QString::fromLatin1(office::kFilterWord97)); });
        document.Close();
        suite.Stop();
    } catch (const office::OfficeError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
