#pragma once
// The loaded vocabulary tables in priority order: glPCTCount entries of ghPCT() (library
// table handle) and glPCTStatus() (0 ordinary not in use, 1 ordinary in use, 2 proper-noun
// not in use, 3 proper-noun in use), plus giCurPCT, the table whose items the vocabulary
// manager shows (negative: none). The arrays always keep room beyond glPCTCount.
#include <QString>
#include <QList>
#include <QStringList>
#include <cstdint>
#include <vector>

extern int32_t glPCTCount;
extern std::vector<int32_t> ghPCT;
extern std::vector<int32_t> glPCTStatus;
extern int16_t giCurPCT;

// Sizes both arrays to indices 0 .. last, keeping their contents.
void ReDimPreserveTables(int32_t last);

// Makes sure both arrays have room for entry glPCTCount (the next one); never shrinks them.
void EnsureTableRoom();
// Removes entry index: the later entries move up one place, the freed last slot is zeroed
// and glPCTCount decreases. giCurPCT follows its table, and becomes -1 when that table
// itself is removed.
void RemoveTableEntry(int32_t index);
// Whether giCurPCT names a loaded table.
bool HasCurrentTable();

// The file paths of the loaded tables, in list order (index i is entry i of ghPCT).
QStringList LoadedTablePaths();
// The index in the loaded table list of the first table whose path equals path exactly;
// -1 when none does. Where many paths are looked up, look them up in LoadedTablePaths().
int32_t FindLoadedTable(const QString& path);
// A row of the vocabulary manager's table list: the table's path and the row word (bit
// value 1 in use, bit value 2 the current table).
struct TableRowState {
    QString path;
    int32_t flags = 0;
};
// The rows the manager's table list shows for the loaded tables, taken from the library
// without the manager's window: each table's status as the library holds it, and the mark
// on the current table (on the first one while none was chosen, as the window starts).
QList<TableRowState> LoadedTableRows();

// What became of a table taken out of the library's list (its changes written first).
enum class TableUnload {
    Unloaded,     // written if it had changes, and gone from the library's list
    NotSaved,     // its changes could not be written; the library still holds it with them
    NotSavedLost, // its changes could not be written, and the library let it go all the same
};
// Takes a loaded table out of the library's list; result, the library's result code.
TableUnload UnloadTable(int32_t hPct, int32_t* result = nullptr);

// Status of a loaded table: in use (bit value 1), proper-noun table (bit value 2).
inline bool PCTStatusInUse(int32_t status) { return (status & 1) != 0; }
inline bool PCTStatusLocked(int32_t status) { return status >= 2; }
