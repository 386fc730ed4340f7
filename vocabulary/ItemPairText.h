#pragma once
// A text file of term pairs for importing into a vocabulary table: consecutive non-empty
// lines, the Simplified term first and the Traditional term second. An empty line never
// belongs to an item: it is skipped where a pair would begin, and a pair whose second line
// is empty is dropped with it. Lines are taken exactly as they stand (no trimming).
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct ItemPair {
    QString Simp;
    QString Trad;
};

// The pairs of a text whose lines end with CR LF, CR or LF.
std::vector<ItemPair> ParseItemPairs(const QString& text);

// The text of a pair file, read in the encoding it was written in (UTF-16 with its mark,
// UTF-8, GB or Big5); nothing when its bytes do not read as text in any of them.
std::optional<QString> DecodeItemPairFile(const QByteArray& bytes);

// Reads and parses a pair file; nothing when its content does not read as text (see
// DecodeItemPairFile). Throws RuntimeError when the file cannot be read.
std::optional<std::vector<ItemPair>> ReadItemPairFile(const QString& path);
