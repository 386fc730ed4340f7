#pragma once
// A grid control with the classic flexible-grid behaviour the windows are written against:
// rows and columns addressed by number with row 0 as the top, fixed (header) rows that never
// scroll and cannot be selected, a current cell (Row, Col) and a selection end (RowSel, ColSel),
// a 32-bit data word per row, cell pictures, bold cells, hidden rows (height 0) and sizes in
// twips. Programmatic changes behave as the windows expect: setting Row or Col collapses the
// selection onto the current cell; adding or removing rows leaves Row and RowSel at their
// numbers (clamped to the last row); raising FixedRows moves a current row inside the fixed
// rows to the first scrollable row. Events are Qt signals named after the grid's events.
// Indexes outside the grid throw std::out_of_range.
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <vector>

class FlexGridView;
class FlexGridModel;
class FlexGridHeader;
class FlexGridDelegate;
class QPainter;

// Alignment of cell text and cell pictures.
constexpr int flexAlignLeftTop = 0;
constexpr int flexAlignLeftCenter = 1;
constexpr int flexAlignLeftBottom = 2;
constexpr int flexAlignCenterTop = 3;
constexpr int flexAlignCenterCenter = 4;
constexpr int flexAlignCenterBottom = 5;
constexpr int flexAlignRightTop = 6;
constexpr int flexAlignRightCenter = 7;
constexpr int flexAlignRightBottom = 8;
constexpr int flexAlignGeneral = 9; // text: strings left, numbers right
constexpr int flexPicAlignStretch = 9; // pictures: fill the cell
constexpr int flexPicAlignTile = 10; // pictures: repeat over the cell

constexpr int flexSelectionFree = 0;
constexpr int flexSelectionByRow = 1;

constexpr int flexHighlightNever = 0;
constexpr int flexHighlightAlways = 1;
constexpr int flexHighlightWithFocus = 2;

constexpr int flexFocusNone = 0;
constexpr int flexFocusLight = 1;
constexpr int flexFocusHeavy = 2;

constexpr int flexResizeNone = 0;
constexpr int flexResizeColumns = 1;

constexpr int flexOLEDropNone = 0;
constexpr int flexOLEDropManual = 1;

constexpr int flexSortNone = 0;
constexpr int flexSortGenericAscending = 1;
constexpr int flexSortGenericDescending = 2;
constexpr int flexSortNumericAscending = 3;
constexpr int flexSortNumericDescending = 4;
constexpr int flexSortStringNoCaseAscending = 5;
constexpr int flexSortStringNoCaseDescending = 6;
constexpr int flexSortStringAscending = 7;
constexpr int flexSortStringDescending = 8;

class FlexGrid : public QWidget {
    Q_OBJECT
public:
    // A new grid has 2 rows, 2 columns, one fixed row and no fixed column.
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // The control's name (its object name), which some procedures test.
    QString Name() const { return objectName(); }

    // Row and column counts, fixed rows at the top and fixed columns at the left.
    int Rows() const { return static_cast<int>(m_rows.size()); }
    void setRows(int rows);
    int Cols() const { return static_cast<int>(m_cols.size()); }
    void setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int fixedCols);

    // Current cell and the other end of the selection.
    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int row);
    int ColSel() const { return m_colSel; }
    void setColSel(int col);

    // Cell texts: any cell, or the current cell.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    QString Text() const;
    void setText(const QString& text);

    // The 32-bit word kept with each row; it travels with its row.
    int32_t RowData(int row) const;
    void setRowData(int row, int32_t value);

    // Inserts a row whose cells are the Tab-separated fields of item, from column 0, at index
    // (appends when index is -1). The new row has data 0 and the normal height.
    void AddItem(const QString& item, int index = -1);
    void RemoveItem(int index);
    // Empties every cell (texts, pictures, formats); counts and row data stay.
    void Clear();

    // Every row (cells with their pictures, row data, heights), the fixed rows and the current
    // cell and selection, held to be put back later as they were.
    class Content;
    Content TakeContent() const;
    void PutContent(const Content& content);

    // Formats of the current cell.
    QPixmap CellPicture() const;
    void setCellPicture(const QPixmap& picture); // a null pixmap removes the picture
    int CellPictureAlignment() const;
    void setCellPictureAlignment(int alignment);
    int CellAlignment() const;
    void setCellAlignment(int alignment);
    bool CellFontBold() const;
    void setCellFontBold(bool bold);
    // Text alignment of a column's cells that have no alignment of their own.
    int ColAlignment(int col) const;
    void setColAlignment(int col, int alignment);

    // Off: nothing is repainted until it is switched on again.
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool on);

    // First scrollable row shown at the top.
    int TopRow() const;
    void setTopRow(int row);
    // Whether any part of the row is on screen.
    bool RowIsVisible(int row) const;

    // Sizes in twips; a row height of 0 hides the row, a column width of 0 hides the column.
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);

    int SelectionMode() const { return m_selectionMode; }
    void setSelectionMode(int mode);
    int HighLight() const { return m_highLight; }
    void setHighLight(int mode);
    int FocusRect() const { return m_focusRect; }
    void setFocusRect(int mode);
    // The last visible column takes up the width the others leave (never less than its own
    // width, which ColWidth keeps reporting).
    void setStretchLastCol(bool on);
    int AllowUserResizing() const { return m_allowUserResizing; }
    void setAllowUserResizing(int mode);
    // flexOLEDropManual: files dropped from the desktop raise OLEDragDrop.
    int OLEDropMode() const { return m_oleDropMode; }
    void setOLEDropMode(int mode);

    // The cell under the mouse at the last mouse event (-1 outside the cells).
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }

    // Sorts the scrollable rows by the columns from Col to ColSel (flexSort...).
    void setSort(int how);

    // Gives the grid the keyboard focus.
    void SetFocus();

