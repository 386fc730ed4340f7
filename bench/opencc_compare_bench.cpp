// Our library beside the comparison library (a release of OpenCC, built from its npm package
// by scripts/fetch-opencc.sh and loaded here in-process) on the same real text in the same run,
// for each conversion: MB/s of the input counted as UTF-16 (two bytes a character, the same
// count for both, so the ratio is one of characters per second), best of several runs.
// Then eight statements on eight threads against one thread converting the same eight texts,
// and the published Taiwan cases (tezc/data/opencc/testcases_tw.tsv; the npm package ships
// none) through both libraries: how many give the expected text.
// usage: opencc_compare_bench <libopencc.so> <its config folder> <corpus folder> <its release>
#include "BenchText.h"
#include "TezC.h"

#include <dlfcn.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* const kTables[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                 "SD-TU.CCT",   "TU-SU.CCT",   "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};

// The comparison library's C entries, looked up at run time.
struct Other {
    void* (*open)(const char*) = nullptr;
    char* (*convert)(void*, const char*, size_t) = nullptr;
    void (*release)(char*) = nullptr;
    int (*close)(void*) = nullptr;
    bool load(const char* path) {
        void* lib = dlopen(path, RTLD_NOW);
        if (!lib) return false;
        open = reinterpret_cast<void* (*)(const char*)>(dlsym(lib, "opencc_open"));
        convert = reinterpret_cast<char* (*)(void*, const char*, size_t)>(dlsym(lib, "opencc_convert_utf8"));
        release = reinterpret_cast<void (*)(char*)>(dlsym(lib, "opencc_convert_utf8_free"));
        close = reinterpret_cast<int (*)(void*)>(dlsym(lib, "opencc_close"));
        return open && convert && release && close;
    }
};

