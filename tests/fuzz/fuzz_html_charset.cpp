// The charset declaration of HTML output: any page converted at once and in chunks of a few
// bytes gives the same bytes.
#include "FuzzLibrary.h"

#include <cstring>
#include <string>

namespace {

std::string convert(fuzz::Library& lib, const std::string& in, int32_t type, int32_t flag, const char* chunk) {
    if (chunk) setenv("TEZC_FILE_CHUNK_BYTES", chunk, 1);
    else setenv("TEZC_FILE_WHOLE", "1", 1);
    const std::string out = lib.path(chunk ? "chunked.htm" : "whole.htm");
    std::remove(out.c_str());
    const int32_t rc = _TezFileConversion(lib.stmt, in.c_str(), out.c_str(), type, 1, flag);
    unsetenv("TEZC_FILE_CHUNK_BYTES");
    unsetenv("TEZC_FILE_WHOLE");
    std::string bytes = "rc " + std::to_string(rc) + "\n";
    if (FILE* f = std::fopen(out.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
        std::fclose(f);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Library& lib = fuzz::library();
    if (size < 1) return 0;
    // Types with an 8-bit or a UTF-16 side; with and without a declaration to add.
    static const int32_t kTypes[8] = {3, 2, 0, 1, 11, 13, 6, 9};
    const int32_t type = kTypes[data[0] & 7];
    const int32_t flag = (data[0] & 8) ? -1 : 0;
    const char* const chunk = (data[0] & 16) ? "1" : "7";
    const std::string in = fuzz::writeFile("in.htm", data + 1, size - 1);
    const std::string whole = convert(lib, in, type, flag, nullptr);
    const std::string chunked = convert(lib, in, type, flag, chunk);
    if (whole != chunked) {
        std::fprintf(stderr, "whole and chunked conversion differ (type %d, flag %d, chunk %s)\n", type, flag, chunk);
        std::abort();
    }
    return 0;
}
