#include "platform/FlexGrid.h"

#include "platform/DroppedFiles.h"
#include "platform/KeyCodes.h"
#include "platform/Twips.h"

#include <QAbstractTableModel>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kDefaultColWidthPx = 64;
constexpr int kCellMargin = 2;

Qt::Alignment ToQtAlignment(int flexAlignment)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (flexAlignment >= flexAlignCenterTop && flexAlignment <= flexAlignCenterBottom)
        horizontal = Qt::AlignHCenter;
    else if (flexAlignment >= flexAlignRightTop && flexAlignment <= flexAlignRightBottom)
        horizontal = Qt::AlignRight;
    Qt::Alignment vertical = Qt::AlignVCenter;
    if (flexAlignment >= 0 && flexAlignment <= flexAlignRightBottom) {
        switch (flexAlignment % 3) {
        case 0: vertical = Qt::AlignTop; break;
        case 2: vertical = Qt::AlignBottom; break;
        default: break;
        }
    }
    return horizontal | vertical;
}

bool IsNumber(const QString& text, double* value = nullptr)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (value)
        *value = ok ? v : 0.0;
    return ok;
}

// Negative, zero or positive as a sorts before, equal to or after b.
int CompareForSort(const QString& a, const QString& b, int how)
{
    switch (how) {
    case flexSortGenericAscending:
    case flexSortGenericDescending: {
        double x = 0, y = 0;
        if (IsNumber(a, &x) && IsNumber(b, &y))
            return x < y ? -1 : (x > y ? 1 : 0);
        return QString::compare(a, b, Qt::CaseInsensitive);
    }
    case flexSortNumericAscending:
    case flexSortNumericDescending: {
        double x = 0, y = 0;
        IsNumber(a, &x);
        IsNumber(b, &y);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case flexSortStringNoCaseAscending:
    case flexSortStringNoCaseDescending:
        return QString::compare(a, b, Qt::CaseInsensitive);
    default:
        return QString::compare(a, b, Qt::CaseSensitive);
    }
}

bool IsDescending(int how)
{
    return how == flexSortGenericDescending || how == flexSortNumericDescending
        || how == flexSortStringNoCaseDescending || how == flexSortStringDescending;
}

} // namespace

// The scrollable rows (FixedRows and below) as seen by the table view.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(FlexGrid* grid) : QAbstractTableModel(grid), m_grid(grid) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : std::max(0, m_grid->Rows() - m_grid->m_fixedRows);
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_grid->Cols();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        const int row = index.row() + m_grid->m_fixedRows;
        if (row >= m_grid->Rows() || index.column() >= m_grid->Cols())
            return QVariant();
        return m_grid->m_rows[row].cells[index.column()].text;
    }
    Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsEnabled; }

    void insertViewRows(int first, int last) { beginInsertRows(QModelIndex(), first, last); }
    void endInsertViewRows() { endInsertRows(); }
    void removeViewRows(int first, int last) { beginRemoveRows(QModelIndex(), first, last); }
    void endRemoveViewRows() { endRemoveRows(); }
    void insertViewCols(int first, int last) { beginInsertColumns(QModelIndex(), first, last); }
    void endInsertViewCols() { endInsertColumns(); }
    void removeViewCols(int first, int last) { beginRemoveColumns(QModelIndex(), first, last); }
    void endRemoveViewCols() { endRemoveColumns(); }
    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }

private:
    FlexGrid* m_grid;
};

// Paints the scrollable cells.
class FlexGridDelegate : public QStyledItemDelegate {
public:
    explicit FlexGridDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_grid->paintCell(painter, option.rect, index.row() + m_grid->m_fixedRows, index.column(), option.font);
    }

private:
    FlexGrid* m_grid;
};

// Shows the fixed rows above the scrollable ones, stacked, one section per column.
class FlexGridHeader : public QHeaderView {
public:
    explicit FlexGridHeader(FlexGrid* grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
        setSectionResizeMode(QHeaderView::Fixed);
        setMinimumSectionSize(0);
        setDefaultSectionSize(kDefaultColWidthPx);
    }

