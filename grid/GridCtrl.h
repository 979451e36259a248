// CGridCtrl: a table of text cells with fixed header rows at the top and fixed header
// columns at the left. The other cells scroll; positions are in pixels. The grid never edits
// a cell itself: it asks its owner (GVN_BEGINLABELEDIT), which places an editor over it.
#pragma once

#include "grid/CellRange.h"
#include "grid/GridCell.h"
#include "grid/PaletteColours.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <set>
#include <utility>
#include <vector>

class QPainter;

class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Scroll requests, as a scroll bar sends them.
    enum ScrollRequest {
        SB_LINEUP = 0,
        SB_LINEDOWN = 1,
        SB_PAGEUP = 2,
        SB_PAGEDOWN = 3,
        SB_THUMBPOSITION = 4,
        SB_THUMBTRACK = 5,
        SB_TOP = 6,
        SB_BOTTOM = 7,
        SB_ENDSCROLL = 8,
    };
    // Mouse modes.
    enum MouseMode {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 5,
        MOUSE_SIZING_ROW = 6,
        MOUSE_OVER_COL_DIVIDE = 7,
        MOUSE_SIZING_COL = 8,
    };
    // Grid-line modes.
    enum { GVL_NONE = 0, GVL_HORZ = 1, GVL_VERT = 2, GVL_BOTH = 3 };

    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0,
                       QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // Counts. The setters return false for a negative count or when the cells cannot be
    // allocated; the grid is then left as it was.
    int GetRowCount() const { return static_cast<int>(m_arRowHeights.size()); }
    int GetColumnCount() const { return static_cast<int>(m_arColWidths.size()); }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    bool SetRowCount(int nRows);
    bool SetColumnCount(int nCols);
    bool SetFixedRowCount(int nFixedRows);
    bool SetFixedColumnCount(int nFixedCols);

    // Sizes in pixels; -1 for a bad index. Setting refuses negative sizes and bad indices.
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int col, int width);
    int GetFixedRowHeight() const;   // total height of the fixed rows
    int GetFixedColumnWidth() const; // total width of the fixed columns
    int GetVirtualHeight() const;    // total height of all rows
    int GetVirtualWidth() const;     // total width of all columns
    int GetDefaultRowHeight() const { return m_nDefRowHeight; }
    int GetDefaultColumnWidth() const { return m_nDefColWidth; }
    int GetMargin() const { return m_nMargin; }

    // Content. Setters return false for a cell that does not exist; getters return empty
    // text, -1, 0 (state) or the grid font.
    bool SetItem(const GridItem& item);
    bool GetItem(GridItem& item) const;
    bool SetItemText(int row, int col, const QString& text);
    virtual QString GetItemText(int row, int col) const;
    bool SetItemState(int row, int col, quint32 state);
    quint32 GetItemState(int row, int col) const;
    int GetItemFormat(int row, int col) const;
    int GetItemImage(int row, int col) const;
    bool SetItemFgColour(int row, int col, const QColor& colour);
    bool SetItemFont(int row, int col, const QFont& font);
    QFont GetItemFont(int row, int col) const;
    bool IsValid(int row, int col) const;

    // Appearance and behaviour switches.
    void SetGridLines(int mode);
    void SetImageList(const std::vector<QPixmap>* images); // not owned; nullptr = none
    void SetEditable(bool editable) { m_bEditable = editable; }
    void SetRedraw(bool allowDraw, bool resetScrollBars = false);
    void EnableResize(bool rows, bool cols);
    void DeleteAllItems();

    // Owner of the notifications; without one they go to the parent.
    void SetOwner(QWidget* owner);

    // Geometry in client (viewport) coordinates.
    bool GetCellRect(int row, int col, QRect& rect) const;
    CCellID GetTopleftNonFixedCell() const;
    CCellRange GetVisibleNonFixedCellRange() const;
    CCellID GetCellFromPt(const QPoint& point) const;
    bool IsCellVisible(int row, int col) const;
    void EnsureCellVisible(int row, int col);
    void RedrawCell(int row, int col);
    void RedrawRow(int row);
    void ResetScrollBars();
    void OnVScroll(int request, int thumbPos = 0);
    void OnHScroll(int request, int thumbPos = 0);

    // Printing at the painter's current origin, without focus frame, selection or raised
    // edges: every fixed row across all columns, or one row of ordinary cells with its top at 0.
    void PrintFixedRows(QPainter& painter);
    void PrintRow(QPainter& painter, int row);

    // Focus, edit requests and selection.
    void SetFocusCell(int row, int col);
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    virtual long RequestEdit(int row, int col, int key = 0);
    void EnableSelection(bool enable);
    void ClearSelection();
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol);
    CCellRange GetSelectedCellRange() const;

    // Set by the owner while its editor covers the cell of the last notification; the grid
    // then leaves that rectangle unpainted.
    void SetEditActive(bool active);
    bool IsEditActive() const { return m_bEditActive; }
    QRect GetEditRect() const { return m_rectEdit; }

    int GetMouseMode() const { return m_nMouseMode; }

