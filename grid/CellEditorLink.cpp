#include "grid/CellEditorLink.h"

#include <QApplication>

namespace {

// A drop-down list or a context menu borrows the keyboard focus while it is open.
bool IsInPopup(const QWidget* widget) {
    return widget && widget->window()->windowType() == Qt::Popup;
}

} // namespace

CellEditorLink::CellEditorLink(QWidget* editor) : QObject(editor), m_editor(editor) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

void CellEditorLink::SetOwner(QWidget* owner) {
    m_owner = owner;
    m_bHasOwner = owner != nullptr;
}

void CellEditorLink::ReturnFocus() const {
    QWidget* target = m_bHasOwner ? m_owner.data() : m_editor->parentWidget();
    if (target) {
        target->setFocus(Qt::OtherFocusReason);
    }
}

bool CellEditorLink::IsPart(const QWidget* widget) const {
    return widget && (widget == m_editor || m_editor->isAncestorOf(widget));
}

void CellEditorLink::OnFocusChanged(QWidget* now) {
    if (IsPart(now)) {
        m_bHasFocus = true;
        return;
    }
    if (IsInPopup(now) || !m_bHasFocus) {
        return;
    }
    m_bHasFocus = false;
    emit FocusLost();
}
