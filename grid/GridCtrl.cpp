// CGridCtrl: cells, counts, sizes, fonts, geometry and scrolling.
#include "grid/GridCtrl.h"

#include "grid/GridAccessible.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <new>

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols, QWidget* parent)
    : QAbstractScrollArea(parent) {
    InstallGridAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_nWheelLines = QApplication::wheelScrollLines();
    connect(QGuiApplication::styleHints(), &QStyleHints::wheelScrollLinesChanged, this,
            [this](int lines) { m_nWheelLines = lines; });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollBarAction(true, action); });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollBarAction(false, action); });
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
    ApplyFont();
    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
}

CGridCtrl::~CGridCtrl() {
    for (int row = 0; row < GetRowCount(); ++row) {
        for (int col = 0; col < GetColumnCount(); ++col) {
            DestroyCell(row, col);
        }
    }
}

GridCell* CGridCtrl::Cell(int row, int col) {
    return IsValid(row, col) ? &m_rows[row][col] : nullptr;
}

const GridCell* CGridCtrl::Cell(int row, int col) const {
    return IsValid(row, col) ? &m_rows[row][col] : nullptr;
}

bool CGridCtrl::IsValid(int row, int col) const {
    return row >= 0 && row < GetRowCount() && col >= 0 && col < GetColumnCount();
}

// ---- counts ------------------------------------------------------------------------------

bool CGridCtrl::SetRowCount(int nRows) {
    if (nRows < 0) {
        return false;
    }
    const int oldRows = GetRowCount();
    const int cols = GetColumnCount();
    if (nRows == oldRows) {
        return true;
    }
    if (nRows < oldRows) {
        for (int row = nRows; row < oldRows; ++row) {
            for (int col = 0; col < cols; ++col) {
                DestroyCell(row, col);
            }
        }
        m_rows.resize(nRows);
        m_arRowHeights.resize(nRows);
        if (m_idCurrentCell.row >= nRows) {
            m_idCurrentCell = CCellID();
        }
        std::erase_if(m_SelectedCells, [nRows](const auto& cell) { return cell.first >= nRows; });
        m_nFixedRows = std::min(m_nFixedRows, nRows);
    } else {
        try {
            m_rows.resize(nRows, std::vector<GridCell>(cols));
            m_arRowHeights.resize(nRows, m_nDefRowHeight);
        } catch (const std::bad_alloc&) {
            m_rows.resize(oldRows);
            m_arRowHeights.resize(oldRows);
            return false;
        }
        for (int row = oldRows; row < nRows; ++row) {
            for (int col = 0; col < cols; ++col) {
                CreateCell(row, col);
            }
        }
    }
    if (m_bAllowDraw) {
        ResetScrollBars();
        viewport()->update();
    }
    AnnounceGridReset(*this);
    return true;
}

bool CGridCtrl::SetColumnCount(int nCols) {
    if (nCols < 0) {
        return false;
    }
    const int oldCols = GetColumnCount();
    const int rows = GetRowCount();
    if (nCols == oldCols) {
        return true;
    }
    if (nCols < oldCols) {
        for (int row = 0; row < rows; ++row) {
            for (int col = nCols; col < oldCols; ++col) {
                DestroyCell(row, col);
            }
        }
        for (auto& cells : m_rows) {
            cells.resize(nCols);
        }
        m_arColWidths.resize(nCols);
        if (m_idCurrentCell.col >= nCols) {
            m_idCurrentCell = CCellID();
        }
        std::erase_if(m_SelectedCells, [nCols](const auto& cell) { return cell.second >= nCols; });
        m_nFixedCols = std::min(m_nFixedCols, nCols);
    } else {
        try {
            for (auto& cells : m_rows) {
                cells.resize(nCols);
            }
            m_arColWidths.resize(nCols, m_nDefColWidth);
        } catch (const std::bad_alloc&) {
            for (auto& cells : m_rows) {
                cells.resize(oldCols);
            }
            m_arColWidths.resize(oldCols);
            return false;
        }
        for (int row = 0; row < rows; ++row) {
            for (int col = oldCols; col < nCols; ++col) {
                CreateCell(row, col);
            }
        }
    }
    if (m_bAllowDraw) {
        ResetScrollBars();
        viewport()->update();
    }
    AnnounceGridReset(*this);
    return true;
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows) {
    if (nFixedRows < 0) {
        return false;
    }
    if (nFixedRows > GetRowCount() && !SetRowCount(nFixedRows)) {
        return false;
    }
    if (m_idCurrentCell.IsValid() && m_idCurrentCell.row < nFixedRows) {
        SetFocusCell(-1, -1);
    }
    m_nFixedRows = nFixedRows;
    if (m_bAllowDraw) {
        ResetScrollBars();
        viewport()->update();
    }
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols) {
    if (nFixedCols < 0) {
        return false;
    }
    if (nFixedCols > GetColumnCount() && !SetColumnCount(nFixedCols)) {
        return false;
    }
    if (m_idCurrentCell.IsValid() && m_idCurrentCell.col < nFixedCols) {
        SetFocusCell(-1, -1);
    }
    m_nFixedCols = nFixedCols;
    if (m_bAllowDraw) {
        ResetScrollBars();
        viewport()->update();
    }
    return true;
}

