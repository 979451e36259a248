// CGridEditing: the editing round of a grid whose cells are edited by in-place editors that
// lie in the window holding the grid. On the grid's edit request it opens the editor of the
// cell's column over the cell and marks the grid's edit as active; when that editor loses
// the keyboard focus it closes the editor and hands the cell to the holder's commit, which
// reads the editor and writes the value. At most one editor is open at a time.
#pragma once

#include <QObject>

#include <functional>
#include <initializer_list>
#include <vector>

class CCellCombo;
class CCellEdit;
class CCellList;
class CGridCtrl;
struct GridNotify;
class QRect;
class QWidget;

class CGridEditing : public QObject {
    Q_OBJECT

public:
    // Reads the closed editor of cell (row, col) and writes its content; the editor is hidden
    // but still holds what the user left in it.
    using Commit = std::function<void(int row, int col)>;
    // Fills a list editor with the entries of column col before it opens.
    using Prepare = std::function<void(int col)>;

    // host receives the grid's notifications and is the parent of the editors; the editors
    // are placed in its client coordinates.
    CGridEditing(QWidget& host, CGridCtrl& grid);

    // The editor of the cells of columns; a column has at most one editor.
    void AddEditor(CCellEdit& editor, std::initializer_list<int> columns, Commit commit);
    void AddEditor(CCellCombo& editor, std::initializer_list<int> columns, Commit commit);
    void AddEditor(CCellList& editor, std::initializer_list<int> columns, Commit commit,
                   Prepare prepare);

    // Forgets the open edit, whose cell no longer shows what it began with: the editor's
    // later loss of focus only closes it.
    void Drop();
    // Closes every editor without committing.
    void EndAll();
    // Closes the open editor and commits its content, as its loss of focus would; nothing
    // when no editor is open.
    void CommitOpen();
    bool IsEditing() const { return m_nActive >= 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct SEditor {
        QWidget* pWidget;
        std::vector<int> columns;
        std::function<void(const QRect&, const QString&)> begin;
        std::function<void()> end;
        Commit commit;
        Prepare prepare;
    };

    template <class TEditor>
    void Add(TEditor& editor, std::initializer_list<int> columns, Commit commit, Prepare prepare);
    void OnBeginEdit(const GridNotify& notify);
    void OnKillFocus(int index);

    QWidget& m_host;
    CGridCtrl& m_grid;
    std::vector<SEditor> m_editors;
    int m_nActive = -1; // the editor that is open, -1 when none is
    int m_nEditRow = 0;
    int m_nEditCol = 0;
};
