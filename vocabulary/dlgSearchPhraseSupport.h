#pragma once
// What the search, detection and merge dialogs share: finding a loaded table by its path,
// the five-column result grid and writing an item back.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class FlexGrid;

// The file paths of the loaded tables, in list order (index i is entry i of ghPCT).
QStringList LoadedTablePaths();
// The index in the loaded table list of the first table whose path equals path exactly;
// -1 when none does. Where many paths are looked up, look them up in LoadedTablePaths().
int32_t FindLoadedTable(const QString& path);

// Columns, widths and headers of the result grid of the search and detection dialogs:
// in-use picture, position, Simplified term, Traditional term, table path. Leaves only row 0.
void SetupPhraseResultGrid(FlexGrid* lst);

// Writes an item's use state and, when the library took both terms, its terms back into a
// loaded table.
void WriteItemBack(int32_t hPct, int32_t index, bool inUse, const std::optional<QByteArray>& trad,
                   const std::optional<QByteArray>& simp);
