// Speed of the conversion library: table loading, then on real text (the Chinese manual
// pages that scripts/fetch-bench-corpus.sh unpacks) every mode of the string entry families
// (UU, UD, DU, DD) and whole-file conversion (each run into a new output file), each beside
// the floor (one table look-up per UTF-16 unit) measured in the same run. Speeds are MB of
// the input's UTF-8 form per second. Generated texts (repeated paragraphs, dictionary words)
// run only when asked for by their size; they read two to three times faster than real
// prose and are labelled so, never a figure to compare with.
// usage: tezc_bench [data folder] [megabytes of generated text, default 0: none] [corpus folder]
#include "BenchText.h"
#include "TezC.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

using bench::readText;
using bench::toU16;
using bench::writeText;

using Clock = std::chrono::steady_clock;

// Paragraphs of ordinary Simplified Chinese prose: news, technology, daily life.
const char* const kParagraphs[] = {
    "近年来，随着互联网技术的快速发展，越来越多的企业开始使用云计算服务来管理他们的数据。"
    "软件开发人员需要掌握新的编程语言和算法，才能在激烈的竞争中保持优势。"
    "据报道，今年第一季度我国软件和信息技术服务业实现业务收入两万亿元，同比增长百分之十二。",
    "我的头发有点长了，下个星期想去理发店剪一下。后来听朋友说，学校附近新开了一家理发店，"
    "价格便宜，服务也很好。皇后大道上的那家老店已经关门了，真是可惜。",
    "用户在使用鼠标和键盘操作计算机时，应当注意保持正确的姿势。长时间面对显示器工作，"
    "容易导致眼睛疲劳和颈椎问题。专家建议每工作一个小时就休息十分钟，做一些简单的运动。",
    "这个项目的目标是建立一个高效的数据库系统，支持多个用户同时访问。"
    "我们在服务器上安装了最新的操作系统，并且对硬盘进行了分区。网络管理员负责监控系统的运行状况，"
    "及时发现并解决出现的问题。",
    "春节期间，许多人选择回老家与家人团聚。火车站和机场人山人海，交通部门增加了大量的班次。"
    "孩子们穿上新衣服，放鞭炮，吃饺子，脸上洋溢着幸福的笑容。老人们则坐在一起聊天，回忆过去的岁月。",
    "经济学家认为，未来几年全球经济的发展将面临许多不确定因素。发展中国家需要加快产业结构调整，"
    "提高自主创新能力，才能在国际竞争中占据有利地位。政府出台了一系列政策措施，鼓励企业加大研发投入。",
    "图书馆里安静极了，同学们都在认真地看书学习。有的在查阅资料，有的在写论文，还有的在准备考试。"
    "窗外的阳光照进来，洒在书桌上，显得格外温暖。",
    "这款手机采用了最新的处理器，运行速度非常快，电池的续航时间也比上一代产品延长了百分之二十。"
    "屏幕分辨率很高，拍照效果出色，支持快速充电和无线充电功能。软件方面，系统界面简洁美观，操作流畅。",
};

std::string makeText(size_t bytes) {
    std::string text;
    size_t k = 0;
    while (text.size() < bytes) {
        text += kParagraphs[k % (sizeof kParagraphs / sizeof *kParagraphs)];
        text += "\n";
        k = k * 7 + 3;
    }
    return text;
}

// A harder text: words drawn from the phrase dictionary (every other token a dictionary
// phrase) between runs of common characters, with punctuation; nothing repeats.
std::string makeDictionaryText(size_t bytes) {
    std::ifstream f(TEZC_PHRASES_FILE);
    std::vector<std::string> words;
    std::string line;
    while (std::getline(f, line))
        if (!line.empty() && line[0] != '#') words.push_back(line.substr(0, line.find('\t')));
    static const char kCommon[] =
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处队南给色光门即保治北造百规热领七海口东导器压志世金增争济阶油思术极交受联什认六共权收证改清己美再采转更单风切打白教速花带安场身车例真务具万每目至达走积示议声报斗完类八离华名确才科张信马节话米整空元况今集温传土许步群广石记需段研界拉林律叫且究观越织装影算低持音众书布复容儿须际商非验连断深难近矿千周委素技备半办青省列习响约支般史感劳便团往酸历市克何除消构府称太准精值号率族维划选标写存候毛亲快效斯院查江型眼王按格养易置派层片始却专状育厂京识适属圆包火住调满县局照参红细引听该铁价严龙飞";
    std::vector<std::string> common;
    for (size_t i = 0; i + 3 <= sizeof kCommon - 1; i += 3) common.emplace_back(kCommon + i, 3);
    uint64_t state = 12345;
    auto next = [&]() { state = state * 6364136223846793005ULL + 1442695040888963407ULL; return state >> 33; };
    std::string text;
    while (text.size() < bytes && !words.empty()) {
        if (next() % 2) text += words[next() % words.size()];
        else for (uint64_t k = 0, n = 1 + next() % 4; k < n; ++k) text += common[next() % common.size()];
        if (next() % 100 < 8) text += "，";
        if (next() % 100 < 3) text += "。\n";
    }
    return text;
}

