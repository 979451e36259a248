// What the grid tests share: a window that records what the grid tells it, a grid laid out
// like the channel grid of the main form, and the mouse and keys of a user on a grid.
#pragma once

#include "grid/DrawTextFormat.h"
#include "grid/GridCtrl.h"
#include "grid/GridNotify.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

constexpr int CLICK_COMMAND = 1;

struct NotifyEntry {
    int code;
    int row;
    int col;
    bool operator==(const NotifyEntry&) const = default;
};

// Records notifications (code, row, column) and click commands (CLICK_COMMAND, -1, -1),
// and answers edit requests with m_lAnswer.
class NotifyRecorder : public QWidget {
public:
    std::vector<NotifyEntry> m_entries;
    GridNotify m_last;
    long m_lAnswer = 0;

    std::vector<NotifyEntry> Take() {
        QCoreApplication::processEvents(); // the click command is posted
        auto entries = std::move(m_entries);
        m_entries.clear();
        return entries;
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == GridNotifyEvent::EventType()) {
            auto* notify = static_cast<GridNotifyEvent*>(event);
            m_last = notify->Notify();
            m_entries.push_back({m_last.code, m_last.item.row, m_last.item.col});
            if (m_last.code == GVN_BEGINLABELEDIT) {
                notify->SetResult(m_lAnswer);
            }
            return true;
        }
        if (event->type() == GridCommandEvent::EventType()) {
            m_entries.push_back({CLICK_COMMAND, -1, -1});
            return true;
        }
        return QWidget::event(event);
    }
};

// 17 rows and 9 columns, one fixed row and one fixed column, the widths and heights of the
// channel grid, selection and resizing as the grid starts out.
inline void LayOutChannelGrid(CGridCtrl& grid) {
    const int widths[9] = {44, 90, 90, 90, 90, 70, 70, 68, 74};
    grid.SetRedraw(false);
    grid.SetRowCount(17);
    grid.SetColumnCount(9);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int col = 0; col < 9; ++col) {
        grid.SetColumnWidth(col, widths[col]);
    }
    grid.SetRowHeight(0, 22);
    for (int row = 1; row < 17; ++row) {
        grid.SetRowHeight(row, 20);
    }
    for (int row = 0; row < 17; ++row) {
        for (int col = 0; col < 9; ++col) {
            GridItem item;
            item.row = row;
            item.col = col;
            item.mask = GVIF_TEXT | GVIF_FORMAT;
            item.text = row == 0 ? QStringLiteral("Col %1").arg(col)
                                 : QStringLiteral("%1.%2").arg(row).arg(col);
            item.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
            grid.SetItem(item);
        }
    }
    grid.SetRedraw(true, true);
}

inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
}

// The centre of a cell in the grid's client area.
inline QPoint CellCentre(const CGridCtrl& grid, int row, int col) {
    QRect rect;
    grid.GetCellRect(row, col, rect);
    return rect.center();
}

inline void ClickCell(const CGridCtrl& grid, int row, int col) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, row, col));
}

// Keys go where the keyboard focus is; without a focus widget, to the active window.
inline QWidget* KeyTarget() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus : QApplication::activeWindow();
}
inline void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(KeyTarget(), key, modifiers);
}
inline void Type(const QString& keys) {
    QTest::keyClicks(KeyTarget(), keys);
}

// True while one of the in-place editors shows.
inline bool EditorOpen(std::initializer_list<const QWidget*> editors) {
    for (const QWidget* editor : editors) {
        if (editor->isVisible()) {
            return true;
        }
    }
    return false;
}

// Clicks the cell, replaces its text with keys and leaves the editor with ENTER; editorOpen
// tells whether the grid's editor shows.
template <class EditorShows>
void EnterText(const CGridCtrl& grid, int row, int col, const QString& keys,
               EditorShows editorOpen) {
    ClickCell(grid, row, col);
    ASSERT_TRUE(editorOpen()) << row << "," << col;
    Key(Qt::Key_Backspace);
    Type(keys);
    Key(Qt::Key_Return);
    ASSERT_FALSE(editorOpen()) << row << "," << col;
}
