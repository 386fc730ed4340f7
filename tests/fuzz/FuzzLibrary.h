#pragma once
// The conversion library opened once per fuzz run on the generated tables, with a private
// folder for the files a target writes.
#include "TezC.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz {

inline const char* const kTables[10] = {"big5-gb.cct", "gb-big5.cct", "TD-TU.CCT", "SD-SU.CCT", "TD-SU.CCT",
                                        "SD-TU.CCT", "TU-SU.CCT", "SU-TU.CCT", "TU-TD.CCT", "SU-SD.CCT"};

struct Library {
    int32_t env = 0, stmt = 0;
    std::string folder;
    Library() {
        const char* data = std::getenv("TEZDESK_DATA_DIR");
        if (!data) {
            std::fprintf(stderr, "TEZDESK_DATA_DIR is not set\n");
            std::abort();
        }
        _TezCreateEnv(&env);
        _TezCreateStmt(env, &stmt, 1000);
        for (int i = 0; i < 10; ++i)
            _TezLoadCCT(env, i, (std::string(data) + "/" + kTables[i]).c_str(), 0, 0);
        char tmpl[] = "/tmp/tezc-fuzz-XXXXXX";
        folder = mkdtemp(tmpl);
    }
    std::string path(const char* name) const { return folder + "/" + name; }
    // A vocabulary table in use with a few items, so that conversions meet vocabulary too.
    void addVocabulary() {
        int32_t h = 0;
        _TezNewPCT(stmt, path("v.pct").c_str(), &h);
        const char* const items[][2] = {{"\xdc\x9b\xf3\x77", "\xc8\xed\xbc\xfe"},   // 軟體 / 软件
                                        {"\xbb\xac\xca\xf3", "\xca\xf3\xb1\xea"},   // 滑鼠 / 鼠标
                                        {"\xf3\x8c", "\xb7\xa2"}};                   // 髮 / 发
        for (int i = 0; i < 3; ++i) _TezPCTInsertItem(h, i, items[i][0], items[i][1], 1);
    }
};

inline Library& library() {
    static Library lib;
    return lib;
}

// Writes bytes to a file of the private folder and returns its path.
inline std::string writeFile(const char* name, const uint8_t* data, size_t size) {
    const std::string p = library().path(name);
    if (FILE* f = std::fopen(p.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return p;
}

}  // namespace fuzz