void CGridCtrl::CreateCell(int row, int col) {
    GridCell& cell = m_rows[row][col];
    cell = GridCell();
    cell.font = m_font;
    if (row > 0 && col > 0) {
        cell.format = m_rows[row - 1][col].format;
    }
}

void CGridCtrl::DestroyCell(int row, int col) {
    GridCell& cell = m_rows[row][col];
    cell.state = 0;
    cell.text.clear();
}

void CGridCtrl::DeleteAllItems() {
    ClearSelection();
    m_idCurrentCell = CCellID();
    for (int row = 0; row < GetRowCount(); ++row) {
        for (int col = 0; col < GetColumnCount(); ++col) {
            DestroyCell(row, col);
        }
    }
    m_rows.clear();
    m_SelectedCells.clear();
    m_PrevSelectedCells.clear();
    m_arRowHeights.clear();
    m_arColWidths.clear();
    m_nFixedRows = 0;
    m_nFixedCols = 0;
    ResetScrollBars();
    viewport()->update();
}

// ---- sizes -------------------------------------------------------------------------------

int CGridCtrl::GetRowHeight(int row) const {
    return row >= 0 && row < GetRowCount() ? m_arRowHeights[row] : -1;
}

int CGridCtrl::GetColumnWidth(int col) const {
    return col >= 0 && col < GetColumnCount() ? m_arColWidths[col] : -1;
}

bool CGridCtrl::SetRowHeight(int row, int height) {
    if (row < 0 || row >= GetRowCount() || height < 0) {
        return false;
    }
    m_arRowHeights[row] = height;
    return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width) {
    if (col < 0 || col >= GetColumnCount() || width < 0) {
        return false;
    }
    m_arColWidths[col] = width;
    return true;
}

int CGridCtrl::GetFixedRowHeight() const {
    int height = 0;
    for (int row = 0; row < m_nFixedRows; ++row) {
        height += m_arRowHeights[row];
    }
    return height;
}

int CGridCtrl::GetFixedColumnWidth() const {
    int width = 0;
    for (int col = 0; col < m_nFixedCols; ++col) {
        width += m_arColWidths[col];
    }
    return width;
}

int CGridCtrl::GetVirtualHeight() const {
    int height = 0;
    for (int h : m_arRowHeights) {
        height += h;
    }
    return height;
}

int CGridCtrl::GetVirtualWidth() const {
    int width = 0;
    for (int w : m_arColWidths) {
        width += w;
    }
    return width;
}

// ---- content -----------------------------------------------------------------------------