signals:
    void Click();
    void DblClick();
    // Raised before the grid handles a key; setting keyCode to 0 cancels the key.
    void KeyDown(int& keyCode, int shift);
    // Button bits, shift bits and position in twips from the grid's top left corner.
    void MouseDown(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void RowColChange();
    void SelChange();
    void EnterCell();
    void LeaveCell();
    void GotFocus();
    void LostFocus();
    // Full native paths of the files and folders dropped on the grid.
    void OLEDragDrop(const QStringList& paths);

private:
    friend class FlexGridView;
    friend class FlexGridModel;
    friend class FlexGridHeader;
    friend class FlexGridDelegate;

    struct Cell {
        QString text;
        QPixmap picture;
        int alignment = -1; // -1: the column's alignment
        int pictureAlignment = flexAlignLeftCenter;
        bool bold = false;
    };
    struct RowRecord {
        std::vector<Cell> cells;
        int32_t data = 0;
        int heightTwips = -1; // -1: the normal height
    };
    struct ColRecord {
        int widthTwips = -1; // -1: the normal width
        int alignment = flexAlignGeneral;
    };

public:
    class Content {
    private:
        friend class FlexGrid;
        std::vector<RowRecord> rows;
        int fixedRows = 0;
        int row = 0;
        int col = 0;
        int rowSel = 0;
        int colSel = 0;
        int topRow = 0;
    };

private:

    void checkRow(int row) const;
    void checkCol(int col) const;
    const Cell& cell(int row, int col) const;
    Cell& cell(int row, int col);
    Cell& currentCell();
    const Cell& currentCell() const;
    RowRecord makeRow() const;

    // Moves the current cell and the selection end, raising the grid's events for what changed.
    void moveTo(int row, int col, int rowSel, int colSel);
    // Structural changes while redrawing is off reach the view in one reset (see the .cpp).
    bool deferViewUpdates();
    void syncView() const;
    // Ends a model reset and applies every row's and column's geometry again.
    void endViewReset();
    // Keeps Row, Col, RowSel and ColSel inside the grid after its size changed.
    void clampCursor();
    void repaintCells();
    void repaintRow(int row);

    int defaultRowHeightPx() const;
    int rowHeightPx(int row) const;
    int fixedRowsHeightPx() const;
    void applyRowGeometry(int row);
    void applyColGeometry(int col);
    int colWidthPx(int col) const;
    void stretchLastCol();
    void applyAllGeometry();
    void updateHeader();

    bool isSelected(int row, int col) const;
    void paintCell(QPainter* painter, const QRect& rect, int row, int col, const QFont& baseFont) const;

    // User input, from the view and the header.
    void selectAt(int row, int col, Qt::KeyboardModifiers modifiers);
    void userPress(int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& gridPos);
    void userMove(int row, int col, Qt::MouseButtons buttons);
    void userRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& gridPos);
    void userDoubleClick(int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    bool userKey(int qtKey, Qt::KeyboardModifiers modifiers);
    int nextShownRow(int from, int step) const;
    int rowsPerPage() const;
    void scrollToRow(int row);

    std::vector<RowRecord> m_rows;
    std::vector<ColRecord> m_cols;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_colSel = 0;
    bool m_redraw = true;
    int m_selectionMode = flexSelectionFree;
    int m_highLight = flexHighlightAlways;
    int m_focusRect = flexFocusLight;
    int m_allowUserResizing = flexResizeNone;
    int m_oleDropMode = flexOLEDropNone;
    int m_mouseRow = -1;
    int m_mouseCol = -1;
    bool m_leftPressed = false;
    bool m_doubleClicked = false;
    bool m_applyingGeometry = false;
    bool m_stretchLastCol = false;
    bool m_resetPending = false;
    int m_savedTopRow = 0;

    FlexGridModel* m_model = nullptr;
    FlexGridView* m_view = nullptr;
    FlexGridHeader* m_header = nullptr;
};
