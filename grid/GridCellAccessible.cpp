#include "grid/GridCellAccessible.h"

#include "grid/GridAccessible.h"
#include "grid/GridCell.h"
#include "grid/GridCtrl.h"

#include <QWidget>
#include <QWindow>

CGridCellAccessible::CGridCellAccessible(CGridCtrl* grid, int row, int col)
    : m_grid(grid), m_nRow(row), m_nCol(col) {}

bool CGridCellAccessible::isValid() const {
    return m_grid && m_grid->IsValid(m_nRow, m_nCol);
}

QWindow* CGridCellAccessible::window() const {
    return m_grid ? m_grid->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CGridCellAccessible::parent() const {
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

// A row header reads as its row's name ("Channel 3"); every other cell as its text.
QString CGridCellAccessible::text(QAccessible::Text type) const {
    if (!isValid() || type != QAccessible::Name) {
        return {};
    }
    if (m_nCol < m_grid->GetFixedColumnCount()) {
        return GridRowName(*m_grid, m_nRow);
    }
    return m_grid->GetItemText(m_nRow, m_nCol);
}

QRect CGridCellAccessible::rect() const {
    QRect rect;
    if (!isValid() || !m_grid->GetCellRect(m_nRow, m_nCol, rect)) {
        return {};
    }
    return {m_grid->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
}

QAccessible::Role CGridCellAccessible::role() const {
    if (m_grid && m_nRow < m_grid->GetFixedRowCount()) {
        return QAccessible::ColumnHeader;
    }
    if (m_grid && m_nCol < m_grid->GetFixedColumnCount()) {
        return QAccessible::RowHeader;
    }
    return QAccessible::Cell;
}

QAccessible::State CGridCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const quint32 cell = m_grid->GetItemState(m_nRow, m_nCol);
    const bool fixed =
        m_nRow < m_grid->GetFixedRowCount() || m_nCol < m_grid->GetFixedColumnCount();
    state.readOnly = fixed || (cell & CS_READONLY);
    state.focusable = !fixed;
    state.focused = m_grid->hasFocus() && (cell & CS_FOCUSED);
    state.selected = cell & CS_SELECTED;
    state.offscreen = !m_grid->IsCellVisible(m_nRow, m_nCol);
    state.invisible = !m_grid->isVisible();
    return state;
}

void* CGridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
}

bool CGridCellAccessible::isSelected() const {
    return isValid() && (m_grid->GetItemState(m_nRow, m_nCol) & CS_SELECTED);
}

QList<QAccessibleInterface*> CGridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    QAccessibleInterface* grid = parent();
    if (!isValid() || !grid || m_nRow < m_grid->GetFixedRowCount()) {
        return headers;
    }
    for (int row = 0; row < m_grid->GetFixedRowCount(); ++row) {
        headers.append(grid->tableInterface()->cellAt(row, m_nCol));
    }
    return headers;
}

QList<QAccessibleInterface*> CGridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    QAccessibleInterface* grid = parent();
    if (!isValid() || !grid || m_nCol < m_grid->GetFixedColumnCount()) {
        return headers;
    }
    for (int col = 0; col < m_grid->GetFixedColumnCount(); ++col) {
        headers.append(grid->tableInterface()->cellAt(m_nRow, col));
    }
    return headers;
}
