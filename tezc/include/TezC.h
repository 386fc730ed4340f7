#pragma once
// TezC: character and vocabulary conversion between Simplified and Traditional Chinese.
//
// Conventions shared by every entry:
// - Every entry returns an int32_t; 0 is success, a negative value a failure (codes below).
//   The three ambiguity counters also return their count (>= 0) besides writing it.
// - Handles are int32_t values handed out by the library; 0 is never a valid handle.
// - 8-bit text is GB18030 (Simplified side, "GB") or Big5 (code page 950 flavour,
//   Traditional side). Paths and vocabulary terms cross as GB18030 text.
// - UTF-16 text is char16_t with an explicit length in code units; 8-bit input has an
//   explicit length in bytes. Input stops at its first NUL inside the given length.
// - Result fetch: after a conversion returned 0, the text is read from its result handle:
//   _TezGetUniLen/_TezGetUniStr for a UTF-16 target, _TezGetDBLen/_TezGetDBStr for an 8-bit
//   target. The other pair works too: a UTF-16 result reads as GB18030 bytes, an 8-bit
//   result as its UTF-16 text. A result stays valid until the next conversion on the same
//   statement.
// - Buffers with an in/out length: the length in is the buffer size in bytes; at most
//   size - 1 bytes are written followed by a NUL; the length out is the full byte length
//   of the text (which may be larger than what fitted).
//
// Conversion modes (string entries; flag -1 = true, 0 = false):
//   mode 0: Simplified -> Traditional code conversion; flag -1 adds vocabulary (S -> T).
//   mode 1: Traditional -> Simplified code conversion; flag -1 adds vocabulary (T -> S).
//   mode 2, UU: inside Traditional text, flag -1 toward Simplified usage,
//               flag 0 toward Traditional usage (e.g. 軟件 -> 軟體).
//   mode 3, UU: inside Simplified text, flag -1 toward Traditional usage,
//               flag 0 toward Simplified usage.
//   mode 2, DD: inside Big5 text, flag -1 toward Traditional usage (the Traditional
//               vocabulary optimisation), flag 0 toward Simplified usage.
//   mode 3, DD: inside GB text, flag -1 toward Simplified usage, flag 0 toward
//               Traditional usage.
//   mode 2, UD/DU: encoding only, Big5 side; mode 3, UD/DU: encoding only, GB side.
// Items of in-use proper-noun tables (status 3) protect their text in every script
// conversion; items with an empty side are ignored.
//
// File conversion types (FileConvType; 8-bit = Big5 for Traditional, GB for Simplified;
// an 8-bit input that is UTF-8 is read and written as UTF-8):
//   0 T8->S8  1 T8->T8  2 S8->S8  3 S8->T8  4 T16->S16  5 T16->T16  6 S16->T16  7 S16->S16
//   8 T8->S16 9 S8->T16 10 T8->T16 11 S8->S16 12 T16->T8 13 S16->S8 14 T16->S8 15 S16->T8
// PhraseMode: 0 code only; 1 code and vocabulary (same script: toward the other script's
//   usage); 2 toward Traditional usage; 3 toward Simplified usage.
// flag -1: write a charset declaration into HTML output (replacing any existing one).

#include <stdint.h>

#include "TezCodes.h"

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

#if defined(TEZC_BUILDING)
#define TEZC_API __attribute__((visibility("default")))
#else
#define TEZC_API
#endif



