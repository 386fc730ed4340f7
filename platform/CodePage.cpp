#include "platform/CodePage.h"

#include "platform/Big5UserArea.h"

#include <QStringView>

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// One iconv conversion that never stops at a bad sequence: an unencodable character
// becomes the replacement, an undecodable byte becomes U+FFFD.
class Converter {
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("code page not available: ") + from + " -> " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on a bad input unit of `unit` bytes writes `replacement` and skips it.
    QByteArray run(const char* in, size_t inLeft, size_t unit, const QByteArray& replacement) const
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        QByteArray out;
        out.resize(static_cast<qsizetype>(inLeft * 2 + 16));
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out.data();
        size_t outLeft = static_cast<size_t>(out.size());
        while (inLeft > 0) {
            size_t r = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            if (r != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG || outLeft < static_cast<size_t>(replacement.size()) + 8) {
                qsizetype used = outPtr - out.data();
                out.resize(out.size() * 2 + 16);
                outPtr = out.data() + used;
                outLeft = static_cast<size_t>(out.size() - used);
                continue;
            }
            // EILSEQ or EINVAL: replace one unit (a surrogate pair counts as one character).
            size_t skip = unit;
            if (unit == 2 && inLeft >= 4) {
                auto hi = static_cast<unsigned char>(inPtr[1]) << 8 | static_cast<unsigned char>(inPtr[0]);
                if (hi >= 0xD800 && hi <= 0xDBFF)
                    skip = 4;
            }
            skip = std::min(skip, inLeft);
            memcpy(outPtr, replacement.constData(), static_cast<size_t>(replacement.size()));
            outPtr += replacement.size();
            outLeft -= static_cast<size_t>(replacement.size());
            inPtr += skip;
            inLeft -= skip;
        }
        out.resize(outPtr - out.data());
        return out;
    }

private:
    iconv_t m_cd;
};

// Text as 8-bit bytes through an encoder from UTF-16; "?" for what the code page cannot hold.
QByteArray Encode(const Converter& encoder, QStringView text)
{
    return encoder.run(reinterpret_cast<const char*>(text.utf16()), static_cast<size_t>(text.size()) * 2, 2,
                       QByteArrayLiteral("?"));
}

// 8-bit bytes as text through a decoder to UTF-16; U+FFFD for bytes the code page does not define.
QString Decode(const Converter& decoder, const QByteArray& bytes)
{
    static const QByteArray replacement("\xFD\xFF", 2);
    const QByteArray utf16 = decoder.run(bytes.constData(), static_cast<size_t>(bytes.size()), 1, replacement);
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

constexpr char16_t kReplacement = 0xFFFD;

// Encodes text through encodeRun, writing each kept code in place of its character.
template <typename EncodeRun>
QByteArray EncodeKeeping(const QString& text, const QList<KeptCode>& kept, EncodeRun encodeRun)
{
    const QStringView all(text);
    if (kept.isEmpty())
        return encodeRun(all);
    QByteArray out;
    qsizetype from = 0;
    for (const KeptCode& code : kept) {
        if (code.position < from || code.length <= 0 || code.position + code.length > all.size())
            continue;
        out += encodeRun(all.mid(from, code.position - from));
        out += code.bytes;
        from = code.position + code.length;
    }
    out += encodeRun(all.mid(from));
    return out;
}

// ---------------------------------------------------------------------------------------
// GB18030 through iconv

const Converter& GbEncoder()
{
    thread_local const Converter encoder("GB18030", "UTF-16LE");
    return encoder;
}

const Converter& GbDecoder()
{
    thread_local const Converter decoder("UTF-16LE", "GB18030");
    return decoder;
}

// The length of the GB sequence that starts at s[i]: one byte, a two-byte or a four-byte code.
qsizetype GbSequenceLength(const uint8_t* s, qsizetype i, qsizetype n)
{
    if (s[i] < 0x81 || s[i] == 0xFF || i + 1 >= n)
        return 1;
    if (s[i + 1] >= 0x30 && s[i + 1] <= 0x39)
        return i + 3 < n ? 4 : 1;
    return 2;
}

// Decodes GB one character at a time (80 is the euro sign of code page 936), listing in kept
// the characters whose bytes do not come back.
QString FromGbByCharacter(const QByteArray& bytes, QList<KeptCode>* kept)
{
    static const QByteArray euro("\x80", 1);
    static const QString replacement(1, QChar(kReplacement));
    static const QByteArray replacementBytes = Encode(GbEncoder(), replacement);
    QString text;
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const qsizetype length = GbSequenceLength(s, i, n);
        const QByteArray sequence = bytes.mid(i, length);
        const QString c = sequence == euro ? QStringLiteral("\u20AC") : Decode(GbDecoder(), sequence);
        const bool oneCharacter = c.size() == 1 || (c.size() == 2 && c[0].isHighSurrogate() && c[1].isLowSurrogate());
        const bool defined = oneCharacter && (c[0] != QChar(kReplacement) || sequence == replacementBytes);
        if (!defined) {
            if (kept)
                kept->append({text.size(), 1, bytes.mid(i, 1)});
            text += QChar(kReplacement);
            ++i;
            continue;
        }
        if (kept && Encode(GbEncoder(), c) != sequence)
            kept->append({text.size(), c.size(), sequence});
        text += c;
        i += length;
    }
    return text;
}

