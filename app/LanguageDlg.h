// Setup > Language Setup: the language files beside the program by display name, sorted,
// with the language in force selected. The dialog only chooses: its caller makes the chosen
// file the language in force.
#pragma once

#include <QDialog>

#include <string>

class QComboBox;

class CLanguageDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 135;
    static constexpr int kLanguageListId = 1012;

    // Lists the language files of strDir; strCurrent is the language file in force.
    CLanguageDlg(const std::string& strDir, const std::string& strCurrent,
                 QWidget* parent = nullptr);

    // Shows the dialog; QDialog::Accepted when the user closed it with OK.
    int DoModal();

    // The file of the entry selected at OK; empty when no entry was selected.
    std::string GetLanguageFile() const { return m_strChosen; }

    QComboBox* LanguageList() const { return m_cbLanguage; }

private:
    void OnInitDialog();
    void OnOK();

    std::string m_strDir;
    std::string m_strCurrent;
    std::string m_strChosen;
    QComboBox* m_cbLanguage = nullptr;
};