// Environment and statement.
TEZC_API int32_t _TezCreateEnv(int32_t* hEnv);
TEZC_API int32_t _TezCreateStmt(int32_t hEnv, int32_t* hStmt, int32_t n);
// A statement that converts as hStmt does, with hStmt's vocabulary list as it stands at each
// of its calls (tables, order, status), so that conversions on the two run at the same time.
// The clone takes the string, file and RTF conversions and _TezSetFileOutput; the entries of
// the vocabulary list refuse it (-1). Statements live as long as the library.
TEZC_API int32_t _TezCloneStmt(int32_t hStmt, int32_t* hClone);
// How the file conversions of the statement write their output. TEZ_OUTPUT_REPLACE (the
// default): into a temporary file beside it, flushed to the disk and renamed over it.
// TEZ_OUTPUT_NEW: the output path is a name no file has (the caller's own temporary): the
// conversion creates it, writes it without flushing it and removes it when it fails; the
// caller makes it durable and moves it into place.
TEZC_API int32_t _TezSetFileOutput(int32_t hStmt, int32_t how);
// index 0..9: big5-gb, gb-big5, TD-TU, SD-SU, TD-SU, SD-TU, TU-SU, SU-TU, TU-TD, SU-SD.
TEZC_API int32_t _TezLoadCCT(int32_t hEnv, int32_t index, const char* path, int32_t a, int32_t b);

// Vocabulary table list (PCTS.LST: one table per line, "path<TAB>status", priority order;
// a bare file name lies in the list file's folder).
// Loading a list first unloads the current one as _TezUnloadLST does (and fails as it does).
TEZC_API int32_t _TezLoadLST(int32_t hStmt, const char* path);
// Saves every changed table, then writes the list (also when a table's save failed).
// 0; -4 when the list or any table could not be written (those tables stay changed).
TEZC_API int32_t _TezSaveLST(int32_t hStmt, const char* path);
// Saves every changed table, then unloads the list. -4 when a table could not be saved:
// then nothing is unloaded, every table stays loaded (the failed ones with their changes,
// see _TezPCTGetChanged) and a later call tries again.
TEZC_API int32_t _TezUnloadLST(int32_t hStmt);
TEZC_API int32_t _TezGetPCTNum(int32_t hStmt, int32_t* count);
// index -1 gives the library's own extra table (not in the list).
TEZC_API int32_t _TezGetPCT(int32_t hStmt, int32_t index, int32_t* hPct);

// Vocabulary tables.
// A table file is read in its own encoding (a byte-order mark, else UTF-8, GB18030 or
// Big5, whichever reads it best). 0; -11 when loaded but some lines could not be read
// (see _TezPCTGetBadLineNum): such lines are kept as they are and written back unchanged.
TEZC_API int32_t _TezLoadPCT(int32_t hStmt, const char* path, int32_t* hPct);
TEZC_API int32_t _TezNewPCT(int32_t hStmt, const char* path, int32_t* hPct);
TEZC_API int32_t _TezSavePCT(int32_t hPct, const char* path, int32_t flag);
// Saves the table when changed, then unloads it. -4 when the save failed: the table stays
// loaded with its changes.
TEZC_API int32_t _TezUnloadPCT(int32_t hStmt, int32_t hPct);
// *changed = 1 when the table holds changes not yet saved to its file, else 0.
TEZC_API int32_t _TezPCTGetChanged(int32_t hPct, int32_t* changed);
// *count = the number of lines of the table's file that could not be read as items.
TEZC_API int32_t _TezPCTGetBadLineNum(int32_t hPct, int32_t* count);
TEZC_API int32_t _TezPCTGetPath(int32_t hPct, char* buf, int32_t* len);
TEZC_API int32_t _TezGetPCTStatus(int32_t hPct, int32_t* status);
TEZC_API int32_t _TezSetPCTStatus(int32_t hPct, int32_t status);
TEZC_API int32_t _TezPCTGetItemNum(int32_t hPct, int32_t* count);
TEZC_API int32_t _TezPCTGetItem(int32_t hPct, int32_t index, char* trad, int32_t* tradLen,
                                char* simp, int32_t* simpLen, int32_t* status);
TEZC_API int32_t _TezPCTInsertItem(int32_t hPct, int32_t index, const char* trad,
                                   const char* simp, int32_t status);
TEZC_API int32_t _TezPCTModifyItem(int32_t hPct, int32_t index, const char* trad, const char* simp);
TEZC_API int32_t _TezPCTEnableItem(int32_t hPct, int32_t index, int32_t enable);
TEZC_API int32_t _TezPCTDelItem(int32_t hPct, int32_t index, int32_t count);
// Inserts the items of the table file at path before position; *count gets the number
// inserted. -7 when the file is not a table file.
TEZC_API int32_t _TezPCTImport(int32_t hPct, int32_t position, const char* path, int32_t* count);

