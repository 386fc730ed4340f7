#include "core/TextEncodingDetect.h"

#include <uchardet/uchardet.h>

#include <QStringView>

#include <algorithm>
#include <bitset>
#include <memory>
#include <optional>
#include <tuple>

namespace {

// Input with fewer bytes above 7F than this is too short for the detector's statistics.
constexpr qsizetype kDetectorMinimum = 64;

std::optional<TextEncoding> DetectorAnswer(const QByteArray& bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.constData(), static_cast<size_t>(bytes.size())) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    const QByteArray name = QByteArray(uchardet_get_charset(detector.get())).toUpper();
    if (name == "UTF-8")
        return TextEncoding::Utf8;
    if (name == "GB18030" || name == "GB2312" || name == "GBK")
        return TextEncoding::Gb;
    if (name == "BIG5" || name == "BIG5-HKSCS" || name == "CP950")
        return TextEncoding::Big5;
    if (name == "UTF-16LE")
        return TextEncoding::Utf16Le;
    if (name == "UTF-16BE")
        return TextEncoding::Utf16Be;
    return std::nullopt;
}

bool IsIdeograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

// Characters that Chinese text holds besides ASCII: ideographs, punctuation, symbols,
// box drawing, Bopomofo, full-width forms.
bool IsChineseScript(char32_t c)
{
    return IsIdeograph(c) || (c >= 0x2000 && c <= 0x206F) || (c >= 0x2100 && c <= 0x27BF) ||
           (c >= 0x3000 && c <= 0x33FF) || (c >= 0xFE30 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFFEF);
}

using CharacterSet = std::bitset<65536>;

// The characters of the double-byte codes lead.trail in the given lead and trail ranges.
CharacterSet CharactersOf(QString (*decode)(const QByteArray&, QList<KeptCode>*), int firstLead, int lastLead,
                          std::initializer_list<std::pair<int, int>> trails, int lastCode)
{
    CharacterSet set;
    QByteArray bytes;
    for (int lead = firstLead; lead <= lastLead; ++lead)
        for (const auto& [first, last] : trails)
            for (int trail = first; trail <= last; ++trail)
                if ((lead << 8 | trail) <= lastCode)
                    bytes.append(static_cast<char>(lead)).append(static_cast<char>(trail));
    for (QChar c : decode(bytes, nullptr))
        if (IsIdeograph(c.unicode()))
            set.set(c.unicode());
    return set;
}

// The most common ideographs of each code page: GB2312 level 1, the Big5 frequent set.
const CharacterSet& CommonGb()
{
    static const CharacterSet set = CharactersOf(FromGB, 0xB0, 0xD7, {{0xA1, 0xFE}}, 0xD7F9);
    return set;
}

const CharacterSet& CommonBig5()
{
    static const CharacterSet set = CharactersOf(FromBig5, 0xA4, 0xC6, {{0x40, 0x7E}, {0xA1, 0xFE}}, 0xC67E);
    return set;
}

// How well one reading of the bytes reads as Chinese text; greater is better.
struct Reading {
    TextEncoding encoding;
    bool clean = true;   // no replacement character
    int foreign = 0;     // characters above 7F outside Chinese script
    int common = 0;      // common ideographs
    int ideographs = 0;  // CJK ideographs

    auto rank() const { return std::make_tuple(clean, -foreign, common, ideographs); }
};

Reading Read(const QByteArray& bytes, TextEncoding encoding)
{
    Reading reading{encoding};
    const QString text = DecodeText(bytes, encoding);
    const CharacterSet& gb = CommonGb();
    const CharacterSet& big5 = CommonBig5();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        if (c == 0xFFFD)
            reading.clean = false;
        if (!IsChineseScript(c))
            ++reading.foreign;
        if (!IsIdeograph(c))
            continue;
        ++reading.ideographs;
        const bool inGb = c < 0x10000 && gb.test(c);
        const bool inBig5 = c < 0x10000 && big5.test(c);
        if (encoding == TextEncoding::Gb ? inGb : encoding == TextEncoding::Big5 ? inBig5 : inGb || inBig5)
            ++reading.common;
    }
    return reading;
}

// UTF-16 without a mark: NUL bytes (the high half of ASCII characters) mostly on one side.
std::optional<TextEncoding> UnmarkedUtf16(const QByteArray& bytes)
{
    qsizetype even = 0;
    qsizetype odd = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\0')
            ++(i % 2 ? odd : even);
    if (odd > 4 * even)
        return TextEncoding::Utf16Le;
    if (even > 4 * odd)
        return TextEncoding::Utf16Be;
    return std::nullopt;
}

} // namespace

TextEncoding DetectTextEncoding(const QByteArray& bytes, TextEncoding preferred)
{
    bool marked = false;
    const TextEncoding mark = MarkedEncoding(bytes, &marked);
    if (marked)
        return mark;
    const qsizetype high = std::count_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) >= 0x80; });
    const bool hasNul = bytes.contains('\0');
    if (high == 0 && !hasNul)
        return preferred;
    if (hasNul)
        if (const std::optional<TextEncoding> utf16 = UnmarkedUtf16(bytes))
            return *utf16;

    const std::optional<TextEncoding> answer = DetectorAnswer(bytes);
    const bool answerIsEightBit = answer && (IsCodePage(*answer) || *answer == TextEncoding::Utf8);
    if (answerIsEightBit && high >= kDetectorMinimum && Read(bytes, *answer).clean)
        return *answer;

    // Candidates in the order that breaks the last ties.
    std::vector<TextEncoding> order{TextEncoding::Utf8, TextEncoding::Gb, TextEncoding::Big5};
    if (answerIsEightBit)
        std::stable_partition(order.begin(), order.end(), [&](TextEncoding e) { return e == *answer; });
    std::stable_partition(order.begin(), order.end(), [&](TextEncoding e) { return e == preferred; });
    Reading best = Read(bytes, order.front());
    for (auto it = order.begin() + 1; it != order.end(); ++it) {
        const Reading reading = Read(bytes, *it);
        if (reading.rank() > best.rank())
            best = reading;
    }
    return best.encoding;
}

QString DecodeDetectedText(const QByteArray& bytes, TextEncoding preferred, TextEncoding* found)
{
    const TextEncoding encoding = DetectTextEncoding(bytes, preferred);
    if (found)
        *found = encoding;
    return DecodeText(bytes, encoding);
}

std::optional<bool> IsTraditionalText(const QString& text)
{
    const CharacterSet& gb = CommonGb();
    const CharacterSet& big5 = CommonBig5();
    qsizetype traditional = 0;
    qsizetype simplified = 0;
    for (QChar c : text) {
        const bool inGb = gb.test(c.unicode());
        if (inGb != big5.test(c.unicode()))
            ++(inGb ? simplified : traditional);
    }
    if (traditional == simplified)
        return std::nullopt;
    return traditional > simplified;
}
