// String conversion: any text through the four entry families, every mode and flag, with
// vocabulary in use; the result is fetched through both pairs of fetch entries.
#include "FuzzLibrary.h"

#include <vector>

namespace {
void fetch(int32_t res) {
    const int32_t ulen = _TezGetUniLen(res);
    if (ulen >= 0) {
        std::vector<char16_t> u(static_cast<size_t>(ulen) + 1);
        _TezGetUniStr(res, u.data(), ulen);
    }
    const int32_t dlen = _TezGetDBLen(res);
    if (dlen >= 0) {
        std::vector<char> d(static_cast<size_t>(dlen) + 1);
        _TezGetDBStr(res, d.data(), dlen);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Library& lib = fuzz::library();
    static bool once = (lib.addVocabulary(), true);
    (void)once;
    if (size < 1) return 0;
    const int32_t mode = data[0] & 3;
    const int32_t flag = (data[0] & 4) ? -1 : 0;
    const int32_t family = (data[0] >> 3) & 3;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const size_t n = size - 1;
    std::vector<char16_t> units(n / 2);
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
    int32_t res = 0, rc = 0;
    switch (family) {
    case 0: rc = _TezConvertStringUU(lib.stmt, units.data(), int32_t(units.size()), mode, flag, &res); break;
    case 1: rc = _TezConvertStringUD(lib.stmt, units.data(), int32_t(units.size()), mode, flag, &res); break;
    case 2: rc = _TezConvertStringDU(lib.stmt, bytes, int32_t(n), mode, flag, &res); break;
    default: rc = _TezConvertStringDD(lib.stmt, bytes, int32_t(n), mode, flag, &res); break;
    }
    if (rc == TEZ_OK) fetch(res);
    return 0;
}
