// Vocabulary table files (.pct): load any bytes as a table, read its items, save it and
// load the saved file again; the saved table holds the same items.
#include "FuzzLibrary.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Library& lib = fuzz::library();
    const std::string in = fuzz::writeFile("in.pct", data, size);
    int32_t h = 0;
    const int32_t rc = _TezLoadPCT(lib.stmt, in.c_str(), &h);
    if (rc != TEZ_OK && rc != TEZ_WARN_PARTIAL) return 0;
    int32_t count = 0, bad = 0;
    _TezPCTGetItemNum(h, &count);
    _TezPCTGetBadLineNum(h, &bad);
    std::vector<char> trad(256), simp(256);
    for (int32_t i = 0; i < count; ++i) {
        int32_t tl = 256, sl = 256, status = 0;
        _TezPCTGetItem(h, i, trad.data(), &tl, simp.data(), &sl, &status);
    }
    if (count > 0) _TezPCTEnableItem(h, 0, 0);
    const std::string out = lib.path("out.pct");
    if (_TezSavePCT(h, out.c_str(), 0) == TEZ_OK) {
        int32_t again = 0, againCount = -1;
        if (_TezLoadPCT(lib.stmt, out.c_str(), &again) >= TEZ_WARN_PARTIAL) {
            _TezPCTGetItemNum(again, &againCount);
            if (againCount != count) __builtin_trap();
            _TezUnloadPCT(lib.stmt, again);
        }
    }
    _TezUnloadPCT(lib.stmt, h);
    return 0;
}
