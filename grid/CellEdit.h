// CCellEdit: the in-place editor of frequency cells. It takes what the frequency typing
// rule of the core accepts (digits and one "."), and backspace, up to the rule's limit.
#pragma once

#include "grid/CellEditorLink.h"

#include <QLineEdit>

class CCellEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CCellEdit(QWidget* parent = nullptr);

    // Shows the editor over rect (parent's client coordinates) with text, all of it
    // selected, and gives it the keyboard focus.
    void Begin(const QRect& rect, const QString& text);
    // Disables and hides the editor.
    void End();
    // The window that gets the keyboard focus on ENTER and ESC; without one, the parent.
    void SetOwner(QWidget* owner) { m_link.SetOwner(owner); }

    QString m_strInitial; // the text at Begin, restored by ESC

signals:
    // The editor has lost the keyboard focus: the holder commits its text and calls End.
    void KillFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // True when ch may be typed into text.
    static bool OnChar(QChar ch, const QString& text);

    CellEditorLink m_link;
};
