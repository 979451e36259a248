// CTestModeDlg: the dealers' window for the radio's alignment values. It is locked until
// the access code is typed into its password field; then Save, Manual Adjust and the twelve
// number fields unlock and show the bytes of the document's image, to be typed over or
// stepped with the arrows and keys. Save stores
// the switch and all twelve values into the image; Exit leaves the image as it was. Nothing
// goes to the radio from here.
#pragma once

#include "radio/TestModeRules.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class CTestModeDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 147;
    static constexpr int kAccessCodeId = 1047;
    static constexpr int kManualAdjustId = 1049;
    static constexpr int kSaveId = 1126;
    static constexpr int kExitId = 1127;
    // The number field of each alignment value, in image order.
    static constexpr std::array<int, kAlignmentCount> kValueIds{
        1065, // Battery Low
        1066, // SQL9
        1067, // SQL3
        1068, // POWER
        1069, // Wide CTC
        1070, // Wide DCS
        1119, // Rx Center
        1121, // Freq
        1123, // Narrow CTC
        1125, // Narrow DCS
        1075, // Rx Low
        1077, // Rx High
    };

    explicit CTestModeDlg(CDromelPgmDoc& doc, QWidget* parent = nullptr);

    int DoModal();

private:
    void OnInitDialog();
    void OnChangePassword();
    void OnOK();

    CDromelPgmDoc& m_doc;
    bool m_bManualAdjust = false;
    QLineEdit* m_accessCode = nullptr;
    QCheckBox* m_manualAdjust = nullptr;
    QPushButton* m_saveButton = nullptr;
    std::array<QSpinBox*, kAlignmentCount> m_spins{};
};
