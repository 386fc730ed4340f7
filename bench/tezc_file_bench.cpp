// Speed of whole-file conversion on the real corpus (scripts/fetch-bench-corpus.sh) or on
// any pair of Simplified / Traditional UTF-8 texts: every 8-bit and UTF-16 pair, with and
// without vocabulary, beside the DD string conversion of the same text. Figures are MB of
// the input's UTF-8 form per second, by the wall clock and by the thread's CPU time (which
// other work on a busy machine disturbs less), best of the runs. Each file conversion writes
// a new output: the last run's output is removed and the file system synced before the
// clock starts, so that a run does not also wait for the file system to free the last one.
// usage: tezc_file_bench <data folder or ""> <corpus folder> [rounds, default 5] [type mode]
//        (a type and mode run only that case, for a profiler)
#include "BenchText.h"
#include "TezC.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using bench::bestOf;
using bench::readText;
using bench::toU16;
using bench::writeText;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "tezc_file_bench: %s failed\n", what);
    std::exit(1);
}

// The text in its script's 8-bit code page, through the library's encoding-only entry.
std::string bytesOf(int32_t stmt, const std::string& utf8, bool traditional) {
    const std::u16string u = toU16(utf8);
    int32_t res = 0;
    if (_TezConvertStringUD(stmt, u.data(), int32_t(u.size()), traditional ? 2 : 3, 0, &res) != 0) fail("encoding");
    std::string out(static_cast<size_t>(_TezGetDBLen(res)), '\0');
    _TezGetDBStr(res, out.data(), int32_t(out.size()) + 1);
    return out;
}

// The text as a UTF-16 file (little-endian, with its byte-order mark).
std::string utf16Of(const std::string& utf8) {
    std::string out("\xFF\xFE", 2);
    for (const char16_t c : toU16(utf8)) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 && *argv[1] ? argv[1] : TEZDESK_DATA_DIR;
    if (argc < 3) {
        std::fprintf(stderr, "usage: tezc_file_bench <data folder or \"\"> <corpus folder> [rounds] [type mode]\n");
        return 2;
    }
    const std::string corpus = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const int onlyType = argc > 5 ? std::atoi(argv[4]) : -1;
    const int onlyMode = argc > 5 ? std::atoi(argv[5]) : -1;
    static const char* const names[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                          "SD-TU.CCT", "TU-SU.CCT", "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};
    int32_t env = 0, stmt = 0;
    _TezCreateEnv(&env);
    _TezCreateStmt(env, &stmt, 1000);
    for (int i = 0; i < 10; ++i)
        if (_TezLoadCCT(env, i, (dir + "/" + names[i]).c_str(), 0, 0) != 0) fail("table load");
    if (_TezLoadLST(stmt, (dir + "/PCTS.LST").c_str()) != 0) fail("table list load");

    const std::string simp = readText(corpus + "/zh_CN.txt"), trad = readText(corpus + "/zh_TW.txt");
    if (simp.empty() || trad.empty()) {
        std::fprintf(stderr, "tezc_file_bench: no corpus in %s\n", corpus.c_str());
        return 1;
    }
    char tmpl[] = "/tmp/tezc_file_bench_XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    const std::string folder = tmpl;
    const std::string gbFile = folder + "/gb.txt", big5File = folder + "/big5.txt", simp16 = folder + "/s16.txt",
                      trad16 = folder + "/t16.txt", out = folder + "/out.txt";
    const std::string gb = bytesOf(stmt, simp, false), big5 = bytesOf(stmt, trad, true);
    writeText(gbFile, gb);
    writeText(big5File, big5);
    writeText(simp16, utf16Of(simp));
    writeText(trad16, utf16Of(trad));
    const double mbSimp = simp.size() / 1e6, mbTrad = trad.size() / 1e6;
    std::printf("corpus: %.1f MB Simplified, %.1f MB Traditional (UTF-8); rounds %d\n", mbSimp, mbTrad, rounds);

    struct FileCase { const char* name; const std::string* in; int type, mode; bool simpIn; };
    const FileCase cases[] = {
        {"file GB->Big5 with vocabulary", &gbFile, 3, 1, true},
        {"file Big5->GB with vocabulary", &big5File, 0, 1, false},
        {"file GB->Big5 code only", &gbFile, 3, 0, true},
        {"file Big5->GB code only", &big5File, 0, 0, false},
        {"file GB->GB (mode 3)", &gbFile, 2, 3, true},
        {"file Big5->Big5 (mode 2)", &big5File, 1, 2, false},
        {"file GB->UTF-16 T with vocabulary", &gbFile, 9, 1, true},
        {"file Big5->UTF-16 S with vocabulary", &big5File, 8, 1, false},
        {"file UTF-16 S->Big5 with vocabulary", &simp16, 15, 1, true},
        {"file UTF-16 T->GB with vocabulary", &trad16, 14, 1, false},
        {"file UTF-16 S->T with vocabulary", &simp16, 6, 1, true},
        {"file UTF-16 T->S with vocabulary", &trad16, 4, 1, false},
    };
    auto report = [](const char* name, double mb, const bench::Timing& t) {
        std::printf("  %-40s %8.1f MB/s UTF-8 wall %8.1f MB/s UTF-8 cpu\n", name, mb / t.wall, mb / t.cpu);
    };
    for (const FileCase& c : cases) {
        if (onlyType >= 0 && (c.type != onlyType || c.mode != onlyMode)) continue;
        const double mb = c.simpIn ? mbSimp : mbTrad;
        report(c.name, mb, bestOf(rounds, [&] {
                   if (_TezFileConversion(stmt, c.in->c_str(), out.c_str(), c.type, c.mode, 0) != 0)
                       fail("file conversion");
               }, bench::newOutputAt(out)));
    }
    if (onlyType < 0) {
        int32_t res = 0;
        report("DD GB->Big5 with vocabulary (string)", mbSimp, bestOf(rounds, [&] {
                   _TezConvertStringDD(stmt, gb.data(), int32_t(gb.size()), 0, -1, &res);
               }));
        report("DD Big5->GB with vocabulary (string)", mbTrad, bestOf(rounds, [&] {
                   _TezConvertStringDD(stmt, big5.data(), int32_t(big5.size()), 1, -1, &res);
               }));
    }
    for (const std::string& p : {gbFile, big5File, simp16, trad16, out}) std::remove(p.c_str());
    rmdir(folder.c_str());
    return 0;
}