    QSize sizeHint() const override
    {
        return QSize(QHeaderView::sizeHint().width(), m_grid->fixedRowsHeightPx());
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        int y = rect.top();
        for (int row = 0; row < m_grid->m_fixedRows; ++row) {
            const int h = m_grid->rowHeightPx(row);
            if (h <= 0)
                continue;
            m_grid->paintCell(painter, QRect(rect.left(), y, rect.width(), h), row, logicalIndex, font());
            y += h;
        }
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        QHeaderView::mousePressEvent(e);
        const QPoint p = e->position().toPoint();
        m_grid->userPress(rowAt(p.y()), logicalIndexAt(p), e->button(), e->modifiers(), mapTo(m_grid, p));
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        QHeaderView::mouseMoveEvent(e);
        const QPoint p = e->position().toPoint();
        m_grid->m_mouseRow = rowAt(p.y());
        m_grid->m_mouseCol = logicalIndexAt(p);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QHeaderView::mouseReleaseEvent(e);
        m_grid->userRelease(e->button(), e->modifiers(), mapTo(m_grid, e->position().toPoint()));
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        m_grid->userDoubleClick(rowAt(p.y()), logicalIndexAt(p), e->button(), e->modifiers());
    }

private:
    // The fixed row at a height inside the header, -1 below them.
    int rowAt(int y) const
    {
        int top = 0;
        for (int row = 0; row < m_grid->m_fixedRows; ++row) {
            const int h = m_grid->rowHeightPx(row);
            if (y >= top && y < top + h)
                return row;
            top += h;
        }
        return -1;
    }

    FlexGrid* m_grid;
};

// The table view under the grid: it lays the cells out and scrolls; the grid keeps the
// selection and handles every key and mouse action itself.
class FlexGridView : public QTableView {
public:
    explicit FlexGridView(FlexGrid* grid) : QTableView(grid), m_grid(grid)
    {
        setSelectionMode(QAbstractItemView::NoSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setTabKeyNavigation(false);
        setAutoScroll(false);
        setWordWrap(false);
        setFocusPolicy(Qt::StrongFocus);
        verticalHeader()->hide();
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setMinimumSectionSize(1);
    }

    // Brings scroll ranges and row positions up to date now, not at the next paint.
    void relayout()
    {
        executeDelayedItemsLayout();
        updateGeometries();
    }

    int gridRowAt(int y) const
    {
        const int viewRow = rowAt(y);
        return viewRow < 0 ? -1 : viewRow + m_grid->m_fixedRows;
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        m_grid->userPress(gridRowAt(p.y()), columnAt(p.x()), e->button(), e->modifiers(), viewport()->mapTo(m_grid, p));
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        int row = gridRowAt(p.y());
        if (row < 0 && (e->buttons() & Qt::LeftButton) && m_grid->Rows() > m_grid->m_fixedRows) {
            // Dragging past the top or bottom edge extends the selection one row further.
            const int edge = p.y() < 0 ? m_grid->TopRow() - 1 : gridRowAt(viewport()->height() - 1) + 1;
            row = std::clamp(edge, m_grid->m_fixedRows, m_grid->Rows() - 1);
            if (p.y() < 0 || p.y() >= viewport()->height())
                m_grid->scrollToRow(row);
            else
                row = m_grid->Rows() - 1; // below the last row
        }
        m_grid->userMove(row, columnAt(p.x()), e->buttons());
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        m_grid->userRelease(e->button(), e->modifiers(), viewport()->mapTo(m_grid, e->position().toPoint()));
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        m_grid->userDoubleClick(gridRowAt(p.y()), columnAt(p.x()), e->button(), e->modifiers());
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        int keyCode = VbKeyCode(e->key(), e->modifiers());
        if (keyCode != 0) {
            emit m_grid->KeyDown(keyCode, VbShiftState(e->modifiers()));
            if (keyCode == 0) {
                e->accept();
                return;
            }
        }
        if (m_grid->userKey(e->key(), e->modifiers()))
            e->accept();
        else
            e->ignore();
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QWidget::focusInEvent(e);
        viewport()->update();
        if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
            emit m_grid->GotFocus();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QWidget::focusOutEvent(e);
        viewport()->update();
        if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
            emit m_grid->LostFocus();
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QTableView::resizeEvent(e);
        m_grid->stretchLastCol();
    }
    void dragEnterEvent(QDragEnterEvent* e) override { acceptFileDrag(e); }
    void dragMoveEvent(QDragMoveEvent* e) override { acceptFileDrag(e); }
    void dropEvent(QDropEvent* e) override
    {
        const QStringList paths = DroppedFiles(e->mimeData());
        if (m_grid->m_oleDropMode != flexOLEDropManual || paths.isEmpty()) {
            e->ignore();
            return;
        }
        e->acceptProposedAction();
        emit m_grid->OLEDragDrop(paths);
    }

private:
    void acceptFileDrag(QDragMoveEvent* e)
    {
        if (m_grid->m_oleDropMode == flexOLEDropManual && !DroppedFiles(e->mimeData()).isEmpty())
            e->acceptProposedAction();
        else
            e->ignore();
    }

    FlexGrid* m_grid;
};

FlexGrid::FlexGrid(QWidget* parent)
    : QWidget(parent)
{
    m_model = new FlexGridModel(this);
    m_view = new FlexGridView(this);
    m_header = new FlexGridHeader(this);
    m_view->setHorizontalHeader(m_header);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new FlexGridDelegate(this));
    m_view->verticalHeader()->setDefaultSectionSize(defaultRowHeightPx());
    m_view->horizontalHeader()->setDefaultSectionSize(kDefaultColWidthPx);
    m_view->setMouseTracking(true);
    setFocusProxy(m_view);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    connect(m_header, &QHeaderView::sectionResized, this, [this](int col, int, int newSize) {
        if (!m_applyingGeometry && m_allowUserResizing != flexResizeNone && col >= 0 && col < Cols())
            m_cols[col].widthTwips = PixelsToTwips(newSize);
    });

