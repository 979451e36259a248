#include "grid/GridEditing.h"

#include "grid/CellCombo.h"
#include "grid/CellEdit.h"
#include "grid/CellList.h"
#include "grid/GridAccessible.h"
#include "grid/GridCtrl.h"
#include "grid/GridNotify.h"

#include <algorithm>

CGridEditing::CGridEditing(QWidget& host, CGridCtrl& grid) : m_host(host), m_grid(grid) {
    m_host.installEventFilter(this);
}

void CGridEditing::AddEditor(CCellEdit& editor, std::initializer_list<int> columns, Commit commit) {
    Add(editor, columns, std::move(commit), {});
}

void CGridEditing::AddEditor(CCellCombo& editor, std::initializer_list<int> columns,
                             Commit commit) {
    Add(editor, columns, std::move(commit), {});
}

void CGridEditing::AddEditor(CCellList& editor, std::initializer_list<int> columns, Commit commit,
                             Prepare prepare) {
    Add(editor, columns, std::move(commit), std::move(prepare));
}

template <class TEditor>
void CGridEditing::Add(TEditor& editor, std::initializer_list<int> columns, Commit commit,
                       Prepare prepare) {
    const int index = static_cast<int>(m_editors.size());
    m_editors.push_back(
        {&editor, columns,
         [&editor](const QRect& rect, const QString& text) { editor.Begin(rect, text); },
         [&editor] { editor.End(); }, std::move(commit), std::move(prepare)});
    connect(&editor, &TEditor::KillFocus, this, [this, index] { OnKillFocus(index); });
}

void CGridEditing::Drop() {
    m_nActive = -1;
    m_grid.SetEditActive(false);
}

void CGridEditing::EndAll() {
    for (const SEditor& editor : m_editors) {
        editor.end();
    }
}

void CGridEditing::CommitOpen() {
    if (m_nActive >= 0) {
        OnKillFocus(m_nActive);
    }
}

bool CGridEditing::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_host || event->type() != GridNotifyEvent::EventType()) {
        return false;
    }
    auto* notify = static_cast<GridNotifyEvent*>(event);
    if (notify->Notify().hwndFrom != &m_grid || notify->Notify().code != GVN_BEGINLABELEDIT) {
        return false;
    }
    OnBeginEdit(notify->Notify());
    notify->SetResult(0);
    return true;
}

void CGridEditing::OnBeginEdit(const GridNotify& notify) {
    const int row = notify.item.row;
    const int col = notify.item.col;
    if (row < m_grid.GetFixedRowCount() || row >= m_grid.GetRowCount()) {
        return;
    }
    const auto found = std::find_if(m_editors.begin(), m_editors.end(), [col](const SEditor& e) {
        return std::find(e.columns.begin(), e.columns.end(), col) != e.columns.end();
    });
    if (found == m_editors.end()) {
        return;
    }
    // The editors lie above the grid in the holder's client area.
    const QRect rect(m_host.mapFromGlobal(notify.rect.topLeft()), notify.rect.size());
    m_nEditRow = row;
    m_nEditCol = col;
    m_nActive = static_cast<int>(found - m_editors.begin());
    m_grid.SetEditActive(true);
    if (found->prepare) {
        found->prepare(col);
    }
    // A screen reader announces the editor as an edit field or a combo box of this cell.
    found->pWidget->setAccessibleName(GridCellName(m_grid, row, col));
    found->begin(rect, notify.item.text);
}

void CGridEditing::OnKillFocus(int index) {
    const SEditor& editor = m_editors[index];
    const bool open = m_nActive == index;
    if (open) {
        m_nActive = -1;
        m_grid.SetEditActive(false);
    }
    editor.end();
    if (open) {
        editor.commit(m_nEditRow, m_nEditCol);
    }
}
