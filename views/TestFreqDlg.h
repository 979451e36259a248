// CTestFreqDlg: the sixteen test channels (records 17 to 32) in a grid of their own, edited
// with the same cell editors as the channel grid. Every edit goes straight into the
// document's image; OK keeps the edits, Cancel and the close box put back the whole image as
// it was when the dialog opened. ENTER and ESC never close it: inside an editor they end the
// edit (ESC after restoring the text), elsewhere they do nothing.
#pragma once

#include "grid/CellCombo.h"
#include "grid/CellEdit.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditing.h"
#include "radio/TestFreqRules.h"

#include <QDialog>

#include <optional>

class CTestFreqDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 155;
    static constexpr int kGridId = 1078;
    static constexpr int kFreqEditId = 1079;
    static constexpr int kToneEditId = 1080;

    // The dialog on doc, filled and with the copy of the image taken for Cancel.
    explicit CTestFreqDlg(CDromelPgmDoc& doc, QWidget* parent = nullptr);

    int DoModal();
    CGridCtrl& Grid() { return m_grid; }

    // OK: the changes stay; the document is marked modified when any byte changed.
    void accept() override;
    // Cancel and the close box: the image as it was when the dialog opened.
    void reject() override;

    // Shows row r's cells from its test channel, greying the tone cells that need a
    // frequency first.
    void RefreshRow(int r);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnInitDialog();
    void ShowCell(int r, int col);
    void OnFreqEditKillFocus(int r, int col);
    void OnToneKillFocus(int r, int col);

    CDromelPgmDoc& m_doc;
    CTestFreqBackup m_backup;
    // Everything the dialog does to the document is one change, told when it closes.
    std::optional<CDocEdit> m_change;
    CCellCombo m_cellTone;
    CCellEdit m_cellEdit;
    CGridCtrl m_grid;
    // After the editors, so it goes first and their last focus change finds no commit.
    CGridEditing m_editing;
};
