// CGridCtrl: focus cell, notifications, keyboard, mouse, wheel and selection.
#include "grid/GridAccessible.h"
#include "grid/GridCtrl.h"
#include "grid/GridNotify.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int WHEEL_DELTA = 120;

bool IsNearEdge(int distance, int range) {
    return distance >= 0 && distance <= range;
}

} // namespace

// ---- notifications -----------------------------------------------------------------------

QWidget* CGridCtrl::NotifyTarget() const {
    return m_bHasOwner ? m_owner.data() : parentWidget();
}

// Sends a notification about a cell and returns the receiver's answer. The cell's client
// rectangle becomes the edit rectangle.
long CGridCtrl::SendMessageToParent(int row, int col, int code) {
    QWidget* target = NotifyTarget();
    if (!target) {
        return 0;
    }
    GridNotify notify;
    notify.hwndFrom = this;
    notify.idFrom = property("ctrlId").toInt();
    notify.code = code;
    notify.item.row = row;
    notify.item.col = col;
    notify.item.mask = GVIF_ALL;
    GetItem(notify.item);
    QRect rect;
    if (GetCellRect(row, col, rect)) {
        m_rectEdit = rect;
        notify.rect = QRect(viewport()->mapToGlobal(rect.topLeft()), rect.size());
    } else {
        m_rectEdit = QRect();
        notify.rect = QRect(viewport()->mapToGlobal(QPoint(0, 0)), QSize(0, 0));
    }
    GridNotifyEvent event(notify);
    QCoreApplication::sendEvent(target, &event);
    return event.Result();
}

// ---- focus cell and edit requests --------------------------------------------------------

void CGridCtrl::SetFocusCell(int row, int col) {
    const CCellID cell = IsValid(row, col) ? CCellID{row, col} : CCellID();
    if (cell == m_idCurrentCell) {
        return;
    }
    const CCellID old = m_idCurrentCell;
    if (IsValid(old.row, old.col)) {
        SendMessageToParent(old.row, old.col, GVN_FOCUSLOST);
        m_rows[old.row][old.col].state &= ~CS_FOCUSED;
        RedrawCell(old.row, old.col);
        if (old.col != cell.col) {
            RedrawFixedRowCells(old.col);
        }
        if (old.row != cell.row) {
            RedrawFixedColumnCells(old.row);
        }
    }
    m_idCurrentCell = cell;
    if (cell.IsValid()) {
        m_rows[cell.row][cell.col].state |= CS_FOCUSED;
        RedrawCell(cell.row, cell.col);
        if (old.col != cell.col) {
            RedrawFixedRowCells(cell.col);
        }
        if (old.row != cell.row) {
            RedrawFixedColumnCells(cell.row);
        }
        SendMessageToParent(cell.row, cell.col, GVN_FOCUSGAINED);
        AnnounceFocusCell(*this);
    }
    emit selectionChanged();
}

long CGridCtrl::RequestEdit(int row, int col, int) {
    EnsureCellVisible(row, col);
    QRect rect;
    if (!IsValid(row, col) || !m_bEditable || (m_rows[row][col].state & CS_READONLY) ||
        !IsCellVisible(row, col) || !GetCellRect(row, col, rect)) {
        return 0;
    }
    return SendMessageToParent(row, col, GVN_BEGINLABELEDIT);
}

// Hooks for grids that act on a press on a header cell.
void CGridCtrl::OnHeaderColumnClick(int, int) {}
void CGridCtrl::OnHeaderRowClick(int, int) {}

// ---- keyboard ----------------------------------------------------------------------------

bool CGridCtrl::event(QEvent* event) {
    // The grid moves its focus cell with Tab and Shift+Tab; only when the focus cell cannot
    // move does Tab move the keyboard focus on to the next control. Ctrl+Tab and
    // Ctrl+Shift+Tab always leave the grid, to the next and the previous control.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier) &&
            !(key->modifiers() & Qt::AltModifier)) {
            focusNextPrevChild(key->key() == Qt::Key_Tab &&
                               !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            if (key->isAccepted()) {
                return true;
            }
            key->accept(); // handled by the focus change below, not by the parent again
        }
    }
    return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        RequestEdit(m_idCurrentCell.row, m_idCurrentCell.col);
        event->accept();
        return;
    }
    if (!IsValid(m_idCurrentCell.row, m_idCurrentCell.col)) {
        event->ignore();
        return;
    }
    if (OpenEditorByKey(event)) {
        return;
    }
    MoveFocusByKey(event);
}

