#include "core/FileGrid.h"

#include "core/FileRowFlags.h"
#include "core/SuspendedRedraw.h"
#include "core/FileTypes.h"
#include "core/BatchRunning.h"
#include "core/GridPictures.h"
#include "core/Log.h"
#include "platform/KeyCodes.h"
#include "platform/ShellOpen.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace {

// Makes row the current row, column 0, with the selection across the whole row.
void SelectWholeRow(FlexGrid* grid, int row)
{
    grid->setRow(row);
    grid->setCol(0);
    grid->setColSel(grid->Cols() - 1);
}

// Header row 0 is fixed exactly while data rows exist.
void FixHeaderWhenRowsRemain(FlexGrid* grid)
{
    if (grid->Rows() >= 2)
        grid->setFixedRows(1);
}

const QString kFailedText = QStringLiteral(".");

// Removes a cell's picture, keeping the picture alignment centred.
void RemoveCellPicture(FlexGrid* grid, int row, int col) { SetCellPicture(grid, row, col, QPixmap()); }

// Makes the cell current and writes a centred text.
void SetCentredText(FlexGrid* grid, int row, int col, const QString& text)
{
    grid->setRow(row);
    grid->setCol(col);
    grid->setText(text);
    grid->setCellAlignment(flexAlignCenterCenter);
}

// Whether the row's output still stands for its input: both exist and the input was not
// changed after the output was written.
bool OutputIsCurrent(const QFileInfo& input, const QString& output)
{
    const QFileInfo out(output);
    return out.exists() && !(input.lastModified() > out.lastModified());
}

void OpenCellWithShell(FlexGrid* grid, int col)
{
    if (grid->Row() >= 1)
        OpenFileWithShell(grid->TextMatrix(grid->Row(), col));
    SelectWholeRow(grid, grid->Row());
}

} // namespace

const QPixmap& RowTypePicture(int32_t rowWord)
{
    if (rowWord & FileRowText)
        return gPicTypeTxt;
    if (rowWord & FileRowWord)
        return gPicTypeDoc;
    if (rowWord & FileRowExcel)
        return gPicTypeXls;
    if (rowWord & FileRowPowerPoint)
        return gPicTypePpt;
    return gPicTypeOther;
}

void ClearFG(FlexGrid* grid, bool whole)
{
    if (grid->Rows() < 2)
        return;
    try {
        grid->setRedraw(false);
        grid->setFixedRows(0);
        while (grid->Rows() >= 2)
            grid->RemoveItem(grid->Rows() - 1);
        if (whole)
            grid->RemoveItem(0);
        if (grid->Rows() > 0 && grid->Cols() > 0) {
            SelectWholeRow(grid, 0);
            grid->setRowSel(0);
        }
        grid->setRedraw(true);
    } catch (...) {
        ErrorLog(QStringLiteral("ClearFG"));
        FixHeaderWhenRowsRemain(grid);
        grid->setRedraw(true);
    }
}

int ClearFGQMarkFile(FlexGrid* grid)
{
    if (grid->Rows() < 2)
        return 0;
    try {
        grid->setRedraw(false);
        grid->setFixedRows(0);
        int i = 1;
        while (i < grid->Rows()) {
            if (grid->TextMatrix(i, 0) == QLatin1String("."))
                grid->RemoveItem(i);
            else if (!QFileInfo::exists(grid->TextMatrix(i, 2)))
                grid->RemoveItem(i);
            else
                ++i;
        }
        FixHeaderWhenRowsRemain(grid);
        const int left = grid->Rows() - 1;
        grid->setRedraw(true);
        return left;
    } catch (...) {
        ErrorLog(QStringLiteral("ClearFGQMarkFile"));
        FixHeaderWhenRowsRemain(grid);
        grid->setRedraw(true);
        return 0;
    }
}

void SetCellPicture(FlexGrid* grid, int row, int col, const QPixmap& picture)
{
    grid->setRow(row);
    grid->setCol(col);
    grid->setCellPicture(picture);
    grid->setCellPictureAlignment(flexAlignCenterCenter);
}

void SelectAllRows(FlexGrid* grid)
{
    if (grid->Rows() < 2)
        return;
    grid->setRedraw(false);
    grid->setRow(1);
    grid->setCol(0);
    grid->setRowSel(grid->Rows() - 1);
    grid->setColSel(grid->Cols() - 1);
    grid->setRedraw(true);
}