    setCols(2);
    setRows(2);
    setFixedRows(1);
}

// The view goes first, while the grid is still whole: losing the focus as it goes emits
// the grid's LostFocus(), which must not reach a grid that is half destroyed.
FlexGrid::~FlexGrid()
{
    blockSignals(true);
    delete m_view;
    m_view = nullptr;
}

// ---- size and structure ------------------------------------------------------------------

void FlexGrid::checkRow(int row) const
{
    if (row < 0 || row >= Rows())
        throw std::out_of_range("Subscript out of range: row " + std::to_string(row));
}

void FlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= Cols())
        throw std::out_of_range("Subscript out of range: column " + std::to_string(col));
}

const FlexGrid::Cell& FlexGrid::cell(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    return m_rows[row].cells[col];
}

FlexGrid::Cell& FlexGrid::cell(int row, int col)
{
    checkRow(row);
    checkCol(col);
    return m_rows[row].cells[col];
}

FlexGrid::Cell& FlexGrid::currentCell() { return cell(m_row, m_col); }
const FlexGrid::Cell& FlexGrid::currentCell() const { return cell(m_row, m_col); }

FlexGrid::RowRecord FlexGrid::makeRow() const
{
    RowRecord record;
    record.cells.resize(m_cols.size());
    return record;
}

// While redrawing is off, structural changes are not reported to the view row by row: the
// view is told once, when redrawing comes back on or when its geometry is needed. Row by row
// updates cost the view a pass over all rows each, which makes bulk changes quadratic.
bool FlexGrid::deferViewUpdates()
{
    if (m_redraw)
        return false;
    if (!m_resetPending) {
        m_savedTopRow = TopRow();
        m_model->beginReset();
        m_resetPending = true;
    }
    return true;
}

void FlexGrid::syncView() const
{
    if (!m_resetPending)
        return;
    auto* self = const_cast<FlexGrid*>(this);
    self->m_resetPending = false;
    self->endViewReset();
    if (m_savedTopRow > m_fixedRows && m_savedTopRow < Rows())
        self->setTopRow(m_savedTopRow);
}

void FlexGrid::endViewReset()
{
    m_applyingGeometry = true;
    m_model->endReset();
    m_applyingGeometry = false;
    applyAllGeometry();
}

void FlexGrid::setRows(int rows)
{
    if (rows < 0)
        throw std::out_of_range("Invalid Rows value");
    const int old = Rows();
    if (deferViewUpdates()) {
        m_rows.resize(rows, makeRow());
        m_fixedRows = std::min(m_fixedRows, rows);
    } else if (rows > old) {
        const int first = old - m_fixedRows;
        m_model->insertViewRows(first, first + (rows - old) - 1);
        m_rows.resize(rows, makeRow());
        m_model->endInsertViewRows();
    } else if (rows < old) {
        if (rows >= m_fixedRows) {
            m_model->removeViewRows(rows - m_fixedRows, old - m_fixedRows - 1);
            m_rows.resize(rows);
            m_model->endRemoveViewRows();
        } else {
            if (old > m_fixedRows) {
                m_model->removeViewRows(0, old - m_fixedRows - 1);
                m_rows.resize(m_fixedRows);
                m_model->endRemoveViewRows();
            }
            m_rows.resize(rows);
            m_fixedRows = rows;
            updateHeader();
        }
    }
    clampCursor();
    repaintCells();
}

void FlexGrid::setCols(int cols)
{
    if (cols < 0)
        throw std::out_of_range("Invalid Cols value");
    const int old = Cols();
    const auto resizeCells = [this, cols] {
        m_cols.resize(cols);
        for (RowRecord& row : m_rows)
            row.cells.resize(cols);
    };
    if (deferViewUpdates()) {
        resizeCells();
    } else if (cols > old) {
        m_model->insertViewCols(old, cols - 1);
        resizeCells();
        m_model->endInsertViewCols();
        for (int c = old; c < cols; ++c)
            applyColGeometry(c);
    } else if (cols < old) {
        m_model->removeViewCols(cols, old - 1);
        resizeCells();
        m_model->endRemoveViewCols();
    }
    m_fixedCols = std::min(m_fixedCols, cols);
    clampCursor();
    updateHeader();
}

