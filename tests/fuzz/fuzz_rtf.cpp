// RTF conversion: any bytes as an RTF file, in each mode, with and without vocabulary.
#include "FuzzLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Library& lib = fuzz::library();
    static bool once = (lib.addVocabulary(), true);
    (void)once;
    if (size < 1) return 0;
    const int32_t mode = data[0] & 3;
    const int32_t flags = (data[0] & 4) ? 256 : 0;
    const std::string in = fuzz::writeFile("in.rtf", data + 1, size - 1);
    _ConvertStringForRTFFileEx(lib.stmt, in.c_str(), lib.path("out.rtf").c_str(), mode, flags);
    return 0;
}
