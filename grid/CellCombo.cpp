#include "grid/CellCombo.h"

#include "app/LangString.h"
#include "radio/CellTyping.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

// Shows every character typed as the tone typing rule has it (letters in upper case), but
// the none entry as the list and the cell show it.
class ToneTypingValidator : public QValidator {
public:
    using QValidator::QValidator;
    void SetNoneText(const QString& none) { m_strNone = none; }
    State validate(QString& input, int&) const override {
        if (!m_strNone.isEmpty() && input.compare(m_strNone, Qt::CaseInsensitive) == 0) {
            input = m_strNone;
            return Acceptable;
        }
        for (QChar& ch : input) {
            if (ch.unicode() < 0x80) {
                ch = QLatin1Char(ToneTypedChar(ch.toLatin1()));
            }
        }
        return Acceptable;
    }

private:
    QString m_strNone;
};

} // namespace

CCellCombo::CCellCombo(QWidget* parent) : QComboBox(parent), m_link(this) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    m_pValidator = new ToneTypingValidator(this);
    lineEdit()->setValidator(m_pValidator);
    lineEdit()->installEventFilter(this);
    setEnabled(false);
    hide();
    connect(&m_link, &CellEditorLink::FocusLost, this, &CCellCombo::KillFocus);
}

void CCellCombo::Begin(const QRect& rect, const QString& text) {
    show();
    setEnabled(true);
    // A longer begin text (a long none text) is shown whole; typing stops at the limit.
    lineEdit()->setMaxLength(std::max(kToneTextLimit, static_cast<int>(text.size())));
    if (count() > 0) {
        removeItem(0);
    }
    const QString none = QString::fromStdString(GetLangString("IDS_NONE"));
    static_cast<ToneTypingValidator*>(m_pValidator)->SetNoneText(none);
    insertItem(0, none);
    setEditText(text);
    m_strInitial = text;
    lineEdit()->selectAll();
    setGeometry(rect);
    raise();
    update();
    setFocus(Qt::OtherFocusReason);
}

void CCellCombo::End() {
    setEnabled(false);
    hide();
}

bool CCellCombo::HandleKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        setEditText(m_strInitial);
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_link.ReturnFocus();
        event->accept();
        return true;
    default:
        return false;
    }
}

bool CCellCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress &&
        HandleKey(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void CCellCombo::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event)) {
        QComboBox::keyPressEvent(event);
    }
}
