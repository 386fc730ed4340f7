#include "FileConvert.h"

#include "FileStream.h"
#include "HtmlScan.h"
#include "Text8.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tezc {

static char16_t lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

// Case-insensitive search of an ASCII needle.
size_t findNoCase(std::u16string_view hay, std::string_view needle, size_t from) {
    if (needle.empty() || hay.size() < needle.size()) return std::u16string_view::npos;
    for (size_t i = from; i + needle.size() <= hay.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && lower(hay[i + k]) == static_cast<char16_t>(needle[k])) ++k;
        if (k == needle.size()) return i;
    }
    return std::u16string_view::npos;
}

// The value span after "charset" (or "encoding") inside [from, to): returns false if none.
bool findDeclValue(std::u16string_view text, size_t from, size_t to, std::string_view key,
                   size_t& vStart, size_t& vEnd) {
    size_t pos = findNoCase(text.substr(0, to), key, from);
    if (pos == std::u16string_view::npos) return false;
    size_t i = pos + key.size();
    while (i < to && (text[i] == u' ' || text[i] == u'\t')) ++i;
    if (i >= to || text[i] != u'=') return false;
    ++i;
    while (i < to && (text[i] == u' ' || text[i] == u'\t')) ++i;
    if (i < to && (text[i] == u'"' || text[i] == u'\'')) {
        // charset="x" (a quote of its own) or content="...; charset=x"
        const char16_t q = text[i];
        const size_t close = text.find(q, i + 1);
        if (key == "charset" && (close == std::u16string_view::npos || close > to)) return false;
        vStart = i + 1;
        vEnd = close;
        // Inside content="...; charset=x" the quote ends the whole attribute.
        return vEnd != std::u16string_view::npos && vEnd <= to;
    }
    vStart = i;
    vEnd = i;
    while (vEnd < to && text[vEnd] != u'"' && text[vEnd] != u'\'' && text[vEnd] != u' ' &&
           text[vEnd] != u';' && text[vEnd] != u'>' && text[vEnd] != u'/')
        ++vEnd;
    return vEnd > vStart;
}

namespace {

struct FileType {
    Script from;
    bool fromWide;
    Script to;
    bool toWide;
};

constexpr Script T = Script::Traditional;
constexpr Script S = Script::Simplified;

const FileType kTypes[16] = {
    {T, false, S, false}, {T, false, T, false}, {S, false, S, false}, {S, false, T, false},
    {T, true, S, true},   {T, true, T, true},   {S, true, T, true},   {S, true, S, true},
    {T, false, S, true},  {S, false, T, true},  {T, false, T, true},  {S, false, S, true},
    {T, true, T, false},  {S, true, S, false},  {T, true, S, false},  {S, true, T, false},
};

enum class Enc { Dbcs, Utf8, Utf16 };

void decodeUtf16(std::string_view bytes, std::u16string& out) {
    bool big = false;
    if (bytes.size() >= 2) {
        const auto a = static_cast<unsigned char>(bytes[0]), b = static_cast<unsigned char>(bytes[1]);
        if (a == 0xFF && b == 0xFE) bytes.remove_prefix(2);
        else if (a == 0xFE && b == 0xFF) { big = true; bytes.remove_prefix(2); }
    }
    decodeUnits(bytes, big, out);
}

void encodeUtf16(std::u16string_view text, std::string& out) {
    encodeUnits(text, out);
    out.insert(0, "\xFF\xFE", 2);
}

bool hasHtmlExtension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    static const char* const kHtml[] = {"htm", "html", "shtml", "shtm", "xhtml", "stm", "asp",
                                        "aspx", "php", "jsp", "hta", "htt"};
    for (const char* e : kHtml)
        if (ext == e) return true;
    return false;
}

std::u16string ascii16(std::string_view s) { return std::u16string(s.begin(), s.end()); }

TextOp textOpFor(const FileType& ft, int32_t phraseMode) {
    TextOp op;
    op.from = ft.from;
    op.to = ft.to;
    if (ft.from != ft.to) op.vocab = phraseMode == 1 ? TextOp::Full : TextOp::None;
    else op.vocab = phraseMode == 0 ? TextOp::None
                  : phraseMode == 1 ? TextOp::Full
                  : phraseMode == 2 ? TextOp::TowardTrad : TextOp::TowardSimp;
    return op;
}

}  // namespace

bool looksLikeHtml(std::u16string_view text) {
    const std::u16string_view head = text.substr(0, std::min<size_t>(text.size(), 65536));
    // Every tag starts with "<": one pass over the places of "<" finds whichever comes first.
    static constexpr std::string_view kTags[] = {"<html", "<head", "<body", "<!doctype html", "<meta"};
    for (size_t at = head.find(u'<'); at != std::u16string_view::npos; at = head.find(u'<', at + 1)) {
        const std::u16string_view rest = head.substr(at);
        for (std::string_view tag : kTags)
            if (rest.size() >= tag.size() && findNoCase(rest.substr(0, tag.size()), tag) == 0) return true;
    }
    return false;
}

