// Speed and memory of the batch runs: the folder-tree run over 10,000 files of 8 KB (text,
// HTML and a quarter others) in 100 folders against the library's own time for the same
// files and against cp -r of the same tree followed by sync (target: at most 3 times), and the encoding-pair and HTML runs of one large file against the library's
// conversion of that file at once. Each case runs in its own process so that its peak
// memory is its own.
// usage: batch_run_bench [MB]           all cases (MB: size of the large file, default 200)
//        batch_run_bench CASE [MB]      one case: pair, html, whole
//        batch_run_bench tree [FOLDERS] the tree case with FOLDERS folders of 100 files
// (run with QT_QPA_PLATFORM=offscreen where there is no display)
#include "batch/BatchRuns.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "common/GeneratedTables.h"
#include "core/Globals.h"
#include "core/GridPictures.h"
#include "core/Log.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/Modal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <time.h>

namespace {

long PeakRssKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Processor time (user and system) of the process so far, in ms.
double CpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Processor time of the calling thread so far, in ms.
double ThreadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void OpenLibrary()
{
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    for (int i = 0; i < 10; ++i)
        _TezLoadCCT(ghEnv, i, ToSystemCodePage(generated_tables::tablePath(i)).constData(), 0, 0);
    _TezLoadLST(ghStmt, ToSystemCodePage(QDir(generated_tables::dataDir()).filePath(QStringLiteral("PCTS.LST"))).constData());
}

std::unique_ptr<FlexGrid> Grid()
{
    auto grid = std::make_unique<FlexGrid>();
    grid->setCols(4);
    grid->setRows(1);
    return grid;
}

QByteArray GbText(qint64 bytes)
{
    const QByteArray line = QStringEncoder("GB18030").encode(QStringLiteral("软件和鼠标，头发发展，网络与计算机。abc 123\r\n"));
    QByteArray text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    return text;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void Report(const char* what, double ms, long rssBeforeKb)
{
    std::printf("%-44s %10.1f ms   peak RSS growth %7.1f MB\n", what, ms, (PeakRssKb() - rssBeforeKb) / 1024.0);
}

void TreeCase(const QTemporaryDir& dir, int folders)
{
    const QByteArray text = GbText(8 * 1024);
    const QByteArray html = "<html><head></head><body>" + text + "</body></html>";
    const QByteArray other(8 * 1024, '\x5A');
    const QString in = dir.filePath(QStringLiteral("in"));
    QStringList converted;
    for (int folder = 0; folder < folders; ++folder) {
        const QString sub = QStringLiteral("%1/d%2").arg(in).arg(folder);
        QDir().mkpath(sub);
        for (int i = 0; i < 100; ++i) {
            const QString base = QStringLiteral("%1/f%2").arg(sub).arg(i);
            switch (i % 8) {
            case 0: case 1: WriteBytes(base + QStringLiteral(".gif"), other); break;
            case 2: case 3: case 4: WriteBytes(base + QStringLiteral(".txt"), text); converted << base + QStringLiteral(".txt"); break;
            default: WriteBytes(base + QStringLiteral(".htm"), html); converted << base + QStringLiteral(".htm"); break;
            }
        }
    }
    // The library's own time for the files the run converts.
    QDir().mkpath(dir.filePath(QStringLiteral("lib")));
    QElapsedTimer timer;
    timer.start();
    const double cpu0 = CpuMs();
    int n = 0;
    for (const QString& file : converted) {
        const QByteArray out = ToSystemCodePage(dir.filePath(QStringLiteral("lib/%1").arg(n++)));
        _TezFileConversion(ghStmt, ToSystemCodePage(file).constData(), out.constData(), 3, 1,
                           file.endsWith(QLatin1String(".htm")) ? -1 : 0);
    }
    const double libraryMs = timer.nsecsElapsed() / 1e6;
    const double libraryCpu = CpuMs() - cpu0;
    std::printf("%-44s %10.1f ms   (%d files, processor %.1f ms)\n", "library alone, converted files", libraryMs,
                int(converted.size()), libraryCpu);

    // Our run against cp -r of the same tree followed by sync, twice each, alternating, each
    // into a fresh folder, with the disk flushed before each.
    double best[2] = {1e300, 1e300};
    for (int round = 0; round < 2; ++round) {
        QProcess::execute(QStringLiteral("sync"), {});
        auto grid = Grid();
        const QString out = dir.filePath(QStringLiteral("out%1").arg(round));
        grid->AddItem(QStringLiteral("\t\t%1\t%2").arg(in, out));
        grid->setRowData(1, FileRowText | FileRowAddTag);
        const long rss = PeakRssKb();
        timer.restart();
        const double cpu1 = CpuMs();
        const double own1 = ThreadCpuMs();
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        const double runMs = timer.nsecsElapsed() / 1e6;
        const double runCpu = CpuMs() - cpu1;
        const double ownCpu = ThreadCpuMs() - own1;
        best[0] = std::min(best[0], runMs);
        Report(QStringLiteral("ExecutePathConv, %1 files").arg(folders * 100).toUtf8().constData(), runMs, rss);
        std::printf("%-44s %10.3f ms per file (processor %.3f ms per file)\n", "above the library's own time",
                    (runMs - libraryMs) / (folders * 100.0), (runCpu - libraryCpu) / (folders * 100.0));
        std::printf("%-44s %10.1f ms processor (all threads %.1f ms)\n", "interface thread of the run", ownCpu, runCpu);
        QProcess::execute(QStringLiteral("sync"), {});
        timer.restart();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), in, dir.filePath(QStringLiteral("cp%1").arg(round))});
        QProcess::execute(QStringLiteral("sync"), {});
        const double copyMs = timer.nsecsElapsed() / 1e6;
        best[1] = std::min(best[1], copyMs);
        std::printf("%-44s %10.1f ms\n", "cp -r of the same tree, then sync", copyMs);
    }
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    const QByteArray load = loadavg.open(QIODevice::ReadOnly) ? loadavg.readAll().trimmed() : QByteArray("?");
    std::printf("%-44s %10.2f x   (best %.1f ms / best %.1f ms; %d threads; load %s)\n",
                "folder-tree run / (cp -r + sync)", best[0] / best[1], best[0], best[1], QThread::idealThreadCount(),
                load.constData());
}

