// CGridAccessible: what assistive technology (a screen reader) sees of a CGridCtrl: a table
// of every row and column, the heading row and the numbered column included, whose cells
// tell their text, their headers, whether they are read-only and which one has the focus.
// The functions below it are how the grid tells that technology what changed.
#pragma once

#include <QAccessibleWidget>
#include <QString>

#include <map>
#include <utility>

class CGridCtrl;

class CGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CGridAccessible(CGridCtrl* grid);
    ~CGridAccessible() override;

    // The cells are the children, row by row: index = row * column count + column.
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int rowCount() const override;
    int columnCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;

    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    // The selection belongs to the user's mouse and keys; these change nothing and say so.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The cells look their grid up at every call, so a change of the counts leaves nothing
    // stale here: a cell outside the grid reports itself invalid.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    CGridCtrl* Grid() const;
    bool IsLineSelected(int line, bool row) const;

    // The cells handed out so far, registered with Qt's cache and released with the table.
    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

// Makes Qt build a CGridAccessible for every CGridCtrl; the grid calls it when it is made.
void InstallGridAccessibility();

// How the row headers of grid are read: pattern with "%s" for the number in the row's first
// cell ("Channel %s" reads row 3 as "Channel 3"); without one, the number alone.
void SetGridRowName(CGridCtrl& grid, const QString& pattern);

// The name of a row's header, and of a cell as its column heading and row name read it
// ("Rx Freq [MHz], Channel 3"); the cell editors carry this name while they edit the cell.
QString GridRowName(const CGridCtrl& grid, int row);
QString GridCellName(const CGridCtrl& grid, int row, int col);

// Tells assistive technology that the focus cell of grid moved (only while the grid has the
// keyboard focus), that the text of a cell changed, or that the grid's rows or columns did.
void AnnounceFocusCell(CGridCtrl& grid);
void AnnounceCellText(CGridCtrl& grid, int row, int col);
void AnnounceGridReset(CGridCtrl& grid);
