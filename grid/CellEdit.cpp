#include "grid/CellEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {
constexpr int FREQ_TEXT_LIMIT = 9;
}

CCellEdit::CCellEdit(QWidget* parent) : QLineEdit(parent), m_link(this) {
    setEnabled(false);
    hide();
    connect(&m_link, &CellEditorLink::FocusLost, this, &CCellEdit::KillFocus);
}

void CCellEdit::Begin(const QRect& rect, const QString& text) {
    show();
    setEnabled(true);
    setMaxLength(FREQ_TEXT_LIMIT);
    setGeometry(rect);
    raise();
    update();
    setText(text);
    selectAll();
    m_strInitial = text;
    setFocus(Qt::OtherFocusReason);
}

void CCellEdit::End() {
    setEnabled(false);
    hide();
}

// Typed characters: backspace, digits, and "." when the text holds none yet (wherever it
// is, selected or not). Everything else typed is dropped. Keys that type nothing (arrows,
// Delete) and shortcuts such as copy and paste work as usual.
bool CCellEdit::OnChar(QChar ch) const {
    if (ch == QLatin1Char('\b'))
        return true;
    if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
        return true;
    if (ch == QLatin1Char('.'))
        return !text().contains(QLatin1Char('.'));
    return false;
}

void CCellEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        setText(m_strInitial);
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_link.ReturnFocus();
        event->accept();
        return;
    case Qt::Key_Delete:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!shortcut && !event->text().isEmpty() && !OnChar(event->text().at(0))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// Text composed with an input method is typed text too: it passes the same filter, one
// character after the other.
void CCellEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString accepted;
    for (const QChar ch : event->commitString())
        if (ch != QLatin1Char('\b') && OnChar(ch) &&
            !(ch == QLatin1Char('.') && accepted.contains(ch)))
            accepted += ch;
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}
