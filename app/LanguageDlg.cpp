#include "app/LanguageDlg.h"

#include "app/AppMessageBox.h"
#include "app/DialogBuilder.h"
#include "app/LanguageFiles.h"
#include "app/TranslateDialog.h"

#include <QComboBox>
#include <QPushButton>

CLanguageDlg::CLanguageDlg(const std::string& strDir, const std::string& strCurrent,
                           QWidget* parent)
    : QDialog(parent), m_strDir(strDir), m_strCurrent(strCurrent) {
    BuildDialog(this, kDialogId);
    m_cbLanguage = qobject_cast<QComboBox*>(GetDlgItem(this, kLanguageListId));
    connect(qobject_cast<QPushButton*>(GetDlgItem(this, IDOK)), &QPushButton::clicked, this,
            &CLanguageDlg::OnOK);
    connect(qobject_cast<QPushButton*>(GetDlgItem(this, IDCANCEL)), &QPushButton::clicked, this,
            &QDialog::reject);
}

int CLanguageDlg::DoModal() {
    OnInitDialog();
    return exec();
}

// The list sorts itself by display name; each entry keeps its file, so that two files with
// the same display name stay two choices.
void CLanguageDlg::OnInitDialog() {
    TranslateDialog(this, kDialogId);
    m_cbLanguage->clear();
    for (const SLanguageFile& language : ListLanguages(m_strDir)) {
        m_cbLanguage->addItem(QString::fromStdString(language.strDisplay),
                              QString::fromStdString(language.strPath));
    }
    m_cbLanguage->setCurrentIndex(m_cbLanguage->findData(QString::fromStdString(m_strCurrent)));
}

void CLanguageDlg::OnOK() {
    m_strChosen = m_cbLanguage->currentIndex() < 0
                      ? std::string()
                      : m_cbLanguage->currentData().toString().toStdString();
    accept();
}
