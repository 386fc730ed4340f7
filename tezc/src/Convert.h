#pragma once
// Text conversion on UTF-16: code conversion with phrase context, vocabulary matching,
// and the string entries' modes.
#include "Objects.h"
#include "TezCodes.h"

#include <string>
#include <string_view>

namespace tezc {

// Replaces the longest key of the matcher at each position by its value; unmatched units
// are copied (all of them when the matcher is null).
void convertText(const TrieView* trie, std::u16string_view in, std::u16string& out);

// Script conversion: the code table competes with the segment matcher (terms keyed by
// their source-script side; longest wins, a term wins a tie); inside a code phrase the inner
// matcher (terms keyed by their code-converted form) applies to the converted phrase; the
// guard matcher (proper nouns) wins wherever it matches. Where a match inside the longest
// term reaches further, the span is divided into the fewest pieces. Terms are also looked up
// in the text brought to their script unit by unit through the normal table's one-unit
// entries (terms typed in mixed scripts). Any matcher may be null. A term that the code
// table also has as a phrase stands against code phrases that only run past its end, unless
// dividing takes fewer pieces; with codeDivides, a term that such a phrase runs past and the
// code table does not match as long at its start yields to the code table.
// units: the matchers' combined unit table (fillScriptUnits); made for the call when null
// (without any matcher but the code table, the plain longest match runs then instead).
void convertScript(const TrieView& code, const TrieView* segment, const TrieView* inner,
                   const TrieView* guard, std::u16string_view in, std::u16string& out,
                   const TrieView* normal = nullptr, const ScriptUnits* units = nullptr,
                   bool codeDivides = false);
void fillScriptUnits(ScriptUnits& units, const TrieView& code, const TrieView* segment, const TrieView* inner,
                     const TrieView* guard, const TrieView* normal);

// The vocabulary matcher for a kind, rebuilt when the tables changed; null when empty.
// Fails (returns false) when a code table that building it needs is not loaded.
bool overlayFor(Stmt& st, Overlay kind, const TrieView*& out);

enum class Script { Simplified, Traditional };

// What a conversion does to UTF-16 text, given as the source and target scripts and the
// vocabulary choice.
struct TextOp {
    Script from = Script::Simplified;
    Script to = Script::Simplified;
    enum Vocab { None, Full, TowardTrad, TowardSimp } vocab = None;
};

// Runs the operation; returns 0 or a TEZ_ error code.
int32_t runTextOp(Stmt& st, const TextOp& op, std::u16string_view in, std::u16string& out);

// The operation of a string entry's mode and flag (encoding-only modes of UD/DU are handled
// by their entries). Inside one script the flag differs by family: for UU (and files) -1
// means toward the other script's usage; for DD -1 means toward the text's own script's
// usage (the "Traditional vocabulary optimisation" of Big5 text). Modes are 0..3.
enum class Family { Unicode, Dbcs };
TextOp textOpForMode(int32_t mode, int32_t flag, Family family = Family::Unicode);

}  // namespace tezc
