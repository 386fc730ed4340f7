#pragma once
// Whole-file conversion (text and HTML) and the charset declaration of HTML output.
#include "Convert.h"

#include <string>

namespace tezc {

int32_t convertFile(Stmt& st, const std::string& in, const std::string& out, int32_t type,
                    int32_t phraseMode, int32_t flag);

// Points every charset declaration of an HTML text at the given encoding, leaving exactly
// one; when there is none and insert is set, adds one to the head. Returns true when the
// text now declares the charset.
bool setHtmlCharset(std::u16string& html, const std::string& charset, bool insert);
bool looksLikeHtml(std::u16string_view text);

// Case-insensitive search of an ASCII needle.
size_t findNoCase(std::u16string_view hay, std::string_view needle, size_t from = 0);
// The value span after key ("charset", "encoding") and "=" inside [from, to); false if none.
bool findDeclValue(std::u16string_view text, size_t from, size_t to, std::string_view key, size_t& vStart,
                   size_t& vEnd);

}  // namespace tezc
