#include "grid/CellList.h"

#include <QKeyEvent>

CCellList::CCellList(QWidget* parent) : QComboBox(parent), m_link(this) {
    setEnabled(false);
    hide();
    connect(&m_link, &CellEditorLink::FocusLost, this, &CCellList::KillFocus);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index != m_nSelected) {
            m_nSelected = index;
            emit SelChange();
        }
    });
}

void CCellList::SelectString(const QString& text) {
    int index = -1;
    for (int i = 0; i < count() && index < 0; ++i) {
        if (itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            index = i;
        }
    }
    setCurrentIndex(index);
    m_nSelected = index;
}

void CCellList::Begin(const QRect& rect, const QString& text) {
    show();
    setEnabled(true);
    m_strInitial = text;
    SelectString(text);
    setGeometry(rect);
    raise();
    update();
    setFocus(Qt::OtherFocusReason);
}

void CCellList::End() {
    setEnabled(false);
    hide();
}

void CCellList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        SelectString(m_strInitial);
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_link.ReturnFocus();
        event->accept();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}
