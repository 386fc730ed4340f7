#pragma once
// Vocabulary table file (.pct): text, first line "TEZPCT 1", then one item per line:
// status, TAB, Traditional term, TAB, Simplified term. Tables are written in UTF-8; one saved
// in another encoding is read and written back in it. Lines that are no item are kept as
// they are, in their place.
// Table list file (PCTS.LST): first line "TEZLST 1", then one table per line: status, TAB,
// path (a bare file name lies in the list file's folder).
#include "TableEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tezc {

// Item status bits: bit 0 in use; an item may hold for one conversion direction only.
constexpr int32_t kItemInUse = 1;
constexpr int32_t kItemS2TOnly = 2;  // Simplified -> Traditional only
constexpr int32_t kItemT2SOnly = 4;  // Traditional -> Simplified only

struct VocabItem {
    std::u16string trad;
    std::u16string simp;
    int32_t status = 1;  // bit 0: in use
    std::string source;      // the item's line as read (with its line end) while unchanged
    std::string keptBefore;  // lines before it that are no item, as read
};

// How a table file was written, so that saving it changes only the lines that changed.
struct PctLayout {
    TableEncoding encoding = TableEncoding::Utf8;
    std::string head;        // byte-order mark and header line as read; empty: a new file
    std::u16string eol = u"\n";
    std::string keptAfter;   // lines after the last item that are no item
};

struct ListEntry {
    std::string path;  // as written in the file (UTF-8)
    int32_t status = 0;
};

extern const char kPctHeader[];
extern const char kLstHeader[];

std::string serializePct(const std::vector<VocabItem>& items);
// False when the text is not a table file. unread counts the lines that are no item
// (empty lines aside); they are kept in the items' keptBefore and the layout's keptAfter.
bool readPct(std::string_view text, std::vector<VocabItem>& items, PctLayout& layout, size_t& unread);
// The table text in the layout's encoding: unchanged lines as read. False when a term has
// no code in that encoding.
bool writePct(const std::vector<VocabItem>& items, const PctLayout& layout, std::string& out);
// Items moved out of their file (imported, erased) carry nothing of its text.
void forgetSource(VocabItem& item);

std::string serializeLst(const std::vector<ListEntry>& entries);
bool parseLst(std::string_view text, std::vector<ListEntry>& entries);

// Terms may hold no line breaks or tabs (they would break the line format).
bool isStorableTerm(std::u16string_view term);

}  // namespace tezc