void FlexGrid::setFixedRows(int fixedRows)
{
    if (fixedRows < 0 || fixedRows > Rows())
        throw std::out_of_range("Invalid FixedRows value");
    const int old = m_fixedRows;
    if (deferViewUpdates()) {
        m_fixedRows = fixedRows;
    } else if (fixedRows > old) {
        m_model->removeViewRows(0, fixedRows - old - 1);
        m_fixedRows = fixedRows;
        m_model->endRemoveViewRows();
    } else if (fixedRows < old) {
        m_model->insertViewRows(0, old - fixedRows - 1);
        m_fixedRows = fixedRows;
        m_model->endInsertViewRows();
        for (int row = fixedRows; row < old; ++row)
            applyRowGeometry(row);
    }
    updateHeader();
    if (Rows() > m_fixedRows)
        moveTo(std::max(m_row, m_fixedRows), m_col, std::max(m_rowSel, m_fixedRows), m_colSel);
    repaintCells();
}

void FlexGrid::setFixedCols(int fixedCols)
{
    if (fixedCols < 0 || fixedCols > Cols())
        throw std::out_of_range("Invalid FixedCols value");
    m_fixedCols = fixedCols;
    if (Cols() > m_fixedCols)
        moveTo(m_row, std::max(m_col, m_fixedCols), m_rowSel, std::max(m_colSel, m_fixedCols));
    repaintCells();
}

void FlexGrid::AddItem(const QString& item, int index)
{
    if (index == -1)
        index = Rows();
    if (index < 0 || index > Rows())
        throw std::out_of_range("Subscript out of range: AddItem index " + std::to_string(index));
    RowRecord record = makeRow();
    const QStringList fields = item.split(QLatin1Char('\t'));
    for (int c = 0; c < Cols() && c < fields.size(); ++c)
        record.cells[c].text = fields[c];

    if (deferViewUpdates()) {
        m_rows.insert(m_rows.begin() + index, std::move(record));
    } else if (index >= m_fixedRows) {
        const int viewRow = index - m_fixedRows;
        m_model->insertViewRows(viewRow, viewRow);
        m_rows.insert(m_rows.begin() + index, std::move(record));
        m_model->endInsertViewRows();
    } else {
        // The new row takes a fixed place; the last fixed row moves down into the scrolling part.
        m_model->insertViewRows(0, 0);
        m_rows.insert(m_rows.begin() + index, std::move(record));
        m_model->endInsertViewRows();
        applyRowGeometry(m_fixedRows);
        updateHeader();
    }
    clampCursor();
    repaintCells();
}

void FlexGrid::RemoveItem(int index)
{
    checkRow(index);
    if (deferViewUpdates()) {
        m_rows.erase(m_rows.begin() + index);
        m_fixedRows = std::min(m_fixedRows, Rows());
    } else if (index >= m_fixedRows) {
        const int viewRow = index - m_fixedRows;
        m_model->removeViewRows(viewRow, viewRow);
        m_rows.erase(m_rows.begin() + index);
        m_model->endRemoveViewRows();
    } else {
        // A fixed row goes; the first scrolling row (if any) moves up into the fixed part.
        if (Rows() > m_fixedRows) {
            m_model->removeViewRows(0, 0);
            m_rows.erase(m_rows.begin() + index);
            m_model->endRemoveViewRows();
        } else {
            m_rows.erase(m_rows.begin() + index);
            m_fixedRows = Rows();
        }
        updateHeader();
    }
    clampCursor();
    repaintCells();
}

FlexGrid::Content FlexGrid::TakeContent() const
{
    Content content;
    content.rows = m_rows;
    content.fixedRows = m_fixedRows;
    content.row = m_row;
    content.col = m_col;
    content.rowSel = m_rowSel;
    content.colSel = m_colSel;
    content.topRow = TopRow();
    return content;
}

void FlexGrid::PutContent(const Content& content)
{
    const bool deferred = deferViewUpdates();
    if (!deferred)
        m_model->beginReset();
    m_rows = content.rows;
    for (RowRecord& row : m_rows)
        row.cells.resize(Cols()); // columns are the grid's own, whatever the content had
    m_fixedRows = std::min(content.fixedRows, Rows());
    if (!deferred)
        endViewReset();
    updateHeader();
    const auto clampTo = [](int value, int count) { return count == 0 ? -1 : std::clamp(value, 0, count - 1); };
    moveTo(clampTo(content.row, Rows()), clampTo(content.col, Cols()), clampTo(content.rowSel, Rows()),
           clampTo(content.colSel, Cols()));
    if (!deferred && content.topRow < Rows())
        setTopRow(content.topRow);
    repaintCells();
}

void FlexGrid::Clear()
{
    for (RowRecord& row : m_rows) {
        for (Cell& c : row.cells)
            c = Cell();
    }
    repaintCells();
}

