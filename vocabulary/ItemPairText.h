#pragma once
// A text file of term pairs for importing into a vocabulary table: consecutive non-empty
// lines, the Simplified term first and the Traditional term second. An empty line never
// belongs to an item: it is skipped where a pair would begin, and a pair whose second line
// is empty is dropped with it. Lines are taken exactly as they stand (no trimming).
#include <QString>
#include <vector>

struct ItemPair {
    QString Simp;
    QString Trad;
};

// The pairs of a text whose lines end with CR LF, CR or LF.
std::vector<ItemPair> ParseItemPairs(const QString& text);

// Reads and parses a pair file: 8-bit text in the system code page (or UTF-8, as detected).
// Throws RuntimeError when the file cannot be read.
std::vector<ItemPair> ReadItemPairFile(const QString& path);