bool CGridCtrl::SetItem(const GridItem& item) {
    GridCell* cell = Cell(item.row, item.col);
    if (!cell) {
        return false;
    }
    if ((item.mask & GVIF_TEXT) && cell->text != item.text) {
        cell->text = item.text;
        AnnounceCellText(*this, item.row, item.col);
    }
    if (item.mask & GVIF_IMAGE) {
        cell->image = item.image;
    }
    if (item.mask & GVIF_PARAM) {
        cell->param = item.param;
    }
    if (item.mask & GVIF_STATE) {
        cell->state = item.state;
    }
    if (item.mask & GVIF_BKCLR) {
        cell->bkColour = item.bkColour;
    }
    if (item.mask & GVIF_FGCLR) {
        cell->fgColour = item.fgColour;
    }
    if (item.mask & GVIF_FORMAT) {
        cell->format = item.format;
    }
    if (item.mask & GVIF_FONT) {
        cell->font = item.font;
    }
    return true;
}

bool CGridCtrl::GetItem(GridItem& item) const {
    const GridCell* cell = Cell(item.row, item.col);
    if (!cell) {
        return false;
    }
    if (item.mask & GVIF_TEXT) {
        item.text = GetItemText(item.row, item.col);
    }
    if (item.mask & GVIF_IMAGE) {
        item.image = cell->image;
    }
    if (item.mask & GVIF_PARAM) {
        item.param = cell->param;
    }
    if (item.mask & GVIF_STATE) {
        item.state = cell->state;
    }
    if (item.mask & GVIF_BKCLR) {
        item.bkColour = cell->bkColour;
    }
    if (item.mask & GVIF_FGCLR) {
        item.fgColour = cell->fgColour;
    }
    if (item.mask & GVIF_FORMAT) {
        item.format = cell->format;
    }
    if (item.mask & GVIF_FONT) {
        item.font = cell->font;
    }
    return true;
}

bool CGridCtrl::SetItemText(int row, int col, const QString& text) {
    GridCell* cell = Cell(row, col);
    if (!cell) {
        return false;
    }
    if (cell->text != text) {
        cell->text = text;
        AnnounceCellText(*this, row, col);
    }
    return true;
}

QString CGridCtrl::GetItemText(int row, int col) const {
    const GridCell* cell = Cell(row, col);
    return cell ? cell->text : QString();
}

bool CGridCtrl::SetItemState(int row, int col, quint32 state) {
    GridCell* cell = Cell(row, col);
    if (!cell) {
        return false;
    }
    cell->state = state;
    return true;
}

quint32 CGridCtrl::GetItemState(int row, int col) const {
    const GridCell* cell = Cell(row, col);
    return cell ? cell->state : 0;
}

int CGridCtrl::GetItemFormat(int row, int col) const {
    const GridCell* cell = Cell(row, col);
    return cell ? static_cast<int>(cell->format) : -1;
}

int CGridCtrl::GetItemImage(int row, int col) const {
    const GridCell* cell = Cell(row, col);
    return cell ? cell->image : -1;
}

bool CGridCtrl::SetItemFgColour(int row, int col, const QColor& colour) {
    GridCell* cell = Cell(row, col);
    if (!cell) {
        return false;
    }
    cell->fgColour = colour;
    return true;
}

bool CGridCtrl::SetItemFont(int row, int col, const QFont& font) {
    GridCell* cell = Cell(row, col);
    if (!cell) {
        return false;
    }
    cell->font = font;
    return true;
}

QFont CGridCtrl::GetItemFont(int row, int col) const {
    const GridCell* cell = Cell(row, col);
    return cell ? cell->font : m_font;
}

// ---- appearance --------------------------------------------------------------------------

void CGridCtrl::SetGridLines(int mode) {
    m_nGridLines = mode;
    viewport()->update();
}

void CGridCtrl::SetImageList(const std::vector<QPixmap>* images) {
    m_pImageList = images;
    viewport()->update();
}

void CGridCtrl::SetRedraw(bool allowDraw, bool resetScrollBars) {
    const bool wasOff = !m_bAllowDraw;
    m_bAllowDraw = allowDraw;
    viewport()->setUpdatesEnabled(allowDraw);
    if (allowDraw && resetScrollBars) {
        ResetScrollBars();
    }
    if (allowDraw && wasOff) {
        viewport()->update();
    }
}

void CGridCtrl::EnableResize(bool rows, bool cols) {
    m_bAllowRowResize = rows;
    m_bAllowColumnResize = cols;
}

