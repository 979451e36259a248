// CDromelPgmView: the main form. Its upper band shows and edits the radio-wide options, its
// lower part is the grid of the 16 channels. Every value goes through the document's
// operations; the form keeps no radio data of its own.
#pragma once

#include "grid/CellCombo.h"
#include "grid/CellEdit.h"
#include "grid/CellList.h"
#include "grid/CellMarks.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditing.h"
#include "radio/FormRules.h"
#include "radio/StoredValue.h"

#include <QWidget>

#include <memory>

class CDromelPgmDoc;
class CFormTips;
class QCheckBox;
class QComboBox;
class QPaintDevice;
class QPrinter;

class CDromelPgmView : public QWidget {
    Q_OBJECT

public:
    // The dialog template of the form, which the printed page lays out too.
    static constexpr int kFormTemplate = 101;

    // The form of dialog template 101 showing doc, filled at once and again whenever the
    // document updates all views. An undo or redo that leaves the model shows again only the
    // rows and options whose bytes it changed.
    explicit CDromelPgmView(CDromelPgmDoc& doc, QWidget* parent = nullptr);
    ~CDromelPgmView() override;

    CGridCtrl& Grid() { return m_grid; }

    // Refills everything from the document, in the language now in force.
    void OnUpdate();
    void FillForm();
    // The option lists and check boxes from the document.
    void FillOptions();
    void FillGrid();
    void FillRevertList();
    // Enables the scan controls when a scan list exists and a scan type is chosen.
    void UpdateScanControls();
    // Shows channel n's cells from the document, greying the cells that cannot be edited.
    void RefreshRow(int n);
    // A cell editor still open writes its content to the document, as if it lost the focus.
    void CommitPendingEdit();

    // The printer of Print and Print Preview, with the page set up in Print Setup; not owned.
    // Until one is given the form uses a printer of its own.
    void SetPrinter(QPrinter* printer);
    // File > Print: the print dialog (page 1 only), then the page on the printer or PDF file
    // chosen. Cancel prints nothing.
    void OnFilePrint();
    // File > Print Preview: the page on the preview, drawn anew at every repaint.
    void OnFilePrintPreview();

    // The Edit menu's commands on the grid's selected cells or channels, or on its focus cell
    // when nothing is selected. Copy puts text/plain (tab-separated cells, for spreadsheets)
    // on the clipboard and, for whole channels, text/csv (dpmtool export's CSV); Paste takes
    // text/csv when it is there, else the text.
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();
    void OnEditSelectAll();
    void OnEditInsertChannel();
    void OnEditDeleteChannel();
    void OnEditMoveUp();
    void OnEditMoveDown();
    void OnEditSort();
    // Whether the Edit command id can act now.
    bool CanEdit(int id) const;

    // The cells whose last commit stored something other than what was typed.
    const CCellMarks& Marks() const { return m_marks; }

signals:
    // What the Edit commands can act on may have changed.
    void editStateChanged();
    // What the last commit of a cell changed beyond what was typed, in the language in force;
    // empty when it stored what was typed.
    void valueNotice(const QString& text);

private:
    QComboBox* Combo(int id) const;
    QCheckBox* CheckBox(int id) const;
    void ConnectControls();
    void FillOption(FormOption option, int id);
    void OnOptionChange(FormOption option, int id);
    void OnPriorityChange();
    void OnModelChange();
    void OnDocChange(const SDocChange& change);
    void ShowCell(int n, int col);
    void ConnectEditors();
    void OnFreqEditKillFocus(int n, int col);
    void OnToneKillFocus(int n, int col);
    void OnListKillFocus(int n, int col);
    // The selected block, else the focus cell, within rows 1..16 and columns 1..8; invalid
    // when there is neither.
    CCellRange EditBlock() const;
    // The channel the row commands act on: the focus row, else the first selected row; 0
    // for none.
    int EditRow() const;
    // Shows the document's channels and options again after a change of several channels.
    void RefreshChannels();
    // Move Up and Move Down: the channel with its neighbour, the focus following it.
    void MoveEditRow(bool up);
    QPrinter& Printer();
    // After a commit of cell (n, col) given text given: unmarks the cell, marks it again when
    // the value stored is not what was given, and tells what the commit changed.
    void ReportCommit(int n, int col, const std::string& given, const SStoredValue& stored);
    // The page as the form shows it now, on printer. A PDF file is made whole in memory and
    // then saved the way data files are, so a file that cannot be written is reported with its
    // reason and no empty or cut file is left; a printer that cannot be painted on is reported
    // too.
    void PrintPage(QPrinter& printer);

    CDromelPgmDoc& m_doc;
    int m_nViewObserver = 0;
    int m_nChangeObserver = 0;

    CGridCtrl m_grid;
    CCellEdit m_cellEdit;
    CCellList m_cellList;
    CCellCombo m_cellTone;
    // Declared after the editors, so it goes first and their last focus change finds no
    // commit.
    CGridEditing m_editing;
    CCellMarks m_marks;
    CFormTips* m_pTips = nullptr;

    QPrinter* m_pPrinter = nullptr;
    std::unique_ptr<QPrinter> m_pOwnPrinter;
};
