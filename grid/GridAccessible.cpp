#include "grid/GridAccessible.h"

#include "app/LangString.h"
#include "grid/GridCell.h"
#include "grid/GridCellAccessible.h"
#include "grid/GridCtrl.h"

#include <QVariant>

namespace {

const char* const kRowNameProperty = "gridRowName";

QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CGridCtrl") && object && object->isWidgetType()) {
        return new CGridAccessible(static_cast<CGridCtrl*>(object));
    }
    return nullptr;
}

// A heading drawn on two lines is read as one.
QString OneLine(QString text) {
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

void AnnounceCell(CGridCtrl& grid, int row, int col, QAccessible::Event type) {
    QAccessibleEvent event(&grid, type);
    event.setChild(row * grid.GetColumnCount() + col);
    QAccessible::updateAccessibility(&event);
}

} // namespace

CGridAccessible::CGridAccessible(CGridCtrl* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

CGridAccessible::~CGridAccessible() {
    for (const auto& [cell, id] : m_cells) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

CGridCtrl* CGridAccessible::Grid() const {
    return static_cast<CGridCtrl*>(widget());
}

int CGridAccessible::rowCount() const {
    return Grid()->GetRowCount();
}

int CGridAccessible::columnCount() const {
    return Grid()->GetColumnCount();
}

int CGridAccessible::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface* CGridAccessible::cellAt(int row, int column) const {
    if (!Grid()->IsValid(row, column)) {
        return nullptr;
    }
    const auto found = m_cells.find({row, column});
    if (found != m_cells.end()) {
        return QAccessible::accessibleInterface(found->second);
    }
    auto* cell = new CGridCellAccessible(Grid(), row, column);
    m_cells.emplace(std::make_pair(row, column), QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface* CGridAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0) {
        return nullptr;
    }
    return cellAt(index / columns, index % columns);
}

int CGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const QAccessibleTableCellInterface* cell =
        child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || cell->table() != this) {
        return -1;
    }
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* CGridAccessible::childAt(int x, int y) const {
    const QPoint point = Grid()->viewport()->mapFromGlobal(QPoint(x, y));
    const CCellID cell = Grid()->GetCellFromPt(point);
    return cell.IsValid() ? cellAt(cell.row, cell.col) : nullptr;
}

QAccessibleInterface* CGridAccessible::focusChild() const {
    const CCellID cell = Grid()->GetFocusCell();
    return Grid()->hasFocus() && cell.IsValid() ? cellAt(cell.row, cell.col) : nullptr;
}

void* CGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString CGridAccessible::columnDescription(int column) const {
    return Grid()->GetFixedRowCount() > 0 ? OneLine(Grid()->GetItemText(0, column)) : QString();
}

QString CGridAccessible::rowDescription(int row) const {
    return GridRowName(*Grid(), row);
}

int CGridAccessible::selectedCellCount() const {
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface*> CGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            if (Grid()->GetItemState(row, col) & CS_SELECTED) {
                cells.append(cellAt(row, col));
            }
        }
    }
    return cells;
}

// A row (or column) counts as selected when every one of its non-fixed cells is.
bool CGridAccessible::IsLineSelected(int line, bool row) const {
    const CGridCtrl& grid = *Grid();
    const int first = row ? grid.GetFixedColumnCount() : grid.GetFixedRowCount();
    const int count = row ? columnCount() : rowCount();
    if (first >= count || !grid.IsValid(row ? line : 0, row ? 0 : line)) {
        return false;
    }
    for (int i = first; i < count; ++i) {
        if (!(grid.GetItemState(row ? line : i, row ? i : line) & CS_SELECTED)) {
            return false;
        }
    }
    return true;
}

bool CGridAccessible::isRowSelected(int row) const {
    return IsLineSelected(row, true);
}

bool CGridAccessible::isColumnSelected(int column) const {
    return IsLineSelected(column, false);
}

QList<int> CGridAccessible::selectedRows() const {
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowSelected(row)) {
            rows.append(row);
        }
    }
    return rows;
}

QList<int> CGridAccessible::selectedColumns() const {
    QList<int> columns;
    for (int col = 0; col < columnCount(); ++col) {
        if (isColumnSelected(col)) {
            columns.append(col);
        }
    }
    return columns;
}

int CGridAccessible::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

int CGridAccessible::selectedColumnCount() const {
    return static_cast<int>(selectedColumns().size());
}

void InstallGridAccessibility() {
    QAccessible::installFactory(GridAccessibleFactory);
}

void SetGridRowName(CGridCtrl& grid, const QString& pattern) {
    grid.setProperty(kRowNameProperty, pattern);
}

QString GridRowName(const CGridCtrl& grid, int row) {
    if (grid.GetFixedColumnCount() == 0 || !grid.IsValid(row, 0)) {
        return {};
    }
    const QString number = OneLine(grid.GetItemText(row, 0));
    const QString pattern = grid.property(kRowNameProperty).toString();
    if (row < grid.GetFixedRowCount() || pattern.isEmpty() || number.isEmpty()) {
        return number;
    }
    return QString::fromStdString(FormatText(pattern.toStdString(), {number.toStdString()}));
}

QString GridCellName(const CGridCtrl& grid, int row, int col) {
    const QString heading =
        grid.GetFixedRowCount() > 0 ? OneLine(grid.GetItemText(0, col)) : QString();
    const QString rowName = GridRowName(grid, row);
    if (heading.isEmpty() || rowName.isEmpty()) {
        return heading + rowName;
    }
    return heading + QStringLiteral(", ") + rowName;
}

void AnnounceFocusCell(CGridCtrl& grid) {
    const CCellID cell = grid.GetFocusCell();
    if (grid.hasFocus() && cell.IsValid()) {
        AnnounceCell(grid, cell.row, cell.col, QAccessible::Focus);
    }
}

void AnnounceCellText(CGridCtrl& grid, int row, int col) {
    AnnounceCell(grid, row, col, QAccessible::NameChanged);
}

void AnnounceGridReset(CGridCtrl& grid) {
    QAccessibleTableModelChangeEvent event(&grid, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}
