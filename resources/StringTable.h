#pragma once
#include <QString>

// The program's string table: every message by its number; an empty string for a number
// the table does not hold.
QString LoadResString(int id);