bool RunListCommand(FlexGrid* grid, const QString& cmd)
{
    if (cmd == QLatin1String("IDM_EDIT_DELETE")) {
        FileListDeleteRows(grid, vbKeyDelete, 0);
    } else if (cmd == QLatin1String("IDM_EDIT_SELECTALL")) {
        SelectAllRows(grid);
    } else if (cmd == QLatin1String("IDM_EDIT_DELETEALL")) {
        SelectAllRows(grid);
        FileListDeleteRows(grid, vbKeyDelete, 0);
    } else {
        return false;
    }
    return true;
}

void FileListDeleteRows(FlexGrid* grid, int keyCode, int shift, bool noRedraw)
{
    if (gbBatchRunning)
        return;
    if (grid->Row() < 1)
        return;
    if (keyCode != vbKeyDelete)
        return;
    if (!noRedraw)
        grid->setRedraw(false);

    // The header row is never part of the block, whatever RowSel says.
    const int first = std::max(1, std::min(grid->Row(), grid->RowSel()));
    const int last = std::max(grid->Row(), grid->RowSel());
    grid->setFixedRows(0);
    for (int row = last; row >= first; --row)
        grid->RemoveItem(row);

    if (grid->Rows() >= 2) {
        grid->setFixedRows(1);
        SelectWholeRow(grid, std::min(first, grid->Rows() - 1));
    } else {
        SelectWholeRow(grid, 0);
    }
    if (!noRedraw)
        grid->setRedraw(true);
}

void FileListMarkRowDone(FlexGrid* grid, int row)
{
    SetCellPicture(grid, row, 0, gPicDone);
}

void FileListMarkRowFailed(FlexGrid* grid, int row)
{
    SetCentredText(grid, row, 0, kFailedText);
    grid->setCellPicture(gPicFailed);
    grid->setCellPictureAlignment(flexAlignCenterCenter);
}

void FileListClearDone(FlexGrid* grid)
{
    SuspendedRedraw redraw(grid);
    for (int row = 1; row < grid->Rows(); ++row) {
        const int32_t word = grid->RowData(row);
        if (!(word & FileRowProcessed))
            continue;
        grid->setRowData(row, word & ~FileRowProcessed);
        RemoveCellPicture(grid, row, 0);
    }
}

void CheckFGFile(FlexGrid* grid)
{
    if (grid->Rows() < 2)
        return;
    try {
        SuspendedRedraw redraw(grid);
        for (int row = 1; row < grid->Rows(); ++row) {
            const int32_t word = grid->RowData(row);
            const QFileInfo input(grid->TextMatrix(row, 2));
            if (!input.exists()) {
                SetCentredText(grid, row, 0, kFailedText);
                continue;
            }
            grid->setTextMatrix(row, 0, QString());
            if ((word & FileRowProcessed) && !OutputIsCurrent(input, grid->TextMatrix(row, 3)))
                grid->setRowData(row, word & ~FileRowProcessed);
        }
    } catch (...) {
        ErrorLog(QStringLiteral("CheckFGFile"));
    }
}

void PrjFileListALL(FlexGrid* grid, int rowHeight)
{
    CheckFGFile(grid);
    try {
        SuspendedRedraw redraw(grid);
        for (int row = 1; row < grid->Rows(); ++row) {
            if (grid->RowHeight(row) == 0)
                grid->setRowHeight(row, rowHeight);
            const int32_t word = grid->RowData(row);
            SetCellPicture(grid, row, 0, (word & FileRowProcessed) ? gPicDone.pixmap() : QPixmap());
            if (grid->TextMatrix(row, 0) == kFailedText)
                SetCellPicture(grid, row, 0, gPicFailed);
            SetCellPicture(grid, row, 1, RowTypePicture(word));
        }
    } catch (...) {
        ErrorLog(QStringLiteral("PrjFileListALL"));
    }
}

void PrjFileListNEW(FlexGrid* grid)
{
    CheckFGFile(grid);
    try {
        SuspendedRedraw redraw(grid);
        for (int row = 1; row < grid->Rows(); ++row) {
            RemoveCellPicture(grid, row, 0);
            if (grid->RowData(row) & FileRowProcessed) {
                grid->setRowHeight(row, 0);
                RemoveCellPicture(grid, row, 1);
            }
        }
    } catch (...) {
        ErrorLog(QStringLiteral("PrjFileListNEW"));
    }
}

int OpenFileWithShell(const QString& file)
{
    constexpr int kHandedOver = 33;
    constexpr int kFileNotFound = 2;
    constexpr int kNoAssociation = 31;
    if (file.isEmpty() || !QFileInfo::exists(file))
        return kFileNotFound;
    return ShellOpen(file) ? kHandedOver : kNoAssociation;
}

void FileListOpenInput(FlexGrid* grid) { OpenCellWithShell(grid, 2); }

void FileListOpenOutput(FlexGrid* grid) { OpenCellWithShell(grid, 3); }
