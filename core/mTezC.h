#pragma once
// Binding to the conversion library libTezC.so: every entry is looked up by its name at its
// first call. The library is searched in TEZDESK_LIB_DIR, then in <executable folder>/../lib
// (the build tree) and <executable folder>/../lib/tezdesk (an installation),
// then by the system's default search. A missing library or entry raises a RuntimeError
// (errDllLoad / errDllEntry) in the calling procedure.
//
// Argument types and meanings are those of tezc/include/TezC.h; result codes in TezCodes.h.
#include "TezCodes.h"

#include <QString>

#include <cstdint>

// The library's file name, as messages name it.
inline constexpr char kTezLibraryName[] = "libTezC.so";
// Empty when the library loads (it stays loaded); otherwise the loader's reason.
QString TezLibraryLoadError();

// Program-wide library handles, never released.
extern int32_t ghEnv;
extern int32_t ghStmt;
extern int32_t ghResult;
// The library's extra vocabulary table (index -1), as the word-processor operations last asked for it.
extern int32_t ghTmpPCT;
// Handles of the last phrase search and of the last asymmetric detection.
extern int32_t ghPhraseSearch;
extern int32_t ghAmbiguous;

int32_t _TezCreateEnv(int32_t* hEnv);
int32_t _TezCreateStmt(int32_t hEnv, int32_t* hStmt, int32_t n);
int32_t _TezCloneStmt(int32_t hStmt, int32_t* hClone);
int32_t _TezSetFileOutput(int32_t hStmt, int32_t how);
int32_t _TezLoadCCT(int32_t hEnv, int32_t index, const char* path, int32_t a, int32_t b);

int32_t _TezLoadLST(int32_t hStmt, const char* path);
int32_t _TezSaveLST(int32_t hStmt, const char* path);
int32_t _TezUnloadLST(int32_t hStmt);
int32_t _TezGetPCTNum(int32_t hStmt, int32_t* count);
int32_t _TezGetPCT(int32_t hStmt, int32_t index, int32_t* hPct);

int32_t _TezLoadPCT(int32_t hStmt, const char* path, int32_t* hPct);
int32_t _TezNewPCT(int32_t hStmt, const char* path, int32_t* hPct);
int32_t _TezSavePCT(int32_t hPct, const char* path, int32_t flag);
int32_t _TezUnloadPCT(int32_t hStmt, int32_t hPct);
int32_t _TezPCTGetChanged(int32_t hPct, int32_t* changed);
int32_t _TezPCTGetBadLineNum(int32_t hPct, int32_t* count);
int32_t _TezPCTGetPath(int32_t hPct, char* buf, int32_t* len);
int32_t _TezGetPCTStatus(int32_t hPct, int32_t* status);
int32_t _TezSetPCTStatus(int32_t hPct, int32_t status);
int32_t _TezPCTGetItemNum(int32_t hPct, int32_t* count);
int32_t _TezPCTGetItem(int32_t hPct, int32_t index, char* trad, int32_t* tradLen, char* simp,
                       int32_t* simpLen, int32_t* status);
int32_t _TezPCTInsertItem(int32_t hPct, int32_t index, const char* trad, const char* simp, int32_t status);
int32_t _TezPCTModifyItem(int32_t hPct, int32_t index, const char* trad, const char* simp);
int32_t _TezPCTEnableItem(int32_t hPct, int32_t index, int32_t enable);
int32_t _TezPCTDelItem(int32_t hPct, int32_t index, int32_t count);
int32_t _TezPCTImport(int32_t hPct, int32_t position, const char* path, int32_t* count);
// How many lines of a loaded table's file the library could not read (and keeps as they
// stand); 0 for a table read whole or an unknown handle.
int32_t TezPCTBadLineCount(int32_t hPct);

int32_t _TezConvertStringUU(int32_t hStmt, const char16_t* text, int32_t len, int32_t mode, int32_t flag,
                            int32_t* hResult);
int32_t _TezConvertStringUD(int32_t hStmt, const char16_t* text, int32_t len, int32_t mode, int32_t flag,
                            int32_t* hResult);
int32_t _TezConvertStringDU(int32_t hStmt, const char* text, int32_t len, int32_t mode, int32_t flag,
                            int32_t* hResult);
int32_t _TezConvertStringDD(int32_t hStmt, const char* text, int32_t len, int32_t mode, int32_t flag,
                            int32_t* hResult);
int32_t _TezGetUniLen(int32_t hResult);
int32_t _TezGetUniStr(int32_t hResult, char16_t* buf, int32_t n);
int32_t _TezGetDBLen(int32_t hResult);
// buf must hold n + 1 bytes (QByteArray(n, '\0') does).
int32_t _TezGetDBStr(int32_t hResult, char* buf, int32_t n);

int32_t _TezFileConversion(int32_t hStmt, const char* in, const char* out, int32_t type, int32_t phraseMode,
                           int32_t flag);
int32_t _ConvertStringForRTFFileEx(int32_t hStmt, const char* in, const char* out, int32_t mode, int32_t flags);

int32_t _TezPhraseSearch(int32_t hStmt, const char* term, int32_t* hSearch);
int32_t _TezPhraseSearchTotalPhraseNum(int32_t hSearch, int32_t* count);
int32_t _TezPhraseSearchGetPhrase(int32_t hSearch, int32_t hit, int32_t* hPct, int32_t* index, int32_t* status,
                                  char* trad, int32_t* tradLen, char* simp, int32_t* simpLen);

int32_t _TezAmbiguousDetect(int32_t hStmt, int32_t direction, int32_t* hAmbiguous);
int32_t _TezAmbiguousTotalSetNum(int32_t hAmbiguous, int32_t* groups);
int32_t _TezAmbiguousTotalPhraseNum(int32_t hAmbiguous, int32_t* entries);
int32_t _TezAmbiguousGetSetItemCount(int32_t hAmbiguous, int32_t group, int32_t* entries);
int32_t _TezAmbiguousGetPhrase(int32_t hAmbiguous, int32_t group, int32_t entry, int32_t* hPct, int32_t* index,
                               int32_t* status, char* trad, int32_t* tradLen, char* simp, int32_t* simpLen);
