#pragma once
// What the search and detection dialogs share: the five-column result grid and writing an
// item back.
#include <QByteArray>
#include <cstdint>
#include <optional>

class FlexGrid;

// Columns, widths and headers of the result grid of the search and detection dialogs:
// in-use picture, position, Simplified term, Traditional term, table path. Leaves only row 0.
void SetupPhraseResultGrid(FlexGrid* lst);

// Writes an item's use state and, when the library took both terms, its terms back into a
// loaded table.
void WriteItemBack(int32_t hPct, int32_t index, bool inUse, const std::optional<QByteArray>& trad,
                   const std::optional<QByteArray>& simp);
