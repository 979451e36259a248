// CFormTips: what each control of the main form and each column of its channel grid means,
// one sentence from the language file as the tooltip of the control and its label, and of
// the grid's heading cells.
#pragma once

#include <QObject>

class CGridCtrl;
class QWidget;

class CFormTips : public QObject {
    Q_OBJECT

public:
    // Watches grid for tooltip requests over its heading row; form holds the controls.
    CFormTips(QWidget& form, CGridCtrl& grid);

    // Puts the tooltips of the language in force on the controls.
    void Translate();
    // The tooltip of column col's heading; empty for a column without one.
    static QString HeadingTip(int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_form;
    CGridCtrl& m_grid;
};