void CGridCtrl::MoveFocusByKey(QKeyEvent* event) {
    enum class Step { None, WrapDown, Right, WrapUp, Left, Up, Down };
    const int nRows = GetRowCount();
    const int nCols = GetColumnCount();
    const CCellID current = m_idCurrentCell;
    CCellID next = current;
    Step step = Step::None;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    int key = event->key();
    if (key == Qt::Key_Tab && shift) {
        key = Qt::Key_Backtab;
    }
    switch (key) {
    case Qt::Key_Tab:
        if (current.col < nCols - 1) {
            ++next.col;
            step = Step::Right;
        } else if (current.row < nRows - 1) {
            next = {current.row + 1, m_nFixedCols};
            step = Step::WrapDown;
        } else {
            event->ignore();
            return;
        }
        break;
    case Qt::Key_Backtab:
        if (current.col > m_nFixedCols) {
            --next.col;
            step = Step::Left;
        } else if (current.row > m_nFixedRows) {
            next = {current.row - 1, nCols - 1};
            step = Step::WrapUp;
        } else {
            event->ignore();
            return;
        }
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const bool up = key == Qt::Key_PageUp;
        const int oldTop = GetTopleftNonFixedCell().row;
        OnVScroll(up ? SB_PAGEUP : SB_PAGEDOWN);
        const int newTop = GetTopleftNonFixedCell().row;
        if (newTop == oldTop) {
            next.row = up ? m_nFixedRows : nRows - 1;
        } else {
            next.row = std::clamp(current.row + newTop - oldTop, m_nFixedRows, nRows - 1);
        }
        break;
    }
    case Qt::Key_Home:
        OnVScroll(SB_TOP);
        next.row = m_nFixedRows;
        break;
    case Qt::Key_End:
        OnVScroll(SB_BOTTOM);
        next.row = nRows - 1;
        break;
    case Qt::Key_Left:
        if (current.col > m_nFixedCols) {
            --next.col;
        }
        step = Step::Left;
        break;
    case Qt::Key_Up:
        if (current.row > m_nFixedRows) {
            --next.row;
        }
        step = Step::Up;
        break;
    case Qt::Key_Right:
        if (current.col < nCols - 1) {
            ++next.col;
        }
        step = Step::Right;
        break;
    case Qt::Key_Down:
        if (current.row < nRows - 1) {
            ++next.row;
        }
        step = Step::Down;
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
    if (next == current) {
        return;
    }

    if (m_nMouseMode == MOUSE_NOTHING) {
        m_PrevSelectedCells.clear();
        m_nMouseMode = MOUSE_SELECT_CELLS;
        if (!shift || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            m_SelectionStartCell = next;
        }
        ApplySelection(next);
        m_nMouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next.row, next.col);
    if (IsCellVisible(next.row, next.col)) {
        return;
    }

    // Scroll the cell into view and one step further, so that the next one shows too.
    EnsureCellVisible(next.row, next.col);
    switch (step) {
    case Step::WrapDown:
        OnVScroll(SB_LINEDOWN);
        horizontalScrollBar()->setValue(0);
        break;
    case Step::WrapUp:
        OnVScroll(SB_LINEUP);
        horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
        break;
    case Step::Right:
        OnHScroll(SB_LINEDOWN);
        break;
    case Step::Left:
        OnHScroll(SB_LINEUP);
        break;
    case Step::Up:
        OnVScroll(SB_LINEUP);
        break;
    case Step::Down:
        OnVScroll(SB_LINEDOWN);
        break;
    case Step::None:
        break;
    }
    viewport()->update();
}

