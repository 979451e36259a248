// CCellCombo: the in-place editor of tone cells, a drop-down list of tones with an edit
// field that takes at most 5 characters and shows them in upper case, the none entry as the
// list has it.
#pragma once

#include "grid/CellEditorLink.h"

#include <QComboBox>

class QValidator;

class CCellCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CCellCombo(QWidget* parent = nullptr);

    // Renews the none entry (entry 0) in the current language, shows the editor over rect
    // (parent's client coordinates) with text, all of it selected, and gives it the focus.
    // The holder fills the list beforehand, the none entry first.
    void Begin(const QRect& rect, const QString& text);
    void End();
    void SetOwner(QWidget* owner) { m_link.SetOwner(owner); }

    QString m_strInitial;

signals:
    void KillFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool HandleKey(QKeyEvent* event);

    CellEditorLink m_link;
    QValidator* m_pValidator = nullptr; // the tone typing rule of the edit field
};
