#pragma once
// Helpers the library benchmarks share: whole files in and out, UTF-8 to UTF-16, how many
// times to run a case and its best times, a new output file for each run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <fcntl.h>
#include <unistd.h>

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

// Seconds of the wall clock and of the thread's CPU time (which other work on a busy host
// disturbs less).
struct Timing {
    double wall = 1e9, cpu = 1e9;
};

inline double threadCpuNow() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The best times of the runs of the work (see runAgain), each after the untimed prepare.
inline Timing bestOf(int rounds, const std::function<void()>& work, const std::function<void()>& prepare = {}) {
    Timing best;
    double spent = 0;
    for (int r = 0; runAgain(r, rounds, spent); ++r) {
        if (prepare) prepare();
        const auto w0 = std::chrono::steady_clock::now();
        const double c0 = threadCpuNow();
        work();
        const double c = threadCpuNow() - c0;
        const double w = std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count();
        spent += w;
        best.wall = std::min(best.wall, w);
        best.cpu = std::min(best.cpu, c);
    }
    return best;
}

// The prepare step of a file conversion into path: the last run's output is removed and the
// file system synced, so that the run writes a new file and does not also wait for the file
// system to free the last one.
inline std::function<void()> newOutputAt(const std::string& path) {
    return [path] {
        std::remove(path.c_str());
        const int folder = open(std::filesystem::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
        if (folder < 0) return;
        syncfs(folder);
        close(folder);
    };
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
