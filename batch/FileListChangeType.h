#pragma once
// The row-type commands of the file-list windows: the current row's word goes into the
// row-type dialog, shown for the window's kind; after OK the changed word goes back into the
// row, with its type picture, and the row is selected across. Only the current row changes,
// however many are selected; its status, processed mark and output stay. A grid with no data
// row current is left alone.
class FlexGrid;

void FileListChangeTypeDoc(FlexGrid* grid);   // Word window
void FileListChangeTypeXls(FlexGrid* grid);   // Excel window
void FileListChangeTypePpt(FlexGrid* grid);   // PowerPoint window
void FileListChangeTypeOther(FlexGrid* grid); // HTML window
void ChangeSpecRowType(FlexGrid* grid);       // encoding-pair window: text or other only
