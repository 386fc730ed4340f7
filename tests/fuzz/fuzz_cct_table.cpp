// Conversion table files (.CCT): load any bytes as each kind of table; a table the library
// accepts must then convert without fault.
#include "FuzzLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int32_t env = 0, stmt = 0;
    if (!env) {
        _TezCreateEnv(&env);
        _TezCreateStmt(env, &stmt, 1000);
    }
    if (size < 1) return 0;
    const int32_t index = data[0] % 10;
    const std::string in = fuzz::writeFile("t.cct", data + 1, size - 1);
    if (_TezLoadCCT(env, index, in.c_str(), 0, 0) != TEZ_OK) return 0;
    static const char16_t text[] = u"头发发展後來軟體abc";
    int32_t res = 0;
    for (int32_t mode = 0; mode < 4; ++mode) {
        _TezConvertStringUU(stmt, text, 11, mode, -1, &res);
        _TezConvertStringDD(stmt, "\xa4\x40\xb7\xa2", 4, mode, 0, &res);
    }
    return 0;
}
