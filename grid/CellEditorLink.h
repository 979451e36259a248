// What the three cell editors share: the window that takes the keyboard focus on ENTER and
// ESC (the owner, or the parent when no owner is set), and the watch that reports when the
// editor loses the keyboard focus, which is when its holder commits the content.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class CellEditorLink : public QObject {
    Q_OBJECT

public:
    explicit CellEditorLink(QWidget* editor);

    void SetOwner(QWidget* owner);
    // Gives the keyboard focus to the owner, or to the parent without one. An owner that no
    // longer exists leaves the focus where it is.
    void ReturnFocus() const;

signals:
    void FocusLost();

private:
    void OnFocusChanged(QWidget* now);
    bool IsPart(const QWidget* widget) const;

    QWidget* m_editor;
    QPointer<QWidget> m_owner;
    bool m_bHasOwner = false;
    bool m_bHasFocus = false;
};
