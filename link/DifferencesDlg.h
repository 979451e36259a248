// The differences between the document and the radio after Compare with Radio or a write
// that was read back: one line per entry by meaning ("ch3 rx: file 446.00625, radio
// 446.01250"), in a text field the user can select and copy, with a Copy button for all of it.
#pragma once

#include "radio/ImageDiff.h"

#include <QDialog>

#include <vector>

class QPlainTextEdit;

class CDifferencesDlg : public QDialog {
    Q_OBJECT

public:
    CDifferencesDlg(const std::vector<FieldDiff>& diffs, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    // The whole text as shown (and as Copy puts it on the clipboard).
    QString Text() const;

    // The lines of diffs, each closed by a line break.
    static QString DifferencesText(const std::vector<FieldDiff>& diffs);

private:
    QPlainTextEdit* m_text = nullptr;
};
