// Whole-file conversion: any bytes as a text or HTML file, every conversion type and
// vocabulary mode, with and without the charset declaration.
#include "FuzzLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Library& lib = fuzz::library();
    static bool once = (lib.addVocabulary(), true);
    (void)once;
    if (size < 2) return 0;
    const int32_t type = data[0] & 15;
    const int32_t phraseMode = (data[0] >> 4) & 3;
    const int32_t flag = (data[0] & 0x40) ? -1 : 0;
    const char* name = (data[1] & 1) ? "in.html" : "in.txt";
    const std::string in = fuzz::writeFile(name, data + 2, size - 2);
    _TezFileConversion(lib.stmt, in.c_str(), lib.path("out").c_str(), type, phraseMode, flag);
    return 0;
}