int32_t openStatement(int32_t env) {
    int32_t stmt = 0;
    _TezCreateStmt(env, &stmt, 1000);
    _TezLoadLST(stmt, (std::string(TEZDESK_DATA_DIR) + "/PCTS.LST").c_str());
    return stmt;
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Seconds of the fastest of a few runs of f.
template <typename F>
double best(F&& f, int runs = 5) {
    double fastest = 1e9;
    for (int k = 0; k < runs; ++k) {
        const auto t0 = Clock::now();
        f();
        fastest = std::min(fastest, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return fastest;
}

// Seconds of the fastest of a few runs of f(0) .. f(n - 1) on n threads at once, and the
// processor seconds per second of that same run: how many threads really ran at once (on a
// busy machine fewer than n get a core).
struct Parallel {
    double seconds = 1e9;
    double busy = 0;
};
template <typename F>
Parallel bestParallel(int n, int runs, F&& f) {
    Parallel fastest;
    for (int r = 0; r < runs; ++r) {
        const double cpu0 = cpuSeconds();
        const auto t0 = Clock::now();
        std::vector<std::thread> threads;
        for (int k = 0; k < n; ++k) threads.emplace_back([&, k] { f(k); });
        for (std::thread& t : threads) t.join();
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        const double cpu = cpuSeconds() - cpu0;
        if (seconds < fastest.seconds) fastest = {seconds, cpu / seconds};
    }
    return fastest;
}

// About 20 ms of arithmetic on registers alone.
void spin() {
    uint64_t x = 1;
    for (int i = 0; i < 20000000; ++i) x = x * 6364136223846793005ull + 1442695040888963407ull;
    __asm__ volatile("" : : "r"(x));  // keeps the loop
}

void ours(int32_t stmt, const std::u16string& text, int mode, int flag, std::u16string& out) {
    int32_t res = 0;
    _TezConvertStringUU(stmt, text.data(), static_cast<int32_t>(text.size()), mode, flag, &res);
    out.resize(static_cast<size_t>(_TezGetUniLen(res)));
    _TezGetUniStr(res, out.data(), static_cast<int32_t>(out.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: opencc_compare_bench <libopencc.so> <config folder> <corpus folder> <release>\n");
        return 2;
    }
    Other other;
    if (!other.load(argv[1])) {
        std::fprintf(stderr, "cannot load the comparison library %s: %s\n", argv[1], dlerror());
        return 1;
    }
    const std::string configs = argv[2], corpus = argv[3];
    int32_t env = 0;
    _TezCreateEnv(&env);
    for (int i = 0; i < 10; ++i) _TezLoadCCT(env, i, (std::string(TEZDESK_DATA_DIR) + "/" + kTables[i]).c_str(), 0, 0);
    const int32_t stmt = openStatement(env);

    struct Case {
        const char* name;
        const char* config;
        const char* file;
        int mode, flag;
    };
    const Case cases[] = {
        {"S->T code only (s2t)", "s2t", "zh_CN.txt", 0, 0},
        {"S->T code only, Taiwan (s2tw)", "s2tw", "zh_CN.txt", 0, 0},
        {"S->T with vocabulary (s2twp)", "s2twp", "zh_CN.txt", 0, -1},
        {"T->S code only (t2s)", "t2s", "zh_TW.txt", 1, 0},
        {"T->S with vocabulary (tw2sp)", "tw2sp", "zh_TW.txt", 1, -1},
    };
    std::printf("Same-run comparison with OpenCC %s (npm package, built here, in-process), real text:\n"
                "the Chinese manual pages (zh_CN for S->T, zh_TW for T->S). MB/s = input characters x 2\n"
                "bytes (UTF-16) per second for both; fastest of 5 runs on a machine shared with other work.\n\n",
                argv[4]);
    std::printf("%-32s %16s %16s %8s\n", "conversion", "ours MB/s UTF-16", "OpenCC", "ratio");
    std::u16string out;
    for (const Case& c : cases) {
        const std::string utf8 = bench::readText(corpus + "/" + c.file);
        const std::u16string text = bench::toU16(utf8);
        const double mb = static_cast<double>(text.size()) * 2 / 1e6;
        const double tOurs = best([&] { ours(stmt, text, c.mode, c.flag, out); });
        void* cc = other.open((configs + "/" + c.config + ".json").c_str());
        if (cc == reinterpret_cast<void*>(-1) || !cc) {
            std::printf("%-32s %16.1f %16s\n", c.name, mb / tOurs, "(no config)");
            continue;
        }
        const double tOther = best([&] { other.release(other.convert(cc, utf8.data(), utf8.size())); }, 2);
        other.close(cc);
        std::printf("%-32s %16.1f %16.1f %7.1fx\n", c.name, mb / tOurs, mb / tOther, tOther / tOurs);
    }

    // Eight texts: one thread after another on one statement, then eight threads on eight.
    // Every statement converts the text once first, so that both sides start with their
    // matchers built and their buffers grown.
    const std::u16string text = bench::toU16(bench::readText(corpus + "/zh_CN.txt"));
    constexpr int kTexts = 8;
    std::vector<int32_t> stmts;
    for (int k = 0; k < kTexts; ++k) stmts.push_back(openStatement(env));
    std::vector<std::u16string> outs(kTexts);
    for (int k = 0; k < kTexts; ++k) ours(stmts[size_t(k)], text, 0, -1, outs[size_t(k)]);
    const double one = best([&] { for (int k = 0; k < kTexts; ++k) ours(stmts[0], text, 0, -1, outs[k]); }, 3);
    const Parallel eight = bestParallel(kTexts, 3, [&](int k) { ours(stmts[size_t(k)], text, 0, -1, outs[size_t(k)]); });
    // The same split on a loop that touches no memory: how much faster eight threads can be
    // on this machine at this moment at all.
    const double spinOne = best([&] { for (int k = 0; k < kTexts; ++k) spin(); }, 3);
    const Parallel spinEight = bestParallel(kTexts, 3, [&](int) { spin(); });
    std::printf("\nS->T with vocabulary, %d texts of %.1f MB (UTF-16): one thread %.3f s, %d threads %.3f s: %.1fx; "
                "%.1f of %u hardware threads busy in that run\n"
                "(a loop that touches no memory, in the same split: %.1fx, %.1f threads busy)\n",
                kTexts, static_cast<double>(text.size()) * 2 / 1e6, one, kTexts, eight.seconds, one / eight.seconds,
                eight.busy, std::thread::hardware_concurrency(), spinOne / spinEight.seconds, spinEight.busy);

    // The published Taiwan cases: configuration, TAB, input, TAB, expected, one a line.
    const std::string casesText = bench::readText(TEZC_TAIWAN_CASES);
    int total = 0, oursPassed = 0, otherPassed = 0;
    std::vector<std::string> failures;
    for (size_t start = 0; start < casesText.size();) {
        size_t end = casesText.find('\n', start);
        if (end == std::string::npos) end = casesText.size();
        const std::string line = casesText.substr(start, end - start);
        start = end + 1;
        const size_t t1 = line.find('\t'), t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 == std::string::npos) continue;
        const std::string config = line.substr(0, t1), input = line.substr(t1 + 1, t2 - t1 - 1),
                          expected = line.substr(t2 + 1);
        ++total;
        const std::u16string in16 = bench::toU16(input);
        ours(stmt, in16, config[0] == 's' ? 0 : 1, config.back() == 'p' ? -1 : 0, out);
        if (out == bench::toU16(expected)) ++oursPassed;
        else failures.push_back(config + ": " + input);
        void* cc = other.open((configs + "/" + config + ".json").c_str());
        if (cc && cc != reinterpret_cast<void*>(-1)) {
            char* got = other.convert(cc, input.data(), input.size());
            if (got && expected == got) ++otherPassed;
            if (got) other.release(got);
            other.close(cc);
        }
    }
    std::printf("\nPublished Taiwan cases (s2tw, s2twp, tw2s, tw2sp): ours %d of %d, OpenCC %d of %d\n", oursPassed,
                total, otherPassed, total);
    for (const std::string& f : failures) std::printf("  ours differs: %s\n", f.c_str());
    return 0;
}
