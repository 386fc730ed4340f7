#pragma once
// Helpers the library benchmarks share: whole files in and out, UTF-8 to UTF-16, how many
// times to run a case.
#include <fstream>
#include <sstream>
#include <string>

namespace bench {

inline std::string readText(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

inline void writeText(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Whether a case whose best run counts runs once more after done runs that took spent
// seconds: at least rounds runs, and on short work as many more as fill half a second (up
// to 50), so that other work on the host hides fewer of the fast runs.
inline bool runAgain(int done, int rounds, double spent) {
    return done < rounds || (spent < 0.5 && done < 50);
}

// Well-formed UTF-8 (the corpus and the generated texts) as UTF-16.
inline std::u16string toU16(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        char32_t cp;
        if (b < 0x80) { cp = b; i += 1; }
        else if (b < 0xE0) { cp = ((b & 0x1F) << 6) | (s[i + 1] & 0x3F); i += 2; }
        else if (b < 0xF0) { cp = ((b & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F); i += 3; }
        else { cp = ((b & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F); i += 4; }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

}  // namespace bench
