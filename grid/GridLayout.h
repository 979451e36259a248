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

// A cell's text and its text-drawing flags, as one item for CGridCtrl::SetItem.
GridItem TextItem(int row, int col, const QString& text, quint32 format);

// Gives grid the rows, columns and sizes of layout (unless it has its rows already), with the
// heading row and the numbered column fixed; then, with drawing held back, headings (one a
// column), the row numbers from 1, and each row through showRow. False, with nothing shown,
// when the grid could not take that many cells.
bool FillFixedGrid(CGridCtrl& grid, const SGridLayout& layout,
                   const std::vector<std::string>& headings,
                   const std::function<void(int row)>& showRow);

// Marks each cell of row after the numbered column read-only where isReadOnly(col) says so,
// and editable where it does not; the grid greys the read-only cells in its palette's colour.
void ShowReadOnlyCells(CGridCtrl& grid, int row, const std::function<bool(int col)>& isReadOnly);