void CGridCtrl::SetOwner(QWidget* owner) {
    m_owner = owner;
    m_bHasOwner = owner != nullptr;
}

void CGridCtrl::SetEditActive(bool active) {
    m_bEditActive = active;
    viewport()->update(m_rectEdit);
}

// The grid font: every cell takes it, and the margin and the default sizes follow from it.
// Existing row heights and column widths stay.
void CGridCtrl::ApplyFont() {
    m_font = font();
    for (auto& cells : m_rows) {
        for (auto& cell : cells) {
            cell.font = m_font;
        }
    }
    const QFontMetrics metrics(m_font);
    m_nMargin = metrics.horizontalAdvance(QLatin1Char(' '));
    m_nDefRowHeight = metrics.height() + std::max(0, metrics.leading()) + 2 * m_nMargin;
    m_nDefColWidth = 2 * (m_nMargin + 6 * metrics.averageCharWidth());
    viewport()->update();
}

const SGridColours& CGridCtrl::GetColours() const {
    QPalette pal = palette();
    // Paper is white: a dark palette's light texts would not show on it.
    if (m_bPrinting && IsDarkPalette(pal)) {
        pal = style()->standardPalette();
    }
    if (pal.cacheKey() != m_nColoursKey) {
        m_colours = GridColours(pal);
        m_nColoursKey = pal.cacheKey();
    }
    return m_colours;
}

void CGridCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        ApplyFont();
    } else if (event->type() == QEvent::PaletteChange) {
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(event);
}

// ---- geometry ----------------------------------------------------------------------------

CCellID CGridCtrl::GetTopleftNonFixedCell() const {
    CCellID cell{m_nFixedRows, m_nFixedCols};
    const int vertPos = verticalScrollBar()->value();
    const int horzPos = horizontalScrollBar()->value();
    for (int bottom = 0; bottom < vertPos && cell.row < GetRowCount() - 1;) {
        bottom += m_arRowHeights[cell.row++];
    }
    for (int right = 0; right < horzPos && cell.col < GetColumnCount() - 1;) {
        right += m_arColWidths[cell.col++];
    }
    return cell;
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange() const {
    const CCellID topLeft = GetTopleftNonFixedCell();
    const QRect client = viewport()->rect();
    int bottom = GetFixedRowHeight();
    int row = topLeft.row;
    for (; row < GetRowCount(); ++row) {
        bottom += m_arRowHeights[row];
        if (bottom >= client.height()) {
            break;
        }
    }
    int right = GetFixedColumnWidth();
    int col = topLeft.col;
    for (; col < GetColumnCount(); ++col) {
        right += m_arColWidths[col];
        if (right >= client.width()) {
            break;
        }
    }
    return {topLeft.row, topLeft.col, std::min(row, GetRowCount() - 1),
            std::min(col, GetColumnCount() - 1)};
}

// Top-left corner of a cell in client coordinates; visible is false for a non-fixed cell
// scrolled out to the top or the left.
QPoint CGridCtrl::GetCellOrigin(int row, int col, bool& visible) const {
    visible = false;
    if (!IsValid(row, col)) {
        return {};
    }
    const CCellID topLeft = GetTopleftNonFixedCell();
    int x = 0;
    if (col < m_nFixedCols) {
        for (int i = 0; i < col; ++i) {
            x += m_arColWidths[i];
        }
    } else {
        if (col < topLeft.col) {
            return {};
        }
        x = GetFixedColumnWidth();
        for (int i = topLeft.col; i < col; ++i) {
            x += m_arColWidths[i];
        }
    }
    int y = 0;
    if (row < m_nFixedRows) {
        for (int i = 0; i < row; ++i) {
            y += m_arRowHeights[i];
        }
    } else {
        if (row < topLeft.row) {
            return {};
        }
        y = GetFixedRowHeight();
        for (int i = topLeft.row; i < row; ++i) {
            y += m_arRowHeights[i];
        }
    }
    visible = true;
    return {x, y};
}

bool CGridCtrl::GetCellRect(int row, int col, QRect& rect) const {
    bool visible = false;
    const QPoint origin = GetCellOrigin(row, col, visible);
    if (!visible) {
        return false;
    }
    rect = QRect(origin, QSize(m_arColWidths[col], m_arRowHeights[row]));
    return true;
}

// The cell under a client point, fixed cells included; invalid outside every cell.
CCellID CGridCtrl::GetCellFromPt(const QPoint& point) const {
    const CCellID topLeft = GetTopleftNonFixedCell();
    CCellID cell;
    const int fixedWidth = GetFixedColumnWidth();
    if (point.x() >= 0) {
        int x = 0;
        int col = 0;
        if (point.x() >= fixedWidth) {
            x = fixedWidth;
            col = topLeft.col;
        }
        for (; col < GetColumnCount(); ++col) {
            x += m_arColWidths[col];
            if (x > point.x()) {
                break;
            }
        }
        if (col < GetColumnCount()) {
            cell.col = col;
        }
    }
    const int fixedHeight = GetFixedRowHeight();
    if (point.y() >= 0) {
        int y = 0;
        int row = 0;
        if (point.y() >= fixedHeight) {
            y = fixedHeight;
            row = topLeft.row;
        }
        for (; row < GetRowCount(); ++row) {
            y += m_arRowHeights[row];
            if (y > point.y()) {
                break;
            }
        }
        if (row < GetRowCount()) {
            cell.row = row;
        }
    }
    return cell.IsValid() ? cell : CCellID();
}

bool CGridCtrl::IsCellVisible(int row, int col) const {
    if (!IsValid(row, col)) {
        return false;
    }
    const CCellID topLeft = GetTopleftNonFixedCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col)) {
        return false;
    }
    bool visible = false;
    const QPoint origin = GetCellOrigin(row, col, visible);
    const QRect client = viewport()->rect();
    return visible && origin.x() < client.width() && origin.y() < client.height();
}

