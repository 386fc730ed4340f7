#pragma once
// The vocabulary table list file (PCTS.LST) as the program keeps it beside the library:
// the lines that did not become loaded tables (a table file missing or refused, a line the
// list cannot be read from) stay in the file, as they stood, each time the list is written
// back, so that a failed load never costs the user an entry. A list line is the library's:
// the table's status, a tab and its path, after the header line.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// What loading the table list found.
struct TableListLoad {
    int32_t result = 0;          // the library's result for the whole list
    QStringList refusedTables;   // "path  Return : code" for each table that did not load
    int unreadableLines = 0;     // lines of the list file that name no table
    bool listUnreadable = false; // the list file itself could not be read
};

using LoadListEntry = std::function<int32_t(int32_t hStmt, const char* path)>;

// Loads the table list at listPath into the library with loadList (the library's
// _TezLoadLST, or a test's stand-in) and fills the program's loaded table list from what the
// library then holds, so that both count the same tables. When the library reports a
// failure other than the table limit, the list's lines are loaded one by one instead: every
// table that loads is loaded, in list order, and every other line is kept. Over the table
// limit nothing is loaded and every line is kept.
TableListLoad LoadTableListFile(const QString& listPath, const LoadListEntry& loadList);

// Tells the user what a load with failures found: message 1004 naming the tables that did
// not load, and what could not be read of the list file itself. Titled title.
void ReportTableListLoad(const TableListLoad& load, const QString& listPath, const QString& title);

// Has the library write its table list to listPath and puts the kept lines back in their
// places. Returns the library's result, or TEZ_ERR_WRITE when the list could not be written.
int32_t SaveTableListFile(const QString& listPath);

// Keeps a line for a table that left the loaded tables without the user's say (its file
// could not be loaded again), at position among the list's lines, so that the list written
// to listPath still names it.
void KeepTableListEntry(const QString& listPath, int position, const QString& tablePath, int32_t status);
// The kept line of a table that is loaded again is no longer kept (the library lists it).
void ForgetKeptListLine(const QString& tablePath);
// Forgets every kept line.
void ClearKeptListLines();
// How many lines are kept.
int KeptListLineCount();