size_t utf8Length(const std::u16string& s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c < 0x80) n += 1;
        else if (c < 0x800) n += 2;
        else if (c >= 0xD800 && c <= 0xDBFF) { n += 4; ++i; }
        else n += 3;
    }
    return n;
}

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// The best wall-clock time of the runs of the work (see bench::bestOf).
double bestWall(int rounds, const std::function<void()>& work, const std::function<void()>& prepare = {}) {
    return bench::bestOf(rounds, work, prepare).wall;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "tezc_bench: %s failed\n", what);
    std::exit(1);
}

std::u16string resultText(int32_t res) {
    std::u16string out(static_cast<size_t>(_TezGetUniLen(res)), u'\0');
    _TezGetUniStr(res, out.data(), int32_t(out.size()));
    return out;
}

std::string resultBytes(int32_t res) {
    std::string out(static_cast<size_t>(_TezGetDBLen(res)), '\0');
    _TezGetDBStr(res, out.data(), int32_t(out.size()));
    return out;
}

std::u16string uu(int32_t stmt, const std::u16string& in, int mode, int flag) {
    int32_t res = 0;
    if (_TezConvertStringUU(stmt, in.data(), int32_t(in.size()), mode, flag, &res) != 0) fail("UU conversion");
    return resultText(res);
}

std::string ud(int32_t stmt, const std::u16string& in, int mode, int flag) {
    int32_t res = 0;
    if (_TezConvertStringUD(stmt, in.data(), int32_t(in.size()), mode, flag, &res) != 0) fail("UD conversion");
    return resultBytes(res);
}

std::u16string du(int32_t stmt, const std::string& in, int mode, int flag) {
    int32_t res = 0;
    if (_TezConvertStringDU(stmt, in.data(), int32_t(in.size()), mode, flag, &res) != 0) fail("DU conversion");
    return resultText(res);
}

std::string dd(int32_t stmt, const std::string& in, int mode, int flag) {
    int32_t res = 0;
    if (_TezConvertStringDD(stmt, in.data(), int32_t(in.size()), mode, flag, &res) != 0) fail("DD conversion");
    return resultBytes(res);
}

// One text in both scripts and both 8-bit code pages. Speeds are given in MB of the
// input's UTF-8 form per second, so that every entry family is measured on the same text.
struct Sample {
    std::string name;
    std::u16string simp, trad;
    std::string gb, big5;
    double mbSimp = 0, mbTrad = 0;
};

Sample makeSample(int32_t stmt, std::string name, const std::string& simpUtf8, const std::string& tradUtf8) {
    Sample t;
    t.name = std::move(name);
    t.simp = toU16(simpUtf8);
    t.trad = tradUtf8.empty() ? uu(stmt, t.simp, 0, 0) : toU16(tradUtf8);
    t.gb = ud(stmt, t.simp, 3, 0);
    t.big5 = ud(stmt, t.trad, 2, 0);
    t.mbSimp = utf8Length(t.simp) / 1e6;
    t.mbTrad = utf8Length(t.trad) / 1e6;
    return t;
}

// The floor: one look-up in a 64K-entry table per UTF-16 unit, written to an output buffer.
double floorSpeed(const Sample& t) {
    std::vector<char16_t> table(65536);
    for (size_t c = 0; c < table.size(); ++c) table[c] = static_cast<char16_t>(c ^ 1);
    std::u16string out(t.simp.size(), u'\0');
    const double s = bestWall(5, [&] {
        const char16_t* in = t.simp.data();
        char16_t* o = out.data();
        for (size_t i = 0, n = t.simp.size(); i < n; ++i) o[i] = table[in[i]];
        asm volatile("" : : "r"(o) : "memory");
    });
    return t.mbSimp / s;
}

void report(const char* name, double mbPerSecond, double floor) {
    std::printf("  %-40s %8.1f MB/s UTF-8  %5.1f%% of floor\n", name, mbPerSecond, 100.0 * mbPerSecond / floor);
}

