#pragma once
// Vocabulary table file (.pct): UTF-8 text, first line "TEZPCT 1", then one item per line:
// status, TAB, Traditional term, TAB, Simplified term.
// Table list file (PCTS.LST): first line "TEZLST 1", then one table per line: status, TAB,
// path (a bare file name lies in the list file's folder).
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
};

struct ListEntry {
    std::string path;  // as written in the file (UTF-8)
    int32_t status = 0;
};

extern const char kPctHeader[];
extern const char kLstHeader[];

std::string serializePct(const std::vector<VocabItem>& items);
// False when the text is not a table file. skipped counts malformed lines left out.
bool parsePct(std::string_view text, std::vector<VocabItem>& items, size_t& skipped);

std::string serializeLst(const std::vector<ListEntry>& entries);
bool parseLst(std::string_view text, std::vector<ListEntry>& entries);

// Terms may hold no line breaks or tabs (they would break the line format).
bool isStorableTerm(std::u16string_view term);

}  // namespace tezc