// Decodes GB whole: the system's GB18030 between the one-byte euro signs (80) of code page 936.
QString DecodeGb(const QByteArray& bytes)
{
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype n = bytes.size();
    QString text;
    qsizetype from = 0;
    for (qsizetype i = 0; i < n;) {
        if (s[i] != 0x80) {
            i += GbSequenceLength(s, i, n);
            continue;
        }
        text += Decode(GbDecoder(), bytes.mid(from, i - from));
        text += QChar(0x20AC);
        from = ++i;
    }
    if (from == 0)
        return Decode(GbDecoder(), bytes);
    return text + Decode(GbDecoder(), bytes.mid(from));
}

// ---------------------------------------------------------------------------------------
// Big5 through tables built once from the system's code page 950 and the user-defined rows

constexpr int kTrails = 0xFE - 0x40 + 1;

size_t Big5Cell(uint8_t lead, uint8_t trail)
{
    return static_cast<size_t>(lead - 0x81) * kTrails + static_cast<size_t>(trail - 0x40);
}

struct Big5Tables {
    std::vector<char16_t> decode = std::vector<char16_t>(126 * kTrails, 0);  // 0: no character
    std::vector<uint16_t> encode = std::vector<uint16_t>(65536, 0);         // 0: no code
};

// Converts one short sequence with iconv; false when it does not convert whole.
bool ConvertOnce(iconv_t cd, const void* in, size_t inLength, uint8_t* out, size_t& outLength)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(static_cast<const char*>(in));
    char* op = reinterpret_cast<char*>(out);
    size_t il = inLength;
    size_t ol = outLength;
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0)
        return false;
    outLength -= ol;
    return true;
}

Big5Tables BuildBig5Tables()
{
    Big5Tables tables;
    iconv_t decoder = iconv_open("UTF-16LE", "CP950");
    iconv_t encoder = iconv_open("CP950", "UTF-16LE");
    if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("code page not available: CP950");
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            char16_t c = big5_user_area::CharOf(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)).value_or(0);
            const uint8_t in[2] = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)};
            uint8_t out[8];
            size_t outLength = sizeof out;
            if (c == 0 && ConvertOnce(decoder, in, 2, out, outLength) && outLength == 2)
                c = static_cast<char16_t>(out[0] | out[1] << 8);
            tables.decode[Big5Cell(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail))] = c;
        }
    }
    for (uint32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (const auto user = big5_user_area::CodeOf(static_cast<char16_t>(c))) {
            tables.encode[c] = *user;
            continue;
        }
        const uint8_t in[2] = {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>(c >> 8)};
        uint8_t out[8];
        size_t outLength = sizeof out;
        if (ConvertOnce(encoder, in, 2, out, outLength) && outLength == 2)
            tables.encode[c] = static_cast<uint16_t>(out[0] << 8 | out[1]);
    }
    iconv_close(decoder);
    iconv_close(encoder);
    return tables;
}

const Big5Tables& Big5()
{
    static const Big5Tables tables = BuildBig5Tables();
    return tables;
}

QByteArray EncodeBig5Run(QStringView text)
{
    const Big5Tables& tables = Big5();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // a character outside the BMP: Big5 holds none
        const uint16_t code = tables.encode[c];
        if (code == 0) {
            out += '?';
            continue;
        }
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

} // namespace

QByteArray ToGB(const QString& text, const QList<KeptCode>& kept)
{
    return EncodeKeeping(text, kept, [](QStringView run) { return Encode(GbEncoder(), run); });
}

QString FromGB(const QByteArray& bytes, QList<KeptCode>* kept)
{
    QString text = DecodeGb(bytes);
    if (!kept || ToGB(text) == bytes)
        return text;
    return FromGbByCharacter(bytes, kept);
}

QByteArray ToBig5(const QString& text, const QList<KeptCode>& kept)
{
    return EncodeKeeping(text, kept, EncodeBig5Run);
}

QString FromBig5(const QByteArray& bytes, QList<KeptCode>* kept)
{
    const Big5Tables& tables = Big5();
    QString text;
    text.reserve(bytes.size());
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uint8_t lead = s[i];
        if (lead < 0x80) {
            text += QChar(lead);
            ++i;
            continue;
        }
        char16_t c = 0;
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < n && s[i + 1] >= 0x40 && s[i + 1] <= 0xFE)
            c = tables.decode[Big5Cell(lead, s[i + 1])];
        if (c == 0) {
            if (kept)
                kept->append({text.size(), 1, bytes.mid(i, 1)});
            text += QChar(kReplacement);
            ++i;
            continue;
        }
        if (kept && tables.encode[c] != (lead << 8 | s[i + 1]))
            kept->append({text.size(), 1, bytes.mid(i, 2)});
        text += QChar(c);
        i += 2;
    }
    return text;
}
