#pragma once
#include <QString>

// The program's string table: every message by its number.
QString LoadResString(int id);