// ---- mouse -------------------------------------------------------------------------------

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QPoint point = event->position().toPoint();
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPt(point);
    event->accept();
    if (!m_LeftClickDownCell.IsValid()) {
        return;
    }
    const CCellID pressed = m_LeftClickDownCell;
    m_SelectionStartCell =
        (event->modifiers() & Qt::ShiftModifier) ? m_idCurrentCell : m_LeftClickDownCell;
    setFocus(Qt::MouseFocusReason);
    if (pressed == m_idCurrentCell) {
        return;
    }

    // A press on a header cell focuses the first non-fixed cell of its row or column.
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(pressed.row, m_nFixedRows), std::max(pressed.col, m_nFixedCols));

    bool visible = false;
    const QPoint origin = GetCellOrigin(pressed.row, pressed.col, visible);
    if (m_nMouseMode == MOUSE_OVER_COL_DIVIDE) {
        m_nMouseMode = MOUSE_SIZING_COL;
        m_SizingCell = pressed;
        m_nSizingEdge = origin.x();
        if (IsNearEdge(point.x() - origin.x(), m_nResizeCaptureRange) && pressed.col > 0) {
            m_SizingCell.col = pressed.col - 1;
            m_nSizingEdge = std::max(0, origin.x() - m_arColWidths[pressed.col - 1]);
        }
        ShowDragLine(ConfineToDragArea(point));
    } else if (m_nMouseMode == MOUSE_OVER_ROW_DIVIDE) {
        m_nMouseMode = MOUSE_SIZING_ROW;
        m_SizingCell = pressed;
        m_nSizingEdge = origin.y();
        if (IsNearEdge(point.y() - origin.y(), m_nResizeCaptureRange) && pressed.row > 0) {
            m_SizingCell.row = pressed.row - 1;
            m_nSizingEdge = std::max(0, origin.y() - m_arRowHeights[pressed.row - 1]);
        }
        ShowDragLine(ConfineToDragArea(point));
    } else {
        m_PrevSelectedCells.clear();
        if (event->modifiers() & Qt::ControlModifier) {
            m_PrevSelectedCells = m_SelectedCells;
        }
        if (pressed.row < m_nFixedRows) {
            OnHeaderRowClick(pressed.row, pressed.col);
            m_nMouseMode = pressed.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        } else if (pressed.col < m_nFixedCols) {
            OnHeaderColumnClick(pressed.row, pressed.col);
            m_nMouseMode = pressed.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
        } else {
            m_nMouseMode = MOUSE_SELECT_CELLS;
        }
        ApplySelection(pressed);
    }
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    QPoint point = event->position().toPoint();
    const bool sizing = m_nMouseMode == MOUSE_SIZING_ROW || m_nMouseMode == MOUSE_SIZING_COL;
    if (!viewport()->rect().contains(point)) {
        if (!sizing) {
            return;
        }
        point = ConfineToDragArea(point);
    }

    if (!(event->buttons() & Qt::LeftButton)) {
        // Over a divider of the header cells the pointer shows that it can size.
        const CCellID cell = GetCellFromPt(point);
        QRect rect;
        const bool inCell = GetCellRect(cell.row, cell.col, rect);
        int mode = MOUSE_NOTHING;
        if (inCell && m_bAllowColumnResize && point.y() < GetFixedRowHeight()) {
            if ((IsNearEdge(point.x() - rect.left(), m_nResizeCaptureRange) && cell.col != 0) ||
                IsNearEdge(rect.right() - point.x(), m_nResizeCaptureRange)) {
                mode = MOUSE_OVER_COL_DIVIDE;
            }
        } else if (inCell && m_bAllowRowResize && point.x() < GetFixedColumnWidth()) {
            if ((IsNearEdge(point.y() - rect.top(), m_nResizeCaptureRange) && cell.row != 0) ||
                IsNearEdge(rect.bottom() - point.y(), m_nResizeCaptureRange)) {
                mode = MOUSE_OVER_ROW_DIVIDE;
            }
        }
        if (mode != m_nMouseMode) {
            m_nMouseMode = mode;
            if (mode == MOUSE_OVER_COL_DIVIDE) {
                viewport()->setCursor(Qt::SizeHorCursor);
            } else if (mode == MOUSE_OVER_ROW_DIVIDE) {
                viewport()->setCursor(Qt::SizeVerCursor);
            } else {
                viewport()->unsetCursor();
            }
        }
        m_LastMousePoint = point;
        return;
    }

    if (m_LeftClickDownCell.IsValid()) {
        switch (m_nMouseMode) {
        case MOUSE_SIZING_ROW:
        case MOUSE_SIZING_COL:
            ShowDragLine(ConfineToDragArea(point));
            break;
        case MOUSE_SELECT_COL:
        case MOUSE_SELECT_ROW:
        case MOUSE_SELECT_CELLS: {
            const CCellID cell = GetCellFromPt(point);
            if (cell.IsValid()) {
                ApplySelection(cell);
                if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols) {
                    SetFocusCell(cell.row, cell.col);
                }
            }
            break;
        }
        default:
            break;
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::RightButton) {
        if (GetSelectedCellRange().IsValid()) {
            ShowSelectionMenu(event->globalPosition().toPoint());
        }
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    switch (m_nMouseMode) {
    case MOUSE_NOTHING:
    case MOUSE_SELECT_CELLS:
        RequestEdit(m_idCurrentCell.row, m_idCurrentCell.col);
        break;
    case MOUSE_SIZING_ROW:
    case MOUSE_SIZING_COL: {
        ShowDragLine(QPoint(-1, -1));
        if (point == m_LeftClickDownPoint) {
            break;
        }
        const QPoint confined = ConfineToDragArea(point);
        if (m_nMouseMode == MOUSE_SIZING_ROW) {
            SetRowHeight(m_SizingCell.row, confined.y() - m_nSizingEdge);
        } else {
            SetColumnWidth(m_SizingCell.col, confined.x() - m_nSizingEdge);
        }
        ResetScrollBars();
        viewport()->update();
        break;
    }
    default:
        break;
    }
    m_nMouseMode = MOUSE_NOTHING;
    viewport()->unsetCursor();
    if (m_LeftClickDownCell.IsValid()) {
        if (QWidget* target = NotifyTarget()) {
            QCoreApplication::postEvent(target, new GridCommandEvent(this));
        }
    }
}