void FlexGrid::setSort(int how)
{
    if (how == flexSortNone || Rows() - m_fixedRows < 2 || Cols() == 0)
        return;
    const int first = std::clamp(std::min(m_col, m_colSel), 0, Cols() - 1);
    const int last = std::clamp(std::max(m_col, m_colSel), 0, Cols() - 1);
    const bool descending = IsDescending(how);
    const bool deferred = deferViewUpdates();
    if (!deferred)
        m_model->beginReset();
    std::stable_sort(m_rows.begin() + m_fixedRows, m_rows.end(), [&](const RowRecord& a, const RowRecord& b) {
        for (int c = first; c <= last; ++c) {
            const int order = CompareForSort(a.cells[c].text, b.cells[c].text, how);
            if (order != 0)
                return descending ? order > 0 : order < 0;
        }
        return false;
    });
    if (!deferred)
        endViewReset();
    repaintCells();
}

// ---- current cell and selection ---------------------------------------------------------

void FlexGrid::moveTo(int row, int col, int rowSel, int colSel)
{
    const bool cellChanged = row != m_row || col != m_col;
    const bool selChanged = cellChanged || rowSel != m_rowSel || colSel != m_colSel;
    if (cellChanged)
        emit LeaveCell();
    m_row = row;
    m_col = col;
    m_rowSel = rowSel;
    m_colSel = colSel;
    if (selChanged)
        repaintCells();
    if (cellChanged) {
        emit EnterCell();
        emit RowColChange();
    }
    if (selChanged)
        emit SelChange();
}

void FlexGrid::clampCursor()
{
    const auto clampTo = [](int value, int count) { return count == 0 ? -1 : std::clamp(value, 0, count - 1); };
    moveTo(clampTo(m_row, Rows()), clampTo(m_col, Cols()), clampTo(m_rowSel, Rows()), clampTo(m_colSel, Cols()));
}

void FlexGrid::setRow(int row)
{
    checkRow(row);
    moveTo(row, m_col, row, m_col);
}

void FlexGrid::setCol(int col)
{
    checkCol(col);
    moveTo(m_row, col, m_row, col);
}

void FlexGrid::setRowSel(int row)
{
    checkRow(row);
    moveTo(m_row, m_col, row, m_colSel);
}

void FlexGrid::setColSel(int col)
{
    checkCol(col);
    moveTo(m_row, m_col, m_rowSel, col);
}

// ---- cells ------------------------------------------------------------------------------

QString FlexGrid::TextMatrix(int row, int col) const { return cell(row, col).text; }

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    cell(row, col).text = text;
    repaintRow(row);
}

QString FlexGrid::Text() const { return currentCell().text; }

void FlexGrid::setText(const QString& text)
{
    currentCell().text = text;
    repaintRow(m_row);
}

int32_t FlexGrid::RowData(int row) const
{
    checkRow(row);
    return m_rows[row].data;
}

void FlexGrid::setRowData(int row, int32_t value)
{
    checkRow(row);
    m_rows[row].data = value;
}

QPixmap FlexGrid::CellPicture() const { return currentCell().picture; }

void FlexGrid::setCellPicture(const QPixmap& picture)
{
    currentCell().picture = picture;
    repaintRow(m_row);
}

int FlexGrid::CellPictureAlignment() const { return currentCell().pictureAlignment; }

void FlexGrid::setCellPictureAlignment(int alignment)
{
    if (alignment < flexAlignLeftTop || alignment > flexPicAlignTile)
        throw std::out_of_range("Invalid CellPictureAlignment value");
    currentCell().pictureAlignment = alignment;
    repaintRow(m_row);
}

int FlexGrid::CellAlignment() const
{
    const Cell& c = currentCell();
    return c.alignment >= 0 ? c.alignment : m_cols[m_col].alignment;
}

void FlexGrid::setCellAlignment(int alignment)
{
    if (alignment < flexAlignLeftTop || alignment > flexAlignGeneral)
        throw std::out_of_range("Invalid CellAlignment value");
    currentCell().alignment = alignment;
    repaintRow(m_row);
}

bool FlexGrid::CellFontBold() const { return currentCell().bold; }

void FlexGrid::setCellFontBold(bool bold)
{
    currentCell().bold = bold;
    repaintRow(m_row);
}

int FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return m_cols[col].alignment;
}

void FlexGrid::setColAlignment(int col, int alignment)
{
    checkCol(col);
    if (alignment < flexAlignLeftTop || alignment > flexAlignGeneral)
        throw std::out_of_range("Invalid ColAlignment value");
    m_cols[col].alignment = alignment;
    repaintCells();
}

// ---- display ----------------------------------------------------------------------------

void FlexGrid::setRedraw(bool on)
{
    if (on == m_redraw)
        return;
    m_redraw = on;
    if (on)
        syncView();
    m_view->setUpdatesEnabled(on);
    if (on)
        repaintCells();
}

void FlexGrid::repaintCells()
{
    if (!m_redraw)
        return;
    m_view->viewport()->update();
    m_header->viewport()->update();
}

