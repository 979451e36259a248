// Setup > Communication Port: COM1 to COM8, each labelled with the device it stands for and
// the name the system gives that device. A port that cannot be opened for this program
// alone is disabled and its tooltip says why; the port the program holds is not probed.
// The dialog only chooses: its caller reopens the port and stores the choice.
#pragma once

#include <QDialog>

class CCommPort;
class QRadioButton;

class CComPortDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 130;
    static constexpr int kFirstButtonId = 1014; // button 1013 + n stands for port n
    static constexpr int kPortCount = 8;

    // port tells which port the program holds open now.
    explicit CComPortDlg(const CCommPort& port, QWidget* parent = nullptr);

    // Shows the dialog; QDialog::Accepted when the user chose with OK.
    int DoModal();

    // The port checked when the dialog closed, 1 to 8; 0 when none is (every port disabled).
    int GetPort() const { return m_nPort; }

    QRadioButton* PortButton(int nPort) const;

private:
    void OnInitDialog();
    void OnOK();
    void ShowPort(int nPort, bool bStored);

    const CCommPort& m_port;
    int m_nPort = 0;
};