void runSample(int32_t stmt, const Sample& t, const std::string& folder) {
    std::printf("text (%s): %.1f MB Simplified, %.1f MB Traditional (UTF-8)\n", t.name.c_str(), t.mbSimp, t.mbTrad);
    const double floor = floorSpeed(t);
    std::printf("  %-40s %8.1f MB/s UTF-8\n", "floor (one table look-up per unit)", floor);
    struct UuCase { const char* name; bool simp; int mode, flag; };
    const UuCase uuCases[] = {
        {"UU S->T code", true, 0, 0},
        {"UU S->T with vocabulary", true, 0, -1},
        {"UU T->S code", false, 1, 0},
        {"UU T->S with vocabulary", false, 1, -1},
        {"UU Traditional usage (mode 2)", false, 2, 0},
        {"UU Simplified usage (mode 3)", true, 3, 0},
    };
    for (const UuCase& c : uuCases) {
        const std::u16string& in = c.simp ? t.simp : t.trad;
        report(c.name, (c.simp ? t.mbSimp : t.mbTrad) / bestWall(5, [&] { uu(stmt, in, c.mode, c.flag); }), floor);
    }
    report("UD S->Big5 with vocabulary", t.mbSimp / bestWall(5, [&] { ud(stmt, t.simp, 0, -1); }), floor);
    report("UD T->GB with vocabulary", t.mbTrad / bestWall(5, [&] { ud(stmt, t.trad, 1, -1); }), floor);
    report("UD T->Big5 encoding only", t.mbTrad / bestWall(5, [&] { ud(stmt, t.trad, 2, 0); }), floor);
    report("DU GB->T with vocabulary", t.mbSimp / bestWall(5, [&] { du(stmt, t.gb, 0, -1); }), floor);
    report("DU Big5->S with vocabulary", t.mbTrad / bestWall(5, [&] { du(stmt, t.big5, 1, -1); }), floor);
    report("DU Big5 decoding only", t.mbTrad / bestWall(5, [&] { du(stmt, t.big5, 2, 0); }), floor);
    report("DD GB->Big5 with vocabulary", t.mbSimp / bestWall(5, [&] { dd(stmt, t.gb, 0, -1); }), floor);
    report("DD Big5->GB with vocabulary", t.mbTrad / bestWall(5, [&] { dd(stmt, t.big5, 1, -1); }), floor);
    report("DD Big5 Traditional usage (mode 2)", t.mbTrad / bestWall(5, [&] { dd(stmt, t.big5, 2, -1); }), floor);

    const std::string gbFile = folder + "/in_gb.txt", big5File = folder + "/in_big5.txt",
                      out = folder + "/out.txt";
    writeText(gbFile, t.gb);
    writeText(big5File, t.big5);
    struct FileCase { const char* name; const std::string* in; int type; double mb; };
    const FileCase files[] = {
        {"file GB->Big5 with vocabulary", &gbFile, 3, t.mbSimp},
        {"file Big5->GB with vocabulary", &big5File, 0, t.mbTrad},
    };
    for (const FileCase& f : files)
        report(f.name, f.mb / bestWall(3, [&] {
                   if (_TezFileConversion(stmt, f.in->c_str(), out.c_str(), f.type, 1, 0) != 0) fail("file conversion");
               }, bench::newOutputAt(out)), floor);
    for (const std::string& p : {gbFile, big5File, out}) std::remove(p.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 && *argv[1] ? argv[1] : TEZDESK_DATA_DIR;
    const size_t megabytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 0;
    const std::string corpus = argc > 3 ? argv[3] : "";
    static const char* const names[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                          "SD-TU.CCT", "TU-SU.CCT", "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};

    // Loading: ten tables, the table list with the default vocabulary, and the first
    // conversion in each direction (which prepares the vocabulary matchers).
    const auto t0 = Clock::now();
    int32_t env = 0, stmt = 0, res = 0;
    _TezCreateEnv(&env);
    _TezCreateStmt(env, &stmt, 1000);
    for (int i = 0; i < 10; ++i)
        if (_TezLoadCCT(env, i, (dir + "/" + names[i]).c_str(), 0, 0) != 0) {
            std::fprintf(stderr, "cannot load %s from %s\n", names[i], dir.c_str());
            return 1;
        }
    const auto t1 = Clock::now();
    if (_TezLoadLST(stmt, (dir + "/PCTS.LST").c_str()) != 0) {
        std::fprintf(stderr, "cannot load the table list\n");
        return 1;
    }
    const char16_t probe[] = u"软件";
    _TezConvertStringUU(stmt, probe, 2, 0, -1, &res);
    _TezConvertStringUU(stmt, probe, 2, 1, -1, &res);
    const auto t2 = Clock::now();
    std::printf("load: ten tables %.2f ms, with table list and vocabulary ready %.2f ms\n",
                seconds(t0, t1) * 1e3, seconds(t0, t2) * 1e3);

    char tmpl[] = "/tmp/tezc_bench_XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    const std::string folder = tmpl;
    if (!corpus.empty()) {
        const std::string simp = readText(corpus + "/zh_CN.txt"), trad = readText(corpus + "/zh_TW.txt");
        if (simp.empty() || trad.empty()) {
            std::fprintf(stderr, "tezc_bench: no corpus in %s (scripts/fetch-bench-corpus.sh makes it)\n",
                         corpus.c_str());
            return 1;
        }
        runSample(stmt, makeSample(stmt, "real: Chinese manual pages", simp, trad), folder);
    }
    if (corpus.empty() && megabytes == 0)
        std::fprintf(stderr, "tezc_bench: no corpus folder and no generated text asked for: nothing to measure\n");
    if (megabytes > 0) {
        runSample(stmt, makeSample(stmt, "GENERATED repeated paragraphs, not real prose: reads high", makeText(megabytes << 20), ""),
                  folder);
        runSample(stmt, makeSample(stmt, "GENERATED dictionary words, not real prose", makeDictionaryText(megabytes << 20), ""),
                  folder);
    }
    rmdir(folder.c_str());
    return 0;
}