void FlexGrid::repaintRow(int row)
{
    if (!m_redraw)
        return;
    if (row < m_fixedRows) {
        m_header->viewport()->update();
        return;
    }
    const int viewRow = row - m_fixedRows;
    m_view->viewport()->update(QRect(0, m_view->rowViewportPosition(viewRow), m_view->viewport()->width(),
        m_view->rowHeight(viewRow)));
}

int FlexGrid::TopRow() const
{
    syncView();
    m_view->relayout();
    const int row = m_view->gridRowAt(0);
    return row < 0 ? m_fixedRows : row;
}

void FlexGrid::setTopRow(int row)
{
    checkRow(row);
    if (Rows() <= m_fixedRows)
        return;
    int target = std::max(row, m_fixedRows);
    const int shown = nextShownRow(target, 1);
    target = shown >= 0 ? shown : nextShownRow(target, -1);
    if (target < 0)
        return;
    syncView();
    m_view->relayout();
    m_view->scrollTo(m_model->index(target - m_fixedRows, 0), QAbstractItemView::PositionAtTop);
}

bool FlexGrid::RowIsVisible(int row) const
{
    checkRow(row);
    if (rowHeightPx(row) <= 0)
        return false;
    if (row < m_fixedRows)
        return !m_header->isHidden();
    syncView();
    m_view->relayout();
    const int viewRow = row - m_fixedRows;
    const int top = m_view->rowViewportPosition(viewRow);
    const int bottom = top + m_view->rowHeight(viewRow);
    return bottom > 0 && top < m_view->viewport()->height();
}

int FlexGrid::defaultRowHeightPx() const { return fontMetrics().height() + 4; }

int FlexGrid::rowHeightPx(int row) const
{
    const int twips = m_rows[row].heightTwips;
    return twips < 0 ? defaultRowHeightPx() : TwipsToPixels(twips);
}

int FlexGrid::fixedRowsHeightPx() const
{
    int height = 0;
    for (int row = 0; row < m_fixedRows; ++row)
        height += rowHeightPx(row);
    return height;
}

int FlexGrid::RowHeight(int row) const
{
    checkRow(row);
    const int twips = m_rows[row].heightTwips;
    return twips < 0 ? PixelsToTwips(defaultRowHeightPx()) : twips;
}

void FlexGrid::setRowHeight(int row, int twips)
{
    checkRow(row);
    if (twips < -1)
        throw std::out_of_range("Invalid RowHeight value");
    m_rows[row].heightTwips = twips;
    applyRowGeometry(row);
}

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    const int twips = m_cols[col].widthTwips;
    return twips < 0 ? PixelsToTwips(kDefaultColWidthPx) : twips;
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCol(col);
    if (twips < -1)
        throw std::out_of_range("Invalid ColWidth value");
    m_cols[col].widthTwips = twips;
    applyColGeometry(col);
}

void FlexGrid::applyRowGeometry(int row)
{
    if (m_resetPending)
        return;
    if (row < m_fixedRows) {
        updateHeader();
        return;
    }
    const int viewRow = row - m_fixedRows;
    const int px = rowHeightPx(row);
    m_view->setRowHidden(viewRow, px <= 0);
    if (px > 0)
        m_view->setRowHeight(viewRow, px);
}

void FlexGrid::applyColGeometry(int col)
{
    if (m_resetPending)
        return;
    const int px = colWidthPx(col);
    m_applyingGeometry = true;
    m_view->setColumnHidden(col, px <= 0);
    if (px > 0)
        m_view->setColumnWidth(col, px);
    m_applyingGeometry = false;
    stretchLastCol();
}

int FlexGrid::colWidthPx(int col) const
{
    const int twips = m_cols[col].widthTwips;
    return twips < 0 ? kDefaultColWidthPx : TwipsToPixels(twips);
}

void FlexGrid::setStretchLastCol(bool on)
{
    m_stretchLastCol = on;
    if (on)
        stretchLastCol();
    else
        applyAllGeometry();
}

void FlexGrid::stretchLastCol()
{
    if (!m_stretchLastCol || m_resetPending)
        return;
    int last = -1;
    int used = 0;
    for (int col = 0; col < Cols(); ++col) {
        if (colWidthPx(col) <= 0)
            continue;
        if (last >= 0)
            used += colWidthPx(last);
        last = col;
    }
    if (last < 0)
        return;
    const int px = std::max(colWidthPx(last), m_view->viewport()->width() - used);
    m_applyingGeometry = true;
    m_view->setColumnWidth(last, px);
    m_applyingGeometry = false;
}

void FlexGrid::applyAllGeometry()
{
    for (int col = 0; col < Cols(); ++col)
        applyColGeometry(col);
    for (int row = m_fixedRows; row < Rows(); ++row)
        applyRowGeometry(row);
    updateHeader();
}

