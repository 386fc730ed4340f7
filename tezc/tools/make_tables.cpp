// Builds the conversion tables (.CCT), the default vocabulary tables (.pct) and the shipped
// table list (PCTS.LST) from the OpenCC dictionary text files and the system's iconv code
// pages (Big5 as code page 950 with its user-defined rows as the program maps them, GB18030).
//
// usage: make_tables <dictionary folder> <output folder> [folder of added phrases]
// The added folder's STPhrases.txt (our own additions) is read before the dictionary's own
// phrases, so that its entries win.
#include "CodePage.h"
#include "FileIo.h"
#include "PctFormat.h"
#include "TableFile.h"
#include "Trie.h"
#include "platform/Big5UserArea.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

using namespace tezc;

namespace {

using Dict = std::vector<std::pair<std::u16string, std::vector<std::u16string>>>;

std::u16string u16(std::string_view utf8) {
    std::u16string out;
    decodeUtf8(utf8, out);
    return out;
}

bool loadDict(const std::string& path, Dict& dict) {
    std::string text;
    if (!readFile(path, text)) {
        std::fprintf(stderr, "make_tables: cannot read %s\n", path.c_str());
        return false;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) nl = text.size();
        std::string_view line(text.data() + pos, nl - pos);
        pos = nl + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        std::vector<std::u16string> values;
        std::string_view rest = line.substr(tab + 1);
        while (!rest.empty()) {
            size_t sp = rest.find(' ');
            std::string_view v = rest.substr(0, sp);
            if (!v.empty()) values.push_back(u16(v));
            rest = sp == std::string_view::npos ? std::string_view() : rest.substr(sp + 1);
        }
        if (!values.empty()) dict.emplace_back(u16(line.substr(0, tab)), std::move(values));
    }
    return true;
}

// A simple longest-match converter for building: applies a dictionary to a text.
class Greedy {
public:
    void add(const std::u16string& k, const std::u16string& v) {
        if (map_.emplace(k, v).second) maxLen_ = std::max(maxLen_, k.size());
    }
    void addDict(const Dict& d) {
        for (const auto& [k, vs] : d) add(k, vs.front());
    }
    // A converter from the dictionaries, earlier ones first.
    static Greedy of(std::initializer_list<const Dict*> dicts) {
        Greedy g;
        for (const Dict* d : dicts) g.addDict(*d);
        return g;
    }
    std::u16string apply(const std::u16string& s) const {
        std::u16string out;
        size_t i = 0;
        while (i < s.size()) {
            size_t len = std::min(maxLen_, s.size() - i);
            bool hit = false;
            for (; len >= 1; --len) {
                auto it = map_.find(s.substr(i, len));
                if (it != map_.end()) {
                    out += it->second;
                    i += len;
                    hit = true;
                    break;
                }
            }
            if (!hit) out += s[i++];
        }
        return out;
    }
    bool has(const std::u16string& k) const { return map_.count(k) != 0; }

private:
    std::unordered_map<std::u16string, std::u16string> map_;
    size_t maxLen_ = 1;
};

struct CodePages {
    std::vector<uint16_t> big5Decode = std::vector<uint16_t>(kDbcsCells, 0);
    std::vector<uint16_t> big5Encode = std::vector<uint16_t>(65536, 0);
    std::vector<uint16_t> gbDecode = std::vector<uint16_t>(kDbcsCells + kGbFourByteBmp, 0);
    std::vector<uint32_t> gbEncode = std::vector<uint32_t>(65536, 0);
};

// Converts bytes with iconv; returns false when the conversion fails.
bool iconvOnce(iconv_t cd, const char* in, size_t inLen, char* out, size_t& outLen) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(in);
    char* op = out;
    size_t il = inLen, ol = outLen;
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return false;
    outLen = outLen - ol;
    return true;
}

bool decodeOne(iconv_t cd, const unsigned char* bytes, size_t n, uint16_t& unit) {
    char out[16];
    size_t outLen = sizeof out;
    if (!iconvOnce(cd, reinterpret_cast<const char*>(bytes), n, out, outLen) || outLen != 2)
        return false;
    unit = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) |
                                 (static_cast<unsigned char>(out[1]) << 8));
    return unit != 0;
}

