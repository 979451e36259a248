// CGridCtrl: the keys that open the focus cell's editor as a spreadsheet does.
#include "grid/GridCtrl.h"

#include <QCoreApplication>
#include <QKeyEvent>

bool CGridCtrl::OpenEditorByKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (m_bEditActive || (mods & ~Qt::ShiftModifier)) {
        return false;
    }
    const QString text = event->text();
    const bool typed = text.size() == 1 && text.at(0).isPrint();
    if (event->key() != Qt::Key_F2 && !typed) {
        return false;
    }
    event->accept();
    RequestEdit(m_idCurrentCell.row, m_idCurrentCell.col);
    QWidget* editor = window()->focusWidget();
    // Space only opens the editor; any other character is typed into it (into a list it
    // selects the first entry with that letter).
    if (typed && text != QStringLiteral(" ") && m_bEditActive && editor && editor != this) {
        QKeyEvent key(QEvent::KeyPress, event->key(), event->modifiers(), text);
        QCoreApplication::sendEvent(editor, &key);
    }
    return true;
}