void CGridCtrl::EnsureCellVisible(int row, int col) {
    if (!IsValid(row, col)) {
        return;
    }
    // Fixed rows and columns never scroll out of view.
    const CCellRange visible = GetVisibleNonFixedCellRange();
    if (col >= m_nFixedCols) {
        for (int i = visible.maxCol; i < col; ++i) {
            OnHScroll(SB_LINEDOWN);
        }
        for (int i = col; i < visible.minCol; ++i) {
            OnHScroll(SB_LINEUP);
        }
    }
    if (row >= m_nFixedRows) {
        for (int i = visible.maxRow; i < row; ++i) {
            OnVScroll(SB_LINEDOWN);
        }
        for (int i = row; i < visible.minRow; ++i) {
            OnVScroll(SB_LINEUP);
        }
    }

    QRect rect;
    if (GetCellRect(row, col, rect)) {
        const QRect client = viewport()->rect();
        if (rect.right() > client.right()) {
            OnHScroll(SB_LINEDOWN);
        }
        if (rect.bottom() > client.bottom()) {
            OnVScroll(SB_LINEDOWN);
        }
    }
}

void CGridCtrl::RedrawCell(int row, int col) {
    QRect rect;
    if (m_bAllowDraw && IsCellVisible(row, col) && GetCellRect(row, col, rect)) {
        viewport()->update(rect.adjusted(0, 0, 1, 1));
    }
}

void CGridCtrl::RedrawRow(int row) {
    for (int col = 0; col < GetColumnCount(); ++col) {
        RedrawCell(row, col);
    }
}

void CGridCtrl::RedrawFixedRowCells(int col) {
    for (int row = 0; row < m_nFixedRows; ++row) {
        RedrawCell(row, col);
    }
}

void CGridCtrl::RedrawFixedColumnCells(int row) {
    for (int col = 0; col < m_nFixedCols; ++col) {
        RedrawCell(row, col);
    }
}

// ---- scroll bars -------------------------------------------------------------------------

