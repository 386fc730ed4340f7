#pragma once
// The per-row output change of the file-list grids: the current row's output path and
// charset-tag choice through the per-row output dialog.
class FlexGrid;

// What a grid's rows list: files (input and output files) or folders (the folder-tree
// window's input and output folders).
enum class ListedRows { Files, Folders };

// Shows the per-row output dialog for the grid's current data row (nothing for the header or
// no row) with the charset-tag box when showAddTag; after OK with a path writes the output
// into column 3, sets or clears the row's add-tag bit, and makes a processed row count as not
// processed again (processed bit and status picture removed). Cancel or an empty path leaves
// the row as it was.
void FileListChangeOutput(FlexGrid* grid, bool showAddTag, ListedRows rows = ListedRows::Files);
