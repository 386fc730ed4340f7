#pragma once
// Small helpers the vocabulary manager's procedures share.
#include "platform/FlexGrid.h"
#include "resources/StringTable.h"

#include <QString>
#include <algorithm>

// Switches a grid's redrawing off while alive and puts back what it found.
class RedrawOff {
public:
    explicit RedrawOff(FlexGrid* grid) : m_grid(grid), m_was(grid->Redraw()) { m_grid->setRedraw(false); }
    ~RedrawOff() { m_grid->setRedraw(m_was); }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    FlexGrid* m_grid;
    bool m_was;
};

// The selected block of whole data rows, whichever way it was selected (the header row
// never belongs to it). Only for a grid with data rows.
struct RowBlock {
    int first = 0;
    int last = 0;
};
inline RowBlock SelectedBlock(const FlexGrid* grid)
{
    const int lastRow = grid->Rows() - 1;
    auto clamp = [lastRow](int row) { return std::clamp(row, 1, std::max(1, lastRow)); };
    return {clamp(std::min(grid->Row(), grid->RowSel())), clamp(std::max(grid->Row(), grid->RowSel()))};
}

// Selects rows first to last over every column.
inline void SelectRows(FlexGrid* grid, int first, int last)
{
    grid->setRow(first);
    grid->setCol(0);
    grid->setRowSel(last);
    grid->setColSel(grid->Cols() - 1);
}

// Row word bits of the manager's lists.
constexpr int32_t kRowInUse = 1;
constexpr int32_t kRowCurrentMark = 2;

// The list file of the library's table list, in the program folder.
QString TableListPath();

// "Return : " and a library result, as messages show it.
inline QString ReturnText(int32_t result) { return QStringLiteral("Return : ") + QString::number(result); }

// The message for a table file the library refused: its path, the refusal and the result.
inline QString TableRefusedText(const QString& path, int32_t result)
{
    return path + QStringLiteral(" ") + LoadResString(1002) + QChar(10) + ReturnText(result);
}
