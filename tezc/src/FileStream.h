#pragma once
// Whole-file conversion in bounded chunks, each decoded, converted and encoded in one go:
// an 8-bit input's encoding is chosen first (a read that stops at the first byte that is
// not UTF-8), the output goes to a temporary file beside the output that is renamed over it
// at the end. A read that ends inside a character leaves its bytes for the next chunk; the
// units after the last place where the text may be cut (see chunkCut) wait for the next
// chunk too, so the bytes are those of the conversion of the whole text at once.
#include "Convert.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tezc {

struct StreamPlan {
    bool fromWide;  // the input is UTF-16
    bool toWide;    // the output is UTF-16
    TextOp op;
    bool html;      // HTML: the charset declarations are set (see setHtmlCharset)
    bool insertTag; // with html: a declaration is added where there is none
};

enum class StreamOutcome {
    Finished,      // rc holds the result; the output is written when rc is 0
    LooksLikeHtml  // not taken for HTML, the start of the converted text is: call again as HTML
};

StreamOutcome streamConvertFile(Stmt& st, const std::string& in, const std::string& out, const StreamPlan& plan,
                                int32_t& rc);

// Bytes read per chunk: TEZC_FILE_CHUNK_BYTES when set (tests make it tiny), else 256 KiB,
// small enough for the chunk's text to stay in the cache. A chunk grows beyond it only
// where the text offers no place to cut.
size_t fileChunkBytes();

// UTF-16 code units from bytes in the given byte order (an odd last byte is dropped), and
// code units to little-endian bytes. unitsInto writes the units from out[at] on into a
// buffer that only grows and returns their end.
void decodeUnits(std::string_view bytes, bool big, std::u16string& out);
size_t unitsInto(std::string_view bytes, bool big, std::u16string& out, size_t at);
void encodeUnits(std::u16string_view text, std::string& out);

}  // namespace tezc
