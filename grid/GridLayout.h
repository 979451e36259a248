// The fixed layout that the main form's channel grid and the Test Frequency grid share: one
// heading row, one numbered column, sizes that the user cannot drag, no selection, and read-only
// cells shown greyed.
#pragma once

#include "grid/GridCell.h"

#include <QColor>
#include <QString>

#include <functional>
#include <span>
#include <string>
#include <vector>

class CGridCtrl;

struct SGridLayout {
    int nRows = 0;                     // rows below the heading row
    std::span<const int> columnWidths; // one per column, the numbered column first
    int nHeadingHeight = 0;
    int nRowHeight = 0;
    quint32 nHeadingFormat = 0; // text-drawing flags of the headings
    quint32 nNumberFormat = 0;  // and of the row numbers
};

// Gives grid the rows and columns of layout with the heading row and the numbered column
// fixed, and their sizes, unless it has its rows already. False when the grid could not take
// that many cells.
bool SetUpGrid(CGridCtrl& grid, const SGridLayout& layout);

// A cell's text and its text-drawing flags, as one item for CGridCtrl::SetItem.
GridItem TextItem(int row, int col, const QString& text, quint32 format);

// Puts headings into the heading row, one a column, and the row numbers from 1 into the
// numbered column, in the formats of layout.
void SetHeadings(CGridCtrl& grid, const SGridLayout& layout,
                 const std::vector<std::string>& headings);

// Marks each cell of row after the numbered column read-only where isReadOnly(col) says so,
// in grey text, and editable in the grid's own text colour where it does not.
void ShowReadOnlyCells(CGridCtrl& grid, int row, const QColor& grey,
                       const std::function<bool(int col)>& isReadOnly);