void LargeFileCase(const QTemporaryDir& dir, const QString& which, qint64 megabytes)
{
    const QString input = dir.filePath(which == QLatin1String("html") ? QStringLiteral("big.htm") : QStringLiteral("big.txt"));
    {
        // Written in blocks, so that making the file does not raise the peak being measured.
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly))
            return;
        const bool html = which == QLatin1String("html");
        if (html)
            file.write("<html><head></head><body>\r\n");
        const QByteArray block = GbText(1 << 20);
        for (qint64 written = 0; written < (megabytes << 20); written += block.size())
            file.write(block);
        if (html)
            file.write("</body></html>\r\n");
    }
    const QString output = dir.filePath(QStringLiteral("out/") + QFileInfo(input).fileName());
    QDir().mkpath(dir.filePath(QStringLiteral("out")));
    auto grid = Grid();
    grid->AddItem(QStringLiteral("\t\t%1\t%2").arg(input, output));
    const long rss = PeakRssKb();
    QElapsedTimer timer;
    timer.start();
    const QByteArray label = QStringLiteral("%1, %2 MB").arg(which).arg(megabytes).toUtf8();
    if (which == QLatin1String("pair")) {
        grid->setRowData(1, FileRowText);
        ExecuteSpecConv(grid.get(), 3, 1);
        Report(("ExecuteSpecConv (3, 1) " + label).constData(), timer.nsecsElapsed() / 1e6, rss);
    } else if (which == QLatin1String("html")) {
        grid->setRowData(1, FileRowText | FileRowAddTag);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        Report(("ExecuteHtmlConv " + label).constData(), timer.nsecsElapsed() / 1e6, rss);
    } else {
        // The library converting the file at once, as it did before chunks.
        qputenv("TEZC_FILE_CHUNK_BYTES", QByteArray::number(QFileInfo(input).size() + 1));
        _TezFileConversion(ghStmt, ToSystemCodePage(input).constData(), ToSystemCodePage(output).constData(), 3, 1, 0);
        Report(("library at once " + label).constData(), timer.nsecsElapsed() / 1e6, rss);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QStringList cases{"tree", "whole", "pair", "html"};
    if (args.isEmpty() || !cases.contains(args.first())) {
        const QString mb = args.isEmpty() ? QStringLiteral("200") : args.first();
        for (const QString& c : cases) {
            if (c == QLatin1String("tree") && mb != QLatin1String("200"))
                continue;
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
            child.start(app.applicationFilePath(), {c, mb});
            child.waitForFinished(-1);
        }
        return 0;
    }
    QTemporaryDir dir;
    qputenv("TEZDESK_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
    QDir().mkpath(dir.filePath(QStringLiteral("home")));
    gsErrFile = dir.filePath(QStringLiteral("home/bench.ERR"));
    gbSchedRun = true; // no summary boxes
    modal::setHandler([](const modal::Request&) { return modal::Answer{}; });
    InitFileTypes();
    LoadGridPictures();
    OpenLibrary();
    if (args.first() == QLatin1String("tree"))
        TreeCase(dir, args.value(1, QStringLiteral("100")).toInt() == 200 ? 100 : args.value(1).toInt());
    else
        LargeFileCase(dir, args.first(), args.value(1, QStringLiteral("200")).toLongLong());
    return 0;
}