void FlexGrid::updateHeader()
{
    if (m_resetPending)
        return;
    m_header->setVisible(fixedRowsHeightPx() > 0);
    m_header->updateGeometry();
    m_view->relayout();
    if (m_redraw)
        m_header->viewport()->update();
}

void FlexGrid::setSelectionMode(int mode)
{
    m_selectionMode = mode;
    repaintCells();
}

void FlexGrid::setHighLight(int mode)
{
    m_highLight = mode;
    repaintCells();
}

void FlexGrid::setFocusRect(int mode)
{
    m_focusRect = mode;
    repaintCells();
}

void FlexGrid::setAllowUserResizing(int mode)
{
    m_allowUserResizing = mode;
    m_header->setSectionResizeMode(mode == flexResizeNone ? QHeaderView::Fixed : QHeaderView::Interactive);
}

void FlexGrid::setOLEDropMode(int mode)
{
    m_oleDropMode = mode;
    m_view->setAcceptDrops(mode == flexOLEDropManual);
    m_view->viewport()->setAcceptDrops(mode == flexOLEDropManual);
}

void FlexGrid::SetFocus() { m_view->setFocus(Qt::OtherFocusReason); }

bool FlexGrid::isSelected(int row, int col) const
{
    if (row < m_fixedRows || col < m_fixedCols || m_row < 0 || m_col < 0)
        return false;
    if (m_highLight == flexHighlightNever)
        return false;
    if (m_highLight == flexHighlightWithFocus && !m_view->hasFocus())
        return false;
    if (row < std::min(m_row, m_rowSel) || row > std::max(m_row, m_rowSel))
        return false;
    if (m_selectionMode == flexSelectionByRow)
        return true;
    if (col < std::min(m_col, m_colSel) || col > std::max(m_col, m_colSel))
        return false;
    // In a free selection the current cell shows its focus frame instead of the highlight.
    return !(row == m_row && col == m_col && m_focusRect != flexFocusNone);
}

void FlexGrid::paintCell(QPainter* painter, const QRect& rect, int row, int col, const QFont& baseFont) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        return;
    const Cell& c = m_rows[row].cells[col];
    const bool fixed = row < m_fixedRows || col < m_fixedCols;
    const bool selected = !fixed && isSelected(row, col);
    const QPalette& pal = palette();

    painter->save();
    painter->setClipRect(rect);
    painter->fillRect(rect, fixed ? pal.button() : (selected ? pal.highlight() : pal.base()));
    if (fixed) {
        painter->setPen(pal.color(QPalette::Mid));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    }

    if (!c.picture.isNull()) {
        if (c.pictureAlignment == flexPicAlignStretch) {
            painter->drawPixmap(rect, c.picture);
        } else if (c.pictureAlignment == flexPicAlignTile) {
            painter->drawTiledPixmap(rect, c.picture);
        } else {
            const QSize size = c.picture.deviceIndependentSize().toSize();
            const QRect target = QStyle::alignedRect(layoutDirection(), ToQtAlignment(c.pictureAlignment), size, rect);
            painter->drawPixmap(target, c.picture);
        }
    }

    if (!c.text.isEmpty()) {
        int alignment = c.alignment >= 0 ? c.alignment : (fixed ? flexAlignLeftCenter : m_cols[col].alignment);
        if (alignment == flexAlignGeneral)
            alignment = IsNumber(c.text) ? flexAlignRightCenter : flexAlignLeftCenter;
        QFont font = baseFont;
        font.setBold(c.bold);
        painter->setFont(font);
        painter->setPen(fixed ? pal.color(QPalette::ButtonText)
                              : (selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text)));
        painter->drawText(rect.adjusted(kCellMargin, 0, -kCellMargin, 0), ToQtAlignment(alignment) | Qt::TextSingleLine,
            c.text);
    }

    if (!fixed && row == m_row && col == m_col && m_focusRect != flexFocusNone && m_view->hasFocus()) {
        QPen pen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        pen.setStyle(m_focusRect == flexFocusHeavy ? Qt::SolidLine : Qt::DotLine);
        pen.setWidth(m_focusRect == flexFocusHeavy ? 2 : 1);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

// ---- user input -------------------------------------------------------------------------

void FlexGrid::selectAt(int row, int col, Qt::KeyboardModifiers modifiers)
{
    if (row < m_fixedRows || row >= Rows() || col < 0 || col >= Cols())
        return;
    const bool wholeRow = m_selectionMode == flexSelectionByRow || col < m_fixedCols;
    const int firstCol = std::min(m_fixedCols, Cols() - 1);
    const int clickedCol = std::max(col, firstCol);
    if (modifiers & Qt::ShiftModifier)
        moveTo(m_row, m_col, row, wholeRow ? Cols() - 1 : clickedCol);
    else if (wholeRow)
        moveTo(row, firstCol, row, Cols() - 1);
    else
        moveTo(row, clickedCol, row, clickedCol);
}

void FlexGrid::userPress(int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& gridPos)
{
    m_mouseRow = row;
    m_mouseCol = col;
    m_doubleClicked = false;
    if (button == Qt::LeftButton) {
        m_leftPressed = true;
        selectAt(row, col, modifiers);
    }
    emit MouseDown(VbButton(button), VbShiftState(modifiers), PixelsToTwips(gridPos.x()), PixelsToTwips(gridPos.y()));
}

void FlexGrid::userMove(int row, int col, Qt::MouseButtons buttons)
{
    m_mouseRow = row;
    m_mouseCol = col;
    if (!m_leftPressed || !(buttons & Qt::LeftButton) || row < m_fixedRows || row >= Rows())
        return;
    if (m_selectionMode == flexSelectionByRow)
        moveTo(m_row, m_col, row, Cols() - 1);
    else if (col >= 0)
        moveTo(m_row, m_col, row, std::max(col, m_fixedCols));
}

void FlexGrid::userRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& gridPos)
{
    const bool click = button == Qt::LeftButton && m_leftPressed && !m_doubleClicked;
    if (button == Qt::LeftButton)
        m_leftPressed = false;
    m_doubleClicked = false;
    emit MouseUp(VbButton(button), VbShiftState(modifiers), PixelsToTwips(gridPos.x()), PixelsToTwips(gridPos.y()));
    if (click)
        emit Click();
}

