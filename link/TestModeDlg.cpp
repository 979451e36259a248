#include "link/TestModeDlg.h"

#include "app/DialogBuilder.h"
#include "app/TranslateDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

CTestModeDlg::CTestModeDlg(CDromelPgmDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    BuildDialog(this, kDialogId);
    m_accessCode = qobject_cast<QLineEdit*>(GetDlgItem(this, kAccessCodeId));
    m_manualAdjust = qobject_cast<QCheckBox*>(GetDlgItem(this, kManualAdjustId));
    m_saveButton = qobject_cast<QPushButton*>(GetDlgItem(this, kSaveId));
    for (int i = 0; i < kAlignmentCount; ++i) {
        m_spins[i] = qobject_cast<QSpinBox*>(GetDlgItem(this, kValueIds[i]));
    }
    connect(m_accessCode, &QLineEdit::textChanged, this, &CTestModeDlg::OnChangePassword);
    connect(m_saveButton, &QPushButton::clicked, this, &CTestModeDlg::OnOK);
    connect(qobject_cast<QPushButton*>(GetDlgItem(this, kExitId)), &QPushButton::clicked, this,
            &QDialog::reject);
    OnInitDialog();
}

int CTestModeDlg::DoModal() {
    return exec();
}

// Locked: only the access code and Exit can be used, and the values are not shown.
void CTestModeDlg::OnInitDialog() {
    TranslateDialog(this, kDialogId);
    for (QSpinBox* spin : m_spins) {
        spin->setRange(0, 255);
        spin->clear();
    }
}

// Every change of the field is tested; a text that is not the code changes nothing, and
// each text that is the code loads the values from the image again.
void CTestModeDlg::OnChangePassword() {
    if (!IsTestModeCode(m_accessCode->text().toStdString())) {
        return;
    }
    m_bManualAdjust = m_doc.GetManualAdjust();
    m_manualAdjust->setChecked(m_bManualAdjust);
    m_saveButton->setEnabled(true);
    m_manualAdjust->setEnabled(true);
    const AlignmentValues values = GetAlignmentValues(m_doc);
    for (int i = 0; i < kAlignmentCount; ++i) {
        m_spins[i]->setEnabled(true);
        m_spins[i]->setValue(values[i]);
    }
}

void CTestModeDlg::OnOK() {
    m_bManualAdjust = m_manualAdjust->isChecked();
    AlignmentValues values{};
    for (int i = 0; i < kAlignmentCount; ++i) {
        // A field left empty keeps the value it showed last.
        m_spins[i]->interpretText();
        values[i] = static_cast<std::uint8_t>(m_spins[i]->value());
    }
    SaveTestMode(m_doc, m_bManualAdjust, values);
    accept();
}