// While sizing, the pointer counts only inside the client area and beyond the top or left
// edge of the row or column being sized, so that the new size is never negative.
QPoint CGridCtrl::ConfineToDragArea(const QPoint& point) const {
    const QRect client = viewport()->rect();
    QPoint confined(std::clamp(point.x(), 0, std::max(0, client.right())),
                    std::clamp(point.y(), 0, std::max(0, client.bottom())));
    if (m_nMouseMode == MOUSE_SIZING_COL) {
        confined.setX(std::max(confined.x(), m_nSizingEdge));
    } else if (m_nMouseMode == MOUSE_SIZING_ROW) {
        confined.setY(std::max(confined.y(), m_nSizingEdge));
    }
    return confined;
}

// Moves the inverted sizing line to the point; a point at (-1, -1) removes it.
void CGridCtrl::ShowDragLine(const QPoint& point) {
    viewport()->update(m_rectDragLine);
    const QRect client = viewport()->rect();
    if (point.x() < 0) {
        m_rectDragLine = QRect();
    } else if (m_nMouseMode == MOUSE_SIZING_COL) {
        m_rectDragLine = QRect(point.x(), 0, 2, client.height());
    } else {
        m_rectDragLine = QRect(0, point.y(), client.width(), 2);
    }
    viewport()->update(m_rectDragLine);
}

void CGridCtrl::ShowSelectionMenu(const QPoint& globalPos) {
    auto* mainWindow = qobject_cast<QMainWindow*>(window());
    auto* menuBar = mainWindow ? qobject_cast<QMenuBar*>(mainWindow->menuWidget()) : nullptr;
    if (!menuBar || menuBar->actions().size() < 2 || !menuBar->actions().at(1)->menu()) {
        return;
    }
    menuBar->actions().at(1)->menu()->popup(globalPos);
}

void CGridCtrl::wheelEvent(QWheelEvent* event) {
    // Whole notches are 120; finer wheels and touch pads add up until they make a step.
    m_nWheelDelta += event->angleDelta().y();
    int count = 0;
    int request = SB_LINEUP;
    if (m_nWheelLines == -1) {
        count = m_nWheelDelta / WHEEL_DELTA;
        m_nWheelDelta -= count * WHEEL_DELTA;
        request = count > 0 ? SB_PAGEUP : SB_PAGEDOWN;
    } else if (m_nWheelLines > 0) {
        count = m_nWheelDelta * m_nWheelLines / WHEEL_DELTA;
        m_nWheelDelta -= count * WHEEL_DELTA / m_nWheelLines;
        request = count > 0 ? SB_LINEUP : SB_LINEDOWN;
    }
    for (int i = 0; i < std::abs(count); ++i) {
        QMetaObject::invokeMethod(
            this, [this, request] { OnVScroll(request); }, Qt::QueuedConnection);
    }
    event->accept();
}