void FlexGrid::userDoubleClick(int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    m_mouseRow = row;
    m_mouseCol = col;
    if (button != Qt::LeftButton)
        return;
    m_leftPressed = true;
    m_doubleClicked = true;
    selectAt(row, col, modifiers);
    emit DblClick();
}

int FlexGrid::nextShownRow(int from, int step) const
{
    for (int row = from; row >= m_fixedRows && row < Rows(); row += step) {
        if (rowHeightPx(row) > 0)
            return row;
    }
    return -1;
}

int FlexGrid::rowsPerPage() const
{
    return std::max(1, m_view->viewport()->height() / std::max(1, defaultRowHeightPx()) - 1);
}

void FlexGrid::scrollToRow(int row)
{
    if (row < m_fixedRows || row >= Rows() || Cols() == 0)
        return;
    syncView();
    m_view->relayout();
    const int col = std::clamp(m_selectionMode == flexSelectionByRow ? 0 : m_col, 0, Cols() - 1);
    m_view->scrollTo(m_model->index(row - m_fixedRows, col), QAbstractItemView::EnsureVisible);
}

bool FlexGrid::userKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool byRow = m_selectionMode == flexSelectionByRow;
    const int firstRow = nextShownRow(m_fixedRows, 1);
    const int lastRow = nextShownRow(Rows() - 1, -1);
    const int from = shift ? m_rowSel : m_row;

    int targetRow = -1;
    int targetCol = shift ? m_colSel : m_col;
    switch (qtKey) {
    case Qt::Key_Up:
        targetRow = from > m_fixedRows ? nextShownRow(from - 1, -1) : -1;
        break;
    case Qt::Key_Down:
        targetRow = nextShownRow(from + 1, 1);
        break;
    case Qt::Key_PageUp: {
        const int to = std::max(m_fixedRows, from - rowsPerPage());
        targetRow = nextShownRow(to, 1);
        break;
    }
    case Qt::Key_PageDown: {
        const int to = std::min(Rows() - 1, from + rowsPerPage());
        targetRow = nextShownRow(to, -1);
        break;
    }
    case Qt::Key_Home:
        if (ctrl || byRow)
            targetRow = firstRow;
        else
            targetCol = m_fixedCols;
        break;
    case Qt::Key_End:
        if (ctrl || byRow)
            targetRow = lastRow;
        else
            targetCol = Cols() - 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (byRow) {
            QScrollBar* bar = m_view->horizontalScrollBar();
            bar->setValue(bar->value() + (qtKey == Qt::Key_Left ? -bar->singleStep() : bar->singleStep()));
            return true;
        }
        targetCol = std::clamp(targetCol + (qtKey == Qt::Key_Left ? -1 : 1), m_fixedCols, std::max(m_fixedCols, Cols() - 1));
        break;
    }
    default:
        return false;
    }

    if (Rows() <= m_fixedRows || Cols() == 0 || m_row < 0)
        return true;
    const int row = targetRow >= 0 ? targetRow : from;
    targetCol = std::clamp(targetCol, 0, Cols() - 1);
    if (shift)
        moveTo(m_row, m_col, row, byRow ? Cols() - 1 : targetCol);
    else
        moveTo(row, targetCol, row, byRow ? Cols() - 1 : targetCol);
    scrollToRow(row);
    return true;
}
