#pragma once
// The items of the loaded vocabulary tables as the Word operations read them from the
// library, and a term put into one script.
#include <QString>

#include <cstdint>

struct VocabularyItem {
    QString traditional;
    QString simplified;
    int32_t status = 0;
};

// The item at index of the table (each term cut at its first NUL, at most 100 bytes).
VocabularyItem FetchItem(int32_t hPct, int32_t index);
// The number of items of the table (0 when the library gives none).
int32_t ItemCount(int32_t hPct);
// The term in Simplified (toSimplified) or Traditional characters; the term itself when the
// library cannot convert it or gives nothing back.
QString ConvertTerm(const QString& term, bool toSimplified);
