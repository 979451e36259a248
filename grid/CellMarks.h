// CCellMarks: the cells of a grid whose last commit stored something other than what was
// typed. A marked cell is drawn on a tint of the palette's highlight over its base, so the
// mark follows the theme; it lasts until the cell's next commit.
#pragma once

#include <set>
#include <utility>

class CGridCtrl;

class CCellMarks {
public:
    void Mark(int row, int col) { m_cells.insert({row, col}); }
    void Unmark(int row, int col) { m_cells.erase({row, col}); }
    void Clear() { m_cells.clear(); }
    bool IsMarked(int row, int col) const { return m_cells.count({row, col}) != 0; }

    // Colours the cells of row in grid (columns 1 on) as marked or not.
    void ShowRow(CGridCtrl& grid, int row) const;

private:
    std::set<std::pair<int, int>> m_cells;
};
