#pragma once
// The encodings a table file may be stored in (ours write UTF-8; a text editor may have
// saved one as GB18030, Big5 or UTF-16): detection, line splitting, and strict decoding and
// encoding of single lines.
#include <string>
#include <string_view>
#include <vector>

namespace tezc {

enum class TableEncoding { Utf8, Gb18030, Big5, Utf16LE, Utf16BE };

// The bytes of one line, with its line end (none for a last line without one).
struct RawLine {
    std::string_view bytes;
    std::string_view body() const;  // without the line end
};

// Splits the text after its byte-order mark (returned in bom) into lines.
std::vector<RawLine> splitLines(std::string_view text, TableEncoding enc, std::string_view& bom);
// The line end of a line's bytes in the encoding ("" when it has none).
std::string_view lineEndOf(std::string_view line, TableEncoding enc);

// Strict decoding: false when a byte sequence is not valid in the encoding.
bool decodeLine(std::string_view body, TableEncoding enc, std::u16string& out);
// Strict encoding: false when a character has no code in the encoding.
bool encodeLine(std::u16string_view text, TableEncoding enc, std::string& out);

// The encoding a table text is stored in: a byte-order mark, a UTF-16 header, valid UTF-8;
// else the one of UTF-8, GB18030 and Big5 that leaves fewest lines undecodable (on a tie
// more of the encoding's common characters, then the detector's choice).
TableEncoding detectTableEncoding(std::string_view text);

}  // namespace tezc
