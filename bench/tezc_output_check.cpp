// Guards the library's output while it is made faster: converts a large mixed corpus with
// every string mode and flag and writes the outputs (UTF-8, one file per text, mode and flag)
// into a reference folder, or compares them with the outputs a earlier build wrote there and
// prints each line that differs.
// Texts: the manual pages in both scripts (scripts/fetch-bench-corpus.sh), the phrase and
// character data the tables are made from (both scripts on one line, many rare characters),
// and the Taiwan cases' inputs.
// usage: tezc_output_check write|compare <reference folder> <corpus folder>
#include "BenchText.h"
#include "TezC.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* const kTables[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                 "SD-TU.CCT",   "TU-SU.CCT",   "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};

std::string toUtf8(const std::u16string& s) {
    std::string out;
    out.reserve(s.size() * 3);
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        if (c < 0x80) out += char(c);
        else if (c < 0x800) { out += char(0xC0 | c >> 6); out += char(0x80 | (c & 63)); }
        else if (c < 0x10000) { out += char(0xE0 | c >> 12); out += char(0x80 | (c >> 6 & 63)); out += char(0x80 | (c & 63)); }
        else { out += char(0xF0 | c >> 18); out += char(0x80 | (c >> 12 & 63)); out += char(0x80 | (c >> 6 & 63)); out += char(0x80 | (c & 63)); }
    }
    return out;
}

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= s.size()) {
        const size_t end = s.find('\n', start);
        out.push_back(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || (std::string(argv[1]) != "write" && std::string(argv[1]) != "compare")) {
        std::fprintf(stderr, "usage: tezc_output_check write|compare <reference folder> <corpus folder>\n");
        return 2;
    }
    const bool write = std::string(argv[1]) == "write";
    const std::string ref = argv[2], corpus = argv[3];
    const std::string data = TEZDESK_DATA_DIR, source = TEZC_SOURCE_DATA_DIR;
    int32_t env = 0, stmt = 0;
    _TezCreateEnv(&env);
    for (int i = 0; i < 10; ++i)
        if (_TezLoadCCT(env, i, (data + "/" + kTables[i]).c_str(), 0, 0) != 0) {
            std::fprintf(stderr, "cannot load %s\n", kTables[i]);
            return 1;
        }
    _TezCreateStmt(env, &stmt, 1000);
    if (_TezLoadLST(stmt, (data + "/PCTS.LST").c_str()) != 0) {
        std::fprintf(stderr, "cannot load the table list\n");
        return 1;
    }
    const char* const texts[] = {"zh_CN.txt", "zh_TW.txt"};
    const char* const sourceTexts[] = {"STPhrases.txt", "TSCharacters.txt", "TWPhrases.txt",
                                       "TWVariantsRevPhrases.txt", "testcases_tw.tsv"};
    std::vector<std::pair<std::string, std::string>> inputs;
    for (const char* t : texts) inputs.emplace_back(t, bench::readText(corpus + "/" + t));
    for (const char* t : sourceTexts) inputs.emplace_back(t, bench::readText(source + "/" + t));
    std::filesystem::create_directories(ref);
    size_t outputs = 0, differing = 0, shown = 0;
    for (const auto& [name, text] : inputs) {
        if (text.empty()) {
            std::fprintf(stderr, "no text %s\n", name.c_str());
            return 1;
        }
        const std::u16string in = bench::toU16(text);
        for (int mode = 0; mode < 4; ++mode)
            for (int flag : {0, -1}) {
                int32_t res = 0;
                if (_TezConvertStringUU(stmt, in.data(), int32_t(in.size()), mode, flag, &res) != 0) {
                    std::fprintf(stderr, "conversion %s mode %d flag %d failed\n", name.c_str(), mode, flag);
                    return 1;
                }
                std::u16string out(size_t(_TezGetUniLen(res)), u'\0');
                _TezGetUniStr(res, out.data(), int32_t(out.size()));
                const std::string got = toUtf8(out);
                const std::string file = ref + "/" + name + "." + std::to_string(mode) + "." +
                                         std::to_string(-flag) + ".txt";
                ++outputs;
                if (write) {
                    bench::writeText(file, got);
                    continue;
                }
                const std::vector<std::string> a = lines(bench::readText(file)), b = lines(got);
                for (size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
                    const std::string was = k < a.size() ? a[k] : "(none)", now = k < b.size() ? b[k] : "(none)";
                    if (was == now) continue;
                    ++differing;
                    if (shown++ < 40)
                        std::printf("%s mode %d flag %d line %zu:\n  was %s\n  now %s\n", name.c_str(), mode, flag,
                                    k + 1, was.substr(0, 300).c_str(), now.substr(0, 300).c_str());
                }
            }
    }
    if (write) std::printf("%zu outputs written to %s\n", outputs, ref.c_str());
    else std::printf("%zu outputs compared: %zu lines differ\n", outputs, differing);
    return differing == 0 ? 0 : 1;
}