// Ranges in pixels over the non-fixed cells, one page being the visible part of them. Qt's
// maximum is the largest position, that is the total less one page.
void CGridCtrl::ResetScrollBars() {
    if (!m_bAllowDraw || m_nResetDepth > 1) {
        return;
    }
    const QRect client = viewport()->rect();
    const int visibleWidth = client.width() - GetFixedColumnWidth();
    const int visibleHeight = client.height() - GetFixedRowHeight();
    if (visibleWidth <= 0 || visibleHeight <= 0) {
        return;
    }
    ++m_nResetDepth;
    const int totalHeight = GetVirtualHeight() - GetFixedRowHeight();
    const int totalWidth = GetVirtualWidth() - GetFixedColumnWidth();
    verticalScrollBar()->setPageStep(visibleHeight);
    verticalScrollBar()->setRange(0, std::max(0, totalHeight - visibleHeight));
    horizontalScrollBar()->setPageStep(visibleWidth);
    horizontalScrollBar()->setRange(0, std::max(0, totalWidth - visibleWidth));
    --m_nResetDepth;
}

bool CGridCtrl::viewportEvent(QEvent* event) {
    const bool result = QAbstractScrollArea::viewportEvent(event);
    // Showing or hiding a scroll bar changes the client area, and with it the page.
    if (event->type() == QEvent::Resize) {
        ResetScrollBars();
    }
    return result;
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
    // A size change takes the keyboard focus, which ends an editor the owner has open.
    if (isVisible()) {
        setFocus(Qt::OtherFocusReason);
    }
    QAbstractScrollArea::resizeEvent(event);
    ResetScrollBars();
}

void CGridCtrl::scrollContentsBy(int, int) {
    viewport()->update();
}

// The scroll bars belong to the grid: a wheel turned over them scrolls the grid by its lines
// or pages, not the bar by pixels.
bool CGridCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel &&
        (watched == verticalScrollBar() || watched == horizontalScrollBar())) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

// A user action on a scroll bar becomes the grid's own scroll request, which moves by whole
// rows and columns.
void CGridCtrl::OnScrollBarAction(bool vertical, int action) {
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    int request = SB_ENDSCROLL;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        request = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        request = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        request = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        request = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        request = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        request = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        request = SB_THUMBTRACK;
        break;
    default:
        return;
    }
    const int thumbPos = bar->sliderPosition();
    bar->setSliderPosition(bar->value());
    if (vertical) {
        OnVScroll(request, thumbPos);
    } else {
        OnHScroll(request, thumbPos);
    }
}

void CGridCtrl::OnVScroll(int request, int thumbPos) {
    ScrollAlong(*verticalScrollBar(), request, thumbPos, viewport()->height() - GetFixedRowHeight(),
                m_arRowHeights, GetTopleftNonFixedCell().row, m_nFixedRows);
}

void CGridCtrl::OnHScroll(int request, int thumbPos) {
    ScrollAlong(*horizontalScrollBar(), request, thumbPos,
                viewport()->width() - GetFixedColumnWidth(), m_arColWidths,
                GetTopleftNonFixedCell().col, m_nFixedCols);
}

void CGridCtrl::ScrollAlong(QScrollBar& bar, int request, int thumbPos, int page,
                            const std::vector<int>& sizes, int topLeft, int fixedCount) {
    if (!hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    const int pos = bar.value();
    const int max = bar.maximum();
    const int count = static_cast<int>(sizes.size());
    switch (request) {
    case SB_LINEDOWN:
        if (pos < max && topLeft < count) {
            bar.setValue(pos + sizes[topLeft]);
        }
        break;
    case SB_LINEUP:
        if (pos > 0 && topLeft > fixedCount) {
            bar.setValue(std::max(0, pos - sizes[topLeft - 1]));
        }
        break;
    case SB_PAGEDOWN:
        if (pos < max) {
            bar.setValue(std::min(max, pos + page));
        }
        break;
    case SB_PAGEUP:
        if (pos > 0) {
            bar.setValue(std::max(0, pos - page));
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        bar.setValue(thumbPos);
        break;
    case SB_TOP:
        if (pos > 0) {
            bar.setValue(0);
        }
        break;
    case SB_BOTTOM:
        if (pos < max) {
            bar.setValue(max);
        }
        break;
    default:
        break;
    }
}
