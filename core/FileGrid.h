#pragma once
// Row operations shared by the file grids (header row 0; columns 0 status, 1 type,
// 2 input path, 3 output path; a row word per row) and by the other list grids.
#include "platform/FlexGrid.h"

#include <QString>

// Removes every row below the header row with redrawing suspended; with whole, the header
// row goes too. Does nothing when the grid has fewer than two rows. Leaves row 0, column 0
// current with the selection across the row. Failures go to the error log as "ClearFG".
void ClearFG(FlexGrid* grid, bool whole = false);

// Drops the rows whose status text (column 0) is "." and the rows whose input (column 2)
// no longer exists (an existing folder counts as present), fixes the header row again when
// data rows remain, and returns the number of data rows left. Failures go to the error log
// as "ClearFGQMarkFile" and give 0.
int ClearFGQMarkFile(FlexGrid* grid);

// Puts a picture, centred, into one cell; the cell becomes the current one.
void SetCellPicture(FlexGrid* grid, int row, int col, const QPixmap& picture);

// Selects every data row across all columns (row 1, column 0 current) with redrawing
// suspended; does nothing when only the header row is there.
void SelectAllRows(FlexGrid* grid);

// Carries out the row commands every list window shares: IDM_EDIT_DELETE (the selected
// rows), IDM_EDIT_SELECTALL and IDM_EDIT_DELETEALL. False for any other command.
bool RunListCommand(FlexGrid* grid, const QString& cmd);

// The Delete-key handler of the list grids: on key code 46 with a data row current, removes
// the selected block of rows (Row to RowSel, in either order; never the header row). The row
// that followed the block becomes current (the last row when the block ended the list, row 0
// when only the header is left), with the selection across the row. With noRedraw the caller
// manages redrawing; otherwise redrawing is suspended during the work.
void FileListDeleteRows(FlexGrid* grid, int keyCode, int shift, bool noRedraw = false);

// Clears the converted bit (0x80000000) and the status picture (column 0) of every data row
// that carries the bit, with redrawing suspended.
void FileListClearDone(FlexGrid* grid);
