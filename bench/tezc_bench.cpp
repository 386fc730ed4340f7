// Speed of the conversion library on a large Chinese text: table loading, string
// conversion in both directions with and without vocabulary, and whole-file conversion.
// usage: tezc_bench [data folder] [megabytes of text, default 32]
#include "TezC.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

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

std::u16string toU16(const std::string& s) {
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        char32_t cp;
        if (b < 0x80) { cp = b; i += 1; }
        else if (b < 0xE0) { cp = ((b & 0x1F) << 6) | (s[i + 1] & 0x3F); i += 2; }
        else if (b < 0xF0) { cp = ((b & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F); i += 3; }
        else { cp = ((b & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F); i += 4; }
        if (cp >= 0x10000) { cp -= 0x10000; out += char16_t(0xD800 + (cp >> 10)); out += char16_t(0xDC00 + (cp & 0x3FF)); }
        else out += char16_t(cp);
    }
    return out;
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

std::u16string convert(int32_t stmt, const std::u16string& in, int mode, int flag, double& best, int rounds) {
    std::u16string out;
    best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        int32_t res = 0;
        const auto t0 = Clock::now();
        if (_TezConvertStringUU(stmt, in.data(), int32_t(in.size()), mode, flag, &res) != 0) {
            std::fprintf(stderr, "conversion failed\n");
            std::exit(1);
        }
        out.resize(static_cast<size_t>(_TezGetUniLen(res)));
        _TezGetUniStr(res, out.data(), int32_t(out.size()));
        best = std::min(best, seconds(t0, Clock::now()));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : TEZDESK_DATA_DIR;
    const size_t megabytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 32;
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

    double best = 0;
    // Each text in Simplified and in its Traditional code conversion, with their sizes.
    struct Sample {
        const char* name;
        std::u16string simp, trad;
        double mbSimp, mbTrad;
    };
    auto sample = [&](const char* name, const std::string& utf8) {
        Sample t{name, toU16(utf8), {}, 0, 0};
        t.trad = convert(stmt, t.simp, 0, 0, best, 1);
        t.mbSimp = utf8Length(t.simp) / 1e6;
        t.mbTrad = utf8Length(t.trad) / 1e6;
        return t;
    };
    const Sample samples[] = {sample("prose", makeText(megabytes << 20)),
                              sample("dictionary words", makeDictionaryText(megabytes << 20))};
    for (const Sample& t : samples) {
        std::printf("text (%s): %.1f MB (UTF-8) Simplified, %zu UTF-16 units\n", t.name, t.mbSimp, t.simp.size());
        struct Case { const char* name; const std::u16string* in; double mb; int mode, flag; };
        const Case cases[] = {
            {"S->T code", &t.simp, t.mbSimp, 0, 0},
            {"S->T with vocabulary", &t.simp, t.mbSimp, 0, -1},
            {"T->S code", &t.trad, t.mbTrad, 1, 0},
            {"T->S with vocabulary", &t.trad, t.mbTrad, 1, -1},
            {"Traditional usage (mode 2)", &t.trad, t.mbTrad, 2, 0},
        };
        for (const Case& c : cases) {
            convert(stmt, *c.in, c.mode, c.flag, best, 5);
            std::printf("  %-28s %8.1f MB/s\n", c.name, c.mb / best);
        }
    }
    // The files below use the prose text.
    const Sample& prose = samples[0];

    // Whole files: GB text to Big5 with vocabulary, and Big5 back to GB.
    char tmpl[] = "/tmp/tezc_bench_XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    const std::string folder = tmpl;
    const std::string gbFile = folder + "/in_gb.txt", big5File = folder + "/out_big5.txt", back = folder + "/back_gb.txt";
    {
        // The input file in GB: converting the text by the library's encoding-only mode.
        int32_t r = 0;
        _TezConvertStringUD(stmt, prose.simp.data(), int32_t(prose.simp.size()), 3, 0, &r);
        std::string bytes(static_cast<size_t>(_TezGetDBLen(r)), '\0');
        _TezGetDBStr(r, bytes.data(), int32_t(bytes.size()));
        std::ofstream(gbFile, std::ios::binary) << bytes;
    }
    struct FileCase { const char* name; std::string in, out; int type, pm; double mb; };
    const FileCase files[] = {
        {"file GB->Big5 with vocabulary", gbFile, big5File, 3, 1, prose.mbSimp},
        {"file Big5->GB with vocabulary", big5File, back, 0, 1, prose.mbTrad},
    };
    for (const FileCase& f : files) {
        double fileBest = 1e9;
        for (int r = 0; r < 3; ++r) {
            const auto a = Clock::now();
            if (_TezFileConversion(stmt, f.in.c_str(), f.out.c_str(), f.type, f.pm, 0) != 0) {
                std::fprintf(stderr, "file conversion failed\n");
                return 1;
            }
            fileBest = std::min(fileBest, seconds(a, Clock::now()));
        }
        std::printf("%-30s %8.1f MB/s\n", f.name, f.mb / fileBest);
    }
    for (const std::string& p : {gbFile, big5File, back}) std::remove(p.c_str());
    rmdir(folder.c_str());
    return 0;
}
