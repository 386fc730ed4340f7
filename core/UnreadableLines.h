#pragma once
// Telling the user about the lines of a vocabulary table file that the library could not
// read: once for each table file while the program runs, however often it is loaded again.
#include <QString>

#include <cstdint>
#include <functional>

// When the loaded table hPct has unreadable lines and its file was not reported yet, shows
// which table and how many lines (message 1103), titled title.
void TellUnreadableLines(int32_t hPct, const QString& title);

// The library call that counts a table's unreadable lines; a test may put another in its place.
std::function<int32_t(int32_t hPct)>& UnreadableLineCount();
