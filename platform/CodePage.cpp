#include "platform/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

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
QByteArray Encode(const Converter& encoder, const QString& text)
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

} // namespace

QByteArray ToGB(const QString& text)
{
    thread_local const Converter encoder("GB18030", "UTF-16LE");
    return Encode(encoder, text);
}

QString FromGB(const QByteArray& bytes)
{
    thread_local const Converter decoder("UTF-16LE", "GB18030");
    return Decode(decoder, bytes);
}

QByteArray ToBig5(const QString& text)
{
    thread_local const Converter encoder("CP950", "UTF-16LE");
    return Encode(encoder, text);
}

QString FromBig5(const QByteArray& bytes)
{
    thread_local const Converter decoder("UTF-16LE", "CP950");
    return Decode(decoder, bytes);
}
