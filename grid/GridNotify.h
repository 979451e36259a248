// What the grid tells the window that owns it: focus changes and edit requests (sent and
// answered at once) and the click command (posted).
#pragma once

#include "grid/GridCell.h"

#include <QEvent>
#include <QPointer>
#include <QRect>

class CGridCtrl;
class QWidget;

constexpr int GVN_FOCUSGAINED = -103;    // a cell has become the focus cell
constexpr int GVN_FOCUSLOST = -104;      // a cell stops being the focus cell
constexpr int GVN_BEGINLABELEDIT = -105; // the grid asks its owner to edit a cell

struct GridNotify {
    CGridCtrl* hwndFrom = nullptr; // the sending grid
    int idFrom = 0;                // its control id (property "ctrlId")
    int code = 0;
    GridItem item; // row, column and every field of the cell
    QRect rect;    // the cell in screen coordinates; empty at the grid's origin when unseen
};

// Sent to the owner (or the parent) with QCoreApplication::sendEvent; the receiver handles
// it in event() and may set a result, which the grid hands back to its caller.
class GridNotifyEvent : public QEvent {
public:
    explicit GridNotifyEvent(const GridNotify& notify);

    static QEvent::Type EventType();
    const GridNotify& Notify() const { return m_notify; }
    long Result() const { return m_lResult; }
    void SetResult(long result) { m_lResult = result; }

private:
    GridNotify m_notify;
    long m_lResult = 0;
};

// Posted to the owner (or the parent) after a left-button release whose press hit a cell.
class GridCommandEvent : public QEvent {
public:
    explicit GridCommandEvent(CGridCtrl* grid);

    static QEvent::Type EventType();
    CGridCtrl* Grid() const { return m_grid; }

private:
    QPointer<CGridCtrl> m_grid;
};
