// The encoding detection of text files: any bytes, either preferred code page.
#include "ProgramFuzz.h"

#include "core/TextEncodingDetect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const TextEncoding preferred = (data[0] & 1) ? TextEncoding::Big5 : TextEncoding::Gb;
    TextEncoding found;
    DecodeDetectedText(fuzz::bytes(data + 1, size - 1), preferred, &found);
    return 0;
}
