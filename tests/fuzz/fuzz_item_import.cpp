// The vocabulary import file: any bytes decoded and split into item pairs.
#include "ProgramFuzz.h"

#include "vocabulary/ItemPairText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto text = DecodeItemPairFile(fuzz::bytes(data, size)))
        ParseItemPairs(*text);
    return 0;
}
