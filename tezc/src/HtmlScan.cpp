#include "HtmlScan.h"

#include "FileConvert.h"

#include <algorithm>

namespace tezc {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }
bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
char lowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char(c + 32) : c < 0x80 ? char(c) : '?'; }

std::string lowerName(std::u16string_view text)
{
    std::string name;
    for (char16_t c : text) name += lowerAscii(c);
    return name;
}

bool isRawTextElement(const std::string& name)
{
    return name == "script" || name == "style" || name == "title" || name == "textarea" || name == "xmp";
}

bool startsWithNoCase(std::u16string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && findNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

size_t HtmlScan::feed(std::u16string_view text, size_t base, bool last, std::vector<HtmlPlace>& places)
{
    const size_t end = base + text.size();
    const auto at = [&](size_t p) { return text[p - base]; };
    while (pos_ < end) {
        switch (state_) {
        case Data: {
            const size_t lt = text.find(u'<', pos_ - base);
            if (lt == std::u16string_view::npos) {
                pos_ = end;
                break;
            }
            pos_ = base + lt;
            if (pos_ + 4 > end && !last) return pos_;  // what the "<" opens is not known yet
            const char16_t c1 = pos_ + 1 < end ? at(pos_ + 1) : 0;
            tagStart_ = pos_;
            if (c1 == u'!' && pos_ + 4 <= end && at(pos_ + 2) == u'-' && at(pos_ + 3) == u'-') {
                state_ = Comment;
                pos_ += 2;  // "<!-->" and "<!--->" end where they stand
            } else if (c1 == u'!' || c1 == u'?') {
                state_ = Bogus;
                pos_ += 2;
            } else if (c1 == u'/') {
                state_ = pos_ + 2 < end && isLetter(at(pos_ + 2)) ? EndTag : Bogus;
                pos_ += 2;
            } else if (isLetter(c1)) {
                state_ = StartTag;
                attr_ = TagName;
                attrs_.clear();
                pos_ += 1;
            } else {
                pos_ += 1;  // a "<" that opens nothing is text
            }
            break;
        }
        case Comment: {
            const size_t close = text.find(u"-->", pos_ - base);
            if (close == std::u16string_view::npos) {
                pos_ = last ? end : std::max(pos_, end - std::min<size_t>(end, 2));
                if (!last) return pos_;
                break;
            }
            pos_ = base + close + 3;
            state_ = Data;
            break;
        }
        case Bogus:
        case EndTag: {
            const size_t gt = text.find(u'>', pos_ - base);
            if (gt == std::u16string_view::npos) {
                pos_ = end;
                break;
            }
            if (state_ == Bogus) tagDone(text, base, base + gt, places);
            pos_ = base + gt + 1;
            state_ = Data;
            break;
        }
        case StartTag:
            readTag(text, base, end, places);
            break;
        case RawText: {
            const size_t lt = text.find(u'<', pos_ - base);
            if (lt == std::u16string_view::npos) {
                pos_ = end;
                break;
            }
            pos_ = base + lt;
            const size_t need = 2 + rawName_.size() + 1;
            if (pos_ + need > end && !last) return pos_;
            const std::u16string_view rest = text.substr(lt);
            const bool closes = rest.size() >= need - 1 && rest[1] == u'/' &&
                                lowerName(rest.substr(2, rawName_.size())) == rawName_ &&
                                (rest.size() < need || isBlank(rest[need - 1]) || rest[need - 1] == u'/' ||
                                 rest[need - 1] == u'>');
            if (closes) state_ = Data;  // the end tag is read as markup
            else pos_ += 1;
            break;
        }
        }
    }
    if (last) return end;
    if (state_ == StartTag || (state_ == Bogus && tagStart_ == 0)) return tagStart_;
    return pos_;
}

// The start tag's name and attributes, read as far as the text goes.
void HtmlScan::readTag(std::u16string_view text, size_t base, size_t end, std::vector<HtmlPlace>& places)
{
    while (pos_ < end) {
        const char16_t c = text[pos_ - base];
        const size_t p = pos_++;
        switch (attr_) {
        case TagName:
            if (isBlank(c) || c == u'/') {
                nameEnd_ = p;
                attr_ = BeforeAttr;
            } else if (c == u'>') {
                nameEnd_ = p;
            }
            break;
        case BeforeAttr:
            if (!isBlank(c) && c != u'/' && c != u'>') {
                attrs_.push_back({p, p, 0, 0, false});
                attr_ = AttrName;
            }
            break;
        case AttrName:
            if (isBlank(c)) {
                attrs_.back().nameEnd = p;
                attr_ = AfterAttrName;
            } else if (c == u'=') {
                attrs_.back().nameEnd = p;
                attr_ = BeforeValue;
            } else if (c == u'/' || c == u'>') {
                attrs_.back().nameEnd = p;
                attr_ = BeforeAttr;
            }
            break;
        case AfterAttrName:
            if (c == u'=') {
                attr_ = BeforeValue;
            } else if (c == u'/') {
                attr_ = BeforeAttr;
            } else if (!isBlank(c) && c != u'>') {
                attrs_.push_back({p, p, 0, 0, false});
                attr_ = AttrName;
            }
            break;
        case BeforeValue:
            if (c == u'"' || c == u'\'') {
                quote_ = c;
                attrs_.back().valueStart = p + 1;
                attrs_.back().hasValue = true;
                attr_ = QuotedValue;
            } else if (c == u'>') {
                attr_ = BeforeAttr;
            } else if (!isBlank(c)) {
                attrs_.back().valueStart = p;
                attrs_.back().hasValue = true;
                attr_ = BareValue;
            }
            break;
        case QuotedValue:
            if (c == quote_) {
                attrs_.back().valueEnd = p;
                attr_ = BeforeAttr;
            }
            continue;  // a ">" inside quotes ends nothing
        case BareValue:
            if (isBlank(c) || c == u'>') {
                attrs_.back().valueEnd = p;
                attr_ = BeforeAttr;
            }
            break;
        }
        if (c == u'>') {
            if (attr_ == AttrName) attrs_.back().nameEnd = p;
            tagDone(text, base, p, places);
            return;
        }
    }
}

void HtmlScan::tagDone(std::u16string_view text, size_t base, size_t gt, std::vector<HtmlPlace>& places)
{
    if (state_ == Bogus) {
        // Only a doctype or XML declaration at the start matters (and only then is it kept).
        if (tagStart_ != 0) return;
        const std::u16string_view tag = text.substr(0, gt + 1);
        if (startsWithNoCase(tag, "<!doctype")) places.push_back({HtmlPlace::AfterDoctype, gt + 1, gt + 1});
        size_t vs, ve;
        if (startsWithNoCase(tag, "<?xml") && gt >= 1 && text[gt - 1 - base] == u'?' &&
            findDeclValue(text, 0, gt - 1 - base, "encoding", vs, ve))
            places.push_back({HtmlPlace::XmlEncoding, base + vs, base + ve});
        return;
    }
    state_ = Data;
    const std::string name = lowerName(text.substr(tagStart_ + 1 - base, nameEnd_ - tagStart_ - 1));
    if (isRawTextElement(name)) {
        state_ = RawText;
        rawName_ = name;
    }
    if (name == "head" && !headFound_) {
        headFound_ = true;
        places.push_back({HtmlPlace::AfterHead, gt + 1, gt + 1});
    } else if (name == "html" && !htmlFound_) {
        htmlFound_ = true;
        places.push_back({HtmlPlace::AfterHtml, gt + 1, gt + 1});
    }
    if (name != "meta") return;
    const auto value = [&](const Attr& a) { return text.substr(a.valueStart - base, a.valueEnd - a.valueStart); };
    const Attr* charset = nullptr;
    const Attr* content = nullptr;
    bool pragma = true;  // no http-equiv or name other than a content type
    for (const Attr& a : attrs_) {
        const std::string key = lowerName(text.substr(a.nameStart - base, a.nameEnd - a.nameStart));
        if (key == "charset" && a.hasValue && !charset) charset = &a;
        else if (key == "content" && a.hasValue && !content) content = &a;
        else if (key == "http-equiv") pragma = pragma && a.hasValue && lowerName(value(a)) == "content-type";
        else if (key == "name") pragma = false;
    }
    size_t vs = 0, ve = 0;
    bool found = false;
    if (charset) {
        vs = charset->valueStart;
        ve = charset->valueEnd;
        found = true;
    } else if (content && pragma && findDeclValue(text, content->valueStart - base, content->valueEnd - base, "charset", vs, ve)) {
        vs += base;
        ve += base;
        found = true;
    }
    if (!found) return;
    if (!declared_) {
        declared_ = true;
        places.push_back({HtmlPlace::MetaCharset, vs, ve});
    } else {
        places.push_back({HtmlPlace::ExtraMeta, tagStart_, gt + 1});
    }
}

}  // namespace tezc