bool buildCodePages(CodePages& cp) {
    iconv_t b5dec = iconv_open("UTF-16LE", "CP950");
    iconv_t b5enc = iconv_open("CP950", "UTF-16LE");
    iconv_t gbdec = iconv_open("UTF-16LE", "GB18030");
    iconv_t gbenc = iconv_open("GB18030", "UTF-16LE");
    if (b5dec == (iconv_t)-1 || b5enc == (iconv_t)-1 || gbdec == (iconv_t)-1 || gbenc == (iconv_t)-1) {
        std::fprintf(stderr, "make_tables: iconv lacks CP950 or GB18030\n");
        return false;
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const unsigned char b[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
            uint16_t u;
            if (const auto user = big5_user_area::CharOf(b[0], b[1])) cp.big5Decode[dbcsIndex(b[0], b[1])] = *user;
            else if (decodeOne(b5dec, b, 2, u)) cp.big5Decode[dbcsIndex(b[0], b[1])] = u;
            if (trail != 0x7F && decodeOne(gbdec, b, 2, u)) cp.gbDecode[dbcsIndex(b[0], b[1])] = u;
        }
    for (uint32_t linear = 0; linear < kGbFourByteBmp; ++linear) {
        uint32_t l = linear;
        unsigned char b[4];
        b[3] = static_cast<unsigned char>(0x30 + l % 10); l /= 10;
        b[2] = static_cast<unsigned char>(0x81 + l % 126); l /= 126;
        b[1] = static_cast<unsigned char>(0x30 + l % 10); l /= 10;
        b[0] = static_cast<unsigned char>(0x81 + l);
        uint16_t u;
        if (decodeOne(gbdec, b, 4, u)) cp.gbDecode[kDbcsCells + linear] = u;
    }
    for (uint32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        unsigned char out[8];
        size_t outLen = sizeof out;
        if (const auto user = big5_user_area::CodeOf(static_cast<char16_t>(c))) cp.big5Encode[c] = *user;
        else if (iconvOnce(b5enc, in, 2, reinterpret_cast<char*>(out), outLen) && outLen == 2)
            cp.big5Encode[c] = static_cast<uint16_t>((out[0] << 8) | out[1]);
        outLen = sizeof out;
        if (iconvOnce(gbenc, in, 2, reinterpret_cast<char*>(out), outLen)) {
            if (outLen == 2) cp.gbEncode[c] = (uint32_t(out[0]) << 8) | out[1];
            else if (outLen == 4)
                cp.gbEncode[c] = (uint32_t(out[0]) << 24) | (uint32_t(out[1]) << 16) |
                                 (uint32_t(out[2]) << 8) | out[3];
        }
    }
    iconv_close(b5dec);
    iconv_close(b5enc);
    iconv_close(gbdec);
    iconv_close(gbenc);
    return true;
}

template <typename T>
std::vector<uint8_t> bytesOf(const std::vector<T>& v) {
    std::vector<uint8_t> out(v.size() * sizeof(T));
    std::memcpy(out.data(), v.data(), out.size());
    return out;
}

bool big5Holds(const CodePages& cp, const std::u16string& s) {
    for (char16_t c : s)
        if (c >= 0x80 && (c >= 0xD800 && c <= 0xDFFF ? true : cp.big5Encode[c] == 0)) return false;
    return true;
}

struct Dicts {
    Dict stChars, stPhrases, tsChars, tsPhrases, twVariants, twVariantsPhrases,
        twVariantsRevPhrases, twPhrases, twPhrasesRev;
};

bool loadAll(const std::string& dir, Dicts& d) {
    return loadDict(dir + "/STCharacters.txt", d.stChars) && loadDict(dir + "/STPhrases.txt", d.stPhrases) &&
           loadDict(dir + "/TSCharacters.txt", d.tsChars) && loadDict(dir + "/TSPhrases.txt", d.tsPhrases) &&
           loadDict(dir + "/TWVariants.txt", d.twVariants) &&
           loadDict(dir + "/TWVariantsPhrases.txt", d.twVariantsPhrases) &&
           loadDict(dir + "/TWVariantsRevPhrases.txt", d.twVariantsRevPhrases) &&
           loadDict(dir + "/TWPhrases.txt", d.twPhrases) && loadDict(dir + "/TWPhrasesRev.txt", d.twPhrasesRev);
}

// Adds a conversion unless it is one character that stays as it is.
void addChange(TrieBuilder& b, const std::u16string& k, const std::u16string& v) {
    if (k.size() == 1 && v == k) return;
    b.add(k, v);
}

// Simplified -> Traditional (Taiwan standard): the character and phrase dictionaries,
// followed by the Taiwan variant forms, folded into one longest-match table.
// tw: common Traditional forms to Taiwan forms.
std::vector<uint8_t> buildS2T(const Dicts& d, const CodePages& cp, const Greedy& tw) {
    TrieBuilder b;
    auto addKey = [&](const std::u16string& k, const std::u16string& v) { addChange(b, k, v); };
    for (const auto& [k, vs] : d.stPhrases) addKey(k, tw.apply(vs.front()));
    for (const auto& [k, vs] : d.stChars) {
        // Prefer the first candidate whose Taiwan form Big5 can hold.
        std::u16string pick = tw.apply(vs.front());
        for (const auto& v : vs) {
            std::u16string t = tw.apply(v);
            if (big5Holds(cp, t)) { pick = t; break; }
        }
        addKey(k, pick);
    }
    for (const auto& [k, vs] : d.twVariants)
        if (!b.contains(k)) addKey(k, vs.front());
    return b.build();
}

// Traditional (Taiwan standard) -> Simplified: Taiwan forms back to the common
// Traditional forms, then the Traditional dictionaries, folded into one table.
// toSimp: common Traditional to Simplified; tw: common Traditional forms to Taiwan forms.
std::vector<uint8_t> buildT2S(const Dicts& d, const Greedy& toSimp, const Greedy& tw) {
    TrieBuilder b;
    auto addKey = [&](const std::u16string& k, const std::u16string& v) { addChange(b, k, v); };
    for (const auto& [k, vs] : d.twVariantsRevPhrases) addKey(k, toSimp.apply(vs.front()));
    for (const auto& [k, vs] : d.twVariants)  // reversed: Taiwan form -> common form
        for (const auto& v : vs)
            if (v.size() == 1 && !b.contains(v)) addKey(v, toSimp.apply(k));
    for (const auto& [k, vs] : d.tsPhrases) {
        const std::u16string v = vs.front();
        addKey(k, v);
        const std::u16string kt = tw.apply(k);
        if (kt != k && !b.contains(kt)) addKey(kt, v);
    }
    for (const auto& [k, vs] : d.tsChars) addKey(k, vs.front());
    return b.build();
}

bool writeText(const std::string& path, const std::string& text) {
    if (!writeFileAtomic(path, text)) {
        std::fprintf(stderr, "make_tables: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: make_tables <dictionary folder> <output folder> [folder of added phrases]\n");
        return 2;
    }
    const std::string dictDir = argv[1], outDir = argv[2];
    Dicts d;
    CodePages cp;
    if (!loadAll(dictDir, d) || !buildCodePages(cp)) return 1;
    if (argc == 4) {
        Dict added;
        if (!loadDict(std::string(argv[3]) + "/STPhrases.txt", added)) return 1;
        d.stPhrases.insert(d.stPhrases.begin(), added.begin(), added.end());
    }

    const Greedy toSimp = Greedy::of({&d.tsPhrases, &d.tsChars});
    const Greedy tw = Greedy::of({&d.twVariantsPhrases, &d.twVariants});
    std::map<SectionKind, std::vector<uint8_t>> sections;
    sections[SectionKind::Big5Decode] = bytesOf(cp.big5Decode);
    sections[SectionKind::Big5Encode] = bytesOf(cp.big5Encode);
    sections[SectionKind::GbDecode] = bytesOf(cp.gbDecode);
    sections[SectionKind::GbEncode] = bytesOf(cp.gbEncode);
    sections[SectionKind::TrieS2T] = buildS2T(d, cp, tw);
    sections[SectionKind::TrieT2S] = buildT2S(d, toSimp, tw);

    const auto& roles = cctRoles();
    for (uint32_t role = 0; role < roles.size(); ++role) {
        std::vector<std::pair<SectionKind, std::vector<uint8_t>>> parts;
        for (SectionKind k : roles[role].sections) parts.emplace_back(k, sections[k]);
        const std::string path = outDir + "/" + roles[role].fileName;
        if (!writeCct(path, role, parts)) {
            std::fprintf(stderr, "make_tables: cannot write %s\n", path.c_str());
            return 1;
        }
    }

    // Regional vocabulary: terms the two regions write differently. The Taiwan phrase
    // data is keyed by common Traditional forms; the Simplified side is their code
    // conversion.
    // Items that hold in one direction only carry a direction bit (see PctFormat.h).
    std::vector<VocabItem> regional;
    std::map<std::pair<std::u16string, std::u16string>, size_t> seen;
    std::map<std::u16string, std::u16string> reverse;  // Taiwan term -> Simplified term
    for (const auto& [k, vs] : d.twPhrasesRev) reverse.emplace(k, toSimp.apply(vs.front()));
    auto usable = [](const std::u16string& t) { return !t.empty() && isStorableTerm(t); };
    for (const auto& [k, vs] : d.twPhrases) {
        const std::u16string trad = vs.front(), simp = toSimp.apply(k);
        if (!usable(trad) || !usable(simp) || seen.count({trad, simp})) continue;
        auto rev = reverse.find(trad);
        const bool both = rev != reverse.end() && rev->second == simp;
        seen.emplace(std::make_pair(trad, simp), regional.size());
        regional.push_back(VocabItem{trad, simp, both ? 1 : 1 | kItemS2TOnly, {}, {}});
    }
    for (const auto& [k, vs] : d.twPhrasesRev) {
        const std::u16string trad = k, simp = toSimp.apply(vs.front());
        if (!usable(trad) || !usable(simp)) continue;
        auto it = seen.find({trad, simp});
        if (it != seen.end()) {
            regional[it->second].status = 1;
            continue;
        }
        seen.emplace(std::make_pair(trad, simp), regional.size());
        regional.push_back(VocabItem{trad, simp, 1 | kItemT2SOnly, {}, {}});
    }
    if (!writeText(outDir + "/Regional.pct", serializePct(regional))) return 1;

    // The library's own extra table: common Traditional forms and their Taiwan forms.
    std::vector<VocabItem> extra;
    for (const auto& [k, vs] : d.twVariants)
        if (vs.front() != k) extra.push_back(VocabItem{vs.front(), k, 1, {}, {}});
    if (!writeText(outDir + "/TezExtra.pct", serializePct(extra))) return 1;

    if (!writeText(outDir + "/PCTS.LST", serializeLst({ListEntry{"Regional.pct", 1}}))) return 1;
    std::printf("make_tables: %zu regional terms, %zu extra items\n", regional.size(), extra.size());
    return 0;
}
