#pragma once
// Big5 (code page 950 flavour), GB18030 and UTF-8 <-> UTF-16, driven by the code page
// sections of the conversion tables.
#include <cstdint>
#include <string>
#include <string_view>

namespace tezc {

constexpr size_t kDbcsLeads = 126;   // 0x81..0xFE
constexpr size_t kDbcsTrails = 191;  // 0x40..0xFE
constexpr size_t kDbcsCells = kDbcsLeads * kDbcsTrails;
constexpr size_t kGbFourByteBmp = 39420;  // four-byte codes 0x81308130..0x8439FE39

// How a character the target code page cannot hold is written.
enum class Unmappable { Question, HtmlReference };

struct Big5Tables {
    const uint16_t* decode = nullptr;  // kDbcsCells
    const uint16_t* encode = nullptr;  // 65536
};
struct GbTables {
    const uint16_t* decode = nullptr;  // kDbcsCells + kGbFourByteBmp
    const uint32_t* encode = nullptr;  // 65536
};

// The decoders give out the decoded text (what it held before is overwritten).
void decodeBig5(const uint16_t* table, std::string_view in, std::u16string& out);
void decodeGb(const uint16_t* table, std::string_view in, std::u16string& out);
// Decoding a part of a longer text into a buffer that only grows: the units are written
// from out[at] on and the end of them is returned; out is lengthened when it is too short,
// never shortened, and what lies after the end is left as it was. Unless final, a
// character that the end of the part cuts off is left undecoded. used is set to the bytes
// decoded; decoding the rest after them gives the units of decoding the whole text at once.
size_t decodeBig5Into(const uint16_t* table, std::string_view in, std::u16string& out, size_t at, bool final,
                      size_t& used);
size_t decodeGbInto(const uint16_t* table, std::string_view in, std::u16string& out, size_t at, bool final,
                    size_t& used);
size_t decodeUtf8Into(std::string_view in, std::u16string& out, size_t at, bool final, size_t& used);
// The encoders give out the encoded text (what it held before is overwritten).
void encodeBig5(const uint16_t* table, std::u16string_view in, std::string& out, Unmappable how);
void encodeGb(const uint32_t* table, std::u16string_view in, std::string& out, Unmappable how);
// Encoding into a buffer that only grows, from out[0] on: returns the end of the bytes.
size_t encodeBig5Into(const uint16_t* table, std::u16string_view in, std::string& out, Unmappable how);
size_t encodeGbInto(const uint32_t* table, std::u16string_view in, std::string& out, Unmappable how);
// True when every character of the text has a one- or two-byte GB code.
bool fitsGbTwoByte(const uint32_t* table, std::u16string_view in);

// Decodes with the system's iconv from the named encoding, appending to out. A byte it
// cannot decode becomes U+FFFD, or fails the whole text when strict. False when iconv
// lacks the encoding.
bool decodeIconv(const char* encoding, std::string_view in, std::u16string& out, bool strict);

bool isValidUtf8(std::string_view in);
bool hasNonAscii(std::string_view in);
void decodeUtf8(std::string_view in, std::u16string& out);
void encodeUtf8(std::u16string_view in, std::string& out);

inline size_t dbcsIndex(uint8_t lead, uint8_t trail) {
    return size_t(lead - 0x81) * kDbcsTrails + size_t(trail - 0x40);
}

}  // namespace tezc
