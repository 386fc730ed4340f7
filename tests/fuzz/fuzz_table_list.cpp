// Table list files (PCTS.LST): load any bytes as a list (its entries name tables that may
// or may not exist), then save it and unload.
#include "FuzzLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Library& lib = fuzz::library();
    static bool once = [&] {
        fuzz::writeFile("A.pct", reinterpret_cast<const uint8_t*>("TEZPCT 1\n1\ta\tb\n"), 15);
        return true;
    }();
    (void)once;
    const std::string in = fuzz::writeFile("PCTS.LST", data, size);
    _TezLoadLST(lib.stmt, in.c_str());
    int32_t n = 0;
    _TezGetPCTNum(lib.stmt, &n);
    _TezSaveLST(lib.stmt, lib.path("saved.lst").c_str());
    _TezUnloadLST(lib.stmt);
    return 0;
}
