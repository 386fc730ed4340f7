#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
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

QByteArray encode(const char* codePage, const QString& text)
{
    thread_local Converter gb("GB18030", "UTF-16LE");
    thread_local Converter big5("CP950", "UTF-16LE");
    const Converter& c = qstrcmp(codePage, "GB18030") == 0 ? gb : big5;
    return c.run(reinterpret_cast<const char*>(text.utf16()), static_cast<size_t>(text.size()) * 2, 2,
                 QByteArrayLiteral("?"));
}

QString decode(const char* codePage, const QByteArray& bytes)
{
    thread_local Converter gb("UTF-16LE", "GB18030");
    thread_local Converter big5("UTF-16LE", "CP950");
    const Converter& c = qstrcmp(codePage, "GB18030") == 0 ? gb : big5;
    static const QByteArray replacement("\xFD\xFF", 2);
    QByteArray utf16 = c.run(bytes.constData(), static_cast<size_t>(bytes.size()), 1, replacement);
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

} // namespace

QByteArray ToGB(const QString& text) { return encode("GB18030", text); }
QString FromGB(const QByteArray& bytes) { return decode("GB18030", bytes); }
QByteArray ToBig5(const QString& text) { return encode("CP950", text); }
QString FromBig5(const QByteArray& bytes) { return decode("CP950", bytes); }
