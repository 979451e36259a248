#include "views/DromelPgmView.h"

#include "app/AppMessageBox.h"
#include "app/DialogBuilder.h"
#include "app/LangText.h"
#include "app/TranslateDialog.h"
#include "grid/DDXGrid.h"
#include "radio/ChangedParts.h"
#include "radio/DromelPgmDoc.h"
#include "views/FormTips.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPrinter>

#include <array>

namespace {

constexpr int IDC_MODEL = 1001;
constexpr int IDC_GRID = 1030;
constexpr int IDC_CELL_EDIT = 1031;
constexpr int IDC_CELL_LIST = 1032;
constexpr int IDC_CELL_TONE = 1033;
constexpr int IDC_SCANTYPE = 1008;
constexpr int IDC_PRIORITY = 1009;
constexpr int IDC_REVERT = 1010;
constexpr int IDC_LOOPBACK = 1011;
constexpr int IDC_DROPOUT = 1013;

// The option lists in the order the form fills them; the Revert list follows the priority
// channel and is filled after it.
struct OptionControl {
    int id;
    FormOption option;
};
constexpr std::array<OptionControl, 7> kOptionControls{{
    {1002, FormOption::MonitorKey},
    {1003, FormOption::TimeOut},
    {1004, FormOption::Squelch},
    {IDC_SCANTYPE, FormOption::ScanType},
    {IDC_PRIORITY, FormOption::Priority},
    {IDC_LOOPBACK, FormOption::LoopBack},
    {IDC_DROPOUT, FormOption::Dropout},
}};

struct CheckControl {
    int id;
    FormCheck check;
};
constexpr std::array<CheckControl, 3> kCheckControls{{
    {1007, FormCheck::BatterySave},
    {1006, FormCheck::BeepTone},
    {1005, FormCheck::WiredClone},
}};

// Empties the list, adds the entries and selects index; an index the list does not have
// leaves it without a selection.
void FillList(QComboBox* combo, const OptionList& entries, int index) {
    combo->clear();
    for (const std::string& entry : entries) {
        combo->addItem(QString::fromStdString(entry));
    }
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void Select(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

} // namespace

CDromelPgmView::CDromelPgmView(CDromelPgmDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_editing(*this, m_grid) {
    setObjectName(QStringLiteral("CDromelPgmView"));
    BuildDialog(this, kFormTemplate);
    AttachToDlgControl(this, IDC_CELL_TONE, m_cellTone);
    AttachToDlgControl(this, IDC_CELL_LIST, m_cellList);
    AttachToDlgControl(this, IDC_CELL_EDIT, m_cellEdit);
    DDX_Grid(this, IDC_GRID, m_grid);
    m_pTips = new CFormTips(*this, m_grid);
    // ENTER and ESC in an editor give the keyboard focus back to the grid.
    m_cellEdit.SetOwner(&m_grid);
    m_cellTone.SetOwner(&m_grid);
    m_cellList.SetOwner(&m_grid);
    ConnectControls();
    ConnectEditors();
    OnUpdate();
    m_nViewObserver = m_doc.AddViewObserver([this] { OnUpdate(); });
    m_nChangeObserver =
        m_doc.AddChangeObserver([this](const SDocChange& change) { OnDocChange(change); });
    connect(&m_grid, &CGridCtrl::selectionChanged, this, &CDromelPgmView::editStateChanged);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CDromelPgmView::editStateChanged);
}

CDromelPgmView::~CDromelPgmView() {
    m_doc.RemoveChangeObserver(m_nChangeObserver);
    m_doc.RemoveViewObserver(m_nViewObserver);
}

QComboBox* CDromelPgmView::Combo(int id) const {
    return qobject_cast<QComboBox*>(GetDlgItem(this, id));
}

QCheckBox* CDromelPgmView::CheckBox(int id) const {
    return qobject_cast<QCheckBox*>(GetDlgItem(this, id));
}

void CDromelPgmView::ConnectControls() {
    for (const CheckControl& c : kCheckControls) {
        QCheckBox* box = CheckBox(c.id);
        connect(box, &QCheckBox::clicked, this,
                [this, box, check = c.check] { ChangeFormCheck(m_doc, check, box->isChecked()); });
    }
    for (const OptionControl& c : kOptionControls) {
        if (c.option == FormOption::Priority) {
            connect(Combo(c.id), &QComboBox::activated, this, [this] { OnPriorityChange(); });
        } else {
            connect(Combo(c.id), &QComboBox::activated, this,
                    [this, c] { OnOptionChange(c.option, c.id); });
        }
    }
    connect(Combo(IDC_REVERT), &QComboBox::activated, this,
            [this] { OnOptionChange(FormOption::Revert, IDC_REVERT); });
    connect(Combo(IDC_MODEL), &QComboBox::activated, this, [this] { OnModelChange(); });

    // A list cell marks the document as soon as its selection moves; its commit stores it.
    connect(&m_cellList, &CCellList::SelChange, this,
            [this] { const CDocEdit selection(m_doc, EDocChange::kListSelection); });
}

void CDromelPgmView::CommitPendingEdit() {
    m_editing.CommitOpen();
}

void CDromelPgmView::OnUpdate() {
    // An editor still open belongs to the document as it was: its content is dropped and
    // the editor closed.
    m_editing.Drop();
    m_editing.EndAll();
    m_marks.Clear();
    emit valueNotice(QString());
    FillForm();
    FillGrid();
}

// Every change may change what the Edit commands can act on. An undo or redo within one
// model shows again the rows and options whose bytes differ; a change of the model
// identification updates all views instead.
void CDromelPgmView::OnDocChange(const SDocChange& change) {
    emit editStateChanged();
    if (!IsHistoryMove(change.kind)) {
        return;
    }
    const SChangedParts parts = ChangedParts(change.before.image, change.after.image);
    if (parts.model) {
        return;
    }
    // An editor still open belongs to the document as it was.
    m_editing.Drop();
    m_editing.EndAll();
    for (int n = 1; n <= kChannelCount; ++n) {
        if (parts.rows[n]) {
            RefreshRow(n);
        }
    }
    if (parts.otherBytes) {
        FillOptions();
    }
    UpdateScanControls();
}

void CDromelPgmView::FillForm() {
    TranslateDialog(this, kFormTemplate);
    m_pTips->Translate();
    FillList(Combo(IDC_MODEL), ModelList(), m_doc.GetModel());
    FillOptions();
    UpdateScanControls();
    FillList(&m_cellTone, ToneList(), -1);
}

void CDromelPgmView::FillOptions() {
    for (const OptionControl& c : kOptionControls) {
        FillOption(c.option, c.id);
    }
    FillRevertList();
    for (const CheckControl& c : kCheckControls) {
        CheckBox(c.id)->setChecked(GetFormCheck(m_doc, c.check));
    }
}

void CDromelPgmView::FillOption(FormOption option, int id) {
    FillList(Combo(id), FormOptionEntries(m_doc, option), GetFormOption(m_doc, option));
}

void CDromelPgmView::FillRevertList() {
    FillOption(FormOption::Revert, IDC_REVERT);
}

void CDromelPgmView::UpdateScanControls() {
    const ScanControls scan = ::UpdateScanControls(m_doc);
    Combo(IDC_SCANTYPE)->setEnabled(scan.scanTypeEnabled);
    for (const int id : {IDC_PRIORITY, IDC_REVERT, IDC_LOOPBACK, IDC_DROPOUT}) {
        Combo(id)->setEnabled(scan.scanActive);
    }
    Select(Combo(IDC_SCANTYPE), scan.scanTypeIndex);
}

void CDromelPgmView::OnOptionChange(FormOption option, int id) {
    ChangeFormOption(m_doc, option, Combo(id)->currentIndex());
    if (option == FormOption::ScanType) {
        UpdateScanControls();
    }
}

void CDromelPgmView::OnPriorityChange() {
    QComboBox* priority = Combo(IDC_PRIORITY);
    if (!ChangePriorityChannel(m_doc, priority->currentIndex())) {
        AppMessageBox(LangText("IDS_ERROR_PRIORITYCH"), LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
        Select(priority, GetFormOption(m_doc, FormOption::Priority));
        return;
    }
    FillRevertList();
}

void CDromelPgmView::OnModelChange() {
    QComboBox* model = Combo(IDC_MODEL);
    if (!IsModelChange(m_doc, model->currentIndex())) {
        return;
    }
    if (AppMessageBox(LangText("IDS_CONFIRM_FREQ"), LangText("IDS_CONFIRM"),
                      MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
        Select(model, m_doc.GetModel());
        return;
    }
    // The selection is read again: the box may have let the list change meanwhile.
    ChangeModel(m_doc, model->currentIndex());
    FillForm();
    FillGrid();
}
