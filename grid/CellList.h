// CCellList: the in-place editor of cells with fixed choices (yes/no, wide/narrow), a
// drop-down list without an edit field.
#pragma once

#include "grid/CellEditorLink.h"

#include <QComboBox>

class CCellList : public QComboBox {
    Q_OBJECT

public:
    explicit CCellList(QWidget* parent = nullptr);

    // Selects the first entry that begins with text (ignoring case; none when no entry
    // does), shows the editor over rect and gives it the focus. The holder fills the list
    // beforehand.
    void Begin(const QRect& rect, const QString& text);
    void End();
    void SetOwner(QWidget* owner) { m_link.SetOwner(owner); }

    QString m_strInitial;

signals:
    void KillFocus();
    // The user chose another entry (not sent for the selection made by Begin or ESC).
    void SelChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SelectString(const QString& text);

    CellEditorLink m_link;
    int m_nSelected = -1; // the entry selected last, by Begin, ESC or the user
};