// String conversion. U = UTF-16 (length in code units), D = 8-bit (length in bytes).
TEZC_API int32_t _TezConvertStringUU(int32_t hStmt, const char16_t* text, int32_t len,
                                     int32_t mode, int32_t flag, int32_t* hResult);
TEZC_API int32_t _TezConvertStringUD(int32_t hStmt, const char16_t* text, int32_t len,
                                     int32_t mode, int32_t flag, int32_t* hResult);
TEZC_API int32_t _TezConvertStringDU(int32_t hStmt, const char* text, int32_t len,
                                     int32_t mode, int32_t flag, int32_t* hResult);
TEZC_API int32_t _TezConvertStringDD(int32_t hStmt, const char* text, int32_t len,
                                     int32_t mode, int32_t flag, int32_t* hResult);
// Result length in UTF-16 units / bytes; negative on a bad handle.
TEZC_API int32_t _TezGetUniLen(int32_t hResult);
// Copies min(n, length) code units into buf (no terminator).
TEZC_API int32_t _TezGetUniStr(int32_t hResult, char16_t* buf, int32_t n);
TEZC_API int32_t _TezGetDBLen(int32_t hResult);
// Copies min(n, length) bytes into buf and a NUL after them: buf must hold n + 1 bytes,
// as a NUL-terminated text of n characters does.
TEZC_API int32_t _TezGetDBStr(int32_t hResult, char* buf, int32_t n);

// Whole-file conversion; the output is written whole or not at all.
TEZC_API int32_t _TezFileConversion(int32_t hStmt, const char* in, const char* out,
                                    int32_t type, int32_t phraseMode, int32_t flag);
// RTF conversion. mode as the string modes (0 S->T, 1 T->S, 2 stays Traditional / Big5,
// 3 stays Simplified / GB); flags 0 code only, 1 or 256 with vocabulary (for modes 2 and 3:
// 1 toward Simplified usage, 256 toward Traditional usage). Only document
// text is converted; the output declares the target's code page and charsets.
TEZC_API int32_t _ConvertStringForRTFFileEx(int32_t hStmt, const char* in, const char* out,
                                            int32_t mode, int32_t flags);

// Phrase search: items whose Traditional or Simplified term contains the term, over all
// loaded tables in priority order. A result stays unchanged until the next search.
TEZC_API int32_t _TezPhraseSearch(int32_t hStmt, const char* term, int32_t* hSearch);
TEZC_API int32_t _TezPhraseSearchTotalPhraseNum(int32_t hSearch, int32_t* count);
TEZC_API int32_t _TezPhraseSearchGetPhrase(int32_t hSearch, int32_t hit, int32_t* hPct,
                                           int32_t* index, int32_t* status, char* trad,
                                           int32_t* tradLen, char* simp, int32_t* simpLen);

// Asymmetric detection: groups of in-use items whose conversion in the direction
// (-1 Traditional to Simplified, 0 Simplified to Traditional) is ambiguous.
TEZC_API int32_t _TezAmbiguousDetect(int32_t hStmt, int32_t direction, int32_t* hAmbiguous);
TEZC_API int32_t _TezAmbiguousTotalSetNum(int32_t hAmbiguous, int32_t* groups);
TEZC_API int32_t _TezAmbiguousTotalPhraseNum(int32_t hAmbiguous, int32_t* entries);
TEZC_API int32_t _TezAmbiguousGetSetItemCount(int32_t hAmbiguous, int32_t group, int32_t* entries);
TEZC_API int32_t _TezAmbiguousGetPhrase(int32_t hAmbiguous, int32_t group, int32_t entry,
                                        int32_t* hPct, int32_t* index, int32_t* status,
                                        char* trad, int32_t* tradLen, char* simp,
                                        int32_t* simpLen);

#ifdef __cplusplus
}
#endif