// ---- selection ---------------------------------------------------------------------------

void CGridCtrl::EnableSelection(bool enable) {
    m_bEnableSelection = enable;
}

void CGridCtrl::SetSelectedCell(int row, int col, bool selected) {
    if (!IsValid(row, col)) {
        return;
    }
    quint32& state = m_rows[row][col].state;
    if (selected) {
        state |= CS_SELECTED;
        m_SelectedCells.insert({row, col});
    } else {
        state &= ~CS_SELECTED;
        m_SelectedCells.erase({row, col});
    }
    RedrawCell(row, col);
}

// The block the current mouse mode selects from the anchor to the current cell.
CCellRange CGridCtrl::SelectionRange(int mode, const CCellID& current) const {
    const CCellID anchor = m_SelectionStartCell;
    const int lastRow = GetRowCount() - 1;
    const int lastCol = GetColumnCount() - 1;
    switch (mode) {
    case MOUSE_SELECT_ALL:
        return {m_nFixedRows, m_nFixedCols, lastRow, lastCol};
    case MOUSE_SELECT_COL:
        return {m_nFixedRows, std::min(anchor.col, current.col), lastRow,
                std::max(anchor.col, current.col)};
    case MOUSE_SELECT_ROW:
        return {std::min(anchor.row, current.row), m_nFixedCols, std::max(anchor.row, current.row),
                lastCol};
    case MOUSE_SELECT_CELLS:
        return {std::min(anchor.row, current.row), std::min(anchor.col, current.col),
                std::max(anchor.row, current.row), std::max(anchor.col, current.col)};
    default:
        return {};
    }
}

void CGridCtrl::ApplySelection(const CCellID& current) {
    if (m_bEnableSelection && m_SelectionStartCell.IsValid() && current.IsValid()) {
        SelectCells(SelectionRange(m_nMouseMode, current));
    }
}

void CGridCtrl::SelectCells(const CCellRange& range) {
    const auto selected = m_SelectedCells;
    struct Told {
        CGridCtrl& grid;
        const std::set<std::pair<int, int>>& before;
        ~Told() {
            if (grid.m_SelectedCells != before) {
                emit grid.selectionChanged();
            }
        }
    } told{*this, selected};
    for (const auto& [row, col] : selected) {
        if (!range.InRange(row, col)) {
            SetSelectedCell(row, col, false);
        }
    }
    for (const auto& [row, col] : m_PrevSelectedCells) {
        SetSelectedCell(row, col, true);
    }
    if (!range.IsValid()) {
        return;
    }
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        for (int col = range.minCol; col <= range.maxCol; ++col) {
            if (!m_SelectedCells.contains({row, col})) {
                SetSelectedCell(row, col, true);
            }
        }
    }
}

void CGridCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol) {
    if (m_bEnableSelection) {
        SelectCells({minRow, minCol, maxRow, maxCol});
    }
}

CCellRange CGridCtrl::GetSelectedCellRange() const {
    if (m_SelectedCells.empty()) {
        return {};
    }
    CCellRange range{GetRowCount(), GetColumnCount(), -1, -1};
    for (const auto& [row, col] : m_SelectedCells) {
        range.minRow = std::min(range.minRow, row);
        range.minCol = std::min(range.minCol, col);
        range.maxRow = std::max(range.maxRow, row);
        range.maxCol = std::max(range.maxCol, col);
    }
    return range;
}

void CGridCtrl::ClearSelection() {
    if (m_bEnableSelection) {
        const auto selected = m_SelectedCells;
        for (const auto& [row, col] : selected) {
            SetSelectedCell(row, col, false);
        }
        if (!selected.empty()) {
            emit selectionChanged();
        }
    }
    SetFocusCell(-1, -1);
}