bool setHtmlCharset(std::u16string& html, const std::string& charset, bool insert) {
    const std::u16string name = ascii16(charset);
    HtmlScan scan;
    std::vector<HtmlPlace> places;
    scan.feed(html, 0, true, places);
    bool declared = false;
    size_t head = std::u16string::npos, htmlTag = std::u16string::npos, doctype = std::u16string::npos;
    for (const HtmlPlace& p : places) {
        if (p.kind == HtmlPlace::MetaCharset) declared = true;
        else if (p.kind == HtmlPlace::AfterHead) head = p.at;
        else if (p.kind == HtmlPlace::AfterHtml) htmlTag = p.at;
        else if (p.kind == HtmlPlace::AfterDoctype) doctype = p.at;
    }
    // Replacements and removals, from the back so that the offsets before them hold.
    const auto apply = [&](std::u16string& text, bool onlyXml) {
        for (auto it = places.rbegin(); it != places.rend(); ++it) {
            if (it->kind == HtmlPlace::XmlEncoding || (!onlyXml && it->kind == HtmlPlace::MetaCharset))
                text.replace(it->at, it->end - it->at, name);
            else if (!onlyXml && it->kind == HtmlPlace::ExtraMeta)
                text.erase(it->at, it->end - it->at);
        }
    };
    if (declared || !insert) {
        apply(html, false);
        return declared;
    }
    apply(html, true);
    if (!looksLikeHtml(html)) return false;
    const std::u16string meta =
        u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + name + u"\">";
    size_t at = head != std::u16string::npos ? head : htmlTag != std::u16string::npos ? htmlTag
              : doctype != std::u16string::npos ? doctype : 0;
    // Offsets after the XML declaration moved with its new encoding value.
    for (const HtmlPlace& p : places)
        if (p.kind == HtmlPlace::XmlEncoding && at >= p.end) at = at + name.size() - (p.end - p.at);
    html.insert(at, head == std::u16string::npos && htmlTag != std::u16string::npos ? u"<head>" + meta + u"</head>" : meta);
    return true;
}

namespace {

int32_t convertInChunks(Stmt& st, const std::string& in, const std::string& out, const FileType& ft,
                        int32_t phraseMode, int32_t flag, bool html) {
    StreamPlan plan{ft.fromWide, ft.toWide, textOpFor(ft, phraseMode), html, flag == -1};
    int32_t rc = TEZ_OK;
    if (streamConvertFile(st, in, out, plan, rc) == StreamOutcome::Finished) return rc;
    plan.html = true;
    streamConvertFile(st, in, out, plan, rc);
    return rc;
}

// The conversion of the file at once (TEZC_FILE_WHOLE set: tests compare the chunks with it).
int32_t convertWhole(Stmt& st, const std::string& in, const std::string& out, const FileType& ft,
                     int32_t phraseMode, int32_t flag) {
    std::string bytes;
    if (!readFile(in, bytes)) return TEZ_ERR_OPEN;

    // Decode the input.
    std::u16string text;
    Enc enc = Enc::Dbcs;
    bool utf8Bom = false;
    if (ft.fromWide) {
        enc = Enc::Utf16;
        decodeUtf16(bytes, text);
    } else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        enc = Enc::Utf8;
        utf8Bom = true;
        decodeUtf8(std::string_view(bytes).substr(3), text);
    } else if (hasNonAscii(bytes) && isValidUtf8(bytes)) {
        enc = Enc::Utf8;
        decodeUtf8(bytes, text);
    } else if (!decode8(*st.env, ft.from, bytes, text)) {
        return TEZ_ERR_NOTABLE;
    }

    const TextOp op = textOpFor(ft, phraseMode);
    std::u16string converted;
    if (int32_t rc = runTextOp(st, op, text, converted); rc != TEZ_OK) return rc;

    // Output encoding and charset declaration.
    Enc outEnc = ft.toWide ? Enc::Utf16 : (enc == Enc::Utf8 ? Enc::Utf8 : Enc::Dbcs);
    const bool html = flag == -1 || hasHtmlExtension(in) || looksLikeHtml(converted);
    if (html) {
        std::string charset;
        if (outEnc == Enc::Utf16) charset = "utf-16";
        else if (outEnc == Enc::Utf8) charset = "utf-8";
        else if (ft.to == Script::Traditional) charset = "big5";
        else {
            const auto gb = st.env->gb();
            charset = gb.encode && fitsGbTwoByte(gb.encode, converted) ? "gb2312" : "gb18030";
        }
        setHtmlCharset(converted, charset, flag == -1);
    }

    std::string result;
    switch (outEnc) {
    case Enc::Utf16: encodeUtf16(converted, result); break;
    case Enc::Utf8:
        if (utf8Bom) result = "\xEF\xBB\xBF";
        encodeUtf8(converted, result);
        break;
    case Enc::Dbcs:
        if (!encode8(*st.env, ft.to, converted, result,
                     html ? Unmappable::HtmlReference : Unmappable::Question))
            return TEZ_ERR_NOTABLE;
        break;
    }
    return writeFileAtomic(out, result, !st.outputIsNew) ? TEZ_OK : TEZ_ERR_WRITE;
}

}  // namespace

int32_t convertFile(Stmt& st, const std::string& in, const std::string& out, int32_t type,
                    int32_t phraseMode, int32_t flag) {
    if (sameFile(in, out)) return TEZ_ERR_SAMEFILE;
    const FileType& ft = kTypes[type];
    // The file converts in bounded chunks; text whose start turns out to be HTML is converted
    // again as HTML.
    const bool html = flag == -1 || hasHtmlExtension(in);
    if (!std::getenv("TEZC_FILE_WHOLE")) return convertInChunks(st, in, out, ft, phraseMode, flag, html);
    return convertWhole(st, in, out, ft, phraseMode, flag);
}

}  // namespace tezc
