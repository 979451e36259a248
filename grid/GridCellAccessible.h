// CGridCellAccessible: one cell of a CGridCtrl as assistive technology sees it. The cell
// reads everything from its grid at each call, so it never shows a stale text or state.
#pragma once

#include <QAccessible>
#include <QPointer>

class CGridCtrl;

class CGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CGridCellAccessible(CGridCtrl* grid, int row, int col);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    // Cells are edited through the editors the grid's holder opens, never through here.
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return m_nCol; }
    int rowIndex() const override { return m_nRow; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<CGridCtrl> m_grid;
    int m_nRow;
    int m_nCol;
};
