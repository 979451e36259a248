// CDromelPgmView: the main form. Its upper band shows and edits the radio-wide options, its
// lower part is the grid of the 16 channels. Every value goes through the document's
// operations; the form keeps no radio data of its own.
#pragma once

#include "grid/CellCombo.h"
#include "grid/CellEdit.h"
#include "grid/CellList.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditing.h"
#include "radio/FormRules.h"

#include <QWidget>

#include <memory>

class CDromelPgmDoc;
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
    QPrinter& Printer();
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

    QPrinter* m_pPrinter = nullptr;
    std::unique_ptr<QPrinter> m_pOwnPrinter;
};
