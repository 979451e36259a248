// CGridCtrl: where the focus cell is when the keyboard focus comes to the grid.
#include "grid/GridAccessible.h"
#include "grid/GridCtrl.h"

#include <QFocusEvent>

// The keyboard works on the focus cell, so the grid never holds the keyboard focus without
// one: focus that comes with Tab, Shift+Tab or from the program lands on the last focus
// cell, or on the first non-fixed cell when there is none. A press of the mouse decides
// itself: on a cell it focuses that cell, elsewhere (the border, the empty area) the first
// one, once the press has been handled.
void CGridCtrl::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason) {
        QMetaObject::invokeMethod(
            this, [this] { LandFocusCell(); }, Qt::QueuedConnection);
        return;
    }
    LandFocusCell();
}

void CGridCtrl::LandFocusCell() {
    if (!hasFocus()) {
        return;
    }
    if (IsValid(m_idCurrentCell.row, m_idCurrentCell.col)) {
        AnnounceFocusCell(*this);
        return;
    }
    if (!IsValid(m_nFixedRows, m_nFixedCols)) {
        return;
    }
    SetFocusCell(m_nFixedRows, m_nFixedCols);
    EnsureCellVisible(m_nFixedRows, m_nFixedCols);
}
