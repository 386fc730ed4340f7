#pragma once
// The project's database side file (.DBL): the database window's option combos, its source
// connection, source and output database and table list. Each line is the UTF-16LE code
// units of its text followed by the single bytes 0D 0A; fields are separated by Tab.
#include <QString>

class FlexGrid;

// Writes the side file from the database window; the file is replaced whole.
void PrjLstDBSave(FlexGrid* grid, const QString& path);
// Reads the side file into the database window.
void PrjLstDBShow(FlexGrid* grid, const QString& path);