signals:
    // The focus cell or the selected cells changed.
    void selectionChanged();

protected:
    virtual void OnHeaderColumnClick(int row, int col);
    virtual void OnHeaderRowClick(int row, int col);
    virtual QSize GetCellExtent(int row, int col) const;
    virtual void PaintAll(QPainter& painter, const QRect& clip);
    virtual void PaintFixedCell(QPainter& painter, int row, int col, QRect rect, bool erase);
    virtual void PaintCell(QPainter& painter, int row, int col, QRect rect, bool erase);
    virtual void CreateCell(int row, int col);
    virtual void DestroyCell(int row, int col);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    GridCell* Cell(int row, int col);
    const GridCell* Cell(int row, int col) const;
    void ApplyFont();
    // The grid's colours from its palette as it is now; on paper from a light palette.
    const SGridColours& GetColours() const;
    void OnScrollBarAction(bool vertical, int action);
    QPoint GetCellOrigin(int row, int col, bool& visible) const;
    QRect VisibleCellsRect() const;
    void PaintGridLines(QPainter& painter, const CCellRange& visible, const QRect& cells);
    void PrintLines(QPainter& painter, int firstRow, int lastRow);
    void DrawCellContent(QPainter& painter, const GridCell& cell, QRect rect);
    long SendMessageToParent(int row, int col, int code);
    QWidget* NotifyTarget() const;
    void RedrawFixedColumnCells(int row);
    void RedrawFixedRowCells(int col);
    void MoveFocusByKey(QKeyEvent* event);
    // Spreadsheet keys on the focus cell: F2, Space or a typed character opens its editor,
    // the character then goes to the editor. False for any other key.
    bool OpenEditorByKey(QKeyEvent* event);
    void LandFocusCell();
    void SetSelectedCell(int row, int col, bool selected);
    void ApplySelection(const CCellID& current);
    void SelectCells(const CCellRange& range);
    CCellRange SelectionRange(int mode, const CCellID& current) const;
    void ShowDragLine(const QPoint& point);
    QPoint ConfineToDragArea(const QPoint& point) const;
    void ShowSelectionMenu(const QPoint& globalPos);
    // One scroll step along one direction: rows for the vertical bar, columns for the other.
    void ScrollAlong(QScrollBar& bar, int request, int thumbPos, int page,
                     const std::vector<int>& sizes, int topLeft, int fixedCount);

    std::vector<std::vector<GridCell>> m_rows;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;
    int m_nFixedRows = 0;
    int m_nFixedCols = 0;
    int m_nDefRowHeight = 30;
    int m_nDefColWidth = 0;
    int m_nMargin = 0;
    QFont m_font;

    int m_nGridLines = GVL_BOTH;
    bool m_bEditable = true;
    bool m_bAllowDraw = true;
    bool m_bEnableSelection = true;
    bool m_bAllowRowResize = true;
    bool m_bAllowColumnResize = true;
    int m_nResizeCaptureRange = 3;
    int m_nWheelLines = 3;
    const std::vector<QPixmap>* m_pImageList = nullptr;
    bool m_bPrinting = false;
    mutable SGridColours m_colours;
    mutable qint64 m_nColoursKey = 0;

    bool m_bHasOwner = false;
    QPointer<QWidget> m_owner;

    CCellID m_idCurrentCell;
    bool m_bEditActive = false;
    QRect m_rectEdit;

    int m_nMouseMode = MOUSE_NOTHING;
    CCellID m_SelectionStartCell;
    CCellID m_LeftClickDownCell;
    QPoint m_LeftClickDownPoint;
    QPoint m_LastMousePoint;
    CCellID m_SizingCell;  // the row or column being sized
    int m_nSizingEdge = 0; // top or left edge of the row or column being sized
    int m_nWheelDelta = 0; // wheel movement not yet turned into scroll steps
    QRect m_rectDragLine;  // where the inverted sizing line is drawn; empty when none
    std::set<std::pair<int, int>> m_SelectedCells;
    std::set<std::pair<int, int>> m_PrevSelectedCells;
    int m_nResetDepth = 0;
};
