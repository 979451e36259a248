#include "grid/CellEdit.h"

#include "radio/CellTyping.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

CCellEdit::CCellEdit(QWidget* parent) : QLineEdit(parent), m_link(this) {
    setEnabled(false);
    hide();
    connect(&m_link, &CellEditorLink::FocusLost, this, &CCellEdit::KillFocus);
}

void CCellEdit::Begin(const QRect& rect, const QString& text) {
    show();
    setEnabled(true);
    setMaxLength(kFreqTextLimit);
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

// Typed characters: backspace, and what the frequency typing rule accepts. Everything else
// typed is dropped. Keys that type nothing (arrows, Delete) and shortcuts such as copy and
// paste work as usual.
bool CCellEdit::OnChar(QChar ch, const QString& text) {
    if (ch == QLatin1Char('\b')) {
        return true;
    }
    return ch.unicode() < 0x80 && IsFreqCharAccepted(ch.toLatin1(), text.toStdString());
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
    if (!shortcut && !event->text().isEmpty() && !OnChar(event->text().at(0), text())) {
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
    for (const QChar ch : event->commitString()) {
        if (ch != QLatin1Char('\b') && OnChar(ch, text() + accepted)) {
            accepted += ch;
        }
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}
