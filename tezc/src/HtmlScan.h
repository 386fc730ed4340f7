#pragma once
// Reads HTML text, part by part, as a browser's tokenizer does, and finds the places the
// charset declaration concerns: the XML declaration's encoding, the <meta> declarations and
// the ends of the doctype, <head> and <html> tags. Comments, the content of script, style,
// title, textarea and xmp elements and attribute values are passed over, so nothing in them
// counts as a tag. Whole and part-by-part reading find the same places.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tezc {

struct HtmlPlace {
    enum Kind {
        XmlEncoding,   // [at, end): the encoding value of the XML declaration at the start
        MetaCharset,   // [at, end): the charset value of the first <meta> declaration
        ExtraMeta,     // [at, end): a later <meta> declaration, whole
        AfterDoctype,  // at: just after a doctype at the start of the text
        AfterHead,     // at: just after the first <head> start tag
        AfterHtml,     // at: just after the first <html> start tag
    };
    Kind kind;
    size_t at;   // unit offsets in the whole text
    size_t end;
};

class HtmlScan {
public:
    // Reads on: text holds the units from offset base of the whole text to the end of what is
    // known so far; it begins at or before the offset the last call returned. Appends the
    // places found and returns the offset before which no place will be found any more (every
    // unit before it is settled). With last set the text is complete and all of it is settled.
    size_t feed(std::u16string_view text, size_t base, bool last, std::vector<HtmlPlace>& places);

private:
    enum State { Data, Comment, Bogus, StartTag, EndTag, RawText };
    enum AttrState { TagName, BeforeAttr, AttrName, AfterAttrName, BeforeValue, QuotedValue, BareValue };
    struct Attr {
        size_t nameStart, nameEnd, valueStart, valueEnd;
        bool hasValue;
    };
    void readTag(std::u16string_view text, size_t base, size_t end, std::vector<HtmlPlace>& places);
    // The markup from tagStart_ to gt (the offset of its ">") is complete.
    void tagDone(std::u16string_view text, size_t base, size_t gt, std::vector<HtmlPlace>& places);

    State state_ = Data;
    AttrState attr_ = TagName;
    size_t pos_ = 0;        // next unit to read
    size_t tagStart_ = 0;   // the "<" of the markup being read
    size_t nameEnd_ = 0;    // the end of the start tag's name
    char16_t quote_ = 0;    // the quote of the attribute value being read
    std::vector<Attr> attrs_;
    std::string rawName_;   // the element whose content is raw text
    bool declared_ = false, headFound_ = false, htmlFound_ = false;
};

}  // namespace tezc
