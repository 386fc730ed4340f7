#pragma once
// Vocabulary terms and table paths between the manager's grids (UTF-16 text) and the
// conversion library (8-bit text). Terms cross by encoding only, on the Simplified code page
// side (mode 3, flag 0), never through a script conversion: what the user typed is what the
// table stores and what the grid shows again.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Longest table path and term the library's fetch buffers hold (8-bit bytes, NUL excluded).
constexpr int kMaxPCTPathBytes = 255;
constexpr int kMaxTermBytes = 99;

// The library's 8-bit form of a term shown in a grid or typed in a dialog; nothing when the
// library refused it.
std::optional<QByteArray> TermToBytes(const QString& term);
// The 8-bit form of a term, or a RuntimeError naming the term when the library refuses it.
QByteArray TermToBytesOrThrow(const QString& term);
// The display form of a term fetched from a table.
QString BytesToTerm(const QByteArray& bytes);

// A term fetched from a table: the bytes the library gave and the text first shown for them.
struct ShownTerm {
    QByteArray original;
    QString shown;
};
ShownTerm ShowTerm(const QByteArray& original);
// The 8-bit form of the text now standing for a fetched term: the bytes it came with while
// it still reads as shown, else the library's encoding of the new text (nothing when the
// library refuses it).
std::optional<QByteArray> TermForLibrary(const QString& text, const ShownTerm& term);

// A path as the library takes it.
QByteArray PathToBytes(const QString& path);
// Whether a table path fits the library's path fetch buffer.
bool PCTPathFits(const QString& path);

// The file path of a loaded table, read whole however long it is.
QString PCTGetPath(int32_t hPct);

// The two 8-bit terms of one item as a fetch call returns them, cut at their first NUL.
struct ItemTerms {
    int32_t hPct = 0;
    int32_t index = 0;
    int32_t status = 0;
    QByteArray trad;
    QByteArray simp;
};

// Calls fetch(hPct, index, status, trad, tradLen, simp, simpLen) with buffers for terms of
// kMaxTermBytes, and again with buffers large enough when a term did not fit, so no term is
// ever cut short.
using ItemFetch = std::function<int32_t(int32_t*, int32_t*, int32_t*, char*, int32_t*, char*, int32_t*)>;
ItemTerms FetchItemTerms(const ItemFetch& fetch);

// One item of a loaded table, Traditional term first as the library hands it out.
struct PCTItem {
    QString Trad;
    QString Simp;
    int32_t Status = 0;
};
PCTItem PCTGetItem(int32_t hPct, int32_t index);
// Whether an item status means in use: bit value 1 alone. The library's other bits (the
// item holding for one conversion direction only) say nothing about use.
inline bool PCTItemInUse(int32_t status) { return (status & 1) != 0; }

// Throws a RuntimeError that names the library call and its result code.
[[noreturn]] void RaiseLibraryFailure(const char* call, int32_t result);
